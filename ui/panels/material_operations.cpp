#include "ui/panels/material_operations.h"

#include "persist/materials.h"
#include "ui/panels/material_references.h"

#include <algorithm>

namespace vintrel {

MaterialList scanUsableMaterials(const std::filesystem::path& workspace) {
    MaterialList list = scanMaterials(workspace);
    list.erase(
        std::remove_if(list.begin(), list.end(),
                       [&](const Material& material) { return !isUsableMaterialFile(workspace, material); }),
        list.end());
    return list;
}

void rebuildMaterials(GlobalState& g) {
    replaceMaterialsKeepingReferences(g, scanUsableMaterials(g.workspace));
}

ImportReport applyImport(GlobalState& g, const PreparedImport& prepared) {
    ImportReport report{prepared.unreadable, prepared.unusableName, writeImport(g.workspace, prepared),
                        prepared.otherType};
    rebuildMaterials(g);
    return report;
}

const Material* materialAt(const GlobalState& g, int index) {
    if (index < 0 || index >= static_cast<int>(g.materials.size())) {
        return nullptr;
    }
    return &g.materials[static_cast<std::size_t>(index)];
}

Status deleteMaterial(GlobalState& g, int index) {
    const Material* material = materialAt(g, index);
    if (material == nullptr) {
        return Message{"no material at this position"};
    }
    Status deleted = deleteMaterialFile(g.workspace, *material);
    rebuildMaterials(g);
    return deleted;
}

Result<TransformOutcome> transformMaterial(GlobalState& g, int index, TextureTransform transform) {
    const Material* material = materialAt(g, index);
    if (material == nullptr) {
        return TransformOutcome::NoMaterial;
    }
    if (material->kind == Material::Model) {
        return TransformOutcome::RefusedForModel;
    }
    if (Status transformed = transformTextureFile(g.workspace / material->fileName(), transform);
        !transformed) {
        return transformed.error();
    }
    rebuildMaterials(g);
    return TransformOutcome::Done;
}

} // namespace vintrel
