// Feeds arbitrary settings files, of every format version, to the settings reader, then writes
// the project that came out and reads that back.
#include "persist/settings_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vintrel;
    if (size == 0) {
        return 0;
    }
    const int version = data[0] % (kCurrentFormatVersion + 1);
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    GlobalState g;
    readSettings(g, IniDocument::parse(text), version);
    if (!checkTreeNumbering(*g.rootNode)) {
        return 0;
    }
    const std::string written = writeSettings(g);
    GlobalState again;
    readSettings(again, IniDocument::parse(written), kCurrentFormatVersion);
    if (again.nodeCount != g.nodeCount) {
        __builtin_trap(); // a savable tree must come back whole
    }
    return 0;
}
