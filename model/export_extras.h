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

// The images an export draws of every frame. The colour is the classic frame; the others are
// extra sheets (or numbered files) of the same layout beside it, for a game's shaders.
enum class ExportChannel {
    Color,    // the frame itself
    Motion,   // where each pixel's content moves by the next exported frame, in red and green
    Emissive, // the additive particles alone
    Depth,    // the camera depth of the nearest opaque texel
};
constexpr int kExportChannelCount = 4;
// A set of channels, one bit per ExportChannel; the colour is always in it.
using ExportChannels = unsigned;
constexpr ExportChannels channelBit(ExportChannel channel) {
    return 1u << static_cast<unsigned>(channel);
}
constexpr ExportChannels kColorOnly = channelBit(ExportChannel::Color);

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
    ExportChannels channels = kColorOnly;

    bool hasChannel(ExportChannel channel) const { return (channels & channelBit(channel)) != 0; }
    // Whether any channel beyond the colour is drawn.
    bool hasExtraChannels() const { return (channels & ~kColorOnly) != 0; }

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
std::span<const ChoiceName> exportChannelNames(); // color, motion, emissive, depth
// "color,motion" and back: the names of the set in channel order, and a list of names in any
// order (the colour added when missing); nothing for an unknown or empty name.
std::string channelList(ExportChannels channels);
std::optional<ExportChannels> channelsByList(std::string_view list);
std::optional<int> choiceByName(std::span<const ChoiceName> names, std::string_view name);
std::string_view nameOfChoice(std::span<const ChoiceName> names, int value);
// "a, b or c", for messages that list the names.
std::string choiceList(std::span<const ChoiceName> names);

// The file extension (with its dot) of a data format's file.
std::string_view atlasExtension(AtlasFormat format);

} // namespace vintrel
