layout(location = 0) in vec3 POSITION;
layout(location = 1) in vec2 TEXCOORD;

#ifdef VS_INSTANCED
// One draw for many particles: each particle's constants come as instance attributes, laid out
// as the uniforms hold them (matrices by columns of the transposed matrix).
layout(location = 2) in mat4 INSTANCE_WVP;
layout(location = 6) in mat4 INSTANCE_W;
layout(location = 10) in vec4 INSTANCE_TEX_U; // the texture matrix's first two columns
layout(location = 11) in vec4 INSTANCE_TEX_V;
layout(location = 12) in vec4 INSTANCE_COLOR;
layout(location = 13) in vec4 INSTANCE_BOTTOM; // cylinder base scale in xyz, under-cut flag in w
layout(location = 14) in vec4 INSTANCE_TOP;    // cylinder tip scale in xyz
flat out vec4 InstanceColor;
flat out float InstanceUnderCut;
#define PARTICLE_WVP INSTANCE_WVP
#define PARTICLE_W INSTANCE_W
#define PARTICLE_TEX mat4(INSTANCE_TEX_U, INSTANCE_TEX_V, vec4(0.0), vec4(0.0))
#define BOTTOM_SCALE mat4(vec4(INSTANCE_BOTTOM.x, 0, 0, 0), vec4(0, INSTANCE_BOTTOM.y, 0, 0), \
                          vec4(0, 0, INSTANCE_BOTTOM.z, 0), vec4(0, 0, 0, 1))
#define TOP_SCALE mat4(vec4(INSTANCE_TOP.x, 0, 0, 0), vec4(0, INSTANCE_TOP.y, 0, 0), \
                       vec4(0, 0, INSTANCE_TOP.z, 0), vec4(0, 0, 0, 1))
#else
#define PARTICLE_WVP g_mWVP
#define PARTICLE_W g_mW
#define PARTICLE_TEX g_mTex
#define BOTTOM_SCALE g_mBottomScale
#define TOP_SCALE g_mTopScale
#endif

out vec2 Tex;
out vec4 Pos3D;

void main() {
    vec4 position = vec4(POSITION, 1.0);
#ifdef VS_CYLINDER
    // The base ring lies at z = 0 and takes the base radius; every other vertex the tip's.
    position = POSITION.z == 0.0 ? position * BOTTOM_SCALE : position * TOP_SCALE;
#endif
    gl_Position = position * PARTICLE_WVP;
    DEPTH_FROM_ZERO_TO_ONE(gl_Position);
    Tex = (vec4(TEXCOORD, 0.0, 1.0) * PARTICLE_TEX).xy;
    Pos3D = position * PARTICLE_W;
#ifdef VS_INSTANCED
    InstanceColor = INSTANCE_COLOR;
    InstanceUnderCut = INSTANCE_BOTTOM.w;
#endif
}
