#include "output/animated_output.h"

#include "output/alpha_mode.h"
#include "output/video_output.h"
#include "persist/atomic_file.h"

#include <cstdio>

namespace vintrel {

namespace {

constexpr const char* kFramePattern = "anim%05d.png";

std::filesystem::path animatedFramePath(const OutputFrames& frames, int k) {
    char name[32];
    std::snprintf(name, sizeof name, kFramePattern, k);
    return frames.renderFolder / name;
}

Status writeAnimatedFrame(const OutputFrames& frames, const GlobalState& g, const QColor& fill, int k) {
    const Result<QImage> frame = frameOverFill(frames, k, fill);
    if (!frame) {
        return frame.error();
    }
    return writeImageFile(withAlphaMode(*frame, g.exportExtras.alpha), ImageFormat::Png, true,
                          animatedFramePath(frames, k));
}

std::string rateOf(const GlobalState& g) {
    const int step = std::max(1, g.write.step);
    const int fps = std::max(1, g.project.fps);
    return fps % step == 0 ? std::to_string(fps / step) : std::to_string(fps) + "/" + std::to_string(step);
}

} // namespace

std::vector<std::string> animatedFormatArguments(AnimatedFormat format, const std::string& rate,
                                                 const std::string& inputPattern,
                                                 const std::filesystem::path& target) {
    std::vector<std::string> args{"-hide_banner", "-loglevel", "error", "-y", "-framerate", rate,
                                  "-i",           inputPattern};
    switch (format) {
    case AnimatedFormat::Apng:
        args.insert(args.end(), {"-plays", "0", "-f", "apng"});
        break;
    case AnimatedFormat::WebP:
        args.insert(args.end(), {"-c:v", "libwebp_anim", "-lossless", "1", "-loop", "0", "-f", "webp"});
        break;
    case AnimatedFormat::WebM:
        args.insert(args.end(), {"-c:v", "libvpx-vp9", "-pix_fmt", "yuva420p", "-b:v", "0", "-crf", "24",
                                 "-auto-alt-ref", "0", "-f", "webm"});
        break;
    case AnimatedFormat::ProRes:
        args.insert(args.end(), {"-c:v", "prores_ks", "-profile:v", "4444", "-pix_fmt", "yuva444p10le",
                                 "-vendor", "apl0", "-f", "mov"});
        break;
    case AnimatedFormat::None:
        break;
    }
    args.push_back(target.string());
    return args;
}

Status writeAnimated(const OutputFrames& frames, const GlobalState& g, const std::filesystem::path& output) {
    if (Status checked = checkOutputFrames(frames); !checked) {
        return checked;
    }
    const std::optional<std::filesystem::path> ffmpeg = findFfmpeg();
    if (!ffmpeg) {
        return Message{kFfmpegMissing};
    }
    const QColor fill = g.write.isAlpha != 0 ? QColor(0, 0, 0, 0) : opaqueBackground(g);
    // The frames handed over, then ffmpeg's encoding, counted as long as half of them.
    const int frameCount = frames.lastIndex + 1;
    frames.expectWork(frameCount * 1.5);
    for (int k = 0; k <= frames.lastIndex; ++k) {
        if (Status written = writeAnimatedFrame(frames, g, fill, k); !written) {
            return written;
        }
    }
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(output, ec);
    if (ec) {
        return Message{kCannotWrite, {output.string(), ec.message()}};
    }
    // ffmpeg writes beside the output; the output is replaced only by a complete file.
    std::filesystem::path partial = absolute;
    partial += ".part";
    const Status made = runTool(*ffmpeg, animatedFormatArguments(g.exportExtras.animation, rateOf(g), kFramePattern, partial),
                                frames.renderFolder, videoToolTimeout(frames));
    if (!made) {
        std::filesystem::remove(partial, ec);
        return Message{kCannotEncode, {output.string(), untranslated(made.error())}};
    }
    std::filesystem::rename(partial, absolute, ec);
    if (ec) {
        const std::string reason = ec.message();
        std::filesystem::remove(partial, ec);
        return Message{kCannotWrite, {output.string(), reason}};
    }
    frames.workDone(frameCount * 0.5);
    return {};
}

} // namespace vintrel
