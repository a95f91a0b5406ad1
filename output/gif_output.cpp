#include "output/gif_output.h"

#include "persist/atomic_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <gif_lib.h>
#include <libimagequant.h>
#include <memory>
#include <vector>

namespace vintrel {
namespace {

constexpr int kMaxGifSide = 65535;

struct LiqDeleter {
    void operator()(liq_attr* p) const { liq_attr_destroy(p); }
    void operator()(liq_image* p) const { liq_image_destroy(p); }
    void operator()(liq_result* p) const { liq_result_destroy(p); }
};
template <typename T> using LiqPtr = std::unique_ptr<T, LiqDeleter>;

// One frame reduced to a palette: indices row by row, and the index shown as transparent (-1
// when there is none).
struct PalettedFrame {
    std::vector<GifColorType> palette;
    std::vector<GifByteType> indices;
    int transparentIndex = -1;
};

// Straight RGBA bytes of `frame` with one-bit alpha: in transparent mode a pixel with alpha below
// 128 becomes (0, 0, 0, 0) and every other pixel is opaque; otherwise all pixels are opaque.
std::vector<unsigned char> oneBitAlphaPixels(const QImage& frame, bool transparent) {
    const QImage rgba = frame.convertToFormat(QImage::Format_RGBA8888);
    const int width = rgba.width();
    std::vector<unsigned char> pixels;
    pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(rgba.height()) * 4);
    for (int y = 0; y < rgba.height(); ++y) {
        const unsigned char* line = rgba.constScanLine(y);
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = line + static_cast<std::ptrdiff_t>(x) * 4;
            if (transparent && p[3] < 128) {
                pixels.insert(pixels.end(), {0, 0, 0, 0});
            } else {
                pixels.insert(pixels.end(), {p[0], p[1], p[2], 255});
            }
        }
    }
    return pixels;
}

int nearestOpaqueEntry(const liq_palette& palette, const unsigned char* pixel, int fallback) {
    int best = fallback;
    long bestDistance = -1;
    for (unsigned i = 0; i < palette.count; ++i) {
        const liq_color& c = palette.entries[i];
        if (c.a < 128) {
            continue;
        }
        const long dr = c.r - pixel[0], dg = c.g - pixel[1], db = c.b - pixel[2];
        const long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return best;
}

// libimagequant may give transparent pixels any entry with low alpha and, rarely, an opaque
// pixel a transparent entry; this settles every pixel on one transparent index or an opaque one.
void settleTransparency(const liq_palette& palette, const std::vector<unsigned char>& pixels,
                        PalettedFrame& out) {
    for (unsigned i = 0; i < palette.count && out.transparentIndex < 0; ++i) {
        if (palette.entries[i].a < 128) {
            out.transparentIndex = static_cast<int>(i);
        }
    }
    for (std::size_t i = 0; i < out.indices.size(); ++i) {
        const unsigned char* pixel = &pixels[i * 4];
        if (pixel[3] == 0) {
            if (out.transparentIndex < 0) {
                // Room is left: the palette was limited to 255 colours.
                out.transparentIndex = static_cast<int>(out.palette.size());
                out.palette.push_back(GifColorType{0, 0, 0});
            }
            out.indices[i] = static_cast<GifByteType>(out.transparentIndex);
        } else if (out.indices[i] < palette.count && palette.entries[out.indices[i]].a < 128) {
            out.indices[i] = static_cast<GifByteType>(nearestOpaqueEntry(palette, pixel, out.indices[i]));
        }
    }
}

Status quantizeFrame(const QImage& frame, bool transparent, PalettedFrame& out) {
    const int width = frame.width();
    const int height = frame.height();
    const std::vector<unsigned char> pixels = oneBitAlphaPixels(frame, transparent);
    LiqPtr<liq_attr> attr(liq_attr_create());
    if (!attr || liq_set_max_colors(attr.get(), transparent ? 255 : 256) != LIQ_OK) {
        return Message{"cannot set up the colour quantizer"};
    }
    LiqPtr<liq_image> image(liq_image_create_rgba(attr.get(), pixels.data(), width, height, 0));
    liq_result* rawResult = nullptr;
    if (!image || liq_image_quantize(image.get(), attr.get(), &rawResult) != LIQ_OK) {
        return Message{"cannot reduce a frame to 256 colours"};
    }
    LiqPtr<liq_result> result(rawResult);
    out.indices.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    if (liq_write_remapped_image(result.get(), image.get(), out.indices.data(), out.indices.size()) !=
        LIQ_OK) {
        return Message{"cannot map a frame to its palette"};
    }
    // Read after remapping: libimagequant refines the palette while it remaps.
    const liq_palette* palette = liq_get_palette(result.get());
    out.palette.clear();
    for (unsigned i = 0; i < palette->count; ++i) {
        out.palette.push_back(
            GifColorType{palette->entries[i].r, palette->entries[i].g, palette->entries[i].b});
    }
    out.transparentIndex = -1;
    if (transparent) {
        settleTransparency(*palette, pixels, out);
    }
    return {};
}

// A GIF colour table holds a power of two entries, at least 2.
ColorMapObject* makeColourTable(const std::vector<GifColorType>& palette) {
    int size = 2;
    while (size < static_cast<int>(palette.size())) {
        size *= 2;
    }
    std::vector<GifColorType> colours(static_cast<std::size_t>(size), GifColorType{0, 0, 0});
    std::copy(palette.begin(), palette.end(), colours.begin());
    return GifMakeMapObject(size, colours.data());
}

int appendToString(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<std::string*>(gif->UserData)
        ->append(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length));
    return length;
}

