#pragma once

// Checks of the library's results: a failure shows its message in the test's output.

#include "platform/result.h"

#include <gtest/gtest.h>
#include <string>

namespace vintrel::test {

template <class T>
::testing::AssertionResult succeeded(const Result<T>& result) {
    if (result) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << untranslated(result.error());
}

// The failure's message with its arguments, or "" after a success.
template <class T>
std::string failureText(const Result<T>& result) {
    return result ? std::string() : untranslated(result.error());
}

} // namespace vintrel::test
