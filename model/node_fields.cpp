#include "model/node_fields.h"

namespace vintrel {

namespace {

#define INT_FIELD(path)                                                                                      \
    NodeField {                                                                                              \
#path, [](EffectNode & n) { return &n.path; }, nullptr                                               \
    }
#define FLOAT_FIELD(path)                                                                                    \
    NodeField {                                                                                              \
#path, nullptr, [](EffectNode & n) { return &n.path; }                                               \
    }

// The order is the order of the keys in a node's section of the settings file.
constexpr NodeField kNodeFields[] = {
    INT_FIELD(m_isDraw),
    INT_FIELD(m_ID),
    INT_FIELD(m_emitter.type),
    FLOAT_FIELD(m_emitter.size.x),
    FLOAT_FIELD(m_emitter.size.y),
    FLOAT_FIELD(m_emitter.size.z),
    FLOAT_FIELD(m_emitter.pos.x),
    FLOAT_FIELD(m_emitter.pos.y),
    FLOAT_FIELD(m_emitter.pos.z),
    INT_FIELD(m_emitter.scope),
    INT_FIELD(m_emitter.err),
    INT_FIELD(m_emitter.fix),
    INT_FIELD(m_emitter.scaleFix),
    INT_FIELD(m_emitter.isEvenInterval),
    INT_FIELD(m_timing.type),
    INT_FIELD(m_timing.start),
    INT_FIELD(m_timing.end),
    INT_FIELD(m_timing.often),
    INT_FIELD(m_timing.often_err),
    INT_FIELD(m_timing.num),
    INT_FIELD(m_timing.num_err),
    INT_FIELD(m_kill.span),
    INT_FIELD(m_kill.span_err),
    INT_FIELD(m_kill.isFrame),
    INT_FIELD(m_kill.frame),
    INT_FIELD(m_kill.frame_err),
    INT_FIELD(m_kill.isLand),
    INT_FIELD(m_move.isOneWay),
    INT_FIELD(m_move.oneway_err),
    FLOAT_FIELD(m_move.dirX),
    FLOAT_FIELD(m_move.dirY),
    INT_FIELD(m_move.speed),
    INT_FIELD(m_move.speed_err),
    INT_FIELD(m_move.isFollow),
    INT_FIELD(m_move.gravity),
    FLOAT_FIELD(m_move.absorbPos.x),
    FLOAT_FIELD(m_move.absorbPos.y),
    FLOAT_FIELD(m_move.absorbPos.z),
    // The attraction strength was once left out of the files, which lost it on every save;
    // it is written right after the attraction point, and files without it read 0.
    FLOAT_FIELD(m_move.absorbPawer),
    INT_FIELD(m_move.shake),
    INT_FIELD(m_move.isParentShake),
    INT_FIELD(m_shape.type),
    INT_FIELD(m_shape.dir),
    INT_FIELD(m_shape.isDir),
    INT_FIELD(m_shape.isUnderCut),
    INT_FIELD(m_texture.ID),
    INT_FIELD(m_texture.isAdd),
    INT_FIELD(m_texture.isAnim),
    INT_FIELD(m_texture.w),
    INT_FIELD(m_texture.h),
    INT_FIELD(m_texture.speed),
    INT_FIELD(m_texture.isLoop),
    INT_FIELD(m_scale.max),
    INT_FIELD(m_scale.max_err),
    INT_FIELD(m_scale.trailLength),
    INT_FIELD(m_scale.trailThickChange),
    INT_FIELD(m_color.isAlphaParent),
    INT_FIELD(m_color.brigRnd),
    INT_FIELD(m_color.alphaRnd),
    INT_FIELD(m_rotate.axis),
    INT_FIELD(m_rotate.angle),
    INT_FIELD(m_rotate.angle_err),
    INT_FIELD(m_rotate.dir),
    INT_FIELD(m_rotate.isSameParent),
    INT_FIELD(m_rotate.revAxis),
    INT_FIELD(m_rotate.revAngle),
    INT_FIELD(m_rotate.revAngle_err),
    INT_FIELD(m_rotate.revDir),
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
