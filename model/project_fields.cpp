#include "model/project_fields.h"

namespace vintrel {

std::optional<ProjectFieldId> findProjectField(std::string_view key) {
    for (std::size_t i = 0; i < kProjectFields.size(); ++i) {
        if (kProjectFields[i].key == key) {
            return static_cast<ProjectFieldId>(i);
        }
    }
    return std::nullopt;
}

} // namespace vintrel
