#include "model/value_target.h"

#include "model/property_labels.h"

namespace vintrel {

std::optional<ValueTarget> valueTargetOf(std::string_view path) {
    if (path.starts_with(kSelectedNodePrefix)) {
        const NodeMember* member = findNodeMember(path.substr(kSelectedNodePrefix.size()));
        if (member == nullptr || member->use == MemberUse::Identity) {
            return std::nullopt;
        }
        return member->id;
    }
    if (const std::optional<ProjectFieldId> field = findProjectField(path)) {
        return *field;
    }
    return std::nullopt;
}

} // namespace vintrel
