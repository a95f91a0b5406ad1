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
        std::string error;
        if (!writeFileAtomically(staging / entry.name, entry.data, error)) {
            std::error_code ec;
            std::filesystem::remove_all(staging, ec);
            return std::nullopt;
        }
    }
    std::string error;
    if (!writePlaceholderTexture(staging, error)) {
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

std::optional<std::string> serializeProject(const GlobalState& g, std::string& error) {
    if (auto problem = checkTreeNumbering(*g.rootNode)) {
        error = std::move(*problem);
        return std::nullopt;
    }
    std::vector<PackageEntry> entries;
    for (const Material& material : g.materials) {
        const std::string fileName = material.fileName();
        auto data = readWholeFile(g.workspace / fileName);
        if (!data) {
            error = "素材ファイル「" + fileName + "」が見つからないため、保存できません。";
            return std::nullopt;
        }
        entries.push_back({fileName, std::move(*data)});
    }
    entries.push_back({kSettingsFileName, writeSettings(g)});
    std::string package;
    if (!encodePackage(entries, kCurrentFormatVersion, package, error)) {
        return std::nullopt;
    }
    return package;
}

bool saveProject(GlobalState& g, const std::filesystem::path& path, Notifier& notifier) {
    std::string error;
    const std::optional<std::string> package = serializeProject(g, error);
    if (!package) {
        notifier.showMessage(kSaveErrorCaption, error);
        return false;
    }
    if (!writeFileAtomically(path, *package, error)) {
        notifier.showMessage(kSaveErrorCaption,
                             "「" + pathText(path) + "」に保存できませんでした。\n" + error);
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

std::string messageAboutFile(std::string_view message, const std::filesystem::path& path) {
    return std::string(message) + "\n\n" + pathText(path);
}

namespace {

// The package at `path`, read and checked; nothing when it cannot be opened (reported).
std::optional<ParsedPackage> readPackage(const std::filesystem::path& path, Notifier& notifier) {
    const auto bytes = readWholeFile(path);
    if (!bytes) {
        notifier.showMessage(kReadErrorCaption,
                             "「" + pathText(path) +
                                 "」は存在しないか、他のアプリケーションで開いているため読み込めません。");
        notifier.showMessage(Notifier::kDefaultCaption, kUnsupportedFileMessage);
        return std::nullopt;
    }
    ParsedPackage package = parsePackage(*bytes);
    if (package.status != PackageStatus::Ok) {
        notifier.showMessage(Notifier::kDefaultCaption,
                             messageAboutFile(package.status == PackageStatus::NewerVersion ? kNewerVersionMessage
                                                                                             : kUnsupportedFileMessage,
                                              path));
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
        notifier.showMessage(kReadErrorCaption, "作業フォルダーにファイルを書き込めません。");
        return false;
    }
    resetProject(g, defaults);
    if (!replaceFolder(g.workspace, *unpacked)) {
        notifier.showMessage(kReadErrorCaption, "作業フォルダーを作り直せません。");
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
