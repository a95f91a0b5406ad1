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
#include <span>

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
    ExportExtras& x = g.exportExtras;
    if (options.type) {
        x.animation = AnimatedFormat::None;
    }
    x.animation = options.animation ? static_cast<AnimatedFormat>(*options.animation) : x.animation;
    x.alpha = options.alpha ? static_cast<AlphaMode>(*options.alpha) : x.alpha;
    x.atlas = options.atlas ? static_cast<AtlasFormat>(*options.atlas) : x.atlas;
    x.trim = options.trim ? static_cast<SheetTrim>(*options.trim) : x.trim;
    x.padding = options.padding.value_or(x.padding);
    x.border = options.border.value_or(x.border);
    x.extrude = options.extrude.value_or(x.extrude);
    x.powerOfTwo = options.powerOfTwo ? *options.powerOfTwo != 0 : x.powerOfTwo;
    x.maxSheetSide = options.maxSheetSide.value_or(x.maxSheetSide);
    x.namePattern = options.namePattern.value_or(x.namePattern);
    x.loop = options.loop ? *options.loop != 0 : x.loop;
    x.loopFrames = options.loopFrames.value_or(x.loopFrames);
    x.channels = options.channels.value_or(x.channels);
    // As the export dialog does: the rows follow the range and the columns.
    g.write.width = std::max(1, g.write.width);
    g.write.height = sheetRowCount(g.write);
}

// One named choice of the newer options: its option, names and where it goes.
struct ChoiceOption {
    const char* option;
    std::span<const ChoiceName> (*names)();
    std::optional<int> ExportOptions::*target;
};

struct NumberOption {
    const char* option;
    int low, high;
    std::optional<int> ExportOptions::*target;
};

bool parseNewerOptions(const std::map<std::string, std::string>& options, ExportOptions& parsed,
                       std::ostream& err) {
    const ChoiceOption choices[] = {{"alpha", alphaModeNames, &ExportOptions::alpha},
                                    {"atlas", atlasFormatNames, &ExportOptions::atlas},
                                    {"trim", sheetTrimNames, &ExportOptions::trim}};
    for (const ChoiceOption& choice : choices) {
        if (const auto found = options.find(choice.option); found != options.end()) {
            if (!(parsed.*choice.target = choiceByName(choice.names(), found->second))) {
                err << "vintrel-cli: --" << choice.option << " is one of " << choiceList(choice.names()) << '\n';
                return false;
            }
        }
    }
    const NumberOption numbers[] = {{"padding", 0, kMaxPadding, &ExportOptions::padding},
                                    {"border", 0, kMaxPadding, &ExportOptions::border},
                                    {"extrude", 0, kMaxExtrude, &ExportOptions::extrude},
                                    {"power-of-two", 0, 1, &ExportOptions::powerOfTwo},
                                    {"max-size", 0, kMaxSheetSideLimit, &ExportOptions::maxSheetSide},
                                    {"loop", 0, 1, &ExportOptions::loop},
                                    {"loop-frames", 0, kMaxLoopFrames, &ExportOptions::loopFrames}};
    for (const NumberOption& number : numbers) {
        if (const auto found = options.find(number.option); found != options.end()) {
            if (!(parsed.*number.target = parseInt(found->second, number.low, number.high))) {
                err << "vintrel-cli: --" << number.option << " needs a whole number from " << number.low << " to "
                    << number.high << '\n';
                return false;
            }
        }
    }
    if (const auto found = options.find("name"); found != options.end()) {
        if (found->second.find_first_of("/\\") != std::string::npos) {
            err << "vintrel-cli: --name is a file name without a folder\n";
            return false;
        }
        parsed.namePattern = found->second;
    }
    if (const auto found = options.find("channels"); found != options.end()) {
        if (!(parsed.channels = channelsByList(found->second))) {
            err << "vintrel-cli: --channels is a list of " << choiceList(exportChannelNames())
                << ", separated by commas\n";
            return false;
        }
    }
    return true;
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
        // The animated formats stand beside the classic types.
        const std::optional<int> animated = choiceByName(animatedFormatNames(), found->second);
        if (animated && *animated != static_cast<int>(AnimatedFormat::None)) {
            parsed.animation = animated;
        }
        if (!parsed.type && !parsed.animation) {
            err << "vintrel-cli: --type is one of sheet, files, video, gif, apng, webp, webm, prores\n";
            return std::nullopt;
        }
    }
    if (const auto found = options.find("transparent"); found != options.end()) {
        if (!(parsed.transparent = parseInt(found->second, 0, 1))) {
            err << "vintrel-cli: --transparent is 0 or 1\n";
            return std::nullopt;
        }
    }
    if (!parseNewerOptions(options, parsed, err)) {
        return std::nullopt;
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
    if (checked && options.channels) {
        checked = checkChannelsFitOutput(g); // asked for here, not left over from the project
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
    if (g.exportExtras.animation != AnimatedFormat::None) {
        if (!findFfmpeg()) {
            err << "vintrel-cli: " << cliText(Message{kFfmpegMissing}) << '\n';
            return 1;
        }
    } else if (g.write.kind() == OutputKind::Video) {
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
