// Feeds arbitrary text to the OBJ reader, under the sanitizers: no read outside its arrays,
// and whole triangles only.
#include "render/obj_reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const vintrel::ObjModel model = vintrel::parseObj(text);
    if (model.vertices.size() % 3 != 0 ||
        static_cast<std::size_t>(model.triangleCount()) * 3 != model.vertices.size()) {
        __builtin_trap();
    }
    return 0;
}
