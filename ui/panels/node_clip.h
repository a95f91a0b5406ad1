#pragma once

// Nodes on the clipboard: a subtree with its curves and the materials it uses, as our own MIME
// type (JSON: the subtree's settings-file sections and each material's file) plus plain text of
// the settings keys, so that nodes travel between editor processes through the system clipboard.

#include "model/global_state.h"
#include "platform/result.h"

#include <QByteArray>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vintrel {

constexpr const char* kNodeClipMimeType = "application/x-vintrel-nodes";
constexpr const char* kDamagedNodeClip = "クリップボードのノードを読めません。";
constexpr const char* kNodeClipCaption = "貼り付け";

struct ClipMaterial {
    Material material;
    std::string bytes; // the workspace file: a square PNG or an OBJ model
};

struct NodeClip {
    std::unique_ptr<EffectNode> top; // with its materials referred to by name
    std::vector<ClipMaterial> materials;
    std::string settingsText; // the subtree's settings-file sections (UTF-8), the plain text
};

// The subtree of `top` (a node of g's tree) with the materials it uses, read from g's workspace.
Result<NodeClip> copyNodeClip(const EffectNode& top, const GlobalState& g);

QByteArray encodeNodeClip(const NodeClip& clip);
// Refuses anything that is not a whole clip of this format: no JSON, another version, no node,
// a material with a name a project cannot store, data that is not base64 or a texture that is
// not an image.
Result<NodeClip> decodeNodeClip(const QByteArray& data);

// Writes the clip's materials into g's workspace: one of the same name and kind with the same
// bytes is used as it is, one of the same name with other bytes is written under a new name
// ("flame_2", "flame_3", …), a missing one under its own name. Returns the new name of each
// renamed one by its clip file name ("flame.png" → "flame_2"). The caller rebuilds the material
// list afterwards.
Result<std::map<std::string, std::string>> bringClipMaterials(const GlobalState& g, const NodeClip& clip);

// Points the subtree's texture and model names to the renamed materials and turns the names
// into indices of g's (rebuilt) material list.
void attachClipMaterials(std::unique_ptr<EffectNode>& top, const std::map<std::string, std::string>& renamed,
                         const MaterialList& materials);

} // namespace vintrel
