#pragma once

#include "model/global_state.h"
#include "platform/ini_document.h"
#include "platform/result.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vintrel {

// ---- where the installation's settings live --------------------------------------------------

constexpr const char* kAppSettingsFileName = "data.prm";
constexpr const char* kInterfaceColorsFileName = "color.ini";

// The `assets` folder holds data.prm and color.ini; `workspaceRoot` holds the runs' workspaces.
struct SettingsFolders {
    std::filesystem::path assets;
    std::filesystem::path workspaceRoot;
};

// Next to the program (programFolder/assets, programFolder/workspace) when the program folder is
// writable; otherwise $XDG_CONFIG_HOME/vintrel/assets and $XDG_DATA_HOME/vintrel/workspace, with
// ~/.config and ~/.local/share when those variables are unset, empty or not absolute.
SettingsFolders chooseSettingsFolders(const std::filesystem::path& programFolder);

// The same choice with the writability test and the environment supplied by the caller.
// `environment` returns the value of a variable, or nothing when it is unset.
using WritableTest = std::function<bool(const std::filesystem::path&)>;
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;
SettingsFolders chooseSettingsFolders(const std::filesystem::path& programFolder,
                                      const WritableTest& isWritable, const EnvironmentLookup& environment);

// The folder of the running executable (from /proc/self/exe); empty when it cannot be found.
std::filesystem::path programFolderOfThisProcess();

// A file the program ships with: `name` in the folder beside the program that a build or an
// unpacked copy has (programFolder/assets), else where an installation into a prefix puts it
// (programFolder/../`installedFolder`, for example "share/vintrel" or "libexec/vintrel"). The
// first path when neither exists.
std::filesystem::path shippedFile(const std::filesystem::path& programFolder,
                                  const std::filesystem::path& installedFolder, const std::string& name);

// ---- data.prm ---------------------------------------------------------------------------------

// The values the project dialog stores as the defaults of new projects (section DEFAULT_PROJECT).
struct NewProjectDefaults {
    int frame = 60;
    int speed = 60;
    int width = 128;
    int height = 128;
    int reverse = 0;
    int sort = 1;
    int nonLiner = 0;
};

// The installation-wide settings file assets/data.prm: window placement, view display flags,
// the recent files, the defaults of new projects, the skipped update version and the addresses
// of the update check and the help page.
//
// The file is read whole at construction; a missing or unreadable file reads as empty, so every
// key gives its default. Integers are read as atoi reads the first 63 bytes of the value (the
// 64-byte buffer the values were always read into) and written as "%d". Texts are stored in cp932
// and handed out as UTF-8, cut to their byte limit without splitting a character.
//
// Setters change the values read back at once and are remembered until save(), which writes them
// key by key over the file as it is on disk at that moment (so keys that another running editor
// wrote meanwhile, and keys this version does not know, are kept) and replaces the file atomically.
class AppSettings final : public ProjectDefaults {
public:
    static constexpr int kRecentSlots = 10;
    static constexpr std::size_t kRecentPathMaxBytes = 259;
    static constexpr std::size_t kSkippedVersionMaxBytes = 15;
    static constexpr std::size_t kAddressMaxBytes = 2047;

    explicit AppSettings(std::filesystem::path file);

    const std::filesystem::path& file() const { return file_; }

    // WINDOW: outer position, client size and whether the window was maximised.
    int windowX() const;      // default 0
    int windowY() const;      // default 0
    int windowWidth() const;  // default 1200
    int windowHeight() const; // default 720
    int windowZoomed() const; // default 0
    void setWindowX(int v);
    void setWindowY(int v);
    void setWindowWidth(int v);
    void setWindowHeight(int v);
    void setWindowZoomed(int v);

    // DISP: the view's frame-number, particle-count and frame-rate displays, and the emitter
    // guide of the selected node.
    int displayFrame() const;    // key FLAME, default 1
    int displayParticle() const; // default 0
    int displayFps() const;      // default 0
    int displayGuide() const;    // key GUIDE, default 1
    int displayRealTime() const; // key REALTIME, default 0: real-time play of the preview
    void setDisplayFrame(int v);
    void setDisplayParticle(int v);
    void setDisplayFps(int v);
    void setDisplayGuide(int v);
    void setDisplayRealTime(int v);

    // RECENT: slot 0..9 (key list<slot>), default "-". Slots outside 0..9 read as "-" and are not
    // written.
    std::string recentSlot(int slot) const;
    void setRecentSlot(int slot, std::string_view pathUtf8);

