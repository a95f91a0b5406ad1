#pragma once

#include "model/global_state.h"
#include "output/export_channels.h"

#include <filesystem>
#include <string>

namespace vintrel {

class Notifier;
class Renderer;
class Simulation;

// Where an export reports its progress and learns of a cancel: the editor's progress window,
// the command line's progress bar.
class ExportProgress {
public:
    virtual ~ExportProgress() = default;
    // The bar runs from 1 to `last`; step() moves it by one (twice per frame).
    virtual void begin(int last) = 0;
    virtual void step() = 0;
    virtual bool cancelRequested() = 0;
};

struct ExportRun {
    enum class Outcome {
        Completed, // every frame of the range was written
        Cancelled, // stopped by the user; the frames written so far stay
        Failed,    // the targets could not be made; nothing was written
    };
    Outcome outcome = Outcome::Failed;
    int lastIndex = -1;    // index of the last intermediate frame, when completed
    int framesWritten = 0; // intermediate files written
    // The extra channels drawn, each into its own folder of intermediate frames (channelFolder),
    // and what their sheets' data says of them.
    ExportChannels channels = kColorOnly;
    float motionStrength = 0; // motion: the largest motion written, in frame widths or heights
    float depthFar = 0;       // depth: the camera distance written as white
};

// The intermediate frames of an export and the preview still live here.
std::filesystem::path renderFolder(const GlobalState& g);
std::filesystem::path intermediateFrame(const GlobalState& g, int index); // render/%05d.png
std::filesystem::path previewFile(const GlobalState& g);                  // render/preview.png

// Renders the export range into the intermediate files, in the current OpenGL context:
// targets at the supersampled size (the caller has multiplied the project size, see
// beginExportSize), the simulation restarted and stepped to the start frame, each frame drawn
// in both culling walks over a cleared target, written as PNG and given its glow, then
// stepping by g.write.step until the end frame or the effect's wrap. The project size is
// divided back and the targets are released before it returns, whatever happened.
// The extra channels of a sheet (drawnChannels) are drawn after each colour frame, into their
// own folders; the motion needs the placements of the next exported frame, so it is drawn in a
// second run of the same frames once the first has recorded them.
// How the intermediate files are compressed. They are read back once by the output, which
// encodes its files anew from the pixels, so zlib's fastest level serves; Qt's default level
// (what the benchmarks compare with) takes longer for the same pixels.
enum class IntermediateCompression { Fastest, QtDefault };
ExportRun renderExportFrames(GlobalState& g, Simulation& simulation, Renderer& renderer,
                             ExportProgress& progress, Notifier& notifier,
                             IntermediateCompression compression = IntermediateCompression::Fastest);

// The preview still: frame g.project.previewFrame (clamped to the effect and stored) at the
// supersampled size, written to render/preview.png with its glow. The project size is
// multiplied and divided back here. False when the targets could not be made.
bool renderPreviewFrame(GlobalState& g, Simulation& simulation, Renderer& renderer, Notifier& notifier);

} // namespace vintrel
