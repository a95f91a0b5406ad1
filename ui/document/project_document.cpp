#include "ui/document/project_document.h"

#include "engine/playback.h"

#include <QCoreApplication>

#include "model/tree_operations.h"
#include "persist/project_file.h"

#include <algorithm>
#include <cmath>
#include <system_error>

namespace vintrel {

ProjectDocument::ProjectDocument(GlobalState& g, const ProjectDefaults& defaults, Notifier& notifier,
                                 QObject* parent)
    : QObject(parent), g_(g), defaults_(defaults), notifier_(notifier), simulation_(g),
      history_(g, hooks_), tree_(g, history_, hooks_, notifier) {
    lastModified_ = g_.modified;
    lastFileName_ = fileName();
    publish();
    simulation_.reset();
}

ProjectDocument::~ProjectDocument() {
    stopWorker();
    autosaver_.waitIdle();
}

// ---- the worker ---------------------------------------------------------------------------

void ProjectDocument::attachWorker(SimulationWorker::Hooks hooks, const FrameTimeSource& clock) {
    stopWorker();
    worker_ = std::make_unique<SimulationWorker>(g_, simulation_, clock, std::move(hooks));
    worker_->setRealTime(realTimePlay_);
}

void ProjectDocument::setRealTimePlay(bool on) {
    realTimePlay_ = on;
    if (worker_) {
        worker_->setRealTime(on);
    }
}

void ProjectDocument::startWorker() {
    if (worker_) {
        worker_->start();
    }
}

// The worker's thread is joined, so nothing of it runs once this returns: the pause that a
// polled exit code needed is not needed here.
void ProjectDocument::stopWorker() {
    if (worker_) {
        worker_->stop(std::chrono::milliseconds(0));
    }
}

bool ProjectDocument::workerRunning() const {
    return worker_ && worker_->running();
}

void ProjectDocument::resetView() {
    stopWorker();
    const int held = transportFrame();
    publish();
    simulation_.reset();
    if (worker_) {
        // Playing, the effect starts over; held, it is simulated up to the held frame again.
        worker_->requestFrame(playing_ ? 0 : held);
    }
    startWorker();
    emit viewReset();
}

// ---- playback -----------------------------------------------------------------------------

void ProjectDocument::setPlaying(bool playing) {
    if (playing_ == playing) {
        return;
    }
    playing_ = playing;
    if (worker_) {
        playing ? worker_->play() : worker_->hold();
    }
    emit playbackChanged();
}

void ProjectDocument::goToFrame(int frame) {
    setPlaying(false);
    if (worker_) {
        worker_->requestFrame(playback::clampFrame(frame, effectLength()));
    }
    emit playbackChanged();
}

void ProjectDocument::stepForward() {
    goToFrame(playback::frameAfter(transportFrame(), effectLength()));
}

void ProjectDocument::stepBack() {
    goToFrame(playback::frameBefore(transportFrame(), effectLength()));
}

void ProjectDocument::goToFirstFrame() {
    const bool playing = playing_;
    goToFrame(1);
    setPlaying(playing);
}

int ProjectDocument::effectLength() const {
    return g_.project.frame;
}

int ProjectDocument::transportFrame() const {
    return worker_ ? worker_->destinationFrame() : playback::shownFrame(simulation_);
}

void ProjectDocument::replayIfHeld() {
    if (worker_ && !playing_) {
        worker_->requestReplay();
    }
}

void ProjectDocument::publish() {
    g_.publishFrameInputs();
}

void ProjectDocument::setGuideShown(bool shown) {
    g_.showGuide = shown;
    publish();
}

// ---- edits --------------------------------------------------------------------------------

bool ProjectDocument::setValue(ValueTarget target, double value) {
    if (!history_.recordValue(target, value)) {
        return false;
    }
    if (const auto* field = std::get_if<ProjectFieldId>(&target)) {
        publish();
        replayIfHeld();
        emit projectValueChanged(*field);
    } else {
        replayIfHeld();
        emit nodeValueChanged(std::get<MemberId>(target));
    }
    return true;
}

bool ProjectDocument::renameSelected(const std::string& name) {
    if (!history_.recordRename(name)) {
        return false;
    }
    emit treeChanged();
    resetView();
    return true;
}

void ProjectDocument::setNodeVisible(EffectNode& node, bool visible) {
    const int value = visible ? 1 : 0;
    if (node.m_isDraw == value) {
        return;
    }
    {
        const auto lock = node.lockParams();
        node.m_isDraw = value;
    }
    g_.modified = true;
    noteFileState();
    replayIfHeld();
    emit treeChanged();
}

void ProjectDocument::beginCurveEdit(int slot) {
    if (g_.pSelNode != nullptr && slot >= 0 && slot < kCurveSlotCount) {
        history_.recordCurveEdit(static_cast<CurveSlot>(slot));
    }
}

bool ProjectDocument::pasteCurve(int slot) {
    const std::vector<CurvePoint> clipboard = curveClipboard();
    if (clipboard.size() < 2) {
        return false;
    }
    setCurvePoints(slot, clipboard);
    return true;
}

void ProjectDocument::setCurvePoints(int slot, const std::vector<CurvePoint>& points, CurveMerge merge) {
    if (g_.pSelNode == nullptr || slot < 0 || slot >= kCurveSlotCount ||
        g_.pSelNode->graph(slot).points() == points) {
        return;
    }
    history_.recordCurveEdit(static_cast<CurveSlot>(slot), merge);
    // The worker reads the curve's table, which is safe to read while it is rebuilt.
    g_.pSelNode->graph(slot).setPoints(points);
    g_.modified = true;
    noteFileState();
    replayIfHeld();
    emit curveChanged(slot);
}

void ProjectDocument::beginGradientEdit() {
    history_.recordGradientEdit(CurveMerge::Separate);
}

void ProjectDocument::setGradientCurves(const History::GradientCurves& curves, CurveMerge merge) {
    EffectNode* node = g_.pSelNode;
    if (node == nullptr) {
        return;
    }
    std::vector<int> changed;
    for (std::size_t i = 0; i < curves.size(); ++i) {
        if (node->graph(History::kGradientSlots[i]).points() != curves[i]) {
            changed.push_back(History::kGradientSlots[i]);
        }
    }
    if (changed.empty()) {
        return;
    }
    history_.recordGradientEdit(merge);
    for (std::size_t i = 0; i < curves.size(); ++i) {
        node->graph(History::kGradientSlots[i]).setPoints(curves[i]);
    }
    g_.modified = true;
    noteFileState();
    replayIfHeld();
    for (const int slot : changed) {
        emit curveChanged(slot);
    }
}

bool ProjectDocument::runTreeCommand(TreeEditor::Command command) {
    return afterTreeChange(tree_.run(command));
}

bool ProjectDocument::pasteSubtree(std::unique_ptr<EffectNode> top) {
    return afterTreeChange(tree_.paste(std::move(top)));
}

bool ProjectDocument::moveNode(int nodeId, int newParentId, int index) {
    return afterTreeChange(tree_.moveNode(nodeId, newParentId, index));
}

bool ProjectDocument::afterTreeChange(bool changed) {
    if (changed) {
        publish();
        emit treeChanged();
        emit selectionChanged();
    }
    return changed;
}

void ProjectDocument::select(EffectNode* node) {
    if (node == g_.pSelNode) {
        return;
    }
    g_.pSelNode = node;
    publish();
    emit selectionChanged();
}

bool ProjectDocument::canUndo() const {
    return history_.entries().size() >= 2 && history_.current() >= 1;
}

bool ProjectDocument::canRedo() const {
    return history_.current() + 1 < static_cast<int>(history_.entries().size());
}

bool ProjectDocument::undo() {
    if (!history_.undo()) {
        return false;
    }
    afterHistoryMove();
    return true;
}

bool ProjectDocument::redo() {
    if (!history_.redo()) {
        return false;
    }
    afterHistoryMove();
    return true;
}

bool ProjectDocument::jumpTo(int entry) {
    if (!history_.jump(entry)) {
        return false;
    }
    afterHistoryMove();
    return true;
}

// Undo and redo may have changed anything: values, curves, names and the tree.
void ProjectDocument::afterHistoryMove() {
    publish();
    replayIfHeld();
    emit treeChanged();
    emit selectionChanged();
    emit historyChanged();
    noteFileState();
}

void ProjectDocument::remake() {
    stopWorker();
    // The seed is saved with the project, so a remade effect is a change to keep.
    g_.project.randomSeed = nextRandomSeed(g_.project.randomSeed);
    g_.modified = true;
    noteFileState();
    resetView();
    emit projectValueChanged(projectFieldId("g.project.randomSeed"));
}

void ProjectDocument::changeProject(const std::function<void(GlobalState&)>& change) {
    stopWorker();
    change(g_);
    g_.modified = true;
    noteFileState();
    resetView();
    emit projectChanged();
}

void ProjectDocument::changeMaterials(const std::function<void(GlobalState&)>& change) {
    stopWorker();
    change(g_);
    g_.modified = true;
    noteFileState();
    emit materialsChanged();
    resetView();
    emit selectionChanged(); // the panels' texture and shape lists name the materials
}

void ProjectDocument::changeViewpoints(const std::function<void(std::vector<CameraView>&)>& change) {
    change(g_.views);
    g_.modified = true;
    noteFileState();
    emit projectChanged();
}

ViewCameraPose ProjectDocument::viewCamera() const {
    return g_.cameraHandover.current().value_or(g_.viewCamera);
}

void ProjectDocument::requestViewCamera(const ViewCameraPose& pose) {
    g_.viewCamera = pose;
    g_.cameraHandover.request(pose);
}

void ProjectDocument::setBackgroundColor(int red, int green, int blue) {
    const FloatXYZ color{static_cast<float>(std::clamp(red, 0, 255)), static_cast<float>(std::clamp(green, 0, 255)),
                         static_cast<float>(std::clamp(blue, 0, 255))};
    const FloatXYZ& old = g_.project.backColor;
    if (old.x == color.x && old.y == color.y && old.z == color.z) {
        return;
    }
    g_.project.backColor = color;
    g_.modified = true;
    publish();
    noteFileState();
    for (const ProjectFieldId part : {projectFieldId("g.project.backColor.x"), projectFieldId("g.project.backColor.y"),
                                      projectFieldId("g.project.backColor.z")}) {
        emit projectValueChanged(part);
    }
}

// ---- files --------------------------------------------------------------------------------

bool ProjectDocument::canOpen(const std::filesystem::path& path) {
    return checkProjectFile(path, notifier_);
}

bool ProjectDocument::save(const std::filesystem::path& path) {
    autosaver_.waitIdle();
    autosaver_.setGuard(true);
    if (std::optional<ViewCameraPose> pose = g_.cameraHandover.current()) {
        g_.viewCamera = *pose;
    }
    const bool saved = saveProject(g_, path, notifier_);
    autosaver_.setGuard(false);
    noteFileState();
    return saved;
}

bool ProjectDocument::load(const std::filesystem::path& path) {
    stopWorker();
    autosaver_.waitIdle();
    const bool loaded = loadProject(g_, path, defaults_, notifier_);
    if (loaded) {
        afterProjectReplaced();
    } else {
        resetView();
    }
    return loaded;
}

bool ProjectDocument::loadAsUntitled(const std::filesystem::path& path) {
    if (!load(path)) {
        return false;
    }
    g_.currentFile = GlobalState::kUntitledName;
    g_.hasFileName = false;
    g_.modified = false;
    noteFileState();
    return true;
}

void ProjectDocument::adoptRestoredAutosave(const std::filesystem::path& autosaveFile) {
    std::error_code ignored;
    std::filesystem::remove(autosaveFile, ignored);
    g_.currentFile = GlobalState::kUntitledName;
    g_.hasFileName = false;
    // The restored work exists nowhere else now: closing must ask before it is lost.
    g_.modified = true;
    noteFileState();
}

void ProjectDocument::afterProjectReplaced() {
    history_.clear();
    g_.cameraHandover.request(g_.viewCamera);
    emit materialsChanged();
    resetView();
    emit projectChanged();
    emit treeChanged();
    emit selectionChanged();
    noteFileState();
}

void ProjectDocument::autosaveTick() {
    if (std::optional<ViewCameraPose> pose = g_.cameraHandover.current()) {
        g_.viewCamera = *pose;
    }
    autosaver_.tick(g_);
}

void ProjectDocument::setAutosaveGuard(bool on) {
    autosaver_.setGuard(on);
}

QString ProjectDocument::fileName() const {
    if (!g_.hasFileName && g_.currentFile == GlobalState::kUntitledName) {
        return QCoreApplication::translate("Document", GlobalState::kUntitledName);
    }
    const std::filesystem::path file(g_.currentFile);
    return QString::fromStdString(file.filename().string());
}

std::filesystem::path ProjectDocument::filePath() const {
    return g_.hasFileName ? std::filesystem::path(g_.currentFile) : std::filesystem::path();
}

void ProjectDocument::noteFileState() {
    if (g_.modified != lastModified_) {
        lastModified_ = g_.modified;
        emit modifiedChanged(lastModified_);
    }
    const QString name = fileName();
    if (name != lastFileName_) {
        lastFileName_ = name;
        emit fileChanged();
    }
}

} // namespace vintrel
