#include "ui/shell/compare_view.h"

#include "persist/project_file.h"
#include "persist/workspace.h"
#include "render/compare_scene.h"
#include "ui/document/project_document.h"
#include "ui/shell/view_window.h"

namespace vintrel {

namespace {

constexpr const char* kCannotUnpackComparison = "比較する保存ファイルを展開する作業フォルダーを作れません。";

} // namespace

CompareView::CompareView(ProjectDocument& document, ViewWindow& view, Notifier& notifier,
                         const ProjectDefaults& defaults, QObject* parent)
    : QObject(parent), document_(document), view_(view), notifier_(notifier), defaults_(defaults) {
    // Every edit restarts the effect: the next-seed side is made again from the edited project.
    connect(&document_, &ProjectDocument::viewReset, this, [this] {
        if (mode_ == Mode::NextSeed) {
            refresh();
        }
    });
    connect(&document_, &ProjectDocument::fileChanged, this, [this] {
        if (mode_ == Mode::SavedFile) {
            refresh();
        }
    });
}

std::unique_ptr<CompareScene> CompareView::makeScene(Mode mode) {
    const GlobalState& g = document_.state();
    if (mode == Mode::NextSeed) {
        return std::make_unique<CompareScene>(nextSeedCopy(g));
    }
    if (mode != Mode::SavedFile || !g.hasFileName) {
        return nullptr;
    }
    auto saved = std::make_unique<GlobalState>();
    // A private folder for the saved file's materials, removed with the scene.
    saved->workspace = makeTemporaryFolder("vintrel-compare-");
    if (saved->workspace.empty()) {
        notifier_.show(Notifier::kDefaultCaption, Message{kCannotUnpackComparison});
        return nullptr;
    }
    saved->programFolder = g.programFolder;
    if (!loadProject(*saved, document_.filePath(), defaults_, notifier_)) {
        std::error_code ignored;
        std::filesystem::remove_all(saved->workspace, ignored);
        return nullptr;
    }
    saved->showGuide = g.showGuide;
    std::filesystem::path workspace = saved->workspace;
    return std::make_unique<CompareScene>(std::move(saved), std::move(workspace));
}

bool CompareView::setMode(Mode mode) {
    if (mode == mode_) {
        return true;
    }
    std::unique_ptr<CompareScene> scene = makeScene(mode);
    if (mode != Mode::Off && !scene) {
        return false;
    }
    mode_ = mode;
    view_.setComparison(std::move(scene));
    emit modeChanged();
    return true;
}

void CompareView::refresh() {
    view_.setComparison(makeScene(mode_));
}

} // namespace vintrel
