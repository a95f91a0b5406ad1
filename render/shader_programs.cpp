#include "render/shader_programs.h"

#include "render/shader_sources.h"

#include <iterator>
#include <vector>

namespace vintrel {

namespace {

constexpr const char* kPixelDefines[] = {"PS_ALPHA",          "PS_NON_ALPHA",        "PS_BACK_ALPHA",
                                         "PS_BACK_NON_ALPHA", "PS_BACK_ALPHA_ADD",   "PS_BACK_NON_ALPHA_ADD",
                                         "PS_MOTION_ALPHA",   "PS_MOTION_NON_ALPHA", "PS_DEPTH"};
constexpr const char* kPixelNames[] = {"PS_Alpha",        "PS_NonAlpha",     "PS_BackAlpha",
                                       "PS_BackNonAlpha", "PS_BackAlphaAdd", "PS_BackNonAlphaAdd",
                                       "PS_MotionAlpha",  "PS_MotionNonAlpha", "PS_Depth"};
static_assert(std::size(kPixelDefines) == kPixelEntryCount && std::size(kPixelNames) == kPixelEntryCount);

// The motion and depth entries read the clip positions that the channel vertex stage gives.
bool readsClipPositions(int pixel) {
    return pixel >= static_cast<int>(PixelEntry::MotionAlpha);
}

// Clip-space depth runs 0..1 as the projection matrices make it. With clip control the
// context takes it as it is; without, the vertex stage maps it to OpenGL's -1..1.
std::string preamble() {
    std::string text = "#version 330 core\n";
    if (epoxy_gl_version() >= 45 || epoxy_has_gl_extension("GL_ARB_clip_control")) {
        text += "#define DEPTH_FROM_ZERO_TO_ONE(p)\n";
    } else {
        text += "#define DEPTH_FROM_ZERO_TO_ONE(p) p.z = 2.0 * p.z - p.w\n";
    }
    return text;
}

gl::Shader compile(GLenum kind, const std::vector<std::string>& parts, const std::string& name,
                   std::string* error) {
    gl::Shader shader(glCreateShader(kind));
    std::vector<const char*> sources;
    for (const std::string& part : parts) {
        sources.push_back(part.c_str());
    }
    glShaderSource(shader.id(), static_cast<GLsizei>(sources.size()), sources.data(), nullptr);
    glCompileShader(shader.id());
    GLint ok = GL_FALSE;
    glGetShaderiv(shader.id(), GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE) {
        char log[2048] = {};
        glGetShaderInfoLog(shader.id(), sizeof log, nullptr, log);
        if (error != nullptr) {
            *error = name + ": " + log;
        }
        return {};
    }
    return shader;
}

constexpr const char* kUniformNames[] = {"g_mWVP",      "g_mW",       "g_mTex",
                                         "g_mScreen",   "g_mColor",   "g_mBottomScale",
                                         "g_mTopScale", "g_underCut", "g_meshVertexCount",
                                         "g_mWVPNext",  "g_channel"};

std::size_t polyIndex(VertexEntry vertex, PixelEntry pixel) {
    return static_cast<std::size_t>(vertex) * kPixelEntryCount + static_cast<std::size_t>(pixel);
}

} // namespace

PixelEntry choosePixelEntry(bool alphaPass, bool exporting, bool additive, ExportChannel channel) {
    if (exporting && channel == ExportChannel::Motion) {
        return alphaPass ? PixelEntry::MotionAlpha : PixelEntry::MotionNonAlpha;
    }
    if (exporting && channel == ExportChannel::Depth) {
        return PixelEntry::Depth;
    }
    if (!exporting) {
        return alphaPass ? PixelEntry::Alpha : PixelEntry::NonAlpha;
    }
    if (alphaPass) {
        return additive ? PixelEntry::BackAlphaAdd : PixelEntry::BackAlpha;
    }
    return additive ? PixelEntry::BackNonAlphaAdd : PixelEntry::BackNonAlpha;
}

Mat4 transposed(const Mat4& m) {
    Mat4 t;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            t.m[r][c] = m.m[c][r];
        }
    }
    return t;
}

