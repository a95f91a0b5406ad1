#pragma once

#include "ui/panels/direction_picker.h"
#include "ui/panels/graph_zoom_popup.h"
#include "ui/panels/parameter_panel.h"

#include <QPointer>
#include <QWidget>

namespace vintrel {

class ParameterPanel;
class ParameterTabBar;
class ProjectDocument;

// The content of the parameter area: the open parameter panel and, to its right, the tab bar.
// The panel is built again from the selected node whenever the selection, the tab or the project
// changes (another node, undo, redo, a loaded file) and closed while the tree changes. The curve
// editor and the direction picker that a panel opens close whenever a panel is built.
class ParameterArea final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kTabBarX = 222;
    // The panel's font: its dialog units become pixels by this font's metrics.
    static constexpr int kPanelFontPixels = 12;

    explicit ParameterArea(ProjectDocument& document, QWidget* parent = nullptr);

    // Shows the panel of `tabId` for the selected node, built anew.
    void showTab(int tabId);
    // Closes the open panel without opening another.
    void closePanel();

    int currentTab() const { return currentTab_; }
    ParameterPanel* panel() const { return panel_; }
    ParameterTabBar* tabBar() const { return tabBar_; }
    GraphZoomPopup* curveEditor() const { return curveEditor_; }
    DirectionPicker* directionPicker() const { return directionPicker_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void openCurveEditor(int slot);
    void openDirectionPicker();
    void closePopups();

    ProjectDocument& document_;
    ParameterTabBar* tabBar_ = nullptr;
    QPointer<ParameterPanel> panel_;
    QPointer<GraphZoomPopup> curveEditor_;
    QPointer<DirectionPicker> directionPicker_;
    int currentTab_;
};

} // namespace vintrel
