#include "app/cli/commands.h"

#include "app/cli/batch_export.h"
#include "app/cli/cli_language.h"
#include "app/cli/edit_script.h"
#include "app/cli/export_command.h"
#include "app/cli/project_json.h"
#include "app/cli/render_command.h"
#include "app/cli/simulation_trace.h"
#include "persist/app_settings.h"
#include "persist/binary_export.h"
#include "persist/project_file.h"
#include "persist/workspace.h"
#include "platform/stream_notifier.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <thread>
#include <unistd.h>

namespace vintrel {

namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage = R"(usage:
  vintrel-cli new -o OUT.stn                 write a new project
  vintrel-cli info FILE.stn                  print the whole project as JSON
  vintrel-cli convert IN.stn -o OUT.stn      read a package of any version, write the current one
  vintrel-cli vtb IN.stn -o OUT.vtb          write the binary export and copy its textures beside it
  vintrel-cli simulate FILE.stn --frames N   step the simulation N times, one JSON line per step
  vintrel-cli edit IN.stn -o OUT.stn         apply editing commands from standard input, then save
  vintrel-cli render FILE.stn --frame N -o OUT.png [--size WxH]
                                             draw the view of frame N off-screen as a PNG
  vintrel-cli export A.stn B.stn ... -o FOLDER [-j N] [--if-changed] [options]
  vintrel-cli export --job JOBS.json [-j N] [--if-changed]
                                             export several projects, N at a time
  vintrel-cli export FILE.stn -o OUT [--if-changed] [--start S] [--end E] [--step K]
                     [--type sheet|files|video|gif|apng|webp|webm|prores]
                     [--smooth N] [--columns C] [--size WxH] [--transparent 0|1]
                     [--alpha straight|premultiplied|additive]
                     [--atlas none|texturepacker-hash|texturepacker-array|aseprite|godot]
                     [--padding P] [--border B] [--extrude E] [--trim none|frame|common]
                     [--power-of-two 0|1] [--max-size S] [--name PATTERN] [--loop 0|1] [--loop-frames K]
                     [--channels color,motion,emissive,depth]
                                             export frames as the editor does, headless
)";

// A private workspace folder for one command, removed when the command ends.
class TemporaryWorkspace {
public:
    TemporaryWorkspace() : path_(makeTemporaryFolder("vintrel-cli-")) {}
    ~TemporaryWorkspace() {
        std::error_code ec;
        if (!path_.empty()) {
            fs::remove_all(path_, ec);
        }
    }
    TemporaryWorkspace(const TemporaryWorkspace&) = delete;
    TemporaryWorkspace& operator=(const TemporaryWorkspace&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

struct Arguments {
    std::vector<std::string> positional;
    std::optional<std::string> output;
    std::map<std::string, std::string> options; // "--name value", by name without the dashes
};

std::optional<Arguments> parseArguments(std::span<const std::string> args, std::ostream& err) {
    Arguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool isOption = args[i] == "-o" || args[i] == "-j" || args[i].starts_with("--");
        if (!isOption) {
            parsed.positional.push_back(args[i]);
            continue;
        }
        // The one option that stands alone.
        if (args[i] == "--if-changed") {
            parsed.options["if-changed"] = "1";
            continue;
        }
        if (i + 1 >= args.size()) {
            err << "vintrel-cli: " << args[i] << " needs a value\n";
            return std::nullopt;
        }
        if (args[i] == "-o") {
            parsed.output = args[++i];
        } else if (args[i] == "-j") {
            parsed.options["jobs"] = args[++i];
        } else {
            parsed.options[args[i].substr(2)] = args[i + 1];
            ++i;
        }
    }
    return parsed;
}

// What each command takes: its input files, whether it writes a file, the options it
// requires and the ones it allows besides.
struct CommandShape {
    const char* name;
    std::size_t inputs;
    bool writes;
    std::vector<std::string> required;
    std::vector<std::string> optional;
};

const std::vector<CommandShape>& commandShapes() {
    static const std::vector<CommandShape> shapes = {
        {"new", 0, true, {}, {}},
        {"info", 1, false, {}, {}},
        {"convert", 1, true, {}, {}},
        {"vtb", 1, true, {}, {}},
        {"simulate", 1, false, {"frames"}, {}},
        {"edit", 1, true, {}, {}},
        {"render", 1, true, {"frame"}, {"size"}},
        {"export", 1, true, {}, {"start", "end", "step", "type", "smooth", "columns", "size", "transparent",
                                 "alpha", "atlas", "padding", "border", "extrude", "trim", "power-of-two",
                                 "max-size", "name", "loop", "loop-frames", "channels", "if-changed"}},
    };
    return shapes;
}

bool fitsShape(const Arguments& parsed, const CommandShape& shape) {
    if (parsed.positional.size() != shape.inputs || parsed.output.has_value() != shape.writes) {
        return false;
    }
    for (const std::string& name : shape.required) {
        if (!parsed.options.contains(name)) {
            return false;
        }
    }
    for (const auto& [name, value] : parsed.options) {
        const bool known =
            std::find(shape.required.begin(), shape.required.end(), name) != shape.required.end() ||
            std::find(shape.optional.begin(), shape.optional.end(), name) != shape.optional.end();
        if (!known) {
            return false;
        }
    }
    return true;
}

class Session {
public:
    explicit Session(std::ostream& err) : notifier_(err, cliTranslation()), err_(err) {}

