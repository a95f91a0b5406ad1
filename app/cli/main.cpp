#include "app/cli/commands.h"

#include <clocale>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // Honour the user's locale like any program; no file or trace text depends on it.
    std::setlocale(LC_ALL, "");
    const std::vector<std::string> args(argv + 1, argv + argc);
    return vintrel::runCli(args, std::cin, std::cout, std::cerr);
}
