#include "ui/shell/commands.h"

#include <array>
#include <vector>

namespace vintrel {

namespace {

constexpr std::array kMenus{
    MenuSpec{MenuId::File, "ファイル(&F)"}, MenuSpec{MenuId::Edit, "編集(&E)"},
    MenuSpec{MenuId::Settings, "設定(&S)"}, MenuSpec{MenuId::Display, "表示(&V)"},
    MenuSpec{MenuId::Help, "ヘルプ(&H)"},
};

using enum CommandId;
using M = MenuId;

constexpr std::array kCommands{
    CommandSpec{New, M::File, "新規作成(&N)\tCtrl+N", "Ctrl+N"},
    CommandSpec{NewFromLibrary, M::File, "ライブラリから新規作成(&L)...", nullptr},
    CommandSpec{Open, M::File, "開く(&O)\tCtrl+O", "Ctrl+O"},
    CommandSpec{Save, M::File, "上書き保存(&S)\tCtrl+S", "Ctrl+S"},
    // The menu shows Ctrl+Shift+S, but Ctrl+A is the key that saves under a new name.
    CommandSpec{SaveAs, M::File, "名前を付けて保存(&A)\tCtrl+Shift+S", "Ctrl+A"},
    CommandSpec{Export, M::File, "書き出し(&W)\tCtrl+W", "Ctrl+W"},
    CommandSpec{PlayExport, M::File, "書き出しを再生(&Y)...", nullptr},
    CommandSpec{BinaryExport, M::File, "バイナリ書き出し(&V)...", nullptr},
    CommandSpec{Exit, M::File, "終了(&E)\tAlt+F4", nullptr},
    CommandSpec{Undo, M::Edit, "元に戻す(&U)\tCtrl+Z", "Ctrl+Z"},
    CommandSpec{Redo, M::Edit, "やりなおし(&R)\tCtrl+Y", "Ctrl+Y"},
    CommandSpec{Remake, M::Edit, "リメイク(&M)\tCtrl+R", "Ctrl+R"},
    CommandSpec{HistoryList, M::Edit, "履歴リスト(&H)\tCtrl+H", "Ctrl+H"},
    CommandSpec{CopyNode, M::Edit, "ノードをコピー(&C)\tCtrl+Shift+C", "Ctrl+Shift+C"},
    CommandSpec{CutNode, M::Edit, "ノードを切り取り(&T)\tCtrl+Shift+X", "Ctrl+Shift+X"},
    CommandSpec{PasteNode, M::Edit, "ノードを貼り付け(&P)\tCtrl+Shift+V", "Ctrl+Shift+V"},
    CommandSpec{ProjectSettings, M::Settings, "プロジェクトの設定(&P)\tCtrl+P", "Ctrl+P"},
    CommandSpec{CameraSettings, M::Settings, "カメラの設定(&C)\tCtrl+C", "Ctrl+C"},
    CommandSpec{BackgroundColor, M::Settings, "背景色の設定(&B)\tCtrl+B", "Ctrl+B"},
    CommandSpec{BackdropSettings, M::Settings, "背景の設定(&D)...", nullptr},
    // Shown with Ctrl+M, which is not bound.
    CommandSpec{MaskSettings, M::Settings, "マスクの設定(&K)\tCtrl+M", nullptr},
    CommandSpec{ShowFrame, M::Display, "現在のフレーム(&F)\tCtrl+F", "Ctrl+F", true},
    CommandSpec{ShowParticleCount, M::Display, "現在のパーティクル数(&P)\tCtrl+T", "Ctrl+T", true},
    CommandSpec{ShowFps, M::Display, "現在のFPS(&S)\tCtrl+L", "Ctrl+L", true},
    CommandSpec{ShowGuide, M::Display, "エミッターのガイド(&G)\tCtrl+G", "Ctrl+G", true},
    CommandSpec{RealTimePlay, M::Display, "リアルタイム再生(&R)", nullptr, true},
    CommandSpec{ViewList, M::Display, "視点リスト(&V)\tCtrl+V", "Ctrl+V"},
    CommandSpec{CompareNextSeed, M::Display, "次のシードと比較(&N)", nullptr, true},
    CommandSpec{CompareSavedFile, M::Display, "保存したファイルと比較(&W)", nullptr, true},
    CommandSpec{FrameEffect, M::Display, "エフェクト全体を表示(&E)\tF", "F"},
    CommandSpec{Help, M::Help, "オンラインヘルプ(&H)\tF1", "F1"},
    CommandSpec{UpdateCheck, M::Help, "アップデート確認(&U)", nullptr},
    CommandSpec{VersionInfo, M::Help, "バージョン情報(&V)", nullptr},
};

struct RowItem {
    bool gap;
    CommandId command;
};

constexpr RowItem button(CommandId id) {
    return {false, id};
}
constexpr RowItem kGap{true, New};

constexpr std::array kRow{
    button(New),
    button(Open),
    button(Save),
    kGap,
    button(Export),
    kGap,
    button(Undo),
    button(Redo),
    kGap,
    button(Remake),
    kGap,
    button(ProjectSettings),
    button(CameraSettings),
    button(BackgroundColor),
    button(MaskSettings),
    kGap,
    button(HistoryList),
    button(ViewList),
    kGap,
    button(Help),
};

std::vector<PictureButtonPlace> placeButtons() {
    std::vector<PictureButtonPlace> places;
    int x = 0;
    for (const RowItem& item : kRow) {
        if (item.gap) {
            x += kPictureButtonGap;
            continue;
        }
        places.push_back({item.command, x, static_cast<int>(places.size())});
        x += kPictureButtonWidth;
    }
    return places;
}

} // namespace

std::span<const MenuSpec> menuTable() {
    return kMenus;
}

std::span<const CommandSpec> commandTable() {
    return kCommands;
}

const CommandSpec* findCommand(CommandId id) {
    for (const CommandSpec& command : kCommands) {
        if (command.id == id) {
            return &command;
        }
    }
    return nullptr;
}

std::span<const PictureButtonPlace> pictureButtonRow() {
    static const std::vector<PictureButtonPlace> places = placeButtons();
    return places;
}

} // namespace vintrel
