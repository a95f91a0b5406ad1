#include "persist/app_settings.h"

#include "persist/atomic_file.h"
#include "platform/number_format.h"
#include "platform/text_codec.h"

#include <algorithm>
#include <cstdlib>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace vintrel {

namespace {

// Integers were always read into a 64-byte buffer: at most 63 bytes of the value count.
constexpr std::size_t kIntValueMaxBytes = 63;

constexpr const char* kWindow = "WINDOW";
constexpr const char* kDisp = "DISP";
constexpr const char* kRecent = "RECENT";
constexpr const char* kDefaultProject = "DEFAULT_PROJECT";
constexpr const char* kUpdate = "UPDATE";
constexpr const char* kHelp = "HELP";
constexpr const char* kInterface = "INTERFACE";
constexpr std::size_t kLanguageMaxBytes = 8;

int parseIntValue(std::string_view value) {
    return parseIntLikeAtoi(value.substr(0, text::cp932CutLength(value, kIntValueMaxBytes)));
}

std::string recentKey(int slot) {
    return "list" + formatInt(slot);
}

std::filesystem::path homeFolder(const EnvironmentLookup& environment) {
    if (const auto home = environment("HOME"); home && !home->empty()) {
        return *home;
    }
    // No HOME (a service started with a bare environment): the account's home from the password
    // database.
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
        found->pw_dir != nullptr && found->pw_dir[0] != '\0') {
        return found->pw_dir;
    }
    return {};
}

// $variable when it names an absolute folder (the XDG rule ignores relative ones), else
// home/fallback; empty when there is no home either.
std::filesystem::path xdgFolder(const EnvironmentLookup& environment, const char* variable,
                                const std::filesystem::path& home, const char* fallback) {
    if (const auto value = environment(variable); value && !value->empty()) {
        std::filesystem::path folder(*value);
        if (folder.is_absolute()) {
            return folder;
        }
    }
    if (home.empty()) {
        return {};
    }
    return home / fallback;
}

} // namespace

// ---- where the installation's settings live --------------------------------------------------

SettingsFolders chooseSettingsFolders(const std::filesystem::path& programFolder) {
    return chooseSettingsFolders(
        programFolder, [](const std::filesystem::path& p) { return ::access(p.c_str(), W_OK) == 0; },
        [](const char* name) -> std::optional<std::string> {
            if (const char* v = std::getenv(name)) {
                return std::string(v);
            }
            return std::nullopt;
        });
}

SettingsFolders chooseSettingsFolders(const std::filesystem::path& programFolder,
                                      const WritableTest& isWritable, const EnvironmentLookup& environment) {
    const SettingsFolders besideProgram{programFolder / "assets", programFolder / "workspace"};
    if (!programFolder.empty() && isWritable(programFolder)) {
        return besideProgram;
    }
    const std::filesystem::path home = homeFolder(environment);
    const std::filesystem::path config = xdgFolder(environment, "XDG_CONFIG_HOME", home, ".config");
    const std::filesystem::path data = xdgFolder(environment, "XDG_DATA_HOME", home, ".local/share");
    if (config.empty() || data.empty()) {
        // Nowhere else to go: saving will report the read-only folder.
        return besideProgram;
    }
    return {config / "vintrel" / "assets", data / "vintrel" / "workspace"};
}

std::filesystem::path shippedFile(const std::filesystem::path& programFolder,
                                  const std::filesystem::path& installedFolder, const std::string& name) {
    const std::filesystem::path beside = programFolder / "assets" / name;
    const std::filesystem::path installed =
        (programFolder / ".." / installedFolder / name).lexically_normal();
    std::error_code ec;
    return !std::filesystem::exists(beside, ec) && std::filesystem::exists(installed, ec) ? installed
                                                                                          : beside;
}

std::filesystem::path programFolderOfThisProcess() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) {
        return {};
    }
    return exe.parent_path();
}

// ---- data.prm ---------------------------------------------------------------------------------

AppSettings::AppSettings(std::filesystem::path file) : file_(std::move(file)) {
    if (const auto bytes = readWholeFile(file_)) {
        document_ = IniDocument::parse(*bytes);
    }
}

int AppSettings::readInt(std::string_view section, std::string_view key, int fallback) const {
    const auto value = document_.find(section, key);
    return value ? parseIntValue(*value) : fallback;
}

