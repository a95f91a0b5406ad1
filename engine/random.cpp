#include "engine/random.h"

#include "engine/random_state.h"

#include <climits>
#include <cmath>

namespace vintrel {

namespace rng {

namespace detail {
constinit thread_local std::uint32_t state = 1;
} // namespace detail

void seed(std::uint32_t state) {
    detail::state = state;
}

std::uint32_t state() {
    return detail::state;
}

int draw() {
    return detail::draw();
}

} // namespace rng

float percentFactor(int e) {
    if (e == 0) {
        return 1.0f;
    }
    // 64-bit so that 2e cannot overflow; the remainder takes the dividend's sign as in C.
    const long long e64 = e;
    const long long value = rng::draw() % (2 * e64) - e64 + 100;
    return static_cast<float>(value) / 100.0f;
}

float randomAngle() {
    return static_cast<float>(rng::draw() % 628) / 100.0f;
}

float randomSigned() {
    return static_cast<float>(rng::draw() % 200 - 100) / 100.0f;
}

float randomHalf(float s) {
    const int hi = truncateToInt(s * 0.5f * 100.0f);
    if (hi <= 0) {
        return 0.0f;
    }
    const int lo = truncateToInt(s * -0.5f * 100.0f);
    const long long range = static_cast<long long>(hi) - lo;
    return static_cast<float>(rng::draw() % range + lo) / 100.0f;
}

std::uint32_t truncateToUnsigned(float v) {
    if (!(std::fabs(v) < 9.2233720e18f)) {
        return 0;
    }
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(static_cast<long long>(v)));
}

} // namespace vintrel
