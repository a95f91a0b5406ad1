#pragma once

#include <istream>
#include <ostream>
#include <span>
#include <string>

namespace vintrel {

// Runs one vintrel-cli command; `args` excludes the program name; `in` feeds `edit`. Returns the exit code: 0
// on success, 1 when the command failed, 2 when it was used wrongly.
int runCli(std::span<const std::string> args, std::istream& in, std::ostream& out, std::ostream& err);

} // namespace vintrel
