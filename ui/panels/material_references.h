#pragma once

#include "model/global_state.h"

namespace vintrel {

// Nodes and the mask refer to materials by position in the material list, so every change of
// the list would point them at other materials. This replaces the project's list with `rebuilt`
// and moves each reference to the material of the same name:
// - a node's texture (m_texture.ID) becomes the position of the texture with its old texture's
//   name, or -1 when there is none;
// - a node's model (m_shape.type from ShapeParams::FirstModel on) becomes FirstModel plus the
//   position among the models of the model with its old model's name; when no model has that
//   name the shape number stays as it was (always so for the built-in shapes);
// - the mask texture (g.mask.texID, 1 + list position, 0 for none) follows its texture's name,
//   and becomes 0 when that texture is gone.
// The root node is not a particle node and keeps its values. Call it with the worker stopped.
void replaceMaterialsKeepingReferences(GlobalState& g, MaterialList rebuilt);

} // namespace vintrel
