#ifdef VS_BATCHED
// One draw for many particles: gl_VertexID counts the batch's mesh vertices particle after
// particle, and each particle's constants are read from a buffer texture, laid out as the
// uniforms hold them (matrices by columns of the transposed matrix).
uniform samplerBuffer g_particles;    // kParticleTexels texels per particle
uniform samplerBuffer g_meshVertices; // two texels per mesh vertex: x, y, z, u and v
uniform int g_meshVertexCount;
const int kParticleTexels = 13;

vec3 POSITION;
vec2 TEXCOORD;
mat4 BATCH_WVP;
mat4 BATCH_W;
vec4 BATCH_TEX_U; // the texture matrix's first two columns
vec4 BATCH_TEX_V;
vec4 BATCH_COLOR;
vec4 BATCH_BOTTOM; // cylinder base scale in xyz, under-cut flag in w
vec4 BATCH_TOP;    // cylinder tip scale in xyz

mat4 particleMatrix(int first) {
    return mat4(texelFetch(g_particles, first), texelFetch(g_particles, first + 1),
                texelFetch(g_particles, first + 2), texelFetch(g_particles, first + 3));
}

void fetchVertex() {
    int particle = gl_VertexID / g_meshVertexCount;
    int corner = gl_VertexID - particle * g_meshVertexCount;
    vec4 pointAndU = texelFetch(g_meshVertices, 2 * corner);
    POSITION = pointAndU.xyz;
    TEXCOORD = vec2(pointAndU.w, texelFetch(g_meshVertices, 2 * corner + 1).x);
    int first = particle * kParticleTexels;
    BATCH_WVP = particleMatrix(first);
    BATCH_W = particleMatrix(first + 4);
    BATCH_TEX_U = texelFetch(g_particles, first + 8);
    BATCH_TEX_V = texelFetch(g_particles, first + 9);
    BATCH_COLOR = texelFetch(g_particles, first + 10);
    BATCH_BOTTOM = texelFetch(g_particles, first + 11);
    BATCH_TOP = texelFetch(g_particles, first + 12);
}

flat out vec4 BatchColor;
flat out float BatchUnderCut;
#define PARTICLE_WVP BATCH_WVP
#define PARTICLE_W BATCH_W
#define PARTICLE_TEX mat4(BATCH_TEX_U, BATCH_TEX_V, vec4(0.0), vec4(0.0))
#define BOTTOM_SCALE mat4(vec4(BATCH_BOTTOM.x, 0, 0, 0), vec4(0, BATCH_BOTTOM.y, 0, 0), \
                          vec4(0, 0, BATCH_BOTTOM.z, 0), vec4(0, 0, 0, 1))
#define TOP_SCALE mat4(vec4(BATCH_TOP.x, 0, 0, 0), vec4(0, BATCH_TOP.y, 0, 0), \
                       vec4(0, 0, BATCH_TOP.z, 0), vec4(0, 0, 0, 1))
#else
#define PARTICLE_WVP g_mWVP
#define PARTICLE_W g_mW
#define PARTICLE_TEX g_mTex
#define BOTTOM_SCALE g_mBottomScale
#define TOP_SCALE g_mTopScale
layout(location = 0) in vec3 POSITION;
layout(location = 1) in vec2 TEXCOORD;
#endif

out vec2 Tex;
out vec4 Pos3D;
#ifdef VS_CHANNEL
// The clip positions of this point now and in the next exported frame, interpolated in
// perspective so that each pixel gets the motion of the surface point it shows.
out vec4 ClipNow;
out vec4 ClipNext;
#endif

void main() {
#ifdef VS_BATCHED
    fetchVertex();
#endif
    vec4 position = vec4(POSITION, 1.0);
#ifdef VS_CYLINDER
    // The base ring lies at z = 0 and takes the base radius; every other vertex the tip's.
    position = POSITION.z == 0.0 ? position * BOTTOM_SCALE : position * TOP_SCALE;
#endif
    gl_Position = position * PARTICLE_WVP;
#ifdef VS_CHANNEL
    ClipNow = gl_Position;
    ClipNext = position * g_mWVPNext;
#endif
    DEPTH_FROM_ZERO_TO_ONE(gl_Position);
    Tex = (vec4(TEXCOORD, 0.0, 1.0) * PARTICLE_TEX).xy;
    Pos3D = position * PARTICLE_W;
#ifdef VS_BATCHED
    BatchColor = BATCH_COLOR;
    BatchUnderCut = BATCH_BOTTOM.w;
#endif
}
