#include "render/obj_reader.h"

#include "platform/number_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <fstream>
#include <limits>
#include <string>

namespace vintrel {

namespace {

// Longest part of a face line that is looked at; the rest of a longer line is skipped.
constexpr std::size_t kFaceLineMax = 255;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Narrows a parsed value to float the way strtof rounds: overflow gives an infinity.
float toFloat(double d) {
    if (std::isnan(d)) {
        return std::numeric_limits<float>::quiet_NaN();
    }
    if (std::fabs(d) > static_cast<double>(std::numeric_limits<float>::max())) {
        return d > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(d);
}

// Walks the text as whitespace-separated tokens, as the C stream functions do.
class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) {}

    bool atEnd() const { return pos_ >= text_.size(); }

    void skipSpace() {
        while (pos_ < text_.size() && isSpace(text_[pos_])) {
            ++pos_;
        }
    }

    std::string_view nextToken() {
        skipSpace();
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !isSpace(text_[pos_])) {
            ++pos_;
        }
        return text_.substr(start, pos_ - start);
    }

    // The rest of the current line without its line break; the cursor moves past the break.
    std::string_view restOfLine() {
        const std::size_t end = std::min(text_.find('\n', pos_), text_.size());
        const std::string_view line = text_.substr(pos_, end - pos_);
        pos_ = end < text_.size() ? end + 1 : end;
        return line;
    }

    // Like "%f": skips whitespace (line breaks included) and reads one number. On failure nothing
    // but the whitespace is consumed and `value` is left as it was.
    bool readFloat(float& value) {
        skipSpace();
        const char* first = text_.data() + pos_;
        const char* last = text_.data() + text_.size();
        const char* digits = first;
        if (digits != last && *digits == '+' && digits + 1 != last && digits[1] != '-') {
            ++digits;
        }
        float parsed = 0;
        const auto [end, ec] = std::from_chars(digits, last, parsed);
        if (ec == std::errc::invalid_argument) {
            return false;
        }
        if (ec == std::errc::result_out_of_range) {
            parsed =
                toFloat(parseDoubleLikeAtof(std::string_view(first, static_cast<std::size_t>(end - first))));
        }
        value = parsed;
        pos_ += static_cast<std::size_t>(end - first);
        return true;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

struct TokenCounts {
    std::size_t positions = 0;
    std::size_t texCoords = 0;
    std::size_t faces = 0;
};

// First pass: how many of each element the text names, comments included. Only used to reserve.
TokenCounts countTokens(std::string_view text) {
    TokenCounts counts;
    Cursor cursor(text);
    for (std::string_view token = cursor.nextToken(); !token.empty(); token = cursor.nextToken()) {
        if (token == "v") {
            ++counts.positions;
        } else if (token == "vt") {
            ++counts.texCoords;
        } else if (token == "f") {
            ++counts.faces;
        }
    }
    return counts;
}

// One corner of a face: 1-based position, texture and normal indices, 0 where missing.
struct FaceCorner {
    int position = 0;
    int texCoord = 0;
    int normal = 0;
};

// "7", "7/3", "7//2", "7/3/2": missing fields read 0; fields beyond the third are ignored.
FaceCorner parseCorner(std::string_view ref) {
    std::array<int, 3> fields{};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::size_t slash = ref.find('/');
        fields[i] = parseIntLikeAtoi(ref.substr(0, slash));
        if (slash == std::string_view::npos) {
            break;
        }
        ref.remove_prefix(slash + 1);
    }
    return {fields[0], fields[1], fields[2]};
}

template <typename T> T lookup(const std::vector<T>& items, int oneBasedIndex) {
    if (oneBasedIndex <= 0 || static_cast<std::size_t>(oneBasedIndex) > items.size()) {
        return T{};
    }
    return items[static_cast<std::size_t>(oneBasedIndex) - 1];
}

class ObjParser {
public:
    explicit ObjParser(std::string_view text) : cursor_(text) {
        // Each token takes at least two characters with its separator, and a face that adds a
        // triangle at least eight ("f 1 2 3\n"), so reserving never exceeds what the text holds.
        const TokenCounts counts = countTokens(text);
        positions_.reserve(std::min(counts.positions, text.size() / 2 + 1));
        texCoords_.reserve(std::min(counts.texCoords, text.size() / 2 + 1));
        model_.vertices.reserve(3 * std::min(counts.faces, text.size() / 8 + 1));
    }

    ObjModel run() {
        for (std::string_view token = cursor_.nextToken(); !token.empty(); token = cursor_.nextToken()) {
            if (token.front() == '#') {
                cursor_.restOfLine();
            } else if (token == "v") {
                readPosition();
            } else if (token == "vt") {
                readTexCoord();
            } else if (token == "f") {
                readFace(cursor_.restOfLine().substr(0, kFaceLineMax));
            }
        }
        return std::move(model_);
    }

private:
    // Like "%f %f %f": reading stops at the first number that does not parse; the rest stay 0.
    template <std::size_t N> void readFloats(std::array<float, N>& values) {
        for (float& value : values) {
            if (!cursor_.readFloat(value)) {
                return;
            }
        }
    }

    void readPosition() {
        std::array<float, 3> c{};
        readFloats(c);
        positions_.push_back(Vec3{-c[0], c[1], c[2]});
    }

    void readTexCoord() {
        std::array<float, 2> c{};
        readFloats(c);
        texCoords_.push_back(Vec2{c[0], 1.0f - c[1]});
    }

    void readFace(std::string_view line) {
        line = line.substr(0, line.find('#'));
        std::array<FaceCorner, 3> corners;
        Cursor refs(line);
        for (FaceCorner& corner : corners) {
            const std::string_view ref = refs.nextToken();
            if (ref.empty()) {
                return;
            }
            corner = parseCorner(ref);
        }
        for (auto it = corners.rbegin(); it != corners.rend(); ++it) {
            const Vec3 p = lookup(positions_, it->position);
            const Vec2 t = lookup(texCoords_, it->texCoord);
            model_.vertices.push_back(PolyVertex{p.x, p.y, p.z, t.x, t.y});
        }
    }

    Cursor cursor_;
    std::vector<Vec3> positions_;
    std::vector<Vec2> texCoords_;
    ObjModel model_;
};

} // namespace

ObjModel parseObj(std::string_view text) {
    return ObjParser(text).run();
}

std::optional<ObjModel> readObj(const std::filesystem::path& file) {
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec)) {
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string text;
    std::array<char, 65536> buffer;
    while (in.read(buffer.data(), buffer.size()) || in.gcount() > 0) {
        text.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        return std::nullopt;
    }
    return parseObj(text);
}

} // namespace vintrel
