#pragma once

namespace vintrel {

// How the renderer issues its draws. Each faster way has the plain one beside it, which stays
// the reference that the tests compare against.
enum class GuidePath {
    PerParticle, // the selected node's guide drawn at each particle as the walk reaches it
    Batched,     // all guides of a walk in one instanced draw after the walk's particles
};
enum class ExportCopyPath {
    WholeTarget,      // the whole target copied after every strip
    TouchedRectangle, // only the pixels the strip may have written
    WhenRead,         // those pixels, and only once a later strip reads some of them
};

enum class ParticlePath {
    PerParticle, // one draw per particle in the view
    Instanced,   // consecutive particles that share mesh, texture and states in one draw
};

struct DrawingPaths {
    GuidePath guides = GuidePath::Batched;
    ExportCopyPath exportCopy = ExportCopyPath::WhenRead;
    ParticlePath particles = ParticlePath::Instanced;

    // The plain way of every step, as the effect was first drawn.
    static DrawingPaths reference() {
        return {GuidePath::PerParticle, ExportCopyPath::WholeTarget, ParticlePath::PerParticle};
    }
};

} // namespace vintrel
