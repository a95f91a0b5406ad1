#include "platform/text_codec.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace vintrel::text {
namespace {

// Owns one iconv conversion descriptor.
class IconvHandle {
public:
    IconvHandle(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~IconvHandle() {
        if (valid()) {
            iconv_close(cd_);
        }
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

// Opening a descriptor is comparatively expensive, so each thread keeps one per direction.
IconvHandle& decoder() {
    thread_local IconvHandle handle("UTF-8", "CP932");
    return handle;
}

IconvHandle& encoder() {
    thread_local IconvHandle handle("CP932", "UTF-8");
    return handle;
}

enum class RunResult { Done, Stopped };

// Converts as much of `in` as possible, appending the output to `out` and dropping the consumed
// bytes from `in`. Stops (with `in` at the offending byte) on an invalid or incomplete sequence.
RunResult convertRun(const IconvHandle& handle, std::string_view& in, std::string& out) {
    iconv(handle.get(), nullptr, nullptr, nullptr, nullptr);
    while (!in.empty()) {
        const std::size_t before = out.size();
        const std::size_t room = in.size() * 3 + 16;
        out.resize(before + room);
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char* dst = out.data() + before;
        std::size_t dstLeft = room;
        const std::size_t rc = iconv(handle.get(), &src, &srcLeft, &dst, &dstLeft);
        const int err = errno;
        out.resize(before + (room - dstLeft));
        in.remove_prefix(in.size() - srcLeft);
        if (rc == static_cast<std::size_t>(-1) && err != E2BIG) {
            return RunResult::Stopped;
        }
    }
    return RunResult::Done;
}

bool isContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// Length of the well-formed UTF-8 character at the start of `s`, or 0 when there is none
// (rejects overlong forms, surrogates and values above U+10FFFF).
std::size_t utf8CharLength(std::string_view s) {
    if (s.empty()) {
        return 0;
    }
    const auto at = [&](std::size_t i) { return i < s.size() ? static_cast<unsigned char>(s[i]) : 0; };
    const unsigned char b0 = at(0);
    const unsigned char b1 = at(1);
    if (b0 < 0x80) {
        return 1;
    }
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        return isContinuation(b1) ? 2 : 0;
    }
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        const unsigned char lo = b0 == 0xE0 ? 0xA0 : 0x80;
        const unsigned char hi = b0 == 0xED ? 0x9F : 0xBF;
        return (b1 >= lo && b1 <= hi && isContinuation(at(2))) ? 3 : 0;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        const unsigned char lo = b0 == 0xF0 ? 0x90 : 0x80;
        const unsigned char hi = b0 == 0xF4 ? 0x8F : 0xBF;
        return (b1 >= lo && b1 <= hi && isContinuation(at(2)) && isContinuation(at(3))) ? 4 : 0;
    }
    return 0;
}

bool isValidUtf8(std::string_view s) {
    while (!s.empty()) {
        const std::size_t len = utf8CharLength(s);
        if (len == 0) {
            return false;
        }
        s.remove_prefix(len);
    }
    return true;
}

} // namespace

std::optional<std::string> cp932ToUtf8(std::string_view cp932) {
    const IconvHandle& handle = decoder();
    std::string out;
    if (!handle.valid() || convertRun(handle, cp932, out) != RunResult::Done) {
        return std::nullopt;
    }
    return out;
}

std::optional<std::string> utf8ToCp932(std::string_view utf8) {
    const IconvHandle& handle = encoder();
    std::string out;
    if (!handle.valid() || !isValidUtf8(utf8) || convertRun(handle, utf8, out) != RunResult::Done) {
        return std::nullopt;
    }
    return out;
}

std::string cp932ToUtf8Lenient(std::string_view cp932) {
    const IconvHandle& handle = decoder();
    std::string out;
    while (!cp932.empty()) {
        if (handle.valid() && convertRun(handle, cp932, out) == RunResult::Done) {
            break;
        }
        // Replace just the offending byte: the next one may start a valid character.
        out += '?';
        cp932.remove_prefix(1);
    }
    return out;
}

std::string utf8ToCp932Lenient(std::string_view utf8) {
    const IconvHandle& handle = encoder();
    std::string out;
    while (!utf8.empty()) {
        if (handle.valid() && convertRun(handle, utf8, out) == RunResult::Done) {
            break;
        }
        // A well-formed character without a cp932 form is replaced whole; a stray byte alone.
        out += '?';
        utf8.remove_prefix(std::max<std::size_t>(utf8CharLength(utf8), 1));
    }
    return out;
}

std::size_t cp932CutLength(std::string_view cp932, std::size_t maxBytes) {
    const std::size_t limit = std::min(maxBytes, cp932.size());
    std::size_t pos = 0;
    while (pos < limit) {
        const std::size_t width = isCp932LeadByte(static_cast<unsigned char>(cp932[pos])) ? 2 : 1;
        if (pos + width > limit) {
            break;
        }
        pos += width;
    }
    return pos;
}

std::string cutUtf8ToCp932Bytes(std::string_view utf8, std::size_t maxBytes) {
    std::size_t pos = 0;
    std::size_t used = 0;
    while (pos < utf8.size()) {
        const std::string_view rest = utf8.substr(pos);
        const std::size_t len = std::max<std::size_t>(utf8CharLength(rest), 1);
        const std::size_t width =
            static_cast<unsigned char>(rest[0]) < 0x80 ? 1 : utf8ToCp932Lenient(rest.substr(0, len)).size();
        if (used + width > maxBytes) {
            break;
        }
        used += width;
        pos += len;
    }
    return std::string(utf8.substr(0, pos));
}

} // namespace vintrel::text
