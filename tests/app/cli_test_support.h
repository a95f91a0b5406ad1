#pragma once

// Helpers shared by the tests that run the built vintrel-cli.

#include <string>

namespace vintrel::test {

// `arg` as one word for the shell, in single quotes.
inline std::string quoted(const std::string& arg) {
    std::string result = "'";
    for (char c : arg) {
        if (c == '\'') {
            result += "'\\''";
        } else {
            result += c;
        }
    }
    return result + "'";
}

// What one run of the tool gave: its exit status (-1 when it did not exit normally) and output.
struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

} // namespace vintrel::test
