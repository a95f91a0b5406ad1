#include "model/view_backdrop.h"

#include <array>

namespace vintrel {

namespace {

using Kind = ViewBackdrop::Kind;

constexpr std::array kKindNames{
    ChoiceName{static_cast<int>(Kind::Color), "color"},
    ChoiceName{static_cast<int>(Kind::Checkerboard), "checkerboard"},
    ChoiceName{static_cast<int>(Kind::Image), "image"},
    ChoiceName{static_cast<int>(Kind::VideoFrame), "video"},
};

} // namespace

std::span<const ChoiceName> backdropKindNames() {
    return kKindNames;
}

} // namespace vintrel
