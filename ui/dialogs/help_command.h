#pragma once

#include <filesystem>

namespace vintrel {

class AppSettings;
class OnlinePrompts;

// The help command: opens the address `HELP` `URL` of the settings in the browser, or, when none is
// set, the README installed with the program (next to it, or in ../share/doc/vintrel); says so
// when there is neither or the page cannot be opened.
void openHelp(const AppSettings& settings, const std::filesystem::path& programFolder,
              OnlinePrompts& prompts);

} // namespace vintrel
