// One source, six pixel entries chosen by a define: PS_Alpha and PS_NonAlpha for the view,
// PS_BackAlpha, PS_BackNonAlpha, PS_BackAlphaAdd and PS_BackNonAlphaAdd for export, where the
// blend state is opaque and the fragment composes itself over a copy of the target (g_texRT).
uniform sampler2D g_texDecal; // unit 0: the particle texture
uniform sampler2D g_texRT;    // unit 1: copy of the export target
uniform sampler2D g_texMask;  // unit 2: mask image (transparent when there is no mask)

in vec2 Tex;
in vec4 Pos3D;
out vec4 fragColor;

#ifdef PS_BATCHED
flat in vec4 BatchColor; // the particle's colour and under-cut flag, per particle of a batch
flat in float BatchUnderCut;
#define PARTICLE_COLOR BatchColor
#define UNDER_CUT BatchUnderCut
#else
#define PARTICLE_COLOR g_mColor
#define UNDER_CUT g_underCut.x
#endif

bool hiddenBelowFloor() {
    return UNDER_CUT != 0.0 && Pos3D.y < 0.0;
}

// Target coordinate of this pixel in 0..1; the copy texture and the mask share the target's
// orientation, so both are read at the pixel being written.
vec2 targetCoordinate() {
    return (vec4(gl_FragCoord.xy, gl_FragCoord.z, 1.0) * g_mScreen).xy;
}

vec4 masked(vec4 colour, vec2 t) {
    if (Pos3D.z > 0.0) {
        colour.a *= 1.0 - texture(g_texMask, t).a;
    }
    return colour;
}

// Straight-alpha "over": the fragment C over what the target holds (D).
vec4 over(vec4 c, vec4 d) {
    float as = c.a;
    float ad = d.a;
    float ar = as + (1.0 - as) * ad;
    vec4 colour = (c * as + d * (1.0 - as) * ad) / ar;
    colour.a = ar;
    return colour;
}

void main() {
    vec4 c = texture(g_texDecal, Tex) * PARTICLE_COLOR;
#if defined(PS_ALPHA) || defined(PS_NON_ALPHA)
    if (hiddenBelowFloor()) {
        c.a *= 0.0;
    }
#ifdef PS_NON_ALPHA
    if (c.a < 1.0) {
        discard; // only fully opaque texels are drawn in the depth-writing pass
    }
#endif
    fragColor = c;
#else
    if (hiddenBelowFloor()) {
        discard;
    }
#if defined(PS_BACK_NON_ALPHA) || defined(PS_BACK_NON_ALPHA_ADD)
    if (c.a < 1.0) {
        discard;
    }
#endif
    vec2 t = targetCoordinate();
    vec4 d = texture(g_texRT, t);
    vec4 colour = c;
    if (d.a != 0.0) {
#if defined(PS_BACK_ALPHA) || defined(PS_BACK_NON_ALPHA)
        colour = over(c, d);
#elif defined(PS_BACK_ALPHA_ADD)
        colour = (c * c.a + d * d.a) * (1.0 / clamp(c.a + d.a, 0.0, 1.0));
        colour.a = c.a + d.a;
#else
        colour = c + d * d.a;
        colour.a = 1.0;
#endif
    }
    fragColor = masked(colour, t);
#endif
}
