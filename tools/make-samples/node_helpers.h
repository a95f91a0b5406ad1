#pragma once

#include "model/global_state.h"

#include <initializer_list>
#include <utility>

// Small building blocks shared by the effect builders: curves, nodes and textures.
namespace samples {

// Curve points given as (percent of life, value 0..1); stored top-down as the curves keep them.
void shape(vintrel::EffectNode& node, int slot, std::initializer_list<std::pair<float, float>> points);
// The speed curve's values run from -1 to +1 around its middle line.
void speedShape(vintrel::EffectNode& node, std::initializer_list<std::pair<float, float>> points);
// A constant colour (0..1 per channel) over the whole life.
void colour(vintrel::EffectNode& node, float r, float gr, float b);

vintrel::EffectNode& addTopLevel(vintrel::GlobalState& g, const char* name);
vintrel::EffectNode& addChild(vintrel::GlobalState& g, vintrel::EffectNode& parent, const char* name);
// Points the node at a texture of the material list, drawn additively or alpha blended.
void useTexture(const vintrel::GlobalState& g, vintrel::EffectNode& node, const char* texture, bool additive);
// Replaces the node that every fresh project starts with.
void clearTree(vintrel::GlobalState& g);

} // namespace samples
