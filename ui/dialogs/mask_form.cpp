#include "ui/dialogs/mask_form.h"

namespace vintrel {

MaskForm maskFormOf(const MaskSettings& mask) {
    return {mask.texID, mask.x, mask.y, mask.w, mask.h, mask.isDisp != 0, mask.alpha};
}

MaskForm maskFormForDialog(const MaskSettings& mask, const ProjectSettings& project) {
    MaskForm form = maskFormOf(mask);
    if (mask.w == 0 || mask.w == MaskSettings::kUnset) {
        form.w = project.width;
        form.h = project.height;
    }
    return form;
}

void applyMaskForm(MaskSettings& mask, const MaskForm& form) {
    mask.texID = form.texID;
    mask.x = form.x;
    mask.y = form.y;
    mask.w = form.w;
    mask.h = form.h;
    mask.isDisp = form.isDisp ? 1 : 0;
    mask.alpha = form.alpha;
}

std::vector<std::string> maskPictureNames(const MaterialList& materials) {
    std::vector<std::string> names;
    for (const Material& material : materials) {
        if (material.kind == Material::Model) {
            break;
        }
        names.push_back(material.name);
    }
    return names;
}

} // namespace vintrel