    bool ready() {
        if (workspace_.path().empty()) {
            err_ << "vintrel-cli: cannot create a temporary workspace folder\n";
            return false;
        }
        g_.workspace = workspace_.path();
        return true;
    }
    bool open(const std::string& path) { return loadProject(g_, path, defaults_, notifier_); }
    bool save(const std::string& path) { return saveProject(g_, path, notifier_); }
    bool exportVtb(const std::string& path) { return exportBinary(g_, path, notifier_); }
    void makeNew() {
        resetProject(g_, defaults_);
        applyStartValues(g_, defaults_);
    }
    const GlobalState& state() const { return g_; }
    GlobalState& state() { return g_; }
    Notifier& notifier() { return notifier_; }

private:
    TemporaryWorkspace workspace_;
    GlobalState g_;
    // New projects take the user's defaults (DEFAULT_PROJECT of the application settings).
    AppSettings defaults_{chooseSettingsFolders(programFolderOfThisProcess()).assets / kAppSettingsFileName};
    StreamNotifier notifier_;
    std::ostream& err_;
};

int usageError(std::ostream& err) {
    err << kUsage;
    return 2;
}

std::optional<long long> parseFrameCount(const std::string& text) {
    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 0) {
        return std::nullopt;
    }
    return value;
}

// Steps the simulation as the editor's view does (built, then reset at once), without drawing.
void runSimulation(GlobalState& g, long long frames, std::ostream& out) {
    Simulation simulation(g);
    simulation.reset();
    for (long long i = 0; i < frames; ++i) {
        const int looped = simulation.step();
        out << traceLine(simulation, simulation.currentFrame() - 1, looped) << '\n';
    }
}

} // namespace

// Several projects, or a job file: each export runs as a process of its own.
bool isBatchExport(const Arguments& parsed) {
    return parsed.options.contains("job") || parsed.options.contains("jobs") || parsed.positional.size() > 1;
}

int runBatchExport(const Arguments& parsed, std::ostream& out, std::ostream& err) {
    std::map<std::string, std::string> options = parsed.options;
    const bool ifChanged = options.erase("if-changed") > 0;
    int parallel = static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
    if (const auto jobs = options.find("jobs"); jobs != options.end()) {
        int value = 0;
        const auto [end, ec] = std::from_chars(jobs->second.data(), jobs->second.data() + jobs->second.size(), value);
        if (ec != std::errc() || end != jobs->second.data() + jobs->second.size() || value < 1 || value > 256) {
            err << "vintrel-cli: -j needs a number of processes from 1 to 256\n";
            return 2;
        }
        parallel = value;
        options.erase(jobs);
    }
    std::vector<ExportJob> jobs;
    if (const auto job = options.find("job"); job != options.end()) {
        if (!parsed.positional.empty() || parsed.output || options.size() > 1) {
            err << "vintrel-cli: --job takes its projects, outputs and options from the job file alone\n";
            return 2;
        }
        Result<std::vector<ExportJob>> read = readJobFile(job->second);
        if (!read) {
            err << "vintrel-cli: " << cliText(read.error()) << '\n';
            return 1;
        }
        jobs = std::move(*read);
    } else {
        if (parsed.positional.empty() || !parsed.output) {
            return usageError(err);
        }
        // Every option is checked once here, before any project is opened.
        const CommandShape& exportShape = *std::find_if(commandShapes().begin(), commandShapes().end(),
                                                        [](const CommandShape& c) { return c.name == std::string("export"); });
        for (const auto& [name, value] : options) {
            if (std::find(exportShape.optional.begin(), exportShape.optional.end(), name) == exportShape.optional.end()) {
                err << "vintrel-cli: export has no option --" << name << '\n';
                return 2;
            }
        }
        if (!parseExportOptions(options, err)) {
            return 2;
        }
        std::error_code ec;
        fs::create_directories(*parsed.output, ec);
        if (!fs::is_directory(*parsed.output, ec)) {
            err << "vintrel-cli: the output folder " << *parsed.output << " cannot be made\n";
            return 1;
        }
        jobs = folderJobs(parsed.positional, *parsed.output, options);
    }
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec) {
        err << "vintrel-cli: cannot find its own program to start the exports\n";
        return 1;
    }
    return runExportJobs(self, jobs, parallel, ifChanged, out);
}

