#include "model/node_fields.h"

namespace vintrel {

namespace {

// Each field with the label that names an edit of it in the history; empty where edits have no
// label of their own (the identity, the visibility, the shake and its parent switch).
#define INT_FIELD(path, label)                                                                               \
    NodeField {                                                                                              \
#path, label, [](EffectNode & n) { return &n.path; }, nullptr                                        \
    }
#define FLOAT_FIELD(path, label)                                                                             \
    NodeField {                                                                                              \
#path, label, nullptr, [](EffectNode & n) { return &n.path; }                                        \
    }

// The order is the order of the keys in a node's section of the settings file.
constexpr NodeField kNodeFields[] = {
    INT_FIELD(m_isDraw, ""),
    INT_FIELD(m_ID, ""),
    INT_FIELD(m_emitter.type, "発生源の形状"),
    FLOAT_FIELD(m_emitter.size.x, "発生源の幅"),
    FLOAT_FIELD(m_emitter.size.y, "発生源の高さ"),
    FLOAT_FIELD(m_emitter.size.z, "発生源の奥行き"),
    FLOAT_FIELD(m_emitter.pos.x, "発生源の位置（X)"),
    FLOAT_FIELD(m_emitter.pos.y, "発生源の位置（Y)"),
    FLOAT_FIELD(m_emitter.pos.z, "発生源の位置（Z)"),
    INT_FIELD(m_emitter.scope, "発生源の範囲（種類）"),
    INT_FIELD(m_emitter.err, "発生源の範囲（％）"),
    INT_FIELD(m_emitter.fix, "発生源の向き固定"),
    INT_FIELD(m_emitter.scaleFix, "発生源のサイズ"),
    INT_FIELD(m_emitter.isEvenInterval, "等間隔に発生"),
    INT_FIELD(m_timing.type, "パーティクル発生期間"),
    INT_FIELD(m_timing.start, "発生開始フレーム"),
    INT_FIELD(m_timing.end, "発生終了フレーム"),
    INT_FIELD(m_timing.often, "発生頻度"),
    INT_FIELD(m_timing.often_err, "発生頻度誤差"),
    INT_FIELD(m_timing.num, "発生個数"),
    INT_FIELD(m_timing.num_err, "発生個数誤差"),
    INT_FIELD(m_kill.span, "寿命"),
    INT_FIELD(m_kill.span_err, "寿命の誤差"),
    INT_FIELD(m_kill.isFrame, "消滅フレームの設定"),
    INT_FIELD(m_kill.frame, "消滅フレーム"),
    INT_FIELD(m_kill.frame_err, "消滅フレーム誤差"),
    INT_FIELD(m_kill.isLand, "着地で消滅するか"),
    INT_FIELD(m_move.isOneWay, "一方向移動"),
    INT_FIELD(m_move.oneway_err, "移動方向誤差"),
    FLOAT_FIELD(m_move.dirX, "移動方向（横から見た図）"),
    FLOAT_FIELD(m_move.dirY, "移動方向（上から見た図）"),
    INT_FIELD(m_move.speed, "移動速度"),
    INT_FIELD(m_move.speed_err, "速度誤差"),
    INT_FIELD(m_move.isFollow, "親に追従"),
    INT_FIELD(m_move.gravity, "重力"),
    FLOAT_FIELD(m_move.absorbPos.x, "吸引場所X"),
    FLOAT_FIELD(m_move.absorbPos.y, "吸引場所Y"),
    FLOAT_FIELD(m_move.absorbPos.z, "吸引場所Z"),
    // The attraction strength was once left out of the files, which lost it on every save;
    // it is written right after the attraction point, and files without it read 0.
    FLOAT_FIELD(m_move.absorbPawer, "吸引力"),
    INT_FIELD(m_move.shake, ""),
    INT_FIELD(m_move.isParentShake, ""),
    INT_FIELD(m_shape.type, "パーティクルの形状"),
    INT_FIELD(m_shape.dir, "パーティクルの向き"),
    INT_FIELD(m_shape.isDir, "進行方向を向くか"),
    INT_FIELD(m_shape.isUnderCut, "地下非表示フラグ"),
    INT_FIELD(m_texture.ID, "テクスチャ"),
    INT_FIELD(m_texture.isAdd, "テクスチャのブレンドモード"),
    INT_FIELD(m_texture.isAnim, "テクスチャアニメ"),
    INT_FIELD(m_texture.w, "テクスチャの横の並び"),
    INT_FIELD(m_texture.h, "テクスチャの縦の並び"),
    INT_FIELD(m_texture.speed, "テクスチャアニメ速度"),
    INT_FIELD(m_texture.isLoop, "テクスチャアニメのループ"),
    INT_FIELD(m_scale.max, "サイズ"),
    INT_FIELD(m_scale.max_err, "サイズ誤差"),
    INT_FIELD(m_scale.trailLength, "軌跡の長さ"),
    INT_FIELD(m_scale.trailThickChange, "太さタイプ"),
    INT_FIELD(m_color.isAlphaParent, "親の透明度影響"),
    INT_FIELD(m_color.brigRnd, "明るさ誤差"),
    INT_FIELD(m_color.alphaRnd, "透明度誤差"),
    INT_FIELD(m_rotate.axis, "回転軸（自転）"),
    INT_FIELD(m_rotate.angle, "回転角度（自転）"),
    INT_FIELD(m_rotate.angle_err, "回転角度誤差（自転）"),
    INT_FIELD(m_rotate.dir, "回転方向（自転）"),
    INT_FIELD(m_rotate.isSameParent, "親に合わせて自転"),
    INT_FIELD(m_rotate.revAxis, "回転軸（公転）"),
    INT_FIELD(m_rotate.revAngle, "回転角度（公転）"),
    INT_FIELD(m_rotate.revAngle_err, "回転角度誤差（公転）"),
    INT_FIELD(m_rotate.revDir, "回転方向（公転）"),
};

#undef INT_FIELD
#undef FLOAT_FIELD

} // namespace

std::span<const NodeField> nodeFields() {
    return kNodeFields;
}

const NodeField* findNodeField(std::string_view key) {
    for (const NodeField& field : kNodeFields) {
        if (field.key == key) {
            return &field;
        }
    }
    return nullptr;
}

} // namespace vintrel
