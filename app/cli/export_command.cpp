#include "app/cli/export_command.h"

#include "app/cli/cli_language.h"
#include "engine/simulation.h"
#include "output/export_loop.h"
#include "output/export_output.h"
#include "output/export_settings.h"
#include "output/video_output.h"
#include "persist/app_settings.h"
#include "render/renderer.h"

#include <charconv>

namespace vintrel {

namespace {

constexpr const char* kTypeNames[] = {"sheet", "files", "video", "gif"};

std::optional<int> parseInt(const std::string& text, int low, int high) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

// A progress bar on one line of standard error, redrawn as the export steps.
class ProgressBar final : public ExportProgress {
public:
    explicit ProgressBar(std::ostream& err) : err_(err) {}
    ~ProgressBar() override {
        if (last_ > 0) {
            err_ << '\n';
        }
    }
    void begin(int last) override {
        last_ = std::max(1, last);
        position_ = 1;
        draw();
    }
    void step() override {
        ++position_;
        draw();
    }
    bool cancelRequested() override { return false; }

private:
    void draw() {
        constexpr int kWidth = 40;
        const int filled =
            static_cast<int>(static_cast<long long>(kWidth) * std::min(position_, last_) / last_);
        err_ << "\rexport [" << std::string(static_cast<std::size_t>(filled), '#')
             << std::string(static_cast<std::size_t>(kWidth - filled), '.') << "] " << position_ << '/'
             << last_ << std::flush;
    }

    std::ostream& err_;
    int last_ = 0;
    int position_ = 0;
};

void applyOptions(GlobalState& g, const ExportOptions& options) {
    g.write.start = options.start.value_or(g.write.start);
    g.write.end = options.end.value_or(g.write.end);
    g.write.step = options.step.value_or(g.write.step);
    g.write.type = options.type.value_or(g.write.type);
    g.write.smooth = options.smooth.value_or(g.write.smooth);
    g.write.width = options.columns.value_or(g.write.width);
    g.write.isAlpha = options.transparent.value_or(g.write.isAlpha);
    if (options.size) {
        g.project.width = options.size->width;
        g.project.height = options.size->height;
    }
    // As the export dialog does: the rows follow the range and the columns.
    g.write.width = std::max(1, g.write.width);
    g.write.height = sheetRowCount(g.write);
}

} // namespace

std::optional<ExportOptions> parseExportOptions(const std::map<std::string, std::string>& options,
                                                std::ostream& err) {
    ExportOptions parsed;
    const std::pair<const char*, std::optional<int>*> numbers[] = {{"start", &parsed.start},
                                                                   {"end", &parsed.end},
                                                                   {"step", &parsed.step},
                                                                   {"smooth", &parsed.smooth},
                                                                   {"columns", &parsed.columns}};
    for (const auto& [name, target] : numbers) {
        const auto found = options.find(name);
        if (found == options.end()) {
            continue;
        }
        *target = parseInt(found->second, name == std::string("start") || name == std::string("end") ? 0 : 1,
                           100000);
        if (!*target) {
            err << "vintrel-cli: --" << name << " needs a whole number\n";
            return std::nullopt;
        }
    }
    if (const auto found = options.find("type"); found != options.end()) {
        for (int i = 0; i < 4; ++i) {
            if (found->second == kTypeNames[i]) {
                parsed.type = i;
            }
        }
        if (!parsed.type) {
            err << "vintrel-cli: --type is one of sheet, files, video, gif\n";
            return std::nullopt;
        }
    }
    if (const auto found = options.find("transparent"); found != options.end()) {
        if (!(parsed.transparent = parseInt(found->second, 0, 1))) {
            err << "vintrel-cli: --transparent is 0 or 1\n";
            return std::nullopt;
        }
    }
    if (const auto found = options.find("size"); found != options.end()) {
        if (!(parsed.size = parseImageSize(found->second))) {
            err << "vintrel-cli: --size needs WIDTHxHEIGHT, each 1 to 16384\n";
            return std::nullopt;
        }
    }
    return parsed;
}

int exportProject(GlobalState& g, const ExportOptions& options, const std::string& output, Notifier& notifier,
                  std::ostream& err) {
    applyOptions(g, options);
    Status checked = checkExportRange(g.write, g.project.frame);
    if (checked) {
        checked = checkExportSize(g);
    }
    if (!checked) {
        err << "vintrel-cli: " << cliText(checked.error()) << " (" << cliText(Message{kExportSettingsCaption})
            << ")\n";
        return 1;
    }
    if (g.programFolder.empty()) {
        g.programFolder = programFolderOfThisProcess();
    }
    // Before any frame is drawn: a video needs its tool and ffmpeg.
    if (g.write.kind() == OutputKind::Video) {
        if (Status tools = videoToolsProblem(videoToolPath(g)); !tools) {
            err << "vintrel-cli: " << cliText(tools.error()) << '\n';
            return 1;
        }
    }
    const auto scene = openHeadlessScene(g, err);
    if (scene == nullptr) {
        return 1;
    }
    beginExportSize(g);
    ExportRun run;
    {
        ProgressBar progress(err);
        run = renderExportFrames(g, *scene->simulation, *scene->renderer, progress, notifier);
    }
    if (run.outcome != ExportRun::Outcome::Completed) {
        err << "vintrel-cli: the export stopped before its last frame\n";
        return 1;
    }
    if (Status written = writeExportOutput(g, run, output, videoToolPath(g)); !written) {
        err << "vintrel-cli: " << cliText(written.error()) << '\n';
        return 1;
    }
    return 0;
}

} // namespace vintrel
