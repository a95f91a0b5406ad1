#include "model/property_labels.h"

#include "model/node_members.h"

namespace vintrel {

std::string_view propertyLabel(std::string_view path) {
    if (!path.starts_with(kSelectedNodePrefix)) {
        return {};
    }
    path.remove_prefix(kSelectedNodePrefix.size());
    const NodeMember* field = findNodeMember(path);
    return field != nullptr ? field->label : std::string_view();
}

} // namespace vintrel
