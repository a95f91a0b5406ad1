#include "model/property_labels.h"

#include <array>
#include <utility>

namespace vintrel {

namespace {

// Member path below the selected node, and the label that names an edit of it.
constexpr std::array<std::pair<std::string_view, std::string_view>, 64> kLabels{{
    {"m_emitter.type", "発生源の形状"},
    {"m_emitter.pos.x", "発生源の位置（X)"},
    {"m_emitter.pos.y", "発生源の位置（Y)"},
    {"m_emitter.pos.z", "発生源の位置（Z)"},
    {"m_emitter.size.x", "発生源の幅"},
    {"m_emitter.size.y", "発生源の高さ"},
    {"m_emitter.size.z", "発生源の奥行き"},
    {"m_emitter.scope", "発生源の範囲（種類）"},
    {"m_emitter.err", "発生源の範囲（％）"},
    {"m_emitter.fix", "発生源の向き固定"},
    {"m_emitter.isEvenInterval", "等間隔に発生"},
    {"m_emitter.scaleFix", "発生源のサイズ"},
    {"m_kill.span", "寿命"},
    {"m_kill.span_err", "寿命の誤差"},
    {"m_kill.frame", "消滅フレーム"},
    {"m_kill.frame_err", "消滅フレーム誤差"},
    {"m_kill.isLand", "着地で消滅するか"},
    {"m_kill.isFrame", "消滅フレームの設定"},
    {"m_move.dirY", "移動方向（上から見た図）"},
    {"m_move.dirX", "移動方向（横から見た図）"},
    {"m_move.speed", "移動速度"},
    {"m_move.speed_err", "速度誤差"},
    {"m_move.isOneWay", "一方向移動"},
    {"m_move.oneway_err", "移動方向誤差"},
    {"m_move.isFollow", "親に追従"},
    {"m_move.gravity", "重力"},
    {"m_move.absorbPos.x", "吸引場所X"},
    {"m_move.absorbPos.y", "吸引場所Y"},
    {"m_move.absorbPos.z", "吸引場所Z"},
    {"m_move.absorbPawer", "吸引力"},
    {"m_rotate.axis", "回転軸（自転）"},
    {"m_rotate.angle", "回転角度（自転）"},
    {"m_rotate.angle_err", "回転角度誤差（自転）"},
    {"m_rotate.dir", "回転方向（自転）"},
    {"m_rotate.isSameParent", "親に合わせて自転"},
    {"m_rotate.revAxis", "回転軸（公転）"},
    {"m_rotate.revAngle", "回転角度（公転）"},
    {"m_rotate.revAngle_err", "回転角度誤差（公転）"},
    {"m_rotate.revDir", "回転方向（公転）"},
    {"m_shape.type", "パーティクルの形状"},
    {"m_scale.trailThickChange", "太さタイプ"},
    {"m_scale.trailLength", "軌跡の長さ"},
    {"m_shape.dir", "パーティクルの向き"},
    {"m_shape.isDir", "進行方向を向くか"},
    {"m_shape.isUnderCut", "地下非表示フラグ"},
    {"m_scale.max", "サイズ"},
    {"m_scale.max_err", "サイズ誤差"},
    {"m_color.isAlphaParent", "親の透明度影響"},
    {"m_color.alphaRnd", "透明度誤差"},
    {"m_color.brigRnd", "明るさ誤差"},
    {"m_texture.ID", "テクスチャ"},
    {"m_texture.isAnim", "テクスチャアニメ"},
    {"m_texture.w", "テクスチャの横の並び"},
    {"m_texture.h", "テクスチャの縦の並び"},
    {"m_texture.speed", "テクスチャアニメ速度"},
    {"m_texture.isLoop", "テクスチャアニメのループ"},
    {"m_texture.isAdd", "テクスチャのブレンドモード"},
    {"m_timing.type", "パーティクル発生期間"},
    {"m_timing.start", "発生開始フレーム"},
    {"m_timing.end", "発生終了フレーム"},
    {"m_timing.often", "発生頻度"},
    {"m_timing.often_err", "発生頻度誤差"},
    {"m_timing.num", "発生個数"},
    {"m_timing.num_err", "発生個数誤差"},
}};

} // namespace

std::string_view propertyLabel(std::string_view path) {
    if (!path.starts_with(kSelectedNodePrefix)) {
        return {};
    }
    path.remove_prefix(kSelectedNodePrefix.size());
    for (const auto& [member, label] : kLabels) {
        if (member == path) {
            return label;
        }
    }
    return {};
}

} // namespace vintrel
