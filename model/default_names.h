#pragma once

#include <array>
#include <string>

namespace vintrel {

// The names the program gives to what it creates: new nodes (the prefix, followed by the
// node's ID), the root, the two camera nodes and the viewpoints of a fresh project. Japanese
// unless the editor starts with another interface language. Once given, a name is the
// project's own: it is saved and read back as it stands.
struct DefaultNames {
    std::string node = "ノード";
    std::string root = "ルートノード";
    std::string cameraPosition = "カメラ位置";
    std::string cameraTarget = "注視点";
    std::array<std::string, 3> views{"正面", "斜め上", "斜め左上"};
    // Between the eye and the target in the title of a viewpoint added from the view list.
    std::string viewpointBetween = "－";
};

const DefaultNames& defaultNames();

// Replaces the names, once at start before any project is made (the editing thread's alone).
void useDefaultNames(DefaultNames names);

} // namespace vintrel
