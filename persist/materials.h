#pragma once

#include "model/material.h"

#include <filesystem>

namespace vintrel {

// The placeholder texture that stands in for "no texture"; never a material.
constexpr const char* kPlaceholderTextureName = "__dummy__dummy.png";

// Builds the material list from the files in the workspace: the textures (*.png, *.bmp, *.jpg,
// *.jpeg, each pattern in turn) first, then the models (*.obj). Within a pattern the files come
// in name order, compared without regard to ASCII case, the order in which the folder listing
// of the system the format comes from returns them, so that the indices stored in a package
// select the same materials here.
MaterialList scanMaterials(const std::filesystem::path& workspace);

} // namespace vintrel
