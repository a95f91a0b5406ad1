#pragma once

#include <string>
#include <vector>

namespace vintrel {

// One entry of the project's material list: a texture (kept as PNG in the workspace) or an
// OBJ model. The name is the file name without its extension (UTF-8). The list holds the
// textures first and the models after them; nodes refer to textures by list position and to
// models by position among the models.
struct Material {
    enum Kind { Texture, Model };
    std::string name;
    Kind kind = Texture;

    std::string fileName() const { return name + (kind == Model ? ".obj" : ".png"); }
    friend bool operator==(const Material&, const Material&) = default;
};

using MaterialList = std::vector<Material>;

// Name of the texture at list position `index`, or empty when there is none.
std::string textureName(const MaterialList& list, int index);
// Name of the k-th model, or empty when there is none.
std::string modelName(const MaterialList& list, int k);
// List position of the first texture named `name`, or -1.
int textureIndexByName(const MaterialList& list, const std::string& name);
// Position among the models of the first model named `name`, or -1.
int modelIndexByName(const MaterialList& list, const std::string& name);

} // namespace vintrel
