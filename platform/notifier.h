#pragma once

#include <string_view>

namespace vintrel {

// Where the model and the file code report failures that the user must see. The editor shows
// a message box, the command-line tool writes to standard error.
class Notifier {
public:
    static constexpr const char* kDefaultCaption = "Vintrel";
    virtual ~Notifier() = default;
    virtual void showMessage(std::string_view caption, std::string_view text) = 0;
};

} // namespace vintrel
