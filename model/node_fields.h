#pragma once

#include "model/effect_node.h"

#include <span>
#include <string_view>

namespace vintrel {

// One numeric parameter of a node, named by its member path ("m_emitter.size.x"). The member
// paths are the keys of the settings file and of edit history entries; the label names an edit
// of the field in the history ("寿命"), empty for the fields whose edits have none.
struct NodeField {
    std::string_view key;
    std::string_view label;
    int* (*intField)(EffectNode&) = nullptr;     // set for integer and flag fields
    float* (*floatField)(EffectNode&) = nullptr; // set for float fields

    bool isFloat() const { return floatField != nullptr; }
    int& intRef(EffectNode& node) const { return *intField(node); }
    float& floatRef(EffectNode& node) const { return *floatField(node); }
    int intValue(const EffectNode& node) const { return *intField(const_cast<EffectNode&>(node)); }
    float floatValue(const EffectNode& node) const { return *floatField(const_cast<EffectNode&>(node)); }
};

// Every numeric node field in settings-file order (the name is written before them).
std::span<const NodeField> nodeFields();
const NodeField* findNodeField(std::string_view key);

} // namespace vintrel
