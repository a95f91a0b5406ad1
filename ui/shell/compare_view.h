#pragma once

#include "model/global_state.h"
#include "platform/notifier.h"

#include <QObject>
#include <memory>

namespace vintrel {

class CompareScene;
class ProjectDocument;
class ViewWindow;

// Display > compare: the view shows the effect as it is on the left and, on the right, the same
// effect with the next seed (what Remake would make) or as the saved file has it, in step. The
// next-seed side follows every edit; the saved side is read when the comparison starts and
// after every save.
class CompareView final : public QObject {
    Q_OBJECT

public:
    enum class Mode { Off, NextSeed, SavedFile };

    CompareView(ProjectDocument& document, ViewWindow& view, Notifier& notifier, const ProjectDefaults& defaults,
                QObject* parent = nullptr);

    // False, with the mode unchanged, when the saved file cannot be read (reported).
    bool setMode(Mode mode);
    Mode mode() const { return mode_; }

    // The scene the right half shows for `mode` now (null for Off, or when the saved file cannot
    // be read).
    std::unique_ptr<CompareScene> makeScene(Mode mode);

signals:
    void modeChanged();

private:
    void refresh();

    ProjectDocument& document_;
    ViewWindow& view_;
    Notifier& notifier_;
    const ProjectDefaults& defaults_;
    Mode mode_ = Mode::Off;
};

} // namespace vintrel
