#pragma once

// Where the help command sends the user: the help address of the settings, or else the README
// installed with the program.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vintrel::help {

inline constexpr const char* kReadmeFileName = "README.md";
// Neither a help address nor a README (Japanese, UTF-8).
inline constexpr const char* kNotFoundText = "ヘルプが見つかりません。";

// The README files looked for, in order: next to the program (a build or an unpacked archive),
// then in ../share/doc/vintrel (an installation below a prefix such as /usr).
std::vector<std::filesystem::path> readmeCandidates(const std::filesystem::path& programFolder);

struct NoHelp {
    bool operator==(const NoHelp&) const = default;
};
using HelpTarget = std::variant<NoHelp, std::string /* address */, std::filesystem::path /* local file */>;

using FileExists = std::function<bool(const std::filesystem::path&)>;

// The help address when one is set; otherwise the first README candidate that exists; otherwise
// NoHelp.
HelpTarget chooseHelpTarget(std::string_view helpAddress, const std::filesystem::path& programFolder,
                            const FileExists& exists);

} // namespace vintrel::help
