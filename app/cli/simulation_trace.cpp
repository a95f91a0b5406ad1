#include "app/cli/simulation_trace.h"

#include <charconv>
#include <cmath>

namespace vintrel {

namespace {

void appendFloat(std::string& out, float v) {
    if (!std::isfinite(v)) {
        out += "null";
        return;
    }
    char buffer[32];
    // Shortest "%.9g" text without the process locale.
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(v), std::chars_format::general, 9);
    out.append(buffer, result.ptr);
}

template <typename Integer> void appendInteger(std::string& out, Integer v) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    out.append(buffer, result.ptr);
}

void appendParticle(std::string& out, const Particle& p) {
    out += '[';
    appendInteger(out, p.node->node->m_ID);
    out += ',';
    appendInteger(out, p.age);
    out += ',';
    appendInteger(out, p.lifetime);
    for (float v :
         {p.pos.x, p.pos.y, p.pos.z, p.scale.x, p.scale.y, p.scale.z, p.color.x, p.color.y, p.color.z,
          p.color.w, p.dir.x, p.dir.y, p.dir.z, p.spinAngle, p.orbitAngle, p.shake.x, p.shake.y, p.shake.z}) {
        out += ',';
        appendFloat(out, v);
    }
    out += ']';
}

} // namespace

std::string traceLine(const Simulation& simulation, std::uint32_t frame, int looped) {
    std::string out = "{\"frame\": ";
    appendInteger(out, frame);
    out += ", \"looped\": ";
    appendInteger(out, looped);
    out += ", \"count\": ";
    appendInteger(out, simulation.particles().size());
    out += ", \"particles\": [";
    bool first = true;
    for (const Particle* p : simulation.particles()) {
        if (!first) {
            out += ", ";
        }
        first = false;
        appendParticle(out, *p);
    }
    out += "]}";
    return out;
}

} // namespace vintrel
