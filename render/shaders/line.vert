// Line program: single-colour segments (floor grid, axes, emitter guides). With VS_GUIDES the
// matrices come per instance instead: each guide's shape and position marker in one draw.
uniform mat4 g_mWVP;    // world x view x projection, row-vector convention

layout(location = 0) in vec3 POSITION;
#ifdef VS_GUIDES
layout(location = 1) in float MARKER;   // 1 for the position marker's segments
layout(location = 2) in mat4 WVP_SHAPE; // the guide's shape, as g_mWVP
layout(location = 6) in mat4 WVP_MARKER;
#endif

void main() {
#ifdef VS_GUIDES
    mat4 wvp = MARKER != 0.0 ? WVP_MARKER : WVP_SHAPE;
#else
    mat4 wvp = g_mWVP;
#endif
    gl_Position = vec4(POSITION, 1.0) * wvp;
    DEPTH_FROM_ZERO_TO_ONE(gl_Position);
}
