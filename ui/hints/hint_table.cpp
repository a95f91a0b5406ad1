#include "ui/hints/hint_table.h"

#include "model/parameter_panels.h"

#include <algorithm>

namespace vintrel {

namespace {

struct HintRow {
    int id;
    std::string_view text;
};

// The tree and material buttons and the commands of the picture buttons; the panels' controls
// take their hints from the panel and member tables.
constexpr HintRow kHints[] = {
    {200, "下にノードを追加する。"},
    {201, "子ノードを追加する。"},
    {202, "ノードを複製する。"},
    {203, "ノードを削除する。"},
    {204, "ノードを一つ下に移動。"},
    {205, "ノードを一つ上に移動。"},
    {206, "ノードを子ノードにする。"},
    {207, "ノードを親ノードにする。"},
    {400, "素材を追加する。"},
    {401, "素材を削除する。"},
    {402, "素材をファイルに保存する。"},
    {403, "画像を左右反転する。"},
    {404, "画像を上下反転する。"},
    {405, "画像を時計回りに90°回転させる。"},
    {40009, "新しくエフェクトを作成する。"},
    {40010, "エフェクトを開く。"},
    {40011, "上書き保存する。"},
    {40013, "画像ファイルに書き出し。"},
    {40015, "オンラインヘルプ"},
    {40018, "「プロジェクトの設定」ダイアログを表示。"},
    {40025, "元に戻す。"},
    {40028, "「履歴リスト」を表示。"},
    {40030, "やりなおし。"},
    {40033, "「カメラの設定」ダイアログを表示。"},
    {40034, "「背景色の設定」ダイアログを表示。"},
    {40035, "「視点リスト」を表示。"},
    {40038, "設定をそのままにエフェクトを作り直す。"},
    {40075, "「マスクの設定」ダイアログを表示。"},
};

// Indexed by drag mode; mode 0 (no drag) has no hint.
constexpr std::string_view kCameraModeHints[] = {
    {},
    "ドラッグで視点を移動。",
    "ドラッグで視点を回転。",
    "ドラッグでズームイン／ズームアウト。",
};

// A control id with two rows would show only the first one's text.
consteval bool idsAreUnique() {
    for (std::size_t i = 0; i < std::size(kHints); ++i) {
        for (std::size_t j = i + 1; j < std::size(kHints); ++j) {
            if (kHints[i].id == kHints[j].id) {
                return false;
            }
        }
    }
    return true;
}
static_assert(idsAreUnique(), "a control id has more than one hint row");

} // namespace

std::optional<std::string_view> hintFor(int id, int selectedShapeType) {
    const auto* row = std::ranges::find(kHints, id, &HintRow::id);
    if (row != std::end(kHints)) {
        return row->text;
    }
    return panelHint(id, selectedShapeType);
}

std::optional<std::string_view> cameraModeHint(int mode) {
    if (mode < 0 || static_cast<std::size_t>(mode) >= std::size(kCameraModeHints)) {
        return std::nullopt;
    }
    const std::string_view text = kCameraModeHints[static_cast<std::size_t>(mode)];
    if (text.empty()) {
        return std::nullopt;
    }
    return text;
}

} // namespace vintrel