    // DEFAULT_PROJECT. SORT has no fixed default: start-up reads it with 1, the project reset with 0.
    int defaultFrame() const;   // default 60
    int defaultSpeed() const;   // default 60
    int defaultWidth() const;   // default 128
    int defaultHeight() const;  // default 128
    int defaultReverse() const; // default 0
    int defaultSort(int fallback) const;
    int defaultNonLiner() const; // default 0
    // Writes all seven keys, as the project dialog's "make these the defaults" button does.
    void setNewProjectDefaults(const NewProjectDefaults& d);

    // UPDATE: the version the user chose not to be told about again; default empty.
    std::string skippedVersion() const;
    void setSkippedVersion(std::string_view versionUtf8);

    // The addresses of the online services, each empty by default and cut at kAddressMaxBytes.
    std::string updateUrl() const;      // UPDATE URL: the published version text; empty: no check
    std::string releasePageUrl() const; // UPDATE RELEASE_URL: the page an accepted update opens
    std::string helpUrl() const;        // HELP URL: the help page; empty: the README shipped along
    // INTERFACE LANG: "ja" or "en" for the windows' language; empty (the default): the system's.
    std::string interfaceLanguage() const;

    // ProjectDefaults: an integer of section DEFAULT_PROJECT, or `fallback` when it is missing.
    int value(std::string_view key, int fallback) const override;

    // Writes the changed keys over the file on disk, creating its folder. Fails with the file
    // and the reason, and keeps the changes for a later try, when the file cannot be written.
    Status save();

    // The document as it stands (the loaded file with the changes applied).
    const IniDocument& document() const { return document_; }

private:
    int readInt(std::string_view section, std::string_view key, int fallback) const;
    std::string readText(std::string_view section, std::string_view key, std::string_view fallback,
                         std::size_t maxBytes) const;
    void writeInt(std::string_view section, std::string_view key, int v);
    void writeText(std::string_view section, std::string_view key, std::string_view utf8);
    void write(std::string_view section, std::string_view key, std::string value);

    struct Change {
        std::string section;
        std::string key;
        std::string value;
    };

    std::filesystem::path file_;
    IniDocument document_;
    std::vector<Change> changes_; // not yet saved, in the order they were made
};

// ---- color.ini --------------------------------------------------------------------------------

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const Rgb&) const = default;
};

// The interface colours. The four sections of color.ini are read once at start-up and never
// written; the text colour is fixed.
struct InterfaceColors {
    Rgb window{40, 40, 40};  // WINDOW_COLOR: title strips, panel and dialog backgrounds
    Rgb client{70, 70, 70};  // CLIENT_COLOR: list and picture backgrounds
    Rgb cursor{44, 70, 144}; // CURSOR_COLOR: the selected or current row
    Rgb edit{30, 30, 30};    // EDIT_COLOR
    Rgb text{255, 255, 255};
    bool operator==(const InterfaceColors&) const = default;
};

// Reads keys r, g, b of WINDOW_COLOR, CLIENT_COLOR, CURSOR_COLOR and EDIT_COLOR. A missing file
// or key gives the default component; a value outside 0..255 is clamped into that range, since
// every component ends up in an 8-bit channel and a wrapped value would show a wrong colour.
InterfaceColors loadInterfaceColors(const std::filesystem::path& colorIni);

// ---- recent files -----------------------------------------------------------------------------

// The recent-file list: at most ten paths, newest first; "-" marks an empty slot. Paths are
// compared byte for byte.
class RecentFiles {
public:
    static constexpr int kMaxSlots = AppSettings::kRecentSlots;
    static constexpr const char* kEmptySlot = "-";

    // Ten empty slots.
    RecentFiles();

    // Reads list0..list9 in order into ten slots.
    void load(const AppSettings& settings);

    // Puts `path` at the front, removes the first later slot equal to it, and drops the last slot
    // when more than ten remain.
    void add(std::string_view path);

    // Removes the first slot equal to `path`; the list is then one shorter until the next add.
    // False when no slot holds it.
    bool remove(std::string_view path);

    // The menu items: the slots in order up to the first "-".
    std::vector<std::string> menuEntries() const;

    const std::vector<std::string>& slotTexts() const { return slots_; }

    // Writes each existing slot i to list<i>; keys beyond the list keep their values.
    void store(AppSettings& settings) const;

private:
    std::vector<std::string> slots_;
};

} // namespace vintrel
