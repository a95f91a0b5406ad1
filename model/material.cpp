#include "model/material.h"

namespace vintrel {

std::string textureName(const MaterialList& list, int index) {
    if (index < 0 || index >= static_cast<int>(list.size())) {
        return {};
    }
    const Material& m = list[static_cast<std::size_t>(index)];
    return m.kind == Material::Texture ? m.name : std::string();
}

std::string modelName(const MaterialList& list, int k) {
    if (k < 0) {
        return {};
    }
    for (const Material& m : list) {
        if (m.kind == Material::Model && k-- == 0) {
            return m.name;
        }
    }
    return {};
}

int textureIndexByName(const MaterialList& list, const std::string& name) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].kind == Material::Texture && list[i].name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int modelIndexByName(const MaterialList& list, const std::string& name) {
    int k = 0;
    for (const Material& m : list) {
        if (m.kind == Material::Model) {
            if (m.name == name) {
                return k;
            }
            ++k;
        }
    }
    return -1;
}

} // namespace vintrel
