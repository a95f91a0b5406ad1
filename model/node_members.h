#pragma once

// Everything the editor knows about each numeric member of a node, in one row per member: its
// key in the settings file and the CLI's JSON, the label that names its edits in the history,
// the hint its panel control shows, how its number field shows and reads it, the member whose
// value enables its control, and where the binary export writes it. The settings file, the JSON,
// the history, the parameter panels, the hint strip and the binary export all read this table;
// a panel control names its member by id and adds only its place on the panel.

#include "model/effect_node.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string_view>

namespace vintrel {

// A member's row number in the table.
enum class MemberId : std::uint8_t {};

// Whether the edit takes digits only or also a minus sign.
enum class NumberEntry { Digits, Signed };

// How a number field shows its member: as it is, or (the emitter's position and size) ten times
// the stored float, read back divided by ten.
enum class ValueScale { AsIs, Tenths };

// How a member's number field shows it: the spinner's range (in shown units), what can be typed
// and the scale.
struct NumberFormat {
    int low = 0;
    int high = 0;
    NumberEntry entry = NumberEntry::Digits;
    ValueScale scale = ValueScale::AsIs;

    // Characters of the field's text that are read: four, or as many as the highest value has,
    // so that every value the spinner reaches reads back as itself.
    constexpr int readWidth() const {
        int digits = 1;
        for (int v = high; v >= 10; v /= 10) {
            ++digits;
        }
        return digits > 4 ? digits : 4;
    }
};

constexpr NumberFormat digitsIn(int low, int high) {
    return {low, high, NumberEntry::Digits, ValueScale::AsIs};
}
constexpr NumberFormat signedIn(int low, int high) {
    return {low, high, NumberEntry::Signed, ValueScale::AsIs};
}
constexpr NumberFormat tenthsIn(int low, int high, NumberEntry entry) {
    return {low, high, entry, ValueScale::Tenths};
}

// When a member's control is enabled, by the value of another member of the same node (its
// driver).
enum class EnabledWhile {
    Always,
    ZeroOrOne, // the driver is 0 or 1
    Two,       // the driver is 2
    NotTwo,    // the driver is anything but 2
    NonZero,   // the driver is set
};

// Whether a control with this rule is enabled for its driver's value.
bool isEnabledFor(EnabledWhile rule, int driverValue);

// The node's identity is written to the files but is no value the user edits.
enum class MemberUse { Parameter, Identity };

// How the binary export writes a member: its value, or (the texture) the name of the material
// that the index selects, as a byte count and the bytes.
enum class BinaryForm { Value, TextureName };

struct NodeMember {
    std::string_view key;   // "m_kill.span"
    std::string_view label; // names its edits in the history ("寿命"); empty where edits have none
    int* (*intField)(EffectNode&) = nullptr;     // set for integer and flag members
    float* (*floatField)(EffectNode&) = nullptr; // set for float members
    std::string_view name;                       // the control's accessible name where there is no label
    std::string_view hint;                       // the hint strip's text for its control and spinner
    NumberFormat number;
    MemberUse use = MemberUse::Parameter;
    std::string_view enableDriverKey;
    EnabledWhile enabledWhile = EnabledWhile::Always;
    MemberId enableDriver{};             // resolved from enableDriverKey when the table is built
    std::array<int, 2> binaryAt{-1, -1}; // value positions in the binary record (−1: none)
    BinaryForm binaryForm = BinaryForm::Value;
    MemberId id{};

    bool isFloat() const { return floatField != nullptr; }
    int& intRef(EffectNode& node) const { return *intField(node); }
    float& floatRef(EffectNode& node) const { return *floatField(node); }
    int intValue(const EffectNode& node) const { return *intField(const_cast<EffectNode&>(node)); }
    float floatValue(const EffectNode& node) const { return *floatField(const_cast<EffectNode&>(node)); }
    // Either type as a double, for the panels and the history.
    double value(const EffectNode& node) const {
        return isFloat() ? static_cast<double>(floatValue(node)) : static_cast<double>(intValue(node));
    }
    std::string_view controlName() const { return label.empty() ? name : label; }

