#include "persist/project_file.h"

#include "persist/atomic_file.h"
#include "persist/materials.h"
#include "persist/package.h"
#include "persist/settings_file.h"
#include "platform/ini_document.h"

#include <optional>

namespace vintrel {

namespace {

constexpr const char* kReadErrorCaption = "ファイル読み込みエラー";
constexpr const char* kSaveErrorCaption = "保存エラー";

std::string pathText(const std::filesystem::path& path) {
    return path.string();
}

// Writes the entries into a fresh folder beside the workspace; the workspace is replaced only
// once every file is there, so a failure leaves the open project as it was. The placeholder
// texture goes in last, so that the renderer always finds its own one there.
std::optional<std::filesystem::path> unpackBeside(const std::vector<PackageEntry>& entries,
                                                  const std::filesystem::path& workspace) {
    std::filesystem::path staging = workspace;
    staging += ".incoming";
    if (!recreateFolder(staging)) {
        return std::nullopt;
    }
    for (const PackageEntry& entry : entries) {
        if (!writeFileAtomically(staging / entry.name, entry.data)) {
            std::error_code ec;
            std::filesystem::remove_all(staging, ec);
            return std::nullopt;
        }
    }
    if (!writePlaceholderTexture(staging)) {
        std::error_code ec;
        std::filesystem::remove_all(staging, ec);
        return std::nullopt;
    }
    return staging;
}

bool replaceFolder(const std::filesystem::path& folder, const std::filesystem::path& replacement) {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    if (ec) {
        return false;
    }
    std::filesystem::rename(replacement, folder, ec);
    return !ec;
}

std::vector<std::string> entryNames(const std::vector<PackageEntry>& entries) {
    std::vector<std::string> names;
    names.reserve(entries.size());
    for (const PackageEntry& entry : entries) {
        names.push_back(entry.name);
    }
    return names;
}

} // namespace

bool recreateFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    if (ec) {
        return false;
    }
    return std::filesystem::create_directories(folder, ec) && !ec;
}

Result<std::string> serializeProject(const GlobalState& g) {
    if (Status numbering = checkTreeNumbering(*g.rootNode); !numbering) {
        return numbering.error();
    }
    std::vector<PackageEntry> entries;
    for (const Material& material : g.materials) {
        const std::string fileName = material.fileName();
        auto data = readWholeFile(g.workspace / fileName);
        if (!data) {
            return Message{kMaterialMissingMessage, {fileName}};
        }
        entries.push_back({fileName, std::move(*data)});
    }
    entries.push_back({kSettingsFileName, writeSettings(g)});
    return encodePackage(entries, kCurrentFormatVersion);
}

bool saveProject(GlobalState& g, const std::filesystem::path& path, Notifier& notifier) {
    const Result<std::string> package = serializeProject(g);
    if (!package) {
        notifier.show(kSaveErrorCaption, package.error());
        return false;
    }
    if (Status written = writeFileAtomically(path, *package); !written) {
        notifier.show(kSaveErrorCaption, Message{"「%1」に保存できませんでした。\n%2",
                                                 {pathText(path), untranslated(written.error())}});
        return false;
    }
    // A settings file unpacked when the project was opened would otherwise go stale.
    std::error_code ec;
    std::filesystem::remove(g.workspace / kSettingsFileName, ec);
    if (path.filename() != kAutosaveFileName) {
        g.currentFile = pathText(path);
        g.hasFileName = true;
        g.modified = false;
    }
    return true;
}

namespace {

// The package at `path`, read and checked; nothing when it cannot be opened (reported).
std::optional<ParsedPackage> readPackage(const std::filesystem::path& path, Notifier& notifier) {
    const auto bytes = readWholeFile(path);
    if (!bytes) {
        notifier.show(kReadErrorCaption,
                      Message{"「%1」は存在しないか、他のアプリケーションで開いているため読み込めません。",
                              {pathText(path)}});
        notifier.show(Notifier::kDefaultCaption, Message{kUnsupportedFileMessage});
        return std::nullopt;
    }
    ParsedPackage package = parsePackage(*bytes);
    if (package.status != PackageStatus::Ok) {
        // The message names the file after an empty line.
        notifier.show(Notifier::kDefaultCaption,
                      Message{package.status == PackageStatus::NewerVersion ? kNewerVersionAboutFile
                                                                            : kUnsupportedFileAboutFile,
                              {pathText(path)}});
        return std::nullopt;
    }
    return package;
}

} // namespace

bool checkProjectFile(const std::filesystem::path& path, Notifier& notifier) {
    return readPackage(path, notifier).has_value();
}

bool loadProject(GlobalState& g, const std::filesystem::path& path, const ProjectDefaults& defaults,
                 Notifier& notifier) {
    std::optional<ParsedPackage> read = readPackage(path, notifier);
    if (!read) {
        return false;
    }
    ParsedPackage& package = *read;
    const auto unpacked = unpackBeside(package.entries, g.workspace);
    if (!unpacked) {
        notifier.show(kReadErrorCaption, Message{"作業フォルダーにファイルを書き込めません。"});
        return false;
    }
    resetProject(g, defaults);
    if (!replaceFolder(g.workspace, *unpacked)) {
        notifier.show(kReadErrorCaption, Message{"作業フォルダーを作り直せません。"});
        return false;
    }
    g.rootNode->clearChildren();
    g.project.fileVersion = package.version;
    readSettings(g, IniDocument::parse(package.entries.back().data), package.version);
    g.pSelNode = g.rootNode->child(0);
    // The package lists the materials in the order its indices refer to.
    g.materials = materialsInListedOrder(g.workspace, entryNames(package.entries));
    g.currentFile = pathText(path);
    g.hasFileName = true;
    g.modified = false;
    return true;
}

} // namespace vintrel
