#include "ui/panels/material_references.h"

#include <utility>

namespace vintrel {

namespace {

// g.mask.texID counts the textures from 1; 0 means no mask.
constexpr int kNoMask = 0;
constexpr int kMaskIdOffset = 1;

} // namespace

void replaceMaterialsKeepingReferences(GlobalState& g, MaterialList rebuilt) {
    resolveMaterialNames(*g.rootNode, g.materials);
    const std::string maskName = textureName(g.materials, g.mask.texID - kMaskIdOffset);
    g.materials = std::move(rebuilt);
    resolveMaterialIds(*g.rootNode, g.materials);
    const int maskIndex = maskName.empty() ? -1 : textureIndexByName(g.materials, maskName);
    g.mask.texID = maskIndex >= 0 ? maskIndex + kMaskIdOffset : kNoMask;
}

} // namespace vintrel
