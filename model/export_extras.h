#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vintrel {

// The frame data written beside a sheet for the program that takes it.
enum class AtlasFormat {
    None,
    TexturePackerHash,  // TexturePacker's JSON with the frames keyed by name (Phaser, PixiJS)
    TexturePackerArray, // the same with the frames as a list
    Aseprite,           // Aseprite's JSON: frames with durations and one frame tag
    GodotSpriteFrames,  // a Godot 4 SpriteFrames resource of AtlasTextures
};

// How the written pixels carry their opacity.
enum class AlphaMode {
    Straight,        // colour and opacity apart, as the editor has always written
    Premultiplied,   // colour multiplied by the opacity
    AdditiveOnBlack, // the image over black, opaque: for additive shaders
};

// The animated files written through ffmpeg in place of the classic output type.
enum class AnimatedFormat {
    None,   // the classic output type (sheet, numbered files, video, GIF)
    Apng,   // animated PNG, looping
    WebP,   // animated WebP, lossless, looping
    WebM,   // VP9 video with an alpha channel
    ProRes, // QuickTime ProRes 4444 with alpha, for video editors
};

// Which transparent edges a sheet's frames lose.
enum class SheetTrim {
    None,
    PerFrame, // each frame cut to its own visible pixels; the data file keeps its offset
    Common,   // every frame cut to the union of all frames' visible pixels: still one grid
};

// The export options beyond the classic ones: saved with the project in a section of their own,
// only when one differs from its default, so a project that never sets one saves as before.
struct ExportExtras {
    AnimatedFormat animation = AnimatedFormat::None;
    AtlasFormat atlas = AtlasFormat::None;
    AlphaMode alpha = AlphaMode::Straight;
    int padding = 0;  // pixels between neighbouring cells
    int border = 0;   // pixels around the whole sheet
    int extrude = 0;  // pixels of each frame's edge repeated around it
    SheetTrim trim = SheetTrim::None;
    bool powerOfTwo = false; // the sheet's sides rounded up to powers of two
    int maxSheetSide = 0;    // a page's largest side; 0: one page however large
    // The output's file name with {name}, {columns}, {rows}, {frames} and {page}; empty: as given.
    std::string namePattern;
    // A seamless loop: the last loopFrames frames cross-faded over the first ones (0: a quarter
    // of the range), so the exported frames play in a loop without a jump.
    bool loop = false;
    int loopFrames = 0;

    friend bool operator==(const ExportExtras&, const ExportExtras&) = default;
};

// Limits of the numbers, for the command line, the dialog and damaged files alike.
constexpr int kMaxPadding = 256;
constexpr int kMaxExtrude = 64;
constexpr int kMaxSheetSideLimit = 32768;
constexpr int kMinSheetSide = 16;
constexpr int kMaxLoopFrames = 100000;

// The names the command line and the project file use for each choice, and back.
struct ChoiceName {
    int value;
    std::string_view name;
};
std::span<const ChoiceName> animatedFormatNames();
std::span<const ChoiceName> atlasFormatNames();
std::span<const ChoiceName> alphaModeNames();
std::span<const ChoiceName> sheetTrimNames();
std::optional<int> choiceByName(std::span<const ChoiceName> names, std::string_view name);
std::string_view nameOfChoice(std::span<const ChoiceName> names, int value);
// "a, b or c", for messages that list the names.
std::string choiceList(std::span<const ChoiceName> names);

// The file extension (with its dot) of a data format's file.
std::string_view atlasExtension(AtlasFormat format);

} // namespace vintrel
