#include "output/export_output.h"

#include "output/animated_output.h"
#include "output/export_channels.h"
#include "output/gif_output.h"
#include "output/image_outputs.h"
#include "output/seamless_loop.h"
#include "output/sheet_output.h"
#include "output/video_output.h"

namespace vintrel {

Status writeExportOutput(const GlobalState& g, const ExportRun& run, const std::filesystem::path& output,
                         const std::filesystem::path& videoTool, WriteProgress* progress) {
    if (run.outcome != ExportRun::Outcome::Completed) {
        return Message{"the export did not complete; nothing was written"};
    }
    const auto loopedFrames = [&](const std::filesystem::path& folder) {
        const OutputFrames rendered{folder, run.lastIndex, g.project.width, g.project.height, progress};
        return g.exportExtras.loop
                   ? makeSeamlessLoop(rendered, loopFadeFrames(run.lastIndex + 1, g.exportExtras.loopFrames))
                   : Result<OutputFrames>(rendered);
    };
    Result<OutputFrames> looped = loopedFrames(renderFolder(g));
    if (!looped) {
        return looped.error();
    }
    const OutputFrames& frames = *looped;
    SheetChannels channels{{}, run.motionStrength, run.depthFar};
    for (ExportChannel channel : extraChannels(run.channels)) {
        Result<OutputFrames> channelFrames = loopedFrames(channelFolder(renderFolder(g), channel));
        if (!channelFrames) {
            return channelFrames.error();
        }
        channels.extra.push_back({channel, *channelFrames});
    }
    if (g.exportExtras.animation != AnimatedFormat::None) {
        return writeAnimated(frames, g, output);
    }
    switch (g.write.kind()) {
    case OutputKind::Sheet:
        return writeSheetWithChannels(frames, g, output, channels);
    case OutputKind::NumberedFiles:
        return writeNumberedFiles(frames, g, output);
    case OutputKind::Video:
        return writeVideo(frames, g, output, videoTool);
    case OutputKind::AnimatedGif:
        return writeGif(frames, g, output);
    }
    // A type from a damaged file: the sheet, as for the first entry of the list.
    return writeSheet(frames, g, output);
}

} // namespace vintrel
