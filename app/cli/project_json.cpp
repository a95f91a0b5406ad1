#include "app/cli/project_json.h"

#include "model/export_extras.h"
#include "model/node_members.h"
#include "model/project_fields.h"
#include "model/view_backdrop.h"

#include <charconv>
#include <cmath>

namespace vintrel {

using Json = nlohmann::ordered_json;

namespace {

// The float as the double with the same shortest decimal form, so that 0.1f prints as 0.1.
Json jsonFloat(float v) {
    if (!std::isfinite(v)) {
        return nullptr;
    }
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
    double shortest = v;
    std::from_chars(buffer, end, shortest);
    return shortest;
}

Json viewToJson(const CameraView& view) {
    return Json{{"Title", view.title},
                {"PosX", jsonFloat(view.eye.x)},
                {"PosY", jsonFloat(view.eye.y)},
                {"PosZ", jsonFloat(view.eye.z)},
                {"TargetX", jsonFloat(view.target.x)},
                {"TargetY", jsonFloat(view.target.y)},
                {"TargetZ", jsonFloat(view.target.z)},
                {"Angle", jsonFloat(view.angle)}};
}

Json curveToJson(const Graph& curve) {
    Json points = Json::array();
    for (const CurvePoint& p : curve.points()) {
        points.push_back(Json::array({jsonFloat(p.x), jsonFloat(p.y)}));
    }
    return points;
}

} // namespace

Json nodeToJson(const EffectNode& node, NodeChildren children) {
    Json json;
    json["m_name"] = node.m_name;
    for (const NodeMember& field : nodeMembers()) {
        if (field.isFloat()) {
            json[std::string(field.key)] = jsonFloat(field.floatValue(node));
        } else {
            json[std::string(field.key)] = field.intValue(node);
        }
    }
    Json graphs = Json::array();
    for (int slot = 0; slot < kCurveSlotCount; ++slot) {
        graphs.push_back(curveToJson(node.graph(slot)));
    }
    json["graphs"] = std::move(graphs);
    if (children == NodeChildren::Included) {
        Json list = Json::array();
        for (const auto& child : node.m_children) {
            list.push_back(nodeToJson(*child, NodeChildren::Included));
        }
        json["children"] = std::move(list);
    }
    return json;
}

std::string choiceName(std::span<const ChoiceName> names, int value) {
    return std::string(nameOfChoice(names, value));
}

// The newer export options by the names the command line and the settings file use.
Json exportExtrasToJson(const ExportExtras& x) {
    return Json{{"format", choiceName(animatedFormatNames(), static_cast<int>(x.animation))},
                {"atlas", choiceName(atlasFormatNames(), static_cast<int>(x.atlas))},
                {"alpha", choiceName(alphaModeNames(), static_cast<int>(x.alpha))},
                {"padding", x.padding},
                {"border", x.border},
                {"extrude", x.extrude},
                {"trim", choiceName(sheetTrimNames(), static_cast<int>(x.trim))},
                {"powerOfTwo", x.powerOfTwo},
                {"maxSize", x.maxSheetSide},
                {"name", x.namePattern},
                {"loop", x.loop},
                {"loopFrames", x.loopFrames},
                {"channels", channelList(x.channels)}};
}

Json backdropToJson(const ViewBackdrop& backdrop) {
    return Json{{"kind", choiceName(backdropKindNames(), static_cast<int>(backdrop.kind))},
                {"file", backdrop.file},
                {"frame", backdrop.frame}};
}

Json projectToJson(const GlobalState& g) {
    Json project;
    for (const ProjectField& field : projectFields()) {
        if (field.isFloat()) {
            project[std::string(field.key)] = jsonFloat(field.floatValue(g));
        } else {
            project[std::string(field.key)] = field.intValue(g);
        }
    }
    Json views = Json::array();
    for (const CameraView& view : g.views) {
        views.push_back(viewToJson(view));
    }
    Json nodes = Json::array();
    for (const auto& node : g.rootNode->m_children) {
        nodes.push_back(nodeToJson(*node, NodeChildren::Included));
    }
    Json doc;
    doc["version"] = g.project.fileVersion;
    doc["project"] = std::move(project);
    doc["views"] = std::move(views);
    doc["nodes"] = std::move(nodes);
    doc["cameraNode"] = nodeToJson(*g.cameraNode, NodeChildren::Left);
    doc["targetNode"] = nodeToJson(*g.targetNode, NodeChildren::Left);
    doc["export"] = exportExtrasToJson(g.exportExtras);
    doc["backdrop"] = backdropToJson(g.backdrop);
    return doc;
}

} // namespace vintrel
