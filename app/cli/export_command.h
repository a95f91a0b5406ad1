#pragma once

#include "app/cli/render_command.h"
#include "model/global_state.h"

#include <map>
#include <optional>
#include <ostream>
#include <string>

namespace vintrel {

class Notifier;

// The export settings given on the command line; what is missing comes from the project.
struct ExportOptions {
    std::optional<int> start, end, step, type, smooth, columns, transparent;
    std::optional<ImageSize> size;
    // The newer options: those given replace the project's.
    std::optional<int> animation, alpha, atlas, padding, border, extrude, trim, powerOfTwo, maxSheetSide, loop,
        loopFrames;
    std::optional<std::string> namePattern;
    std::optional<ExportChannels> channels;
};

// Reads --start, --end, --step, --type, --smooth, --columns, --size, --transparent and the
// newer options (--alpha, --atlas, --padding, --border, --extrude, --trim, --power-of-two,
// --max-size, --name, --loop, --loop-frames); nothing (after a message on `err`) when one of them is not a valid value.
std::optional<ExportOptions> parseExportOptions(const std::map<std::string, std::string>& options,
                                                std::ostream& err);

// The whole export, headless: the range rendered into the intermediate frames, then the
// output. A progress bar goes to `err`. Returns the exit code: 0, or 1 after a message.
int exportProject(GlobalState& g, const ExportOptions& options, const std::string& output, Notifier& notifier,
                  std::ostream& err);

} // namespace vintrel
