#pragma once

#include "model/view_backdrop.h"
#include "platform/result.h"

#include <QImage>
#include <filesystem>
#include <string>
#include <vector>

namespace vintrel {

constexpr const char* kBackdropImageUnreadable = "背景の画像「%1」を読めません。";
constexpr const char* kBackdropFrameUnreadable = "動画「%1」から%2番のフレームを取り出せません。\n%3";
constexpr const char* kBackdropFrameMissing = "動画「%1」には%2番のフレームがありません。";
constexpr const char* kBackdropNeedsFfmpeg =
    "動画のフレームを取り出すffmpegが見つかりません（Debianでは apt install ffmpeg）。";

// ffmpeg's arguments that write frame `frame` (from 0) of `video` as the PNG `output`.
std::vector<std::string> frameExtractionArguments(const std::filesystem::path& video, int frame,
                                                  const std::filesystem::path& output);

// The picture an Image or VideoFrame backdrop shows: the image file as read, or the video's
// frame taken out by ffmpeg through a file in `scratchFolder` (removed again). Fails with a
// message naming the file; Color and Checkerboard have no picture and fail too.
Result<QImage> backdropPicture(const ViewBackdrop& backdrop, const std::filesystem::path& scratchFolder);

} // namespace vintrel
