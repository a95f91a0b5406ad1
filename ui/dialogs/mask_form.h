#pragma once

#include "model/global_state.h"
#include "ui/dialogs/int_range.h"

#include <string>
#include <vector>

namespace vintrel {

// What the mask settings dialog edits: the mask picture, its rectangle, and the two values that
// only the dialog reads (the display switch and the opacity).
struct MaskForm {
    int texID = 0; // 0: none, otherwise 1 + the texture's place in the material list
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    bool isDisp = false;
    int alpha = 0;

    bool operator==(const MaskForm&) const = default;
};

inline constexpr IntRange kMaskPositionRange{-9999, 9999};
inline constexpr IntRange kMaskSizeRange{0, 9999};
inline constexpr IntRange kMaskAlphaRange{0, 255};

// The mask's values as they are stored.
MaskForm maskFormOf(const MaskSettings& mask);

// The values the dialog opens with: the stored ones, except that a mask whose width is 0 or not
// yet set (-999, as in a new project) starts as large as the project's frame.
MaskForm maskFormForDialog(const MaskSettings& mask, const ProjectSettings& project);

// Writes the form's values into `mask`; the texture size stays as it is.
void applyMaskForm(MaskSettings& mask, const MaskForm& form);

// The pictures a mask can use, in list order after "なし": the textures of the material list
// up to its first 3D model. Entry i is texID i + 1.
std::vector<std::string> maskPictureNames(const MaterialList& materials);

} // namespace vintrel
