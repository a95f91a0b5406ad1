// Feeds arbitrary bytes to the package reader and, when a package is accepted, reads its
// settings into a project and writes them back, as opening and saving a project does.
#include "persist/package.h"
#include "persist/settings_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vintrel;
    const ParsedPackage package = parsePackage({reinterpret_cast<const char*>(data), size});
    if (package.status != PackageStatus::Ok) {
        return 0;
    }
    for (const PackageEntry& entry : package.entries) {
        if (!isSafeEntryName(entry.name)) {
            __builtin_trap(); // the reader must never hand out a name that leaves the workspace
        }
    }
    GlobalState g;
    readSettings(g, IniDocument::parse(package.entries.back().data), package.version);
    if (checkTreeNumbering(*g.rootNode)) {
        (void)encodePackage(package.entries, kCurrentFormatVersion);
        writeSettings(g);
    }
    return 0;
}