int runCli(std::span<const std::string> args, std::istream& in, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        return usageError(err);
    }
    const std::string& command = args[0];
    const auto parsed = parseArguments(args.subspan(1), err);
    if (!parsed) {
        return 2;
    }
    if (command == "export" && isBatchExport(*parsed)) {
        return runBatchExport(*parsed, out, err);
    }
    const auto& shapes = commandShapes();
    const auto shape = std::find_if(shapes.begin(), shapes.end(),
                                    [&](const CommandShape& candidate) { return command == candidate.name; });
    if (shape == shapes.end() || !fitsShape(*parsed, *shape)) {
        return usageError(err);
    }
    const auto option = [&](const char* name) -> std::optional<std::string> {
        const auto found = parsed->options.find(name);
        return found == parsed->options.end() ? std::nullopt : std::optional<std::string>(found->second);
    };
    std::optional<long long> frames;
    if (command == "simulate" && !(frames = parseFrameCount(*option("frames")))) {
        err << "vintrel-cli: --frames needs a whole number of frames, 0 or more\n";
        return 2;
    }
    std::optional<long long> frame;
    if (command == "render" && (!(frame = parseFrameCount(*option("frame"))) || *frame < 1)) {
        err << "vintrel-cli: --frame needs a frame number, 1 or more\n";
        return 2;
    }
    const auto size = option("size") ? parseImageSize(*option("size")) : std::nullopt;
    if (option("size") && !size) {
        err << "vintrel-cli: --size needs WIDTHxHEIGHT, each 1 to 16384\n";
        return 2;
    }
    std::optional<ExportOptions> exportOptions;
    if (command == "export" && !(exportOptions = parseExportOptions(parsed->options, err))) {
        return 2;
    }
    Session session(err);
    if (!session.ready()) {
        return 1;
    }
    if (command == "new") {
        session.makeNew();
        return session.save(*parsed->output) ? 0 : 1;
    }
    if (!session.open(parsed->positional[0])) {
        return 1;
    }
    if (command == "info") {
        out << projectToJson(session.state())
                   .dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
            << '\n';
        return 0;
    }
    if (command == "simulate") {
        runSimulation(session.state(), *frames, out);
        return 0;
    }
    if (command == "render") {
        return renderViewToPng(session.state(), *frame, size, *parsed->output, err);
    }
    if (command == "export") {
        // --if-changed: the same project and options as the stamp beside the output say.
        std::map<std::string, std::string> stampOptions = parsed->options;
        const bool ifChanged = stampOptions.erase("if-changed") > 0;
        const ExportJob job{parsed->positional[0], *parsed->output, stampOptions};
        if (ifChanged && isUnchanged(job)) {
            out << fs::path(parsed->positional[0]).filename().string() << ": unchanged, skipped " << *parsed->output
                << '\n';
            return 0;
        }
        const int code = exportProject(session.state(), *exportOptions, *parsed->output, session.notifier(), err);
        if (code == 0 && ifChanged) {
            (void)writeStamp(job);
        }
        return code;
    }
    if (command == "edit") {
        const int failures = runEditScript(session.state(), in, out, err, session.notifier());
        if (!session.save(*parsed->output)) {
            return 1;
        }
        return failures == 0 ? 0 : 1;
    }
    if (command == "convert") {
        return session.save(*parsed->output) ? 0 : 1;
    }
    return session.exportVtb(*parsed->output) ? 0 : 1;
}

} // namespace vintrel
