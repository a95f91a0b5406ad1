#pragma once

#include "model/material.h"
#include "platform/result.h"

#include <filesystem>
#include <string>
#include <vector>

namespace vintrel {

// The placeholder texture that stands in for "no texture"; never a material.
constexpr const char* kPlaceholderTextureName = "__dummy__dummy.png";

// Builds the material list from the files in the workspace: the textures (*.png, *.bmp, *.jpg,
// *.jpeg, each pattern in turn) first, then the models (*.obj). Within a pattern the files come
// in name order, compared without regard to ASCII case. A rebuild after an edit keeps the
// nodes' references by name, so this order only has to be stable.
MaterialList scanMaterials(const std::filesystem::path& workspace);

// The material list of a project just unpacked into `workspace`. The indices saved in a package
// mean positions in the list of the program that wrote it, and a package lists its material
// entries in exactly that order, so `entryNames` (the package's entry names, in package order)
// decides the order: the textures as listed, then the models as listed. Files of the folder
// that the package does not list follow within their kind in scan order. A material whose own
// workspace file (its name with ".png" or ".obj") is missing is left out: it could be neither
// drawn nor saved.
MaterialList materialsInListedOrder(const std::filesystem::path& workspace,
                                    const std::vector<std::string>& entryNames);

// Writes the placeholder texture, a 1 × 1 opaque white PNG, into `folder`; fails with the system's
// reason.
Status writePlaceholderTexture(const std::filesystem::path& folder);

} // namespace vintrel
