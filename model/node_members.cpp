#include "model/node_members.h"

namespace vintrel {

namespace {

// A curve slot's name and the hint of its picture; the size curves have their own texts for
// cylinders and trails (an empty trail text: the same as the other shapes').
struct CurveSlotRow {
    const char* name;
    std::string_view hint;
    std::string_view cylinderHint;
    std::string_view trailHint;
};

constexpr CurveSlotRow kCurveSlots[kCurveSlotCount] = {
    {"サイズ【幅】", "パーティクルの幅の変化。", "円柱の底の半径の変化。", "パーティクルの太さの変化。"},
    {"サイズ【高さ】", "パーティクルの高さの変化。", "円柱の上面の半径の変化。", {}},
    {"サイズ【奥行き】", "パーティクルの奥行きの変化。", "円柱の長さの変化。", {}},
    {"自転角度", "自転の回転角度の変化。", {}, {}},
    {"公転角度", "公転の回転角度の変化。", {}, {}},
    {"カラー【赤】", "画像内の赤をどれくらい反映させるか。", {}, {}},
    {"カラー【緑】", "画像内の緑をどれくらい反映させるか。", {}, {}},
    {"カラー【青】", "画像内の青をどれくらい反映させるか。", {}, {}},
    {"カラー【不透明度】", "パーティクルの透明具合を設定。", {}, {}},
    {"速度", "パーティクルの移動速度の変化。", {}, {}},
    {"サイズ【全体】", "パーティクルのサイズの変化。", {}, {}},
    {"ぶれ", {}, {}, {}},
};

} // namespace

const NodeMember* findNodeMember(std::string_view key) {
    for (const NodeMember& member : kNodeMembers) {
        if (member.key == key) {
            return &member;
        }
    }
    return nullptr;
}

bool isEnabledFor(EnabledWhile rule, int driverValue) {
    switch (rule) {
    case EnabledWhile::Always:
        return true;
    case EnabledWhile::ZeroOrOne:
        return driverValue == 0 || driverValue == 1;
    case EnabledWhile::Two:
        return driverValue == 2;
    case EnabledWhile::NotTwo:
        return driverValue != 2;
    case EnabledWhile::NonZero:
        return driverValue != 0;
    }
    return true;
}

const char* curveSlotName(int slot) {
    return slot >= 0 && slot < kCurveSlotCount ? kCurveSlots[slot].name : "";
}

std::string_view curveSlotHint(int slot, int shapeType) {
    if (slot < 0 || slot >= kCurveSlotCount) {
        return {};
    }
    const CurveSlotRow& row = kCurveSlots[slot];
    if (shapeType == ShapeParams::Cylinder && !row.cylinderHint.empty()) {
        return row.cylinderHint;
    }
    if (shapeType == ShapeParams::Trail && !row.trailHint.empty()) {
        return row.trailHint;
    }
    return row.hint;
}

} // namespace vintrel
