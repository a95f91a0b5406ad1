#include "persist/binary_export.h"

#include "model/node_members.h"
#include "persist/atomic_file.h"
#include "platform/text_codec.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace vintrel {

namespace {

constexpr const char* kExportErrorCaption = "書き出しエラー";

static_assert(std::endian::native == std::endian::little, "the binary export is written in host byte order");

class RecordWriter {
public:
    void i32(int v) { raw(&v, sizeof v); }
    void f32(float v) { raw(&v, sizeof v); }
    void bytes(std::string_view text) { out_.append(text); }
    std::string take() { return std::move(out_); }

private:
    void raw(const void* data, std::size_t size) { out_.append(static_cast<const char*>(data), size); }
    std::string out_;
};

// The members in the order of their values in a node's record; a member written twice (the
// direction and speed, which readers skip the second time) appears at both places.
const std::vector<const NodeMember*>& recordOrder() {
    static const std::vector<const NodeMember*> order = [] {
        std::vector<const NodeMember*> members;
        for (const NodeMember& member : nodeMembers()) {
            for (const int position : member.binaryAt) {
                if (position < 0) {
                    continue;
                }
                if (members.size() <= static_cast<std::size_t>(position)) {
                    members.resize(static_cast<std::size_t>(position) + 1);
                }
                members[static_cast<std::size_t>(position)] = &member;
            }
        }
        return members;
    }();
    return order;
}

void writeNode(RecordWriter& w, const EffectNode& node, const MaterialList& materials) {
    for (const NodeMember* member : recordOrder()) {
        if (member->binaryForm == BinaryForm::TextureName) {
            const std::string name = text::utf8ToCp932Lenient(textureName(materials, member->intValue(node)));
            w.i32(static_cast<int>(name.size()));
            w.bytes(name);
        } else if (member->isFloat()) {
            w.f32(member->floatValue(node));
        } else {
            w.i32(member->intValue(node));
        }
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
    if (Status written = writeFileAtomically(path, encodeBinaryExport(*g.rootNode, g.materials)); !written) {
        notifier.show(kExportErrorCaption, Message{"「%1」に書き出せませんでした。\n%2",
                                                   {path.string(), untranslated(written.error())}});
        return false;
    }
    // Every texture that can be copied is; the ones that cannot are named together.
    std::string missing;
    for (const Material& material : g.materials) {
        if (material.kind != Material::Texture) {
            continue;
        }
        auto data = readWholeFile(g.workspace / material.fileName());
        if (!data || !writeFileAtomically(folder / material.name, *data)) {
            missing += (missing.empty() ? "「" : "、「") + material.name + "」";
        }
    }
    if (!missing.empty()) {
        notifier.show(kExportErrorCaption, Message{"素材%1をコピーできませんでした。", {missing}});
        return false;
    }
    return true;
}

} // namespace vintrel
