#include "persist/backdrop_section.h"

#include "persist/settings_file.h"
#include "platform/number_format.h"

namespace vintrel {

namespace {

bool keptAsIs(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~' || c == '/';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

} // namespace

std::string percentEncoded(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (keptAsIs(byte)) {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        }
    }
    return out;
}

std::optional<std::string> percentDecoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size()) {
            return std::nullopt;
        }
        const int high = hexValue(text[i + 1]);
        const int low = hexValue(text[i + 2]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

std::string backdropSection(const ViewBackdrop& backdrop) {
    if (backdrop.kind == ViewBackdrop::Kind::Color) {
        return {};
    }
    std::string out = std::string("[") + kBackdropSection + "]\r\n";
    out.append("KIND=").append(nameOfChoice(backdropKindNames(), static_cast<int>(backdrop.kind))).append("\r\n");
    if (backdrop.usesFile()) {
        out.append("FILE=").append(percentEncoded(backdrop.file)).append("\r\n");
    }
    if (backdrop.kind == ViewBackdrop::Kind::VideoFrame) {
        out.append("FRAME=").append(formatInt(backdrop.frame)).append("\r\n");
    }
    return out;
}

ViewBackdrop readBackdrop(const IniDocument& ini) {
    ViewBackdrop backdrop;
    const auto kindText = ini.find(kBackdropSection, "KIND");
    if (!kindText) {
        return backdrop;
    }
    const std::optional<int> kind = choiceByName(backdropKindNames(), *kindText);
    if (!kind) {
        return backdrop;
    }
    backdrop.kind = static_cast<ViewBackdrop::Kind>(*kind);
    if (backdrop.usesFile()) {
        const auto fileText = ini.find(kBackdropSection, "FILE");
        std::optional<std::string> file = fileText ? percentDecoded(*fileText) : std::nullopt;
        if (!file || file->empty()) {
            return ViewBackdrop{};
        }
        backdrop.file = std::move(*file);
    }
    if (backdrop.kind == ViewBackdrop::Kind::VideoFrame) {
        if (const auto frameText = ini.find(kBackdropSection, "FRAME")) {
            backdrop.frame = settingsNumberIn(*frameText, 0, kMaxBackdropFrame).value_or(0);
        }
    }
    return backdrop;
}

} // namespace vintrel
