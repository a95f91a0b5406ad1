#pragma once

// The editor's commands as data: their numbers, menu texts, bound keys and the row of picture
// buttons. The menus, the buttons, the hint strip and the tests are all built from these tables.

#include <optional>
#include <span>

namespace vintrel {

enum class CommandId : int {
    New = 40009,
    Open = 40010,
    Save = 40011,
    SaveAs = 40012,
    Export = 40013,
    Exit = 40014,
    Help = 40015,
    VersionInfo = 40016,
    ProjectSettings = 40018,
    Undo = 40025,
    HistoryList = 40028,
    Redo = 40030,
    CameraSettings = 40033,
    BackgroundColor = 40034,
    ViewList = 40035,
    Remake = 40038,
    ShowFrame = 40059,
    ShowParticleCount = 40060,
    ShowFps = 40061,
    UpdateCheck = 40071,
    MaskSettings = 40075,
    BinaryExport = 40078,
    ShowGuide = 40080,
    FrameEffect = 40090, // places the view's camera so that the whole effect is in view
    RealTimePlay = 40091, // the preview keeps the effect's true speed on a slow machine
    // The selected node's subtree through the system clipboard, between projects too.
    CopyNode = 40101,
    CutNode = 40102,
    PasteNode = 40103,
    NewFromLibrary = 40104, // an untitled project from one of the starter effects
    BackdropSettings = 40105, // what the view shows behind the effect
    // The view split in two: the effect beside itself with the next seed, or beside the saved file.
    CompareNextSeed = 40106,
    CompareSavedFile = 40107,
    PlayExport = 40108, // the latest export's frames played as a game plays a flipbook
};

enum class MenuId { File, Edit, Settings, Display, Help };

struct MenuSpec {
    MenuId id;
    const char* title; // with its mnemonic marker
};

struct CommandSpec {
    CommandId id;
    MenuId menu;
    const char* text;        // the menu text; the part after the tab is the key shown beside it
    const char* accelerator; // the key that runs the command ("Ctrl+N"), or null: a key shown in
                             // the text is not necessarily bound
    bool checkable = false;
};

// The menus in menu-bar order, and the commands in the order they appear in them.
std::span<const MenuSpec> menuTable();
std::span<const CommandSpec> commandTable();
const CommandSpec* findCommand(CommandId id);

// The recent-files submenu of the file menu, inserted before the exit command; its items run
// kRecentFileCommandBase + position.
constexpr const char* kRecentFilesMenuTitle = "最近使ったファイル(&F)";
constexpr int kRecentFileCommandBase = 50050;

// The picture buttons along the top of the main window, left to right. Each is 48 × 35 pixels;
// a gap between two groups is 24 pixels wide.
struct PictureButtonPlace {
    CommandId command;
    int x;        // left edge in the window's client area
    int position; // counting buttons only, from 0: the button's cell in the artwork
};
constexpr int kPictureButtonWidth = 48;
constexpr int kPictureButtonHeight = 35;
constexpr int kPictureButtonGap = 24;
std::span<const PictureButtonPlace> pictureButtonRow();

} // namespace vintrel