std::string AppSettings::readText(std::string_view section, std::string_view key, std::string_view fallback,
                                  std::size_t maxBytes) const {
    std::string_view value = document_.find(section, key).value_or(fallback);
    value = value.substr(0, text::cp932CutLength(value, maxBytes));
    return text::cp932ToUtf8Lenient(value);
}

void AppSettings::write(std::string_view section, std::string_view key, std::string value) {
    document_.write(section, key, value);
    changes_.push_back({std::string(section), std::string(key), std::move(value)});
}

void AppSettings::writeInt(std::string_view section, std::string_view key, int v) {
    write(section, key, formatInt(v));
}

void AppSettings::writeText(std::string_view section, std::string_view key, std::string_view utf8) {
    std::string cp932 = text::utf8ToCp932Lenient(utf8);
    // A line break would end the value and start a line of its own in the file, and a NUL would
    // end it early when read back: such bytes become '?' like any other unstorable character.
    std::replace_if(
        cp932.begin(), cp932.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; }, '?');
    write(section, key, std::move(cp932));
}

int AppSettings::windowX() const {
    return readInt(kWindow, "X", 0);
}
int AppSettings::windowY() const {
    return readInt(kWindow, "Y", 0);
}
int AppSettings::windowWidth() const {
    return readInt(kWindow, "WIDTH", 1200);
}
int AppSettings::windowHeight() const {
    return readInt(kWindow, "HEIGHT", 720);
}
int AppSettings::windowZoomed() const {
    return readInt(kWindow, "ZOOMED", 0);
}
void AppSettings::setWindowX(int v) {
    writeInt(kWindow, "X", v);
}
void AppSettings::setWindowY(int v) {
    writeInt(kWindow, "Y", v);
}
void AppSettings::setWindowWidth(int v) {
    writeInt(kWindow, "WIDTH", v);
}
void AppSettings::setWindowHeight(int v) {
    writeInt(kWindow, "HEIGHT", v);
}
void AppSettings::setWindowZoomed(int v) {
    writeInt(kWindow, "ZOOMED", v);
}

int AppSettings::displayFrame() const {
    return readInt(kDisp, "FLAME", 1);
}
int AppSettings::displayParticle() const {
    return readInt(kDisp, "PARTICLE", 0);
}
int AppSettings::displayFps() const {
    return readInt(kDisp, "FPS", 0);
}
int AppSettings::displayGuide() const {
    return readInt(kDisp, "GUIDE", 1);
}
int AppSettings::displayRealTime() const {
    return readInt(kDisp, "REALTIME", 0);
}
void AppSettings::setDisplayFrame(int v) {
    writeInt(kDisp, "FLAME", v);
}
void AppSettings::setDisplayParticle(int v) {
    writeInt(kDisp, "PARTICLE", v);
}
void AppSettings::setDisplayFps(int v) {
    writeInt(kDisp, "FPS", v);
}
void AppSettings::setDisplayGuide(int v) {
    writeInt(kDisp, "GUIDE", v);
}
void AppSettings::setDisplayRealTime(int v) {
    writeInt(kDisp, "REALTIME", v);
}

std::string AppSettings::recentSlot(int slot) const {
    if (slot < 0 || slot >= kRecentSlots) {
        return RecentFiles::kEmptySlot;
    }
    return readText(kRecent, recentKey(slot), RecentFiles::kEmptySlot, kRecentPathMaxBytes);
}

void AppSettings::setRecentSlot(int slot, std::string_view pathUtf8) {
    if (slot < 0 || slot >= kRecentSlots) {
        return;
    }
    writeText(kRecent, recentKey(slot), pathUtf8);
}

int AppSettings::defaultFrame() const {
    return value("FRAME", 60);
}
int AppSettings::defaultSpeed() const {
    return value("SPEED", 60);
}
int AppSettings::defaultWidth() const {
    return value("WIDTH", 128);
}
int AppSettings::defaultHeight() const {
    return value("HEIGHT", 128);
}
int AppSettings::defaultReverse() const {
    return value("REVERSE", 0);
}
int AppSettings::defaultSort(int fallback) const {
    return value("SORT", fallback);
}
int AppSettings::defaultNonLiner() const {
    return value("NON_LINER", 0);
}

