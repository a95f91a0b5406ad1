#include "persist/binary_export.h"

#include "persist/atomic_file.h"
#include "platform/text_codec.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace vintrel {

namespace {

static_assert(std::endian::native == std::endian::little, "the binary export is written in host byte order");

class RecordWriter {
public:
    void i32(int v) { raw(&v, sizeof v); }
    void f32(float v) { raw(&v, sizeof v); }
    void f32(const FloatXYZ& v) {
        f32(v.x);
        f32(v.y);
        f32(v.z);
    }
    void bytes(std::string_view text) { out_.append(text); }
    std::string take() { return std::move(out_); }

private:
    void raw(const void* data, std::size_t size) { out_.append(static_cast<const char*>(data), size); }
    std::string out_;
};

void writeMotion(RecordWriter& w, const MoveParams& m) {
    w.i32(m.isOneWay);
    w.i32(m.oneway_err);
    // The direction and speed are stored twice; readers skip the second copy.
    for (int copy = 0; copy < 2; ++copy) {
        w.f32(m.dirX);
        w.f32(m.dirY);
        w.i32(m.speed);
    }
    w.i32(m.speed_err);
    w.i32(m.isFollow);
    w.i32(m.gravity);
    w.f32(m.absorbPawer);
    w.f32(m.absorbPos);
    w.i32(m.shake);
    w.i32(m.isParentShake);
}

void writeNode(RecordWriter& w, const EffectNode& node, const MaterialList& materials) {
    w.i32(node.m_isDraw);
    w.i32(node.m_ID);
    const EmitterParams& e = node.m_emitter;
    w.i32(e.type);
    w.f32(e.size);
    w.f32(e.pos);
    for (int v : {e.scope, e.err, e.fix, e.scaleFix, e.isEvenInterval}) {
        w.i32(v);
    }
    const TimingParams& t = node.m_timing;
    for (int v : {t.type, t.start, t.end, t.often, t.often_err, t.num, t.num_err}) {
        w.i32(v);
    }
    const KillParams& k = node.m_kill;
    for (int v : {k.span, k.span_err, k.isFrame, k.frame, k.frame_err, k.isLand}) {
        w.i32(v);
    }
    writeMotion(w, node.m_move);
    const ShapeParams& s = node.m_shape;
    for (int v : {s.type, s.dir, s.isDir, s.isUnderCut}) {
        w.i32(v);
    }
    const std::string textureName =
        text::utf8ToCp932Lenient(vintrel::textureName(materials, node.m_texture.ID));
    w.i32(static_cast<int>(textureName.size()));
    w.bytes(textureName);
    const TextureParams& tx = node.m_texture;
    for (int v : {tx.isAdd, tx.isAnim, tx.w, tx.h, tx.speed, tx.isLoop}) {
        w.i32(v);
    }
    const ScaleParams& sc = node.m_scale;
    for (int v : {sc.max, sc.max_err, sc.trailLength, sc.trailThickChange}) {
        w.i32(v);
    }
    const ColorParams& c = node.m_color;
    for (int v : {c.isAlphaParent, c.brigRnd, c.alphaRnd}) {
        w.i32(v);
    }
    const RotateParams& r = node.m_rotate;
    for (int v : {r.axis, r.angle, r.angle_err, r.dir, r.isSameParent, r.revAxis, r.revAngle, r.revAngle_err,
                  r.revDir}) {
        w.i32(v);
    }
    for (int slot = 0; slot < kCurveSlotCount; ++slot) {
        const Graph& curve = node.graph(slot);
        w.i32(curve.pointCount());
        for (const CurvePoint& p : curve.points()) {
            w.f32(p.x);
            w.f32(p.y);
        }
    }
    w.i32(node.childCount());
    for (const auto& child : node.m_children) {
        writeNode(w, *child, materials);
    }
}

} // namespace

std::string encodeBinaryExport(const EffectNode& root, const MaterialList& materials) {
    RecordWriter w;
    for (const auto& node : root.m_children) {
        writeNode(w, *node, materials);
    }
    return w.take();
}

bool exportBinary(const GlobalState& g, const std::filesystem::path& path, Notifier& notifier) {
    const std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
    std::string error;
    if (!writeFileAtomically(path, encodeBinaryExport(*g.rootNode, g.materials), error)) {
        notifier.showMessage("書き出しエラー", "「" + path.string() + "」に書き出せませんでした。\n" + error);
        return false;
    }
    // Every texture that can be copied is; the ones that cannot are named together.
    std::string missing;
    for (const Material& material : g.materials) {
        if (material.kind != Material::Texture) {
            continue;
        }
        auto data = readWholeFile(g.workspace / material.fileName());
        std::string copyError;
        if (!data || !writeFileAtomically(folder / material.name, *data, copyError)) {
            missing += (missing.empty() ? "「" : "、「") + material.name + "」";
        }
    }
    if (!missing.empty()) {
        notifier.showMessage("書き出しエラー", "素材" + missing + "をコピーできませんでした。");
        return false;
    }
    return true;
}

} // namespace vintrel
