#include "model/parameter_panels.h"

#include "model/effect_node.h"

#include <array>
#include <optional>

namespace vintrel {

namespace {

using enum ControlKind;

// ---- the rows' shapes ---------------------------------------------------------------------------

constexpr PanelControl frame(std::string_view text, DuRect rect, int id = 0,
                             std::string_view cylinderText = {}) {
    PanelControl c;
    c.id = id;
    c.kind = GroupFrame;
    c.rect = rect;
    c.text = text;
    c.cylinderText = cylinderText;
    return c;
}

constexpr PanelControl label(std::string_view text, int x, int y) {
    PanelControl c;
    c.kind = Label;
    c.rect = {x, y, 0, 0};
    c.text = text;
    return c;
}

constexpr PanelControl number(int id, DuRect rect, MemberId member, int spinnerId) {
    PanelControl c;
    c.id = id;
    c.kind = NumberField;
    c.rect = rect;
    c.member = member;
    c.spinnerId = spinnerId;
    return c;
}

// A few spinners show no hint of their own.
constexpr PanelControl numberWithQuietSpinner(int id, DuRect rect, MemberId member, int spinnerId) {
    PanelControl c = number(id, rect, member, spinnerId);
    c.spinnerHint = SpinnerHint::None;
    return c;
}

constexpr PanelControl dropDown(int id, DuRect rect, MemberId member,
                                std::span<const std::string_view> entries, ListFill fill = ListFill::Fixed) {
    PanelControl c;
    c.id = id;
    c.kind = DropDown;
    c.rect = rect;
    c.member = member;
    c.entries = entries;
    c.fill = fill;
    return c;
}

// Each radio button of a member has a hint of its own, about the value it stands for.
constexpr PanelControl radio(int id, int x, int y, std::string_view text, MemberId member, int value,
                             std::string_view hint) {
    PanelControl c;
    c.id = id;
    c.kind = Radio;
    c.rect = {x, y, 0, 0};
    c.text = text;
    c.member = member;
    c.radioValue = value;
    c.hint = hint;
    return c;
}

constexpr PanelControl check(int id, int x, int y, std::string_view text, MemberId member) {
    PanelControl c;
    c.id = id;
    c.kind = Check;
    c.rect = {x, y, 0, 0};
    c.text = text;
    c.member = member;
    return c;
}

constexpr PanelControl curve(int id, DuRect rect, CurveSlot slot) {
    PanelControl c;
    c.id = id;
    c.kind = CurvePicture;
    c.rect = rect;
    c.curveSlot = slot;
    return c;
}

// A picture that edits something of its own, with its own hint.
constexpr PanelControl hintedPicture(ControlKind kind, int id, DuRect rect, std::string_view hint) {
    PanelControl c;
    c.id = id;
    c.kind = kind;
    c.rect = rect;
    c.hint = hint;
    return c;
}

constexpr PanelControl directionIndicator(int id, DuRect rect, std::string_view hint) {
    return hintedPicture(DirectionIndicator, id, rect, hint);
}

constexpr PanelControl colourGradient(int id, DuRect rect, std::string_view hint) {
    return hintedPicture(ColourGradient, id, rect, hint);
}

// ---- list entries ----------------------------------------------------------------------------

constexpr std::array<std::string_view, 6> kEmitterTypes{"円（垂直）", "円（水平）", "球",
                                                        "半球",       "円柱",       "直方体"};
constexpr std::array<std::string_view, 5> kShapeTypes{"２Ｄ", "平面", "半球", "円柱", "軌跡"};
constexpr std::array<std::string_view, 7> kShapeDirections{"前", "後", "右", "左", "上", "下", "ランダム"};
constexpr std::array<std::string_view, 1> kNoTexture{"なし"};
constexpr std::array<std::string_view, 8> kSpinAxes{"Ｘ軸（横軸）", "Ｙ軸（縦軸）", "Ｚ軸（前後軸）",
                                                    "進行方向Ｘ軸", "進行方向Ｙ軸", "進行方向Ｚ軸",
                                                    "親の向き",     "親の進行方向"};
constexpr std::array<std::string_view, 5> kOrbitAxes{"Ｘ軸（横軸）", "Ｙ軸（縦軸）", "Ｚ軸（前後軸）",
                                                     "親の向き", "親の進行方向"};
constexpr std::array<std::string_view, 3> kTurnDirections{"通常", "逆回転", "ランダム"};

// ---- the panels --------------------------------------------------------------------------------

constexpr std::array kEmitterPanel{
    frame("形状", {6, 6, 102, 24}),
    frame("位置", {6, 36, 102, 24}),
    frame("サイズ", {6, 66, 102, 24}),
    frame("範囲", {6, 96, 102, 30}),
    frame("オプション", {6, 132, 102, 42}),
    label("％", 91, 115),
    dropDown(1191, {12, 15, 90, 91}, memberId("m_emitter.type"), kEmitterTypes),
    number(1032, {12, 46, 30, 9}, memberId("m_emitter.pos.x"), 1051),
    number(1058, {42, 46, 30, 9}, memberId("m_emitter.pos.y"), 1065),
    number(1073, {72, 46, 30, 9}, memberId("m_emitter.pos.z"), 1079),
    number(1198, {12, 75, 30, 9}, memberId("m_emitter.size.x"), 1214),
    number(1203, {42, 75, 30, 9}, memberId("m_emitter.size.y"), 1217),
    number(1206, {72, 75, 30, 9}, memberId("m_emitter.size.z"), 1038),
    radio(1220, 12, 104, "内部", memberId("m_emitter.scope"), 0,
          "指定した範囲の内部のどこからでも発生する。"),
    radio(1221, 12, 114, "表面", memberId("m_emitter.scope"), 1, "指定した範囲の外側から発生する。"),
    radio(1222, 60, 104, "任意", memberId("m_emitter.scope"), 2,
          "指定した範囲内の外側から指定した範囲内で発生するか。"),
    number(1044, {60, 114, 30, 9}, memberId("m_emitter.err"), 1086),
    check(1210, 12, 141, "向き固定", memberId("m_emitter.fix")),
    check(1212, 12, 152, "サイズ固定", memberId("m_emitter.scaleFix")),
    check(1108, 12, 162, "等間隔", memberId("m_emitter.isEvenInterval")),
};

constexpr std::array kTimingPanel{
    frame(" 期間", {6, 6, 102, 66}),
    frame(" 頻度", {6, 78, 102, 36}),
    frame(" 個数", {6, 120, 102, 36}),
    label("～", 46, 51),
    label("フレーム", 66, 61),
    label("フレームに1回", 45, 89),
    label("（誤差", 38, 101),
    label("％）", 89, 101),
    label("個ずつ", 45, 131),
    label("（誤差", 38, 142),
    label("％）", 89, 142),
    radio(1223, 12, 15, "絶対フレーム数", memberId("m_timing.type"), 0,
          "発生するタイミングをエフェクト開始からのフレーム数で指定する。"),
    radio(1224, 12, 25, "親のフレーム数", memberId("m_timing.type"), 1,
          "発生するタイミングを親パーティクルが発生してからのフレーム数で指定する。"),
    radio(1225, 12, 35, "親の消滅時", memberId("m_timing.type"), 2,
          "親パーティクルが消滅する時に、このパーティクルを発生させる。"),
    number(1133, {12, 50, 30, 9}, memberId("m_timing.start"), 1139),
    number(1145, {60, 50, 30, 9}, memberId("m_timing.end"), 1152),
    number(1226, {12, 88, 30, 9}, memberId("m_timing.often"), 1228),
    number(1227, {64, 100, 24, 9}, memberId("m_timing.often_err"), 1229),
    number(1185, {12, 130, 30, 9}, memberId("m_timing.num"), 1192),
    number(1199, {64, 141, 24, 9}, memberId("m_timing.num_err"), 1204),
};

constexpr std::array kKillPanel{
    frame("寿命", {6, 6, 102, 36}),
    frame("絶対フレーム数", {6, 48, 102, 36}),
    frame("その他", {6, 90, 102, 24}),
    label("フレーム", 51, 19),
    label("（誤差", 35, 30),
    label("％）", 90, 30),
    label("フレーム", 57, 61),
    label("（誤差", 35, 72),
    label("％）", 90, 72),
    number(1158, {12, 18, 36, 9}, memberId("m_kill.span"), 1178),
    number(1171, {61, 29, 27, 9}, memberId("m_kill.span_err"), 1165),
    check(1113, 12, 60, "", memberId("m_kill.isFrame")),
    number(1207, {21, 60, 33, 9}, memberId("m_kill.frame"), 1211),
    number(1215, {61, 71, 27, 9}, memberId("m_kill.frame_err"), 1218),
    check(1232, 12, 100, "着地で消滅", memberId("m_kill.isLand")),
};

constexpr std::array kShapePanel{
    frame("タイプ", {6, 6, 102, 24}),
    frame("向き", {6, 36, 102, 36}),
    frame("オプション", {6, 78, 102, 24}),
    dropDown(1002, {12, 15, 90, 104}, memberId("m_shape.type"), kShapeTypes, ListFill::FixedThenModels),
    dropDown(1009, {12, 48, 90, 104}, memberId("m_shape.dir"), kShapeDirections),
    check(1240, 12, 60, "進行方向を向く", memberId("m_shape.isDir")),
    check(1243, 12, 88, "地下非表示", memberId("m_shape.isUnderCut")),
};

constexpr std::array kTexturePanel{
    frame("テクスチャ", {6, 6, 102, 24}),
    frame("ブレンド", {6, 36, 102, 36}),
    frame("アニメーション", {6, 78, 102, 90}, 1272),
    frame("コマの並び", {12, 102, 90, 36}),
    label("横", 18, 115),
    label("コマ", 57, 115),
    label("縦", 18, 127),
    label("コマ", 57, 127),
    label("速度", 14, 145),
    dropDown(1003, {12, 15, 90, 96}, memberId("m_texture.ID"), kNoTexture, ListFill::NoneThenTextures),
    radio(1116, 12, 45, "通常合成", memberId("m_texture.isAdd"), 0, "通常の半透明描画。"),
    radio(1121, 12, 56, "輝き合成", memberId("m_texture.isAdd"), 1,
          "パーティクルの重なったところが光って見えるようになる。"),
    check(1101, 12, 90, "ｱﾆﾒｰｼｮﾝさせる", memberId("m_texture.isAnim")),
    number(1014, {30, 114, 24, 9}, memberId("m_texture.w"), 1025),
    number(1020, {30, 126, 24, 9}, memberId("m_texture.h"), 1033),
    number(1052, {36, 144, 36, 9}, memberId("m_texture.speed"), 1059),
    check(1128, 18, 156, "繰り返し", memberId("m_texture.isLoop")),
};

constexpr std::array kColorPanel{
    frame(" 赤", {6, 6, 102, 36}),
    frame(" 緑", {6, 48, 102, 36}),
    frame(" 青", {6, 90, 102, 36}),
    frame(" 不透明度", {6, 132, 102, 42}),
    frame(" 誤差", {6, 180, 102, 36}),
    frame(" グラデーション", {6, 222, 102, 30}),
    label("明るさ", 12, 191),
    label("％", 78, 191),
    label("透明度", 12, 203),
    label("％", 78, 203),
    curve(1263, {12, 18, 90, 18}, SlotRed),
    curve(1264, {12, 60, 90, 18}, SlotGreen),
    curve(1265, {12, 102, 90, 18}, SlotBlue),
    curve(1266, {12, 144, 90, 18}, SlotAlpha),
    check(1267, 18, 162, "親の影響を受ける", memberId("m_color.isAlphaParent")),
    numberWithQuietSpinner(1112, {39, 190, 36, 9}, memberId("m_color.brigRnd"), 1115),
    numberWithQuietSpinner(1114, {39, 202, 36, 9}, memberId("m_color.alphaRnd"), 1118),
    colourGradient(1290, {12, 234, 90, 14},
                   "寿命に沿った色と不透明度。点をドラッグで移動、ダブルクリックで色の変更か点の追加、右クリックで追加・削除。"),
};

constexpr std::array kMovePanel{
    frame("方向", {6, 6, 102, 66}),
    frame("速度", {6, 78, 102, 60}),
    frame("吸引", {6, 144, 102, 42}),
    frame("ぶれ", {6, 192, 102, 48}),
    frame("その他", {6, 246, 102, 36}),
    label("(誤差", 42, 61),
    label("度)", 91, 61),
    label("(誤差", 42, 103),
    label("％)", 91, 103),
    label("パワー", 46, 171),
    label("重力", 12, 259),
    check(1187, 12, 13, "一方向", memberId("m_move.isOneWay")),
    directionIndicator(1237, {12, 24, 90, 30}, "パーティクルの発射する方向。"),
    number(1126, {66, 60, 24, 9}, memberId("m_move.oneway_err"), 1134),
    number(1146, {12, 91, 36, 9}, memberId("m_move.speed"), 1153),
    number(1159, {66, 102, 24, 9}, memberId("m_move.speed_err"), 1166),
    curve(1233, {12, 114, 90, 18}, SlotSpeed),
    number(1284, {12, 156, 30, 9}, memberId("m_move.absorbPos.x"), 1286),
    number(1069, {42, 156, 30, 9}, memberId("m_move.absorbPos.y"), 1075),
    number(1081, {72, 156, 30, 9}, memberId("m_move.absorbPos.z"), 1087),
    number(1176, {72, 170, 30, 9}, memberId("m_move.absorbPawer"), 1182),
    number(1147, {12, 203, 36, 9}, memberId("m_move.shake"), 1154),
    check(1107, 66, 202, "親の影響", memberId("m_move.isParentShake")),
    curve(1234, {12, 216, 90, 18}, SlotShake),
    number(1196, {30, 258, 36, 9}, memberId("m_move.gravity"), 1201),
    check(1106, 12, 270, "親に追従", memberId("m_move.isFollow")),
};

constexpr std::array kRotatePanel{
    frame("自転", {7, 6, 101, 126}),
    frame("公転", {6, 138, 102, 114}),
    label("軸", 12, 14),
    label("角度", 12, 41),
    label("度", 50, 51),
    label("(誤差", 34, 60),
    label("％)", 84, 60),
    label("回転方向", 12, 89),
    label("軸", 12, 146),
    label("角度", 12, 173),
    label("度", 50, 183),
    label("(誤差", 34, 193),
    label("％)", 84, 193),
    label("向き", 12, 221),
    dropDown(1004, {18, 23, 78, 78}, memberId("m_rotate.axis"), kSpinAxes),
    number(1250, {18, 50, 30, 9}, memberId("m_rotate.angle"), 1255),
    number(1253, {58, 59, 24, 9}, memberId("m_rotate.angle_err"), 1256),
    curve(1254, {18, 70, 78, 14}, SlotSpin),
    dropDown(1013, {18, 99, 78, 72}, memberId("m_rotate.dir"), kTurnDirections),
    check(1100, 18, 117, "親に合わせる", memberId("m_rotate.isSameParent")),
    dropDown(1007, {18, 155, 78, 73}, memberId("m_rotate.revAxis"), kOrbitAxes),
    number(1173, {18, 182, 30, 9}, memberId("m_rotate.revAngle"), 1180),
    number(1189, {58, 192, 24, 9}, memberId("m_rotate.revAngle_err"), 1194),
    curve(1236, {18, 203, 78, 13}, SlotOrbit),
    dropDown(1019, {18, 231, 78, 65}, memberId("m_rotate.revDir"), kTurnDirections),
};

constexpr std::array kScalePanel{
    frame("最大値", {6, 6, 102, 60}),
    frame(" 幅", {6, 72, 102, 36}, 1276, "底半径"),
    frame(" 高さ", {6, 114, 102, 36}, 1280, "先半径"),
    frame(" 奥行き", {6, 156, 102, 36}, 1282, "長さ"),
    label("（誤差", 41, 30),
    label("％）", 90, 30),
    number(1248, {12, 19, 36, 9}, memberId("m_scale.max"), 1246),
    number(1249, {65, 29, 24, 9}, memberId("m_scale.max_err"), 1247),
    curve(1252, {12, 42, 90, 18}, SlotOverallSize),
    curve(1241, {12, 84, 90, 18}, SlotWidth),
    curve(1244, {12, 126, 90, 18}, SlotHeight),
    curve(1245, {12, 168, 90, 18}, SlotDepth),
};

constexpr std::array kTrailScalePanel{
    frame("太さ", {6, 6, 102, 60}),
    frame("太さタイプ", {6, 72, 102, 30}),
    frame("軌跡の長さ", {6, 108, 102, 24}),
    label("（誤差", 42, 31),
    label("％）", 91, 31),
    label("フレーム", 45, 119),
    number(1248, {12, 20, 36, 9}, memberId("m_scale.max"), 1246),
    number(1249, {66, 30, 24, 9}, memberId("m_scale.max_err"), 1247),
    curve(1252, {12, 42, 90, 18}, SlotOverallSize),
    radio(1270, 12, 80, "固定", memberId("m_scale.trailThickChange"), 0,
          "先頭から末尾までの太さを同じにする。"),
    radio(1271, 12, 90, "変化", memberId("m_scale.trailThickChange"), 1,
          "先頭の太さのみグラフで変化させる。"),
    numberWithQuietSpinner(1268, {12, 118, 30, 9}, memberId("m_scale.trailLength"), 1269),
};

constexpr std::array kTabs{
    ParameterPanelLayout{kEmitterTab, "発生源", 101, 111, 322, kEmitterPanel},
    ParameterPanelLayout{kTimingTab, "発生", 102, 111, 410, kTimingPanel},
    ParameterPanelLayout{kKillTab, "消滅", 104, 111, 298, kKillPanel},
    ParameterPanelLayout{kShapeTab, "形状", 105, 111, 298, kShapePanel},
    ParameterPanelLayout{kTextureTab, "画像", 107, 111, 340, kTexturePanel},
    ParameterPanelLayout{kColorTab, "色", 106, 111, 502, kColorPanel},
    ParameterPanelLayout{kMoveTab, "移動", 108, 111, 328, kMovePanel},
    ParameterPanelLayout{kRotateTab, "回転", 112, 111, 448, kRotatePanel},
    ParameterPanelLayout{kScaleTab, "サイズ", 111, 111, 322, kScalePanel},
};

constexpr ParameterPanelLayout kTrailScaleTab{kScaleTab, "サイズ", 120, 111, 322, kTrailScalePanel};

} // namespace

std::span<const ParameterPanelLayout> parameterTabs() {
    return kTabs;
}

const ParameterPanelLayout* parameterPanelFor(int tabId, int shapeType) {
    if (tabId == kScaleTab && shapeType == ShapeParams::Trail) {
        return &kTrailScaleTab;
    }
    for (const ParameterPanelLayout& tab : kTabs) {
        if (tab.tabId == tabId) {
            return &tab;
        }
    }
    return nullptr;
}

namespace {

std::optional<std::string_view> nonEmpty(std::string_view text) {
    return text.empty() ? std::nullopt : std::optional(text);
}

std::optional<std::string_view> hintOf(const PanelControl& c, int id, int shapeType) {
    if (id == c.spinnerId && c.kind == NumberField) {
        return c.spinnerHint == SpinnerHint::Member ? nonEmpty(describe(*c.member).hint) : std::nullopt;
    }
    if (!c.hint.empty()) {
        return c.hint;
    }
    if (c.curveSlot) {
        return nonEmpty(curveSlotHint(*c.curveSlot, shapeType));
    }
    if (c.member) {
        return nonEmpty(describe(*c.member).hint);
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string_view> panelHint(int id, int shapeType) {
    if (id == 0) {
        return std::nullopt;
    }
    const auto search =
        [&](const ParameterPanelLayout& tab) -> std::optional<std::optional<std::string_view>> {
        for (const PanelControl& c : tab.controls) {
            if (c.id == id || (c.kind == NumberField && c.spinnerId == id)) {
                return hintOf(c, id, shapeType);
            }
        }
        return std::nullopt;
    };
    for (const ParameterPanelLayout& tab : kTabs) {
        if (auto found = search(tab)) {
            return *found;
        }
    }
    if (auto found = search(kTrailScaleTab)) {
        return *found;
    }
    return std::nullopt;
}

} // namespace vintrel
