#include "platform/message.h"

namespace vintrel {

std::string fillArguments(std::string_view pattern, const std::vector<std::string>& args) {
    std::string text;
    text.reserve(pattern.size());
    for (std::size_t k = 0; k < pattern.size(); ++k) {
        const char c = pattern[k];
        if (c == '%' && k + 1 < pattern.size() && pattern[k + 1] >= '1' && pattern[k + 1] <= '9') {
            const auto index = static_cast<std::size_t>(pattern[k + 1] - '1');
            if (index < args.size()) {
                text += args[index];
                ++k;
                continue;
            }
        }
        text += c;
    }
    return text;
}

} // namespace vintrel
