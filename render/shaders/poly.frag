// One source, nine pixel entries chosen by a define: PS_Alpha and PS_NonAlpha for the view,
// PS_BackAlpha, PS_BackNonAlpha, PS_BackAlphaAdd and PS_BackNonAlphaAdd for export, where the
// blend state is opaque and the fragment composes itself over a copy of the target (g_texRT),
// and for an export's extra channels PS_MotionAlpha and PS_MotionNonAlpha (the motion composed
// as the colour is) and PS_Depth (the depth of opaque texels, with the depth test).
uniform sampler2D g_texDecal; // unit 0: the particle texture
uniform sampler2D g_texRT;    // unit 1: copy of the export target
uniform sampler2D g_texMask;  // unit 2: mask image (transparent when there is no mask)

in vec2 Tex;
in vec4 Pos3D;
out vec4 fragColor;
#if defined(PS_MOTION_ALPHA) || defined(PS_MOTION_NON_ALPHA) || defined(PS_DEPTH)
in vec4 ClipNow;
in vec4 ClipNext;
#endif

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

#if defined(PS_MOTION_ALPHA) || defined(PS_MOTION_NON_ALPHA)
// The motion of this point by the next exported frame, in frame widths and heights (x to the
// right, y down), scaled and offset so that g_channel.y is no motion.
vec2 encodedMotion() {
    vec2 motion = vec2(0.0);
    if (ClipNow.w > 0.0 && ClipNext.w > 0.0) {
        motion = (ClipNext.xy / ClipNext.w - ClipNow.xy / ClipNow.w) * vec2(0.5, -0.5);
    }
    return vec2(g_channel.y) + motion * g_channel.x;
}
#endif

void main() {
    vec4 c = texture(g_texDecal, Tex) * PARTICLE_COLOR;
#if defined(PS_MOTION_ALPHA) || defined(PS_MOTION_NON_ALPHA)
    if (hiddenBelowFloor()) {
        discard;
    }
#ifdef PS_MOTION_NON_ALPHA
    if (c.a < 1.0) {
        discard;
    }
#endif
    // The vectors compose as the colours do: over what is there for alpha blending, so the
    // most visible particle at a pixel wins; averaged by the opacities that add up for additive
    // blending (g_channel.w), where every particle lights the pixel.
    vec4 m = vec4(encodedMotion(), 0.0, c.a);
    vec4 d = texture(g_texRT, targetCoordinate());
    if (d.a == 0.0) {
        fragColor = vec4(m.rg, g_channel.w != 0.0 ? m.a / 8.0 : 0.0, m.a);
    } else if (g_channel.w != 0.0) {
        // Blue keeps an eighth of the opacities summed so far, as the target's alpha stops at 1.
        float before = d.a < 1.0 ? d.a : max(1.0, d.b * 8.0);
        float sum = m.a + before;
        fragColor = vec4((m.rg * m.a + d.rg * before) / sum, min(sum / 8.0, 1.0), min(sum, 1.0));
    } else {
        fragColor = over(m, d);
    }
#elif defined(PS_DEPTH)
    if (hiddenBelowFloor() || c.a < 0.5) {
        discard; // the depth is that of texels at least half opaque
    }
    fragColor = vec4(vec3(clamp(ClipNow.w / g_channel.z, 0.0, 1.0)), 1.0);
#elif defined(PS_ALPHA) || defined(PS_NON_ALPHA)
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
