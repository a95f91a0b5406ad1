#include "model/global_state.h"

#include "model/default_names.h"

#include <cmath>

namespace vintrel {

GlobalState::GlobalState() {
    rootNode = std::make_unique<EffectNode>();
    rootNode->m_name = defaultNames().root;
}

void GlobalState::publishFrameInputs() {
    syncEffectLengthNodes(*this, project.frame);
    publishedInputs.publish(FrameInputs{project, pSelNode, showGuide});
}

void copyProject(const GlobalState& from, GlobalState& to) {
    to.rootNode = detachedCopy(*from.rootNode);
    to.cameraNode = from.cameraNode ? detachedCopy(*from.cameraNode) : nullptr;
    to.targetNode = from.targetNode ? detachedCopy(*from.targetNode) : nullptr;
    to.pSelNode = from.pSelNode != nullptr ? findNodeById(*to.rootNode, from.pSelNode->m_ID) : nullptr;
    to.nodeCount = from.nodeCount;
    to.project = from.project;
    to.write = from.write;
    to.exportExtras = from.exportExtras;
    to.mask = from.mask;
    to.backdrop = from.backdrop;
    to.views = from.views;
    to.viewCamera = from.viewCamera;
    to.materials = from.materials;
    to.workspace = from.workspace;
    to.programFolder = from.programFolder;
    to.currentFile = from.currentFile;
}

namespace {

void setUnderLock(EffectNode& node, int& member, int value) {
    const auto lock = node.lockParams();
    if (member != value) {
        member = value;
    }
}

} // namespace

void syncEffectLengthNodes(GlobalState& g, int frames) {
    if (g.rootNode) {
        setUnderLock(*g.rootNode, g.rootNode->m_kill.span, frames);
    }
    for (EffectNode* marker : {g.cameraNode.get(), g.targetNode.get()}) {
        if (marker != nullptr) {
            setUnderLock(*marker, marker->m_scale.max, 0);
            setUnderLock(*marker, marker->m_kill.span, frames);
        }
    }
}

std::vector<CameraView> freshViewList() {
    return {
        CameraView{{0, 0, -10}, {0, 0, 0}, 60, defaultNames().views[0]},
        CameraView{{0, 5, -10}, {0, 0, 0}, 60, defaultNames().views[1]},
        CameraView{{-5, 5, -10}, {0, 0, 0}, 60, defaultNames().views[2]},
        CameraView{{}, {}, 60, CameraView::kAddEntryTitle},
    };
}

void resetCameraNodes(GlobalState& g) {
    g.cameraNode = std::make_unique<EffectNode>();
    g.cameraNode->m_ID = EffectNode::kCameraPositionId;
    g.cameraNode->m_name = defaultNames().cameraPosition;
    g.cameraNode->m_emitter.pos = {0, 5, -10};
    g.targetNode = std::make_unique<EffectNode>();
    g.targetNode->m_ID = EffectNode::kCameraTargetId;
    g.targetNode->m_name = defaultNames().cameraTarget;
    g.targetNode->m_emitter.pos = {0, 0, 0};
}

void resetProject(GlobalState& g, const ProjectDefaults& defaults) {
    g.views = freshViewList();
    ProjectSettings& p = g.project;
    p.fps = defaults.value("SPEED", 60);
    p.frame = defaults.value("FRAME", 60);
    p.width = defaults.value("WIDTH", 128);
    p.height = defaults.value("HEIGHT", 128);
    p.backColor = {0, 0, 0};
    p.randomSeed = 0;
    p.sort = defaults.value("SORT", 0);
    WriteSettings& w = g.write;
    w.start = 1;
    w.end = 60;
    w.step = 1;
    w.width = 7;
    w.smooth = 2;
    w.isAlpha = 1;
    w.framesWritten = 0;
    g.exportExtras = ExportExtras{};
    g.backdrop = ViewBackdrop{};
}

void applyStartValues(GlobalState& g, const ProjectDefaults& defaults) {
    g.rootNode = std::make_unique<EffectNode>();
    g.rootNode->m_name = defaultNames().root;
    g.pSelNode = &g.rootNode->appendChild(std::make_unique<EffectNode>(g.rootNode.get()));
    resetCameraNodes(g);
    ProjectSettings& p = g.project;
    p.sort = defaults.value("SORT", 1);
    p.reverse = defaults.value("REVERSE", 0);
    p.isNonLiner = defaults.value("NON_LINER", 0);
    p.isCameraMove = 0;
    p.growRange = 0;
    p.growPower = 50;
    p.growColor = {255, 255, 255};
    p.previewFrame = -1;
    p.fileVersion = 0;
    g.mask = MaskSettings{};
    g.viewCamera = ViewCameraPose{};
    g.nodeCount = 2;
    g.currentFile = GlobalState::kUntitledName;
    g.hasFileName = false;
    g.modified = false;
}

void applyProjectLength(GlobalState& g, int frames) {
    g.project.frame = frames;
    g.write.start = 1;
    g.write.end = frames;
    g.write.width = frames > 0 ? static_cast<int>(std::sqrt(static_cast<double>(frames))) : 0;
}

} // namespace vintrel
