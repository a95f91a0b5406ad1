#include "render/atlas.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace vintrel {

namespace {

int atLeastOne(int n) {
    return n > 0 ? n : 1;
}

// (int)position without undefined behaviour: truncates toward zero, clamps to the int range and
// reads a NaN as 0.
std::int64_t cellOf(float position) {
    if (std::isnan(position)) {
        return 0;
    }
    constexpr float kLimit = 2147483648.0f; // 2^31
    if (position >= kLimit) {
        return std::numeric_limits<int>::max();
    }
    if (position <= -kLimit) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<std::int64_t>(position);
}

} // namespace

Mat4 atlasTextureMatrix(int w, int h, float animPosition) {
    w = atLeastOne(w);
    h = atLeastOne(h);
    const std::int64_t cell = cellOf(animPosition);
    // C++ division: a negative cell gives a negative column, which wraps round the texture.
    const float column = static_cast<float>(cell % w);
    const float row = static_cast<float>(cell / w);
    const float fw = static_cast<float>(w);
    const float fh = static_cast<float>(h);
    return matrixScaling(1.0f / fw, 1.0f / fh, 1.0f) * matrixTranslation(column / fw, row / fh, 0.0f);
}

float nextAnimPosition(float speed, int age, int w, int h, bool loop) {
    const std::int64_t cells = static_cast<std::int64_t>(atLeastOne(w)) * atLeastOne(h);
    const float pos = speed / 100.0f * static_cast<float>(static_cast<std::int64_t>(age) - 1);
    if (std::isnan(pos) || pos == -std::numeric_limits<float>::infinity()) {
        return 0.0f;
    }
    if (pos < static_cast<float>(cells)) {
        return pos;
    }
    if (!loop) {
        return static_cast<float>(cells - 1);
    }
    if (std::isinf(pos)) {
        return 0.0f;
    }
    // pos is at least 1 here, so its whole part and fraction are floor() and the rest; fmod is
    // exact, and a whole float this large fits a double exactly.
    const double whole = std::floor(static_cast<double>(pos));
    const float fraction = pos - static_cast<float>(whole);
    return fraction + static_cast<float>(std::fmod(whole, static_cast<double>(cells)));
}

} // namespace vintrel
