#include "persist/package.h"

#include "persist/settings_file.h"
#include "platform/number_format.h"
#include "platform/text_codec.h"

#include <charconv>
#include <climits>
#include <optional>

namespace vintrel {

namespace {

// Splits the package into tokens: a token runs up to the next ',', line feed or zero byte,
// and the delimiter after it is skipped. Data blocks are taken by size in between.
class TokenReader {
public:
    explicit TokenReader(std::string_view bytes) : bytes_(bytes) {}

    // Nothing when the input ends before a delimiter.
    std::optional<std::string_view> token(std::size_t maxLength) {
        std::size_t end = pos_;
        while (end < bytes_.size() && !isDelimiter(bytes_[end])) {
            if (end - pos_ >= maxLength) {
                return std::nullopt;
            }
            ++end;
        }
        if (end >= bytes_.size()) {
            return std::nullopt;
        }
        std::string_view result = bytes_.substr(pos_, end - pos_);
        pos_ = end + 1;
        return result;
    }

    std::optional<std::string_view> block(std::size_t size) {
        if (size > bytes_.size() - pos_) {
            return std::nullopt;
        }
        std::string_view result = bytes_.substr(pos_, size);
        pos_ += size;
        return result;
    }

private:
    static bool isDelimiter(char c) { return c == ',' || c == '\n' || c == '\0'; }

    std::string_view bytes_;
    std::size_t pos_ = 0;
};

constexpr std::size_t kNumberTokenMax = 32;

// A size or count written with "%d": decimal digits only.
std::optional<std::size_t> parseCount(std::string_view token) {
    std::size_t value = 0;
    if (token.empty()) {
        return std::nullopt;
    }
    const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (ec != std::errc() || end != token.data() + token.size()) {
        return std::nullopt;
    }
    return value;
}

ParsedPackage unsupported() {
    return ParsedPackage{};
}

} // namespace

bool isSafeEntryName(std::string_view name) {
    if (name.empty() || name == "." || name.find("..") != std::string_view::npos ||
        name.size() > kFileNameMaxBytes) {
        return false;
    }
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7F || c == '/' || c == '\\') {
            return false;
        }
    }
    return true;
}

ParsedPackage parsePackage(std::string_view bytes) {
    TokenReader reader(bytes);
    const auto magic = reader.token(kEntryNameMaxBytes);
    if (!magic || *magic != kPackageMagic) {
        return unsupported();
    }
    const auto versionToken = reader.token(kNumberTokenMax);
    if (!versionToken) {
        return unsupported();
    }
    ParsedPackage result;
    result.version = parseIntLikeAtoi(*versionToken);
    // Compared without sign, so a negative version counts as too new as well.
    if (static_cast<unsigned>(result.version) > static_cast<unsigned>(kCurrentFormatVersion)) {
        result.status = PackageStatus::NewerVersion;
        return result;
    }
    const auto countToken = reader.token(kNumberTokenMax);
    const auto materialCount = countToken ? parseCount(*countToken) : std::nullopt;
    if (!materialCount || *materialCount >= bytes.size()) {
        return unsupported();
    }
    for (std::size_t i = 0; i <= *materialCount; ++i) {
        const auto name = reader.token(kEntryNameMaxBytes);
        const auto sizeToken = name ? reader.token(kNumberTokenMax) : std::nullopt;
        const auto size = sizeToken ? parseCount(*sizeToken) : std::nullopt;
        const auto data = size ? reader.block(*size) : std::nullopt;
        if (!data) {
            return unsupported();
        }
        auto utf8Name = text::cp932ToUtf8(*name);
        if (!utf8Name || !isSafeEntryName(*utf8Name)) {
            return unsupported();
        }
        result.entries.push_back({std::move(*utf8Name), std::string(*data)});
    }
    if (result.entries.back().name != kSettingsFileName) {
        return unsupported();
    }
    result.status = PackageStatus::Ok;
    return result;
}

Result<std::string> encodePackage(const std::vector<PackageEntry>& entries, int version) {
    std::string out = std::string(kPackageMagic) + "," + formatInt(version) + "," +
                      formatInt(static_cast<int>(entries.size()) - 1) + ",";
    for (const PackageEntry& entry : entries) {
        const auto name = text::utf8ToCp932(entry.name);
        if (!name || !isSafeEntryName(entry.name) || name->find(',') != std::string::npos ||
            name->size() > kEntryNameMaxBytes) {
            return Message{"ファイル名「%1」はプロジェクトに保存できません。", {entry.name}};
        }
        if (entry.data.size() > static_cast<std::size_t>(INT_MAX)) {
            return Message{"ファイル「%1」が大きすぎるため、保存できません。", {entry.name}};
        }
        out += *name + "," + std::to_string(entry.data.size()) + ",";
        out += entry.data;
    }
    return out;
}

} // namespace vintrel