void AppSettings::setNewProjectDefaults(const NewProjectDefaults& d) {
    writeInt(kDefaultProject, "FRAME", d.frame);
    writeInt(kDefaultProject, "SPEED", d.speed);
    writeInt(kDefaultProject, "WIDTH", d.width);
    writeInt(kDefaultProject, "HEIGHT", d.height);
    writeInt(kDefaultProject, "REVERSE", d.reverse);
    writeInt(kDefaultProject, "SORT", d.sort);
    writeInt(kDefaultProject, "NON_LINER", d.nonLiner);
}

std::string AppSettings::skippedVersion() const {
    return readText(kUpdate, "VERSION", "", kSkippedVersionMaxBytes);
}
void AppSettings::setSkippedVersion(std::string_view versionUtf8) {
    writeText(kUpdate, "VERSION", versionUtf8);
}

std::string AppSettings::updateUrl() const {
    return readText(kUpdate, "URL", "", kAddressMaxBytes);
}
std::string AppSettings::releasePageUrl() const {
    return readText(kUpdate, "RELEASE_URL", "", kAddressMaxBytes);
}
std::string AppSettings::helpUrl() const {
    return readText(kHelp, "URL", "", kAddressMaxBytes);
}

std::string AppSettings::interfaceLanguage() const {
    return readText(kInterface, "LANG", "", kLanguageMaxBytes);
}

int AppSettings::value(std::string_view key, int fallback) const {
    return readInt(kDefaultProject, key, fallback);
}

Status AppSettings::save() {
    // Start from the file as it is now, as writing key by key would: another editor process may
    // have stored its own keys since this one was loaded. When it cannot be read, start from
    // what was loaded.
    IniDocument merged = document_;
    if (const auto bytes = readWholeFile(file_)) {
        merged = IniDocument::parse(*bytes);
        for (const Change& change : changes_) {
            merged.write(change.section, change.key, change.value);
        }
    }
    const std::filesystem::path folder = file_.parent_path();
    if (!folder.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        if (ec) {
            return Message{"%1: %2", {folder.string(), ec.message()}};
        }
    }
    if (Status written = writeFileAtomically(file_, merged.serialize()); !written) {
        return Message{"%1: %2", {file_.string(), untranslated(written.error())}};
    }
    document_ = std::move(merged);
    changes_.clear();
    return {};
}

// ---- color.ini --------------------------------------------------------------------------------

InterfaceColors loadInterfaceColors(const std::filesystem::path& colorIni) {
    InterfaceColors colors;
    const auto bytes = readWholeFile(colorIni);
    if (!bytes) {
        return colors;
    }
    const IniDocument ini = IniDocument::parse(*bytes);
    const auto component = [&](const char* section, const char* key, int& target) {
        if (const auto value = ini.find(section, key)) {
            target = std::clamp(parseIntValue(*value), 0, 255);
        }
    };
    const auto color = [&](const char* section, Rgb& target) {
        component(section, "r", target.r);
        component(section, "g", target.g);
        component(section, "b", target.b);
    };
    color("WINDOW_COLOR", colors.window);
    color("CLIENT_COLOR", colors.client);
    color("CURSOR_COLOR", colors.cursor);
    color("EDIT_COLOR", colors.edit);
    return colors;
}

// ---- recent files -----------------------------------------------------------------------------

RecentFiles::RecentFiles() : slots_(kMaxSlots, kEmptySlot) {}

void RecentFiles::load(const AppSettings& settings) {
    slots_.clear();
    for (int i = 0; i < kMaxSlots; ++i) {
        slots_.push_back(settings.recentSlot(i));
    }
}

void RecentFiles::add(std::string_view path) {
    slots_.insert(slots_.begin(), std::string(path));
    const auto later = std::find(slots_.begin() + 1, slots_.end(), path);
    if (later != slots_.end()) {
        slots_.erase(later);
    }
    if (slots_.size() > static_cast<std::size_t>(kMaxSlots)) {
        slots_.pop_back();
    }
}

bool RecentFiles::remove(std::string_view path) {
    const auto found = std::find(slots_.begin(), slots_.end(), path);
    if (found == slots_.end()) {
        return false;
    }
    slots_.erase(found);
    return true;
}

std::vector<std::string> RecentFiles::menuEntries() const {
    const auto end = std::find(slots_.begin(), slots_.end(), kEmptySlot);
    return {slots_.begin(), end};
}

void RecentFiles::store(AppSettings& settings) const {
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        settings.setRecentSlot(static_cast<int>(i), slots_[i]);
    }
}

} // namespace vintrel
