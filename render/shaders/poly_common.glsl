// Poly program: every particle mesh. Matrices use the row-vector convention (position x matrix)
// and are written transposed, as the CPU side builds them. The constants are rewritten before
// every draw; plain uniforms are taken by value at the draw, so a new value never waits for
// the draws before it.
uniform mat4 g_mWVP;          // world x view x projection (view x projection for a trail)
uniform mat4 g_mW;            // world
uniform mat4 g_mTex;          // texture-coordinate transform (atlas cell)
uniform mat4 g_mScreen;       // pixel position -> 0..1 target coordinates
uniform vec4 g_mColor;        // particle colour
uniform mat4 g_mBottomScale;  // cylinder base scaling
uniform mat4 g_mTopScale;     // cylinder tip scaling
uniform vec4 g_underCut;      // x = 1 hides what lies below the floor
uniform mat4 g_mWVPNext;      // the extra channels: where the particle is in the next exported frame
uniform vec4 g_channel;       // x: motion scale, y: the value of no motion, z: the far end of depth,
                              // w: 1 for an additive particle's motion
