#pragma once

// GLSL sources of render/shaders/, compiled into the program by the build.
namespace vintrel::shaders {
extern const char* const line_vert;
extern const char* const line_frag;
extern const char* const poly_common_glsl;
extern const char* const poly_vert;
extern const char* const poly_frag;
} // namespace vintrel::shaders
