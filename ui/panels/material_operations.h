#pragma once

// The material panel's commands on the project: each changes the workspace, rebuilds the
// material list from the folder and keeps every reference on its material by name
// (replaceMaterialsKeepingReferences). The editor runs them inside
// ProjectDocument::changeMaterials, which stops the worker first and lets the view upload the
// textures again afterwards.

#include "model/global_state.h"
#include "ui/panels/material_files.h"

#include <filesystem>
#include <string>
#include <vector>

namespace vintrel {

// The material list as the workspace holds it now: the textures, then the models, in scan order,
// leaving out files that cannot be used (see isUsableMaterialFile).
MaterialList scanUsableMaterials(const std::filesystem::path& workspace);

// Rebuilds g.materials from the workspace, keeping the references.
void rebuildMaterials(GlobalState& g);

// What an import left out, by file name.
struct ImportReport {
    std::vector<std::string> unreadable;
    std::vector<std::string> unusableName;
    std::vector<std::string> unwritable;
    std::vector<std::string> otherType;

    bool complete() const {
        return unreadable.empty() && unusableName.empty() && unwritable.empty() && otherType.empty();
    }
};

// Writes the prepared files into the workspace and rebuilds the list.
ImportReport applyImport(GlobalState& g, const PreparedImport& prepared);

// The material at list position `index`, or null.
const Material* materialAt(const GlobalState& g, int index);

// Deletes material `index`'s file and rebuilds the list; the nodes that used it are left without
// a texture (a model's shape number stays). Fails with the reason when the file stays.
Status deleteMaterial(GlobalState& g, int index);

enum class TransformOutcome { Done, RefusedForModel, NoMaterial };

// Mirrors or turns texture `index` in its file and rebuilds the list. Models are refused and
// nothing changes; fails with the reason when the file cannot be changed.
Result<TransformOutcome> transformMaterial(GlobalState& g, int index, TextureTransform transform);

} // namespace vintrel
