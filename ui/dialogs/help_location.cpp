#include "ui/dialogs/help_location.h"

namespace vintrel::help {

std::vector<std::filesystem::path> readmeCandidates(const std::filesystem::path& programFolder) {
    const std::filesystem::path installedDocs =
        (programFolder / ".." / "share" / "doc" / "vintrel").lexically_normal();
    return {programFolder / kReadmeFileName, installedDocs / kReadmeFileName};
}

HelpTarget chooseHelpTarget(std::string_view helpAddress, const std::filesystem::path& programFolder,
                            const FileExists& exists) {
    if (!helpAddress.empty()) {
        return std::string(helpAddress);
    }
    for (const std::filesystem::path& candidate : readmeCandidates(programFolder)) {
        if (exists(candidate)) {
            return candidate;
        }
    }
    return NoHelp{};
}

} // namespace vintrel::help
