#pragma once

#include "model/global_state.h"
#include "output/image_outputs.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vintrel {

constexpr const char* kVideoToolMissing = "the video tool is missing: %1";
constexpr const char* kFfmpegMissing =
    "ffmpeg, which makes the video, is not found on PATH (on Debian: apt install ffmpeg)";

// The first executable file called `name` in the folders of `searchPath` (a PATH value), as
// execvp would find it.
std::optional<std::filesystem::path> findProgram(std::string_view name, std::string_view searchPath);
// ffmpeg on this process's PATH.
std::optional<std::filesystem::path> findFfmpeg();

// "<renderFolder>/%05d.bmp" of frame k, the frames the video tool reads.
std::filesystem::path videoFramePath(const OutputFrames& frames, int k);

// The text of "<renderFolder>/render.ini": [info] end, fps; [size] width, height; [result]
// name (the output's absolute path), in that order, lines ended by CR LF.
std::string renderIniText(const OutputFrames& frames, const GlobalState& g,
                          const std::filesystem::path& output);

// The video tool to hand over to: $VINTREL_KELVASK when set and not empty, otherwise
// "<program folder>/assets/kelvask", or "<prefix>/libexec/vintrel/kelvask" in an installation.
std::filesystem::path videoToolPath(const GlobalState& g);

// Why a video cannot be made with `tool` on this machine, asked before any frame is drawn: the
// tool is missing or cannot be run, or no ffmpeg is found on `searchPath` (a PATH value, colon
// separated). Succeeds when both are there.
Status videoToolsProblem(const std::filesystem::path& tool, std::string_view searchPath);
// The same for this process's PATH.
Status videoToolsProblem(const std::filesystem::path& tool);

// Runs `program` with no arguments, its working folder `workingFolder`, stdin and stdout on
// /dev/null, and waits for it. The tool and whatever it starts run in their own process
// group, which is killed when `timeout` passes. Fails with a message when the program is
// missing, cannot start, ends by a signal, exits non-zero (with its last stderr lines) or
// times out.
Status runVideoTool(const std::filesystem::path& program, const std::filesystem::path& workingFolder,
                    std::chrono::milliseconds timeout);
// The same with `arguments` after the program's name.
Status runTool(const std::filesystem::path& program, const std::vector<std::string>& arguments,
               const std::filesystem::path& workingFolder, std::chrono::milliseconds timeout);

// Time the tool may take: 60 s plus 1 s per frame.
std::chrono::milliseconds videoToolTimeout(const OutputFrames& frames);

// Video hand-over: every frame over the opaque background as "%05d.bmp", then render.ini, then
// `tool` copied to "<renderFolder>/kelvask" and run there until it exits (see runVideoTool).
// Fails with the message of the first step that fails.
Status writeVideo(const OutputFrames& frames, const GlobalState& g, const std::filesystem::path& output,
                  const std::filesystem::path& tool);

} // namespace vintrel