bool ShaderPrograms::linkInto(Linked& linked, const gl::Shader& vertex, const gl::Shader& pixel,
                              const std::string& name, std::string* error) {
    gl::Program program(glCreateProgram());
    glAttachShader(program.id(), vertex.id());
    glAttachShader(program.id(), pixel.id());
    glLinkProgram(program.id());
    GLint ok = GL_FALSE;
    glGetProgramiv(program.id(), GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE) {
        char log[2048] = {};
        glGetProgramInfoLog(program.id(), sizeof log, nullptr, log);
        if (error != nullptr) {
            *error = name + ": " + log;
        }
        return false;
    }
    glUseProgram(program.id());
    const char* samplers[] = {"g_texDecal", "g_texRT", "g_texMask", "g_particles", "g_meshVertices"};
    for (GLint unit = 0; unit < 5; ++unit) {
        const GLint location = glGetUniformLocation(program.id(), samplers[unit]);
        if (location >= 0) {
            glUniform1i(location, unit);
        }
    }
    glUseProgram(0);
    for (std::size_t i = 0; i < linked.locations.size(); ++i) {
        linked.locations[i] = glGetUniformLocation(program.id(), kUniformNames[i]);
    }
    linked.program = std::move(program);
    return true;
}

Status ShaderPrograms::build() {
    std::string log;
    if (!compileAndLink(&log)) {
        return systemReason(log);
    }
    return {};
}

bool ShaderPrograms::compileAndLink(std::string* error) {
    const std::string head = preamble();
    gl::Shader lineVertex = compile(GL_VERTEX_SHADER, {head, shaders::line_vert}, "Line.vert [VS]", error);
    gl::Shader linePixel = compile(GL_FRAGMENT_SHADER, {head, shaders::line_frag}, "Line.frag [PS]", error);
    if (!lineVertex || !linePixel) {
        return false;
    }
    if (!linkInto(line_, lineVertex, linePixel, "Line", error)) {
        return false;
    }
    gl::Shader guideVertex = compile(GL_VERTEX_SHADER, {head, "#define VS_GUIDES\n", shaders::line_vert},
                                     "Line.vert [VS_Guides]", error);
    if (!guideVertex || !linkInto(guides_, guideVertex, linePixel, "Line guides", error)) {
        return false;
    }
    // Plain and cylinder, then the same with the clip positions of the extra channels.
    const std::string channel = "#define VS_CHANNEL\n";
    gl::Shader vertex[4] = {
        compile(GL_VERTEX_SHADER, {head, shaders::poly_common_glsl, shaders::poly_vert}, "Poly.vert [VS]",
                error),
        compile(GL_VERTEX_SHADER,
                {head, "#define VS_CYLINDER\n", shaders::poly_common_glsl, shaders::poly_vert},
                "Poly.vert [VS_Cylinder]", error),
        compile(GL_VERTEX_SHADER, {head, channel, shaders::poly_common_glsl, shaders::poly_vert},
                "Poly.vert [VS_Channel]", error),
        compile(GL_VERTEX_SHADER,
                {head, channel, "#define VS_CYLINDER\n", shaders::poly_common_glsl, shaders::poly_vert},
                "Poly.vert [VS_CylinderChannel]", error)};
    if (!vertex[0] || !vertex[1] || !vertex[2] || !vertex[3]) {
        return false;
    }
    for (int p = 0; p < kPixelEntryCount; ++p) {
        const std::string define = std::string("#define ") + kPixelDefines[p] + "\n";
        gl::Shader pixel =
            compile(GL_FRAGMENT_SHADER, {head, define, shaders::poly_common_glsl, shaders::poly_frag},
                    std::string("Poly.frag [") + kPixelNames[p] + "]", error);
        if (!pixel) {
            return false;
        }
        for (int v = 0; v < 2; ++v) {
            Linked& linked = poly_[polyIndex(static_cast<VertexEntry>(v), static_cast<PixelEntry>(p))];
            const gl::Shader& stage = vertex[readsClipPositions(p) ? v + 2 : v];
            if (!linkInto(linked, stage, pixel, std::string("Poly ") + kPixelNames[p], error)) {
                return false;
            }
        }
    }
    return buildBatched(head, error);
}

