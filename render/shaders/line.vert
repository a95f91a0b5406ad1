// Line program: single-colour segments (floor grid, axes, emitter guides).
uniform mat4 g_mWVP;    // world x view x projection, row-vector convention

layout(location = 0) in vec3 POSITION;

void main() {
    gl_Position = vec4(POSITION, 1.0) * g_mWVP;
    DEPTH_FROM_ZERO_TO_ONE(gl_Position);
}