bool putLoopExtension(GifFileType* gif) {
    static const unsigned char kApplication[] = "NETSCAPE2.0";
    static const unsigned char kLoopForever[] = {1, 0, 0};
    return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
           EGifPutExtensionBlock(gif, 11, kApplication) == GIF_OK &&
           EGifPutExtensionBlock(gif, 3, kLoopForever) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
}

bool putFrame(GifFileType* gif, const GifEncoding& how, PalettedFrame& frame) {
    GraphicsControlBlock control{};
    control.DisposalMode = how.transparent ? DISPOSE_BACKGROUND : DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = how.delayCentiseconds;
    control.TransparentColor = frame.transparentIndex >= 0 ? frame.transparentIndex : NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension) != GIF_OK) {
        return false;
    }
    ColorMapObject* table = makeColourTable(frame.palette);
    if (table == nullptr) {
        return false;
    }
    const bool described = EGifPutImageDesc(gif, 0, 0, how.width, how.height, false, table) == GIF_OK;
    GifFreeMapObject(table);
    if (!described) {
        return false;
    }
    for (int y = 0; y < how.height; ++y) {
        GifByteType* row =
            frame.indices.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(how.width);
        if (EGifPutLine(gif, row, how.width) != GIF_OK) {
            return false;
        }
    }
    return true;
}

Status checkEncoding(const GifEncoding& how) {
    if (how.width < 1 || how.height < 1 || how.width > kMaxGifSide || how.height > kMaxGifSide) {
        return Message{"a GIF must be 1 .. 65535 pixels a side"};
    }
    if (how.frameCount < 1) {
        return Message{"a GIF needs at least one frame"};
    }
    if (how.delayCentiseconds < 0 || how.delayCentiseconds > 65535) {
        return Message{"the GIF frame delay is out of range"};
    }
    return {};
}

Status encodeFrames(GifFileType* gif, const GifEncoding& how, const GifFrameSource& source) {
    if (EGifPutScreenDesc(gif, how.width, how.height, 8, 0, nullptr) != GIF_OK ||
        (how.loop && !putLoopExtension(gif))) {
        return Message{"cannot write the GIF header"};
    }
    for (int k = 0; k < how.frameCount; ++k) {
        const Result<QImage> frame = source(k);
        if (!frame) {
            return frame.error();
        }
        if (frame->width() != how.width || frame->height() != how.height) {
            return Message{"frame %1 is not %2 x %3 pixels",
                           {std::to_string(k), std::to_string(how.width), std::to_string(how.height)}};
        }
        PalettedFrame paletted;
        if (Status quantized = quantizeFrame(*frame, how.transparent, paletted); !quantized) {
            return quantized;
        }
        if (!putFrame(gif, how, paletted)) {
            return Message{"cannot write GIF frame %1: %2", {std::to_string(k), GifErrorString(gif->Error)}};
        }
    }
    return {};
}

} // namespace

Result<std::string> encodeGif(const GifEncoding& how, const GifFrameSource& source) {
    if (Status checked = checkEncoding(how); !checked) {
        return checked.error();
    }
    std::string encoded;
    int openError = 0;
    GifFileType* gif = EGifOpen(&encoded, appendToString, &openError);
    if (gif == nullptr) {
        return Message{"cannot start a GIF: %1", {GifErrorString(openError)}};
    }
    EGifSetGifVersion(gif, true);
    const Status encodedFrames = encodeFrames(gif, how, source);
    int closeError = 0;
    const bool closed = EGifCloseFile(gif, &closeError) == GIF_OK;
    if (!encodedFrames) {
        return encodedFrames.error();
    }
    if (!closed) {
        return Message{"cannot finish the GIF: %1", {GifErrorString(closeError)}};
    }
    return encoded;
}

int gifDelayCentiseconds(int fps) {
    const double rate = std::max(fps, 1);
    return std::max(2, static_cast<int>(std::lround(100.0 / rate)));
}

Status writeGif(const OutputFrames& frames, const GlobalState& g, const std::filesystem::path& output) {
    if (Status checked = checkOutputFrames(frames); !checked) {
        return checked;
    }
    frames.expectWork(frames.lastIndex + 1);
    GifEncoding how;
    how.width = frames.width;
    how.height = frames.height;
    how.frameCount = frames.lastIndex + 1;
    how.delayCentiseconds = gifDelayCentiseconds(g.project.fps);
    how.loop = true;
    how.transparent = g.write.isAlpha != 0;
    const QColor background = opaqueBackground(g);
    const GifFrameSource source = [&](int k) -> Result<QImage> {
        return how.transparent ? loadScaledFrame(frames, k) : frameOverFill(frames, k, background);
    };
    const Result<std::string> bytes = encodeGif(how, source);
    if (!bytes) {
        return bytes.error();
    }
    if (Status written = writeFileAtomically(output, *bytes); !written) {
        return Message{kCannotWrite, {output.string(), untranslated(written.error())}};
    }
    return {};
}

} // namespace vintrel
