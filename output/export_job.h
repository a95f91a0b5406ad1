#pragma once

#include "model/global_state.h"
#include "output/export_loop.h"
#include "output/write_progress.h"
#include "platform/result.h"

#include <filesystem>
#include <memory>

namespace vintrel {

class Notifier;

// Everything an export reads, fixed on the editing thread when it starts: a copy of the effect
// tree and the camera nodes, the project, export and mask settings, the materials, the
// workspace and the view's camera. The thread that draws the export and the thread that writes
// its output read only the job and write only into it (the size it multiplies for the
// supersampling, the preview frame it clamps), never into the project, which the editing
// thread may change meanwhile. Each drawing makes its own simulation and renderer of the copy,
// as the command-line tool does, so an export from the editor is drawn as the tool draws it.
class ExportJob {
public:
    enum class Purpose {
        Frames,       // the export range, at the supersampled size
        PreviewStill, // the export dialog's test still
    };

    // Editing thread: a job for the project as it stands, seen from `camera`.
    static std::unique_ptr<ExportJob> capture(const GlobalState& g, const ViewCameraPose& camera,
                                              Purpose purpose);

    ExportJob(const ExportJob&) = delete;
    ExportJob& operator=(const ExportJob&) = delete;

    Purpose purpose() const { return purpose_; }
    const GlobalState& state() const { return state_; }

    // Drawing thread, with an OpenGL context current. The frames into the render folder (see
    // renderExportFrames), or the still (see renderPreviewFrame); a renderer that cannot be
    // made is reported and draws nothing.
    ExportRun renderFrames(ExportProgress& progress, Notifier& notifier,
                           IntermediateCompression compression = IntermediateCompression::Fastest);
    bool renderPreview(Notifier& notifier);

    // Output thread, after renderFrames completed: writes the chosen output; `progress`, when
    // given, follows the writing.
    Status writeOutput(const ExportRun& run, const std::filesystem::path& output,
                       WriteProgress* progress = nullptr) const;

private:
    explicit ExportJob(Purpose purpose) : purpose_(purpose) {}

    Purpose purpose_;
    GlobalState state_;
};

} // namespace vintrel
