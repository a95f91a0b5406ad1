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

bool deleteMaterial(GlobalState& g, int index, std::string& error) {
    const Material* material = materialAt(g, index);
    if (material == nullptr) {
        error = "no material at this position";
        return false;
    }
    const bool deleted = deleteMaterialFile(g.workspace, *material, error);
    rebuildMaterials(g);
    return deleted;
}

TransformOutcome transformMaterial(GlobalState& g, int index, TextureTransform transform,
                                   std::string& error) {
    const Material* material = materialAt(g, index);
    if (material == nullptr) {
        return TransformOutcome::NoMaterial;
    }
    if (material->kind == Material::Model) {
        return TransformOutcome::RefusedForModel;
    }
    if (!transformTextureFile(g.workspace / material->fileName(), transform, error)) {
        return TransformOutcome::Failed;
    }
    rebuildMaterials(g);
    return TransformOutcome::Done;
}

} // namespace vintrel
