#pragma once

#include <QImage>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace vintrel {

// The effects shipped to start from: the project file `<stem>.stn` in the library folder and
// its animated thumbnail `thumbnails/<stem>.png` with the frames' places in
// `thumbnails/<stem>.json` (a sheet and its TexturePacker array data, written at build time by
// the command-line export).
struct StarterEffect {
    const char* stem;
    const char* name; // Japanese; translated in the context "Library"
};

std::span<const StarterEffect> starterEffects();

// Where the library is: beside a build's or an unpacked copy's program (assets/library), else
// where an installation into a prefix puts it (share/vintrel/library).
std::filesystem::path starterLibraryFolder(const std::filesystem::path& programFolder);

std::filesystem::path starterProjectFile(const std::filesystem::path& libraryFolder, const StarterEffect& effect);

// The thumbnail's frames in playing order and the time each is shown; nothing when the sheet
// or its data is missing or does not fit together (a frame outside the sheet, no frames).
struct Thumbnail {
    std::vector<QImage> frames;
    int frameMs = 33;
};
std::optional<Thumbnail> readThumbnail(const std::filesystem::path& libraryFolder, const StarterEffect& effect);

} // namespace vintrel
