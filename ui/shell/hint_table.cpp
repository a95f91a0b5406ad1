#include "ui/shell/hint_table.h"

#include <algorithm>
#include <array>

namespace vintrel {

namespace {

// A hint with the one or two control ids that show it; 0 fills an unused id slot.
struct HintRow {
    std::array<int, 2> ids;
    std::string_view text;
};

constexpr int kUnusedId = 0;

// Two panels often carry the same field under different control ids, so a row may hold two.
constexpr HintRow kHints[] = {
    {{200}, "下にノードを追加する。"},
    {{201}, "子ノードを追加する。"},
    {{202}, "ノードを複製する。"},
    {{203}, "ノードを削除する。"},
    {{204}, "ノードを一つ下に移動。"},
    {{205}, "ノードを一つ上に移動。"},
    {{206}, "ノードを子ノードにする。"},
    {{207}, "ノードを親ノードにする。"},
    {{400}, "素材を追加する。"},
    {{401}, "素材を削除する。"},
    {{402}, "素材をファイルに保存する。"},
    {{403}, "画像を左右反転する。"},
    {{404}, "画像を上下反転する。"},
    {{405}, "画像を時計回りに90°回転させる。"},
    {{1002}, "パーティクルの形を選択。"},
    {{1003}, "パーティクルに貼り付ける画像を選択。"},
    {{1004}, "自転の回転軸。"},
    {{1007}, "公転の回転軸。"},
    {{1009}, "パーティクルの向きを選択。"},
    {{1013}, "自転の回転方向。"},
    {{1014, 1025}, "テクスチャに横に何コマ画像がならんでいるか。"},
    {{1019}, "公転の回転方向。"},
    {{1020, 1033}, "テクスチャに縦に何コマ画像がならんでいるか。"},
    {{1032, 1051}, "発生する範囲の中心位置（左右）。"},
    {{1038}, "発生する範囲の奥行き。"},
    {{1044, 1086}, "外側から何％の範囲で発生させるか。100％だと「内部」を選んだときと同じ。"},
    {{1052, 1059}, "テクスチャアニメーションの速度。"},
    {{1058, 1065}, "発生する範囲の中心位置（上下）。"},
    {{1069, 1075}, "パーティクルが吸い込まれる位置（上下）。"},
    {{1073, 1079}, "発生する範囲の中心位置（前後）。"},
    {{1081, 1087}, "パーティクルが吸い込まれる位置（前後）。"},
    {{1100}, "親と同じ回転をさせます。"},
    {{1101}, "テクスチャをアニメーションさせる場合はチェック。"},
    {{1106}, "チェックを入れると親パーティクルについていく。"},
    {{1108}, "パーティクルを等間隔で発生させる。形状が「円（垂直）」「円（水平）」のときのみ選択可。"},
    {{1112}, "値を大きくすると、色相は変わらずに明るさがばらつくようになります。"},
    {{1113}, "指定したフレームになるとパーティクルを消す。"},
    {{1114}, "値を大きくすると、透明度がばらつくようになります。"},
    {{1116}, "通常の半透明描画。"},
    {{1121}, "パーティクルの重なったところが光って見えるようになる。"},
    {{1126, 1134}, "パーティクルの発射する方向のばらつき。"},
    {{1128}, "アニメーションを繰り返すかどうか。"},
    {{1133, 1139}, "パーティクルが発生し始めるフレーム。"},
    {{1145, 1152}, "パーティクルが発生し終えるフレーム。"},
    {{1146, 1153}, "パーティクルの最大移動速度。"},
    {{1158}, "パーティクルが発生してから消えるまでのフレーム数。"},
    {{1159, 1166}, "パーティクルの移動速度のばらつき。"},
    {{1165, 1171}, "パーティクルの寿命のばらつき。"},
    {{1173, 1180}, "公転の回転角度。"},
    {{1176, 1182}, "パーティクルが吸い込まれる強さ。"},
    {{1178}, "パーティクルが発生してから消えるまでのフレーム数。"},
    {{1185, 1192}, "１度に何個ずつパーティクルを発生させるか。"},
    {{1187}, "発射方向を指定する場合はチェック。"},
    {{1189, 1194}, "公転の回転角度のばらつき。"},
    {{1191}, "発生する範囲の形状。"},
    {{1196, 1201}, "落下する強さ。"},
    {{1198, 1214}, "発生する範囲の幅。"},
    {{1199, 1204}, "１度に発生するパーティクル個数のばらつき。"},
    {{1203, 1217}, "発生する範囲の高さ。"},
    {{1206}, "発生する範囲の奥行き。"},
    {{1207, 1211}, "パーティクルを消滅させるフレーム。"},
    {{1210}, "親パーティクルが回転しても、発生する範囲は影響受けなくなる。"},
    {{1212}, "親パーティクルのサイズが変わっても、発生する範囲は影響受けなくなる。"},
    {{1215, 1218}, "パーティクルを消滅させるフレームのばらつき。"},
    {{1220}, "指定した範囲の内部のどこからでも発生する。"},
    {{1221}, "指定した範囲の外側から発生する。"},
    {{1222}, "指定した範囲内の外側から指定した範囲内で発生するか。"},
    {{1223}, "発生するタイミングをエフェクト開始からのフレーム数で指定する。"},
    {{1224}, "発生するタイミングを親パーティクルが発生してからのフレーム数で指定する。"},
    {{1225}, "親パーティクルが消滅する時に、このパーティクルを発生させる。"},
    {{1226, 1228}, "何フレームに１回の頻度でパーティクルを発生させるか。"},
    {{1227, 1229}, "パーティクルの発生頻度のばらつき。"},
    {{1232}, "下方向に移動している時に高さ0になると消滅。"},
    {{1233}, "パーティクルの移動速度の変化。"},
    {{1236}, "公転の回転角度の変化。"},
    {{1237}, "パーティクルの発射する方向。"},
    {{1240}, "チェックを入れるとパーティクルが常に進行方向を向く。"},
    {{1243}, "地面の下（Y < 0)は表示されなくなる。"},
    {{1246, 1248}, "パーティクルのサイズ。"},
    {{1247, 1249}, "パーティクルのサイズのばらつき。"},
    {{1250, 1255}, "自転の回転角度。"},
    {{1252}, "パーティクルのサイズの変化。"},
    {{1253, 1256}, "自転の回転角度のばらつき。"},
    {{1254}, "自転の回転角度の変化。"},
    {{1263}, "画像内の赤をどれくらい反映させるか。"},
    {{1264}, "画像内の緑をどれくらい反映させるか。"},
    {{1265}, "画像内の青をどれくらい反映させるか。"},
    {{1266}, "パーティクルの透明具合を設定。"},
    {{1267}, "親パーティクルが透明になると自分も透明になる。"},
    {{1268}, "軌跡の長さ。"},
    {{1270}, "先頭から末尾までの太さを同じにする。"},
    {{1271}, "先頭の太さのみグラフで変化させる。"},
    {{1284, 1286}, "パーティクルが吸い込まれる位置（左右）。"},
    {{40009}, "新しくエフェクトを作成する。"},
    {{40010}, "エフェクトを開く。"},
    {{40011}, "上書き保存する。"},
    {{40013}, "画像ファイルに書き出し。"},
    {{40015}, "オンラインヘルプ"},
    {{40018}, "「プロジェクトの設定」ダイアログを表示。"},
    {{40025}, "元に戻す。"},
    {{40028}, "「履歴リスト」を表示。"},
    {{40030}, "やりなおし。"},
    {{40033}, "「カメラの設定」ダイアログを表示。"},
    {{40034}, "「背景色の設定」ダイアログを表示。"},
    {{40035}, "「視点リスト」を表示。"},
    {{40038}, "設定をそのままにエフェクトを作り直す。"},
    {{40075}, "「マスクの設定」ダイアログを表示。"},
};

// The size curves' hints name the part of the shape that the curve changes. An empty trail text
// means the trail shares the text of the other shapes.
struct ShapeDependentHintRow {
    int id;
    std::string_view cylinder;
    std::string_view trail;
    std::string_view otherShapes;
};

constexpr ShapeDependentHintRow kShapeDependentHints[] = {
    {1241, "円柱の底の半径の変化。", "パーティクルの太さの変化。", "パーティクルの幅の変化。"},
    {1244, "円柱の上面の半径の変化。", {}, "パーティクルの高さの変化。"},
    {1245, "円柱の長さの変化。", {}, "パーティクルの奥行きの変化。"},
};

// Indexed by drag mode; mode 0 (no drag) has no hint.
constexpr std::string_view kCameraModeHints[] = {
    {},
    "ドラッグで視点を移動。",
    "ドラッグで視点を回転。",
    "ドラッグでズームイン／ズームアウト。",
};

constexpr bool rowHasId(const HintRow& row, int id) {
    return id != kUnusedId && std::ranges::find(row.ids, id) != row.ids.end();
}

// A control id with two rows would show only the first one's text.
consteval bool idsAreUnique() {
    for (std::size_t i = 0; i < std::size(kHints); ++i) {
        for (const int id : kHints[i].ids) {
            for (std::size_t j = i + 1; j < std::size(kHints); ++j) {
                if (rowHasId(kHints[j], id)) {
                    return false;
                }
            }
            for (const ShapeDependentHintRow& row : kShapeDependentHints) {
                if (row.id == id) {
                    return false;
                }
            }
        }
    }
    return true;
}
static_assert(idsAreUnique(), "a control id has more than one hint row");

std::string_view shapeDependentText(const ShapeDependentHintRow& row, int shapeType) {
    if (shapeType == kCylinderShapeType) {
        return row.cylinder;
    }
    if (shapeType == kTrailShapeType && !row.trail.empty()) {
        return row.trail;
    }
    return row.otherShapes;
}

} // namespace

std::optional<std::string_view> hintFor(int id, int selectedShapeType) {
    for (const ShapeDependentHintRow& row : kShapeDependentHints) {
        if (row.id == id) {
            return shapeDependentText(row, selectedShapeType);
        }
    }
    for (const HintRow& row : kHints) {
        if (rowHasId(row, id)) {
            return row.text;
        }
    }
    return std::nullopt;
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
