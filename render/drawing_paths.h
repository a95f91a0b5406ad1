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
    Batched,     // consecutive particles that share mesh, texture and states in one draw
};

// Whether a particle is drawn in a pass or culling walk where its colour, texture or facing say
// it cannot change a pixel (the view's batched particles; the export's flat ones and pass 0).
enum class EmptyDraws {
    Drawn,   // every particle in all four, as the effect was first drawn
    Skipped, // not there; an export also spares the copies such draws would cause
};

struct DrawingPaths {
    GuidePath guides = GuidePath::Batched;
    ExportCopyPath exportCopy = ExportCopyPath::WhenRead;
    ParticlePath particles = ParticlePath::Batched;
    EmptyDraws emptyDraws = EmptyDraws::Skipped;

    // The plain way of every step, as the effect was first drawn.
    static DrawingPaths reference() {
        return {GuidePath::PerParticle, ExportCopyPath::WholeTarget, ParticlePath::PerParticle, EmptyDraws::Drawn};
    }
};

} // namespace vintrel
