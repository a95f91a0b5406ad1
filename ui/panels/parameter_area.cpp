#include "ui/panels/parameter_area.h"

#include "model/parameter_panels.h"
#include "ui/controls/font_dialog_units.h"
#include "ui/controls/ui_colors.h"
#include "ui/controls/widget_text_fit.h"
#include "ui/document/project_document.h"
#include "ui/panels/direction_picker.h"
#include "ui/panels/graph_zoom_popup.h"
#include "ui/panels/parameter_panel.h"
#include "ui/panels/parameter_tab_bar.h"

namespace vintrel {

ParameterArea::ParameterArea(ProjectDocument& document, QWidget* parent)
    : QWidget(parent), document_(document), currentTab_(kFirstTab) {
    setFont(panelFont(kPanelFontPixels));
    tabBar_ = new ParameterTabBar(this);
    tabBar_->move(kTabBarX, 0);
    connect(tabBar_, &ParameterTabBar::tabChosen, this, &ParameterArea::showTab);
    connect(&document_, &ProjectDocument::selectionChanged, this, [this] { showTab(currentTab_); });
    connect(&document_, &ProjectDocument::closeValueEditors, this, &ParameterArea::closePanel);
    showTab(currentTab_);
}

void ParameterArea::showTab(int tabId) {
    const EffectNode* node = document_.state().pSelNode;
    const ParameterPanelLayout* layout = parameterPanelFor(tabId, node != nullptr ? node->m_shape.type : 0);
    if (layout == nullptr) {
        return;
    }
    closePanel();
    currentTab_ = tabId;
    tabBar_->setCurrentTab(tabId);
    if (node == nullptr) {
        return;
    }
    auto* panel = new ParameterPanel(document_, *layout, dialogUnitScaleFor(font()), this);
    panel->setGeometry(0, 0, kTabBarX, height());
    // The panels are laid out for the Japanese texts; longer translations get their room.
    fitChildTexts(*panel);
    connect(panel, &ParameterPanel::curveEditorRequested, this, &ParameterArea::openCurveEditor);
    connect(panel, &ParameterPanel::directionPickerRequested, this, &ParameterArea::openDirectionPicker);
    panel->show();
    panel_ = panel;
}

void ParameterArea::closePanel() {
    closePopups();
    if (panel_) {
        panel_->hide();
        panel_->deleteLater();
        panel_ = nullptr;
    }
}

void ParameterArea::closePopups() {
    if (curveEditor_) {
        curveEditor_->close();
        curveEditor_->deleteLater();
    }
    if (directionPicker_) {
        directionPicker_->close();
        directionPicker_->deleteLater();
    }
}

void ParameterArea::openCurveEditor(int slot) {
    if (curveEditor_) {
        curveEditor_->close();
        curveEditor_->deleteLater();
    }
    auto* popup = new GraphZoomPopup(document_, slot, window());
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->show();
    // The keyboard goes to the curve window, so that Escape closes it.
    popup->activateWindow();
    popup->setFocus();
    curveEditor_ = popup;
}

// At most one picker, and only while the node moves in one direction (the indicator asks only
// then).
void ParameterArea::openDirectionPicker() {
    if (directionPicker_) {
        directionPicker_->raise();
        return;
    }
    auto* picker = new DirectionPicker(document_, window());
    picker->setAttribute(Qt::WA_DeleteOnClose);
    picker->show();
    directionPicker_ = picker;
}

void ParameterArea::resizeEvent(QResizeEvent*) {
    if (panel_) {
        panel_->setGeometry(0, 0, kTabBarX, height());
    }
}

} // namespace vintrel
