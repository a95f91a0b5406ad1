layout(location = 0) in vec3 POSITION;
layout(location = 1) in vec2 TEXCOORD;

out vec2 Tex;
out vec4 Pos3D;

void main() {
    vec4 position = vec4(POSITION, 1.0);
#ifdef VS_CYLINDER
    // The base ring lies at z = 0 and takes the base radius; every other vertex the tip's.
    position = POSITION.z == 0.0 ? position * g_mBottomScale : position * g_mTopScale;
#endif
    gl_Position = position * g_mWVP;
    DEPTH_FROM_ZERO_TO_ONE(gl_Position);
    Tex = (vec4(TEXCOORD, 0.0, 1.0) * g_mTex).xy;
    Pos3D = position * g_mW;
}
