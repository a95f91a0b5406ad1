#pragma once

#include "platform/result.h"

#include <string>
#include <string_view>
#include <vector>

namespace vintrel {

// A project package: the header "SartuneData,<version>,<material count>," and then every file
// as "<name>,<size>,<bytes>": the materials in list order and the settings file last.
struct PackageEntry {
    std::string name; // UTF-8 in memory, the files' code page inside the package
    std::string data;
};

constexpr const char* kPackageMagic = "SartuneData";
constexpr std::size_t kEntryNameMaxBytes = 259; // in the package, in the files' code page
constexpr std::size_t kFileNameMaxBytes = 255;  // UTF-8 file names in the workspace

constexpr const char* kUnsupportedFileMessage =
    "対応していないファイルか、ファイルが壊れている可能性があります。";
constexpr const char* kNewerVersionMessage =
    "このファイルは、より新しいバージョンのVintrelで作成されたものです。\n"
    "開くためにはメニューの「ヘルプ」⇒「アップデート確認」を選択し\n"
    "最新版にアップデートしてください。";
// The same two, naming the file after an empty line.
constexpr const char* kUnsupportedFileAboutFile =
    "対応していないファイルか、ファイルが壊れている可能性があります。\n\n%1";
constexpr const char* kNewerVersionAboutFile =
    "このファイルは、より新しいバージョンのVintrelで作成されたものです。\n"
    "開くためにはメニューの「ヘルプ」⇒「アップデート確認」を選択し\n"
    "最新版にアップデートしてください。\n\n%1";

enum class PackageStatus { Ok, Unsupported, NewerVersion };

struct ParsedPackage {
    PackageStatus status = PackageStatus::Unsupported;
    int version = 0;
    std::vector<PackageEntry> entries; // every entry, the settings file last
};

// Reads a package held in memory. Anything that does not add up (a wrong magic word, a size
// that is negative or runs past the end, a name that is too long, fewer entries than
// announced, no settings file at the end) gives Unsupported; a name that could leave the
// workspace (empty, a path separator, "..", a control character) does as well.
ParsedPackage parsePackage(std::string_view bytes);

// Whether `name` may be used as a file name inside the workspace: not empty, not "." and
// without "..", path separators or control characters, and short enough for the file system.
bool isSafeEntryName(std::string_view utf8Name);

// Encodes a package; `entries` are the materials followed by the settings file. Fails with a
// message when a name cannot be stored (a comma, a line break, a character without a form in
// the files' code page).
Result<std::string> encodePackage(const std::vector<PackageEntry>& entries, int version);

} // namespace vintrel