    // The builders of the table's rows.
    static constexpr NodeMember ofInt(std::string_view key, std::string_view label,
                                      int* (*field)(EffectNode&)) {
        NodeMember m;
        m.key = key;
        m.label = label;
        m.intField = field;
        return m;
    }
    static constexpr NodeMember ofFloat(std::string_view key, std::string_view label,
                                        float* (*field)(EffectNode&)) {
        NodeMember m;
        m.key = key;
        m.label = label;
        m.floatField = field;
        return m;
    }
    constexpr NodeMember withHint(std::string_view text) const {
        NodeMember m = *this;
        m.hint = text;
        return m;
    }
    constexpr NodeMember namedAs(std::string_view text) const {
        NodeMember m = *this;
        m.name = text;
        return m;
    }
    constexpr NodeMember shownAs(NumberFormat format) const {
        NodeMember m = *this;
        m.number = format;
        return m;
    }
    constexpr NodeMember enabledBy(std::string_view driver, EnabledWhile rule) const {
        NodeMember m = *this;
        m.enableDriverKey = driver;
        m.enabledWhile = rule;
        return m;
    }
    constexpr NodeMember inBinaryAt(int position, int secondPosition = -1) const {
        NodeMember m = *this;
        m.binaryAt = {position, secondPosition};
        return m;
    }
    constexpr NodeMember inBinaryAs(BinaryForm form) const {
        NodeMember m = *this;
        m.binaryForm = form;
        return m;
    }
    constexpr NodeMember asIdentity() const {
        NodeMember m = *this;
        m.use = MemberUse::Identity;
        return m;
    }
};

namespace member_table {

template <std::size_t N>
constexpr std::optional<std::size_t> indexOf(const std::array<NodeMember, N>& rows, std::string_view key) {
    for (std::size_t i = 0; i < N; ++i) {
        if (rows[i].key == key) {
            return i;
        }
    }
    return std::nullopt;
}

// Numbers the rows, resolves each enable rule's driver and checks that the binary positions
// cover 0..n−1 once each. A mistake in a row stops the build.
template <std::size_t N> consteval std::array<NodeMember, N> resolved(std::array<NodeMember, N> rows) {
    std::array<int, 2 * N> used{};
    int positions = 0;
    for (std::size_t i = 0; i < N; ++i) {
        rows[i].id = static_cast<MemberId>(i);
        if (!rows[i].enableDriverKey.empty()) {
            const std::optional<std::size_t> driver = indexOf(rows, rows[i].enableDriverKey);
            if (!driver) {
                throw std::logic_error("an enable rule names no member");
            }
            rows[i].enableDriver = static_cast<MemberId>(*driver);
        }
        for (const int position : rows[i].binaryAt) {
            if (position < 0) {
                continue;
            }
            if (static_cast<std::size_t>(position) >= used.size() ||
                used[static_cast<std::size_t>(position)]++ != 0) {
                throw std::logic_error("a binary position is taken twice or out of range");
            }
            ++positions;
        }
    }
    for (int position = 0; position < positions; ++position) {
        if (used[static_cast<std::size_t>(position)] == 0) {
            throw std::logic_error("the binary positions leave a gap");
        }
    }
    return rows;
}

} // namespace member_table

#define VINTREL_INT_MEMBER(path, label)                                                                      \
    ::vintrel::NodeMember::ofInt(#path, label, [](::vintrel::EffectNode& n) { return &n.path; })
#define VINTREL_FLOAT_MEMBER(path, label)                                                                    \
    ::vintrel::NodeMember::ofFloat(#path, label, [](::vintrel::EffectNode& n) { return &n.path; })

// Every numeric member of a node, in the order of the keys of a node's section of the settings
// file (the name is written before them).
inline constexpr auto kNodeMembers = member_table::resolved(std::array{
    VINTREL_INT_MEMBER(m_isDraw, "").inBinaryAt(0),
    VINTREL_INT_MEMBER(m_ID, "").asIdentity().inBinaryAt(1),
    VINTREL_INT_MEMBER(m_emitter.type, "発生源の形状").withHint("発生する範囲の形状。").inBinaryAt(2),
    VINTREL_FLOAT_MEMBER(m_emitter.size.x, "発生源の幅")
        .withHint("発生する範囲の幅。")
        .shownAs(tenthsIn(0, 999, NumberEntry::Digits))
        .inBinaryAt(3),
    VINTREL_FLOAT_MEMBER(m_emitter.size.y, "発生源の高さ")
        .withHint("発生する範囲の高さ。")
        .shownAs(tenthsIn(0, 999, NumberEntry::Digits))
        .inBinaryAt(4),
    VINTREL_FLOAT_MEMBER(m_emitter.size.z, "発生源の奥行き")
        .withHint("発生する範囲の奥行き。")
        .shownAs(tenthsIn(0, 999, NumberEntry::Digits))
        .inBinaryAt(5),
    VINTREL_FLOAT_MEMBER(m_emitter.pos.x, "発生源の位置（X)")
        .withHint("発生する範囲の中心位置（左右）。")
        .shownAs(tenthsIn(-999, 999, NumberEntry::Signed))
        .inBinaryAt(6),
    VINTREL_FLOAT_MEMBER(m_emitter.pos.y, "発生源の位置（Y)")
        .withHint("発生する範囲の中心位置（上下）。")
        .shownAs(tenthsIn(-999, 999, NumberEntry::Signed))
        .inBinaryAt(7),
    VINTREL_FLOAT_MEMBER(m_emitter.pos.z, "発生源の位置（Z)")
        .withHint("発生する範囲の中心位置（前後）。")
        .shownAs(tenthsIn(-999, 999, NumberEntry::Signed))
        .inBinaryAt(8),
    VINTREL_INT_MEMBER(m_emitter.scope, "発生源の範囲（種類）").inBinaryAt(9),
    VINTREL_INT_MEMBER(m_emitter.err, "発生源の範囲（％）")
        .withHint("外側から何％の範囲で発生させるか。100％だと「内部」を選んだときと同じ。")
        .shownAs(digitsIn(0, 100))
        .enabledBy("m_emitter.scope", EnabledWhile::Two)
        .inBinaryAt(10),
    VINTREL_INT_MEMBER(m_emitter.fix, "発生源の向き固定")
        .withHint("親パーティクルが回転しても、発生する範囲は影響受けなくなる。")
        .inBinaryAt(11),
    VINTREL_INT_MEMBER(m_emitter.scaleFix, "発生源のサイズ")
        .withHint("親パーティクルのサイズが変わっても、発生する範囲は影響受けなくなる。")
        .inBinaryAt(12),
    VINTREL_INT_MEMBER(m_emitter.isEvenInterval, "等間隔に発生")
        .withHint("パーティクルを等間隔で発生させる。形状が「円（垂直）」「円（水平）」のときのみ選択可。")
        .enabledBy("m_emitter.type", EnabledWhile::ZeroOrOne)
        .inBinaryAt(13),
    VINTREL_INT_MEMBER(m_timing.type, "パーティクル発生期間").inBinaryAt(14),
    VINTREL_INT_MEMBER(m_timing.start, "発生開始フレーム")
        .withHint("パーティクルが発生し始めるフレーム。")
        .shownAs(digitsIn(1, 999))
        .enabledBy("m_timing.type", EnabledWhile::NotTwo)
        .inBinaryAt(15),
    VINTREL_INT_MEMBER(m_timing.end, "発生終了フレーム")
        .withHint("パーティクルが発生し終えるフレーム。")
        .shownAs(digitsIn(1, 999))
        .enabledBy("m_timing.type", EnabledWhile::NotTwo)
        .inBinaryAt(16),
    VINTREL_INT_MEMBER(m_timing.often, "発生頻度")
        .withHint("何フレームに１回の頻度でパーティクルを発生させるか。")
        .shownAs(digitsIn(1, 999))
        .enabledBy("m_timing.type", EnabledWhile::NotTwo)
        .inBinaryAt(17),
    VINTREL_INT_MEMBER(m_timing.often_err, "発生頻度誤差")
        .withHint("パーティクルの発生頻度のばらつき。")
        .shownAs(digitsIn(0, 100))
        .enabledBy("m_timing.type", EnabledWhile::NotTwo)
        .inBinaryAt(18),
    VINTREL_INT_MEMBER(m_timing.num, "発生個数")
        .withHint("１度に何個ずつパーティクルを発生させるか。")
        .shownAs(digitsIn(0, 100))
        .inBinaryAt(19),
    VINTREL_INT_MEMBER(m_timing.num_err, "発生個数誤差")
        .withHint("１度に発生するパーティクル個数のばらつき。")
        .shownAs(digitsIn(0, 100))
        .inBinaryAt(20),
    VINTREL_INT_MEMBER(m_kill.span, "寿命")
        .withHint("パーティクルが発生してから消えるまでのフレーム数。")
        .shownAs(digitsIn(1, 999))
        .inBinaryAt(21),
    VINTREL_INT_MEMBER(m_kill.span_err, "寿命の誤差")
        .withHint("パーティクルの寿命のばらつき。")
        .shownAs(digitsIn(0, 100))
        .inBinaryAt(22),
    VINTREL_INT_MEMBER(m_kill.isFrame, "消滅フレームの設定")
        .withHint("指定したフレームになるとパーティクルを消す。")
        .inBinaryAt(23),
    VINTREL_INT_MEMBER(m_kill.frame, "消滅フレーム")
        .withHint("パーティクルを消滅させるフレーム。")
        .shownAs(digitsIn(1, 999))
        .enabledBy("m_kill.isFrame", EnabledWhile::NonZero)
        .inBinaryAt(24),
    VINTREL_INT_MEMBER(m_kill.frame_err, "消滅フレーム誤差")
        .withHint("パーティクルを消滅させるフレームのばらつき。")
        .shownAs(digitsIn(0, 100))
        .enabledBy("m_kill.isFrame", EnabledWhile::NonZero)
        .inBinaryAt(25),
    VINTREL_INT_MEMBER(m_kill.isLand, "着地で消滅するか")
        .withHint("下方向に移動している時に高さ0になると消滅。")
        .inBinaryAt(26),
    VINTREL_INT_MEMBER(m_move.isOneWay, "一方向移動")
        .withHint("発射方向を指定する場合はチェック。")
        .inBinaryAt(27),
    VINTREL_INT_MEMBER(m_move.oneway_err, "移動方向誤差")
        .withHint("パーティクルの発射する方向のばらつき。")
        .shownAs(digitsIn(0, 360))
        .inBinaryAt(28),
    VINTREL_FLOAT_MEMBER(m_move.dirX, "移動方向（横から見た図）").inBinaryAt(29, 32),
    VINTREL_FLOAT_MEMBER(m_move.dirY, "移動方向（上から見た図）").inBinaryAt(30, 33),
    VINTREL_INT_MEMBER(m_move.speed, "移動速度")
        .withHint("パーティクルの最大移動速度。")
        .shownAs(signedIn(0, 999))
        .inBinaryAt(31, 34),
    VINTREL_INT_MEMBER(m_move.speed_err, "速度誤差")
        .withHint("パーティクルの移動速度のばらつき。")
        .shownAs(digitsIn(0, 100))
        .inBinaryAt(35),
    VINTREL_INT_MEMBER(m_move.isFollow, "親に追従")
        .withHint("チェックを入れると親パーティクルについていく。")
        .inBinaryAt(36),
    VINTREL_INT_MEMBER(m_move.gravity, "重力")
        .withHint("落下する強さ。")
        .shownAs(signedIn(-999, 999))
        .inBinaryAt(37),
    VINTREL_FLOAT_MEMBER(m_move.absorbPos.x, "吸引場所X")
        .withHint("パーティクルが吸い込まれる位置（左右）。")
        .shownAs(signedIn(-999, 999))
        .inBinaryAt(39),
    VINTREL_FLOAT_MEMBER(m_move.absorbPos.y, "吸引場所Y")
        .withHint("パーティクルが吸い込まれる位置（上下）。")
        .shownAs(signedIn(-999, 999))
        .inBinaryAt(40),
    VINTREL_FLOAT_MEMBER(m_move.absorbPos.z, "吸引場所Z")
        .withHint("パーティクルが吸い込まれる位置（前後）。")
        .shownAs(signedIn(-999, 999))
        .inBinaryAt(41),
    VINTREL_FLOAT_MEMBER(m_move.absorbPawer, "吸引力")
        .withHint("パーティクルが吸い込まれる強さ。")
        .shownAs(signedIn(-999, 999))
        .inBinaryAt(38),
    VINTREL_INT_MEMBER(m_move.shake, "").namedAs("ぶれ").shownAs(signedIn(0, 999)).inBinaryAt(42),
    VINTREL_INT_MEMBER(m_move.isParentShake, "").namedAs("ぶれ（親の影響）").inBinaryAt(43),
    VINTREL_INT_MEMBER(m_shape.type, "パーティクルの形状")
        .withHint("パーティクルの形を選択。")
        .inBinaryAt(44),
    VINTREL_INT_MEMBER(m_shape.dir, "パーティクルの向き")
        .withHint("パーティクルの向きを選択。")
        .inBinaryAt(45),
    VINTREL_INT_MEMBER(m_shape.isDir, "進行方向を向くか")
        .withHint("チェックを入れるとパーティクルが常に進行方向を向く。")
        .inBinaryAt(46),
    VINTREL_INT_MEMBER(m_shape.isUnderCut, "地下非表示フラグ")
        .withHint("地面の下（Y < 0)は表示されなくなる。")
        .inBinaryAt(47),
    VINTREL_INT_MEMBER(m_texture.ID, "テクスチャ")
        .withHint("パーティクルに貼り付ける画像を選択。")
        .inBinaryAt(48)
        .inBinaryAs(BinaryForm::TextureName),
    VINTREL_INT_MEMBER(m_texture.isAdd, "テクスチャのブレンドモード").inBinaryAt(49),
    VINTREL_INT_MEMBER(m_texture.isAnim, "テクスチャアニメ")
        .withHint("テクスチャをアニメーションさせる場合はチェック。")
        .inBinaryAt(50),
    VINTREL_INT_MEMBER(m_texture.w, "テクスチャの横の並び")
        .withHint("テクスチャに横に何コマ画像がならんでいるか。")
        .shownAs(digitsIn(1, 64))
        .enabledBy("m_texture.isAnim", EnabledWhile::NonZero)
        .inBinaryAt(51),
    VINTREL_INT_MEMBER(m_texture.h, "テクスチャの縦の並び")
        .withHint("テクスチャに縦に何コマ画像がならんでいるか。")
        .shownAs(digitsIn(1, 64))
        .enabledBy("m_texture.isAnim", EnabledWhile::NonZero)
        .inBinaryAt(52),
    VINTREL_INT_MEMBER(m_texture.speed, "テクスチャアニメ速度")
        .withHint("テクスチャアニメーションの速度。")
        .shownAs(digitsIn(1, 64))
        .enabledBy("m_texture.isAnim", EnabledWhile::NonZero)
        .inBinaryAt(53),
    VINTREL_INT_MEMBER(m_texture.isLoop, "テクスチャアニメのループ")
        .withHint("アニメーションを繰り返すかどうか。")
        .enabledBy("m_texture.isAnim", EnabledWhile::NonZero)
        .inBinaryAt(54),
    VINTREL_INT_MEMBER(m_scale.max, "サイズ")
        .withHint("パーティクルのサイズ。")
        .shownAs(digitsIn(0, 999))
        .inBinaryAt(55),
    VINTREL_INT_MEMBER(m_scale.max_err, "サイズ誤差")
        .withHint("パーティクルのサイズのばらつき。")
        .shownAs(digitsIn(0, 100))
        .inBinaryAt(56),
    VINTREL_INT_MEMBER(m_scale.trailLength, "軌跡の長さ")
        .withHint("軌跡の長さ。")
        .shownAs(digitsIn(1, 999))
        .inBinaryAt(57),
    VINTREL_INT_MEMBER(m_scale.trailThickChange, "太さタイプ").inBinaryAt(58),
    VINTREL_INT_MEMBER(m_color.isAlphaParent, "親の透明度影響")
        .withHint("親パーティクルが透明になると自分も透明になる。")
        .inBinaryAt(59),
    VINTREL_INT_MEMBER(m_color.brigRnd, "明るさ誤差")
        .withHint("値を大きくすると、色相は変わらずに明るさがばらつくようになります。")
        .shownAs(signedIn(0, 100))
        .inBinaryAt(60),
    VINTREL_INT_MEMBER(m_color.alphaRnd, "透明度誤差")
        .withHint("値を大きくすると、透明度がばらつくようになります。")
        .shownAs(signedIn(0, 100))
        .inBinaryAt(61),
    VINTREL_INT_MEMBER(m_rotate.axis, "回転軸（自転）").withHint("自転の回転軸。").inBinaryAt(62),
    VINTREL_INT_MEMBER(m_rotate.angle, "回転角度（自転）")
        .withHint("自転の回転角度。")
        .shownAs(signedIn(0, 99999))
        .inBinaryAt(63),
    VINTREL_INT_MEMBER(m_rotate.angle_err, "回転角度誤差（自転）")
        .withHint("自転の回転角度のばらつき。")
        .shownAs(digitsIn(0, 100))
        .inBinaryAt(64),
    VINTREL_INT_MEMBER(m_rotate.dir, "回転方向（自転）").withHint("自転の回転方向。").inBinaryAt(65),
    VINTREL_INT_MEMBER(m_rotate.isSameParent, "親に合わせて自転")
        .withHint("親と同じ回転をさせます。")
        .inBinaryAt(66),
    VINTREL_INT_MEMBER(m_rotate.revAxis, "回転軸（公転）").withHint("公転の回転軸。").inBinaryAt(67),
    VINTREL_INT_MEMBER(m_rotate.revAngle, "回転角度（公転）")
        .withHint("公転の回転角度。")
        .shownAs(signedIn(0, 99999))
        .inBinaryAt(68),
    VINTREL_INT_MEMBER(m_rotate.revAngle_err, "回転角度誤差（公転）")
        .withHint("公転の回転角度のばらつき。")
        .shownAs(digitsIn(0, 100))
        .inBinaryAt(69),
    VINTREL_INT_MEMBER(m_rotate.revDir, "回転方向（公転）").withHint("公転の回転方向。").inBinaryAt(70)});

#undef VINTREL_INT_MEMBER
#undef VINTREL_FLOAT_MEMBER

inline constexpr std::size_t kNodeMemberCount = kNodeMembers.size();

// The id of the member with this key; a key that names no member stops the build.
consteval MemberId memberId(std::string_view key) {
    const std::optional<std::size_t> index = member_table::indexOf(kNodeMembers, key);
    if (!index) {
        throw std::logic_error("no node member has this key");
    }
    return static_cast<MemberId>(*index);
}

inline const NodeMember& describe(MemberId id) {
    return kNodeMembers[static_cast<std::size_t>(id)];
}

inline std::span<const NodeMember> nodeMembers() {
    return kNodeMembers;
}

// The member with this key, for the files, the CLI and the label lookup, which name members by
// key; null for a key that names none.
const NodeMember* findNodeMember(std::string_view key);

// Display name of a curve slot (UTF-8); empty for a number that is no slot.
const char* curveSlotName(int slot);
// The hint of a curve's picture: the size curves name the part of the shape that they change,
// which depends on the shape type of the selected node. Empty for the shake curve.
std::string_view curveSlotHint(int slot, int shapeType);

} // namespace vintrel