bool ShaderPrograms::buildBatched(const std::string& head, std::string* error) {
    const std::string batched = "#define VS_BATCHED\n#define PS_BATCHED\n";
    gl::Shader vertex[2] = {
        compile(GL_VERTEX_SHADER, {head, batched, shaders::poly_common_glsl, shaders::poly_vert},
                "Poly.vert [VS_Batched]", error),
        compile(GL_VERTEX_SHADER,
                {head, batched, "#define VS_CYLINDER\n", shaders::poly_common_glsl, shaders::poly_vert},
                "Poly.vert [VS_CylinderBatched]", error)};
    if (!vertex[0] || !vertex[1]) {
        return false;
    }
    for (int p = 0; p < 2; ++p) {
        const std::string define = batched + "#define " + kPixelDefines[p] + "\n";
        gl::Shader pixel =
            compile(GL_FRAGMENT_SHADER, {head, define, shaders::poly_common_glsl, shaders::poly_frag},
                    std::string("Poly.frag [") + kPixelNames[p] + " batched]", error);
        if (!pixel) {
            return false;
        }
        for (int v = 0; v < 2; ++v) {
            if (!linkInto(batched_[static_cast<std::size_t>(v * 2 + p)], vertex[v], pixel,
                          std::string("Poly batched ") + kPixelNames[p], error)) {
                return false;
            }
        }
    }
    return true;
}

namespace {

void setMatrix(GLint location, const Mat4& m) {
    if (location >= 0) {
        // The matrices are stored transposed; read as columns they give the shaders' matrix.
        glUniformMatrix4fv(location, 1, GL_FALSE, &m.m[0][0]);
    }
}

void setVector(GLint location, const Vec4& v) {
    if (location >= 0) {
        glUniform4f(location, v.x, v.y, v.z, v.w);
    }
}

} // namespace

void ShaderPrograms::useLine(const LineConstants& constants) {
    glUseProgram(line_.program.id());
    setMatrix(line_.locations[0], constants.wvp);
    setVector(line_.locations[4], constants.color);
}

void ShaderPrograms::useGuides(const Vec4& color) {
    glUseProgram(guides_.program.id());
    setVector(guides_.locations[4], color);
}

void ShaderPrograms::usePolyBatched(VertexEntry vertex, PixelEntry viewPixel, GLint meshVertexCount) {
    const std::size_t pixel = viewPixel == PixelEntry::NonAlpha ? 1 : 0;
    const Linked& linked = batched_[static_cast<std::size_t>(vertex) * 2 + pixel];
    glUseProgram(linked.program.id());
    glUniform1i(linked.locations[8], meshVertexCount);
}

void ShaderPrograms::usePoly(VertexEntry vertex, PixelEntry pixel, const PolyConstants& constants,
                             const ChannelConstants* channel) {
    const Linked& linked = poly_[polyIndex(vertex, pixel)];
    glUseProgram(linked.program.id());
    setMatrix(linked.locations[0], constants.wvp);
    setMatrix(linked.locations[1], constants.world);
    setMatrix(linked.locations[2], constants.texture);
    setMatrix(linked.locations[3], constants.screen);
    setVector(linked.locations[4], constants.color);
    setMatrix(linked.locations[5], constants.bottomScale);
    setMatrix(linked.locations[6], constants.topScale);
    setVector(linked.locations[7], constants.underCut);
    if (channel != nullptr) {
        setMatrix(linked.locations[9], channel->wvpNext);
        setVector(linked.locations[10], channel->channel);
    }
}

} // namespace vintrel
