// The editor on a screen scaled by 2 (QT_SCALE_FACTOR=2, off-screen): the panels keep their
// layout in logical pixels, every control of every parameter panel lies inside its panel, and the
// panels paint at device pixels.
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "support/test_projects.h"
#include "ui/document/project_document.h"
#include "ui/panels/parameter_area.h"
#include "ui/panels/parameter_panel.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

TEST(HighDpi, ParameterPanelsFitAndPaintAtDevicePixels) {
    ASSERT_EQ(qgetenv("QT_SCALE_FACTOR"), QByteArray("2"));
    test::TempDir dir;
    GlobalState g;
    test::startProject(g, dir.path() / "run");
    BuiltInProjectDefaults defaults;
    test::RecordingNotifier notifier;
    ProjectDocument document(g, defaults, notifier);
    ParameterArea area(document);
    area.resize(252, 730);
    area.show();
    for (int shape : {0, 4}) {
        g.pSelNode->m_shape.type = shape;
        for (const ParameterPanelLayout& tab : parameterTabs()) {
            area.showTab(tab.tabId);
            ParameterPanel* panel = area.panel();
            ASSERT_NE(panel, nullptr);
            EXPECT_EQ(panel->devicePixelRatio(), 2.0);
            const QRect inside(0, 0, ParameterArea::kTabBarX, 730);
            for (const QWidget* child : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                EXPECT_TRUE(inside.contains(child->geometry()))
                    << tab.tabText << ": " << child->metaObject()->className() << " "
                    << child->accessibleName().toStdString() << " at " << child->geometry().x() << ","
                    << child->geometry().y() << " " << child->width() << "x" << child->height();
            }
            EXPECT_EQ(panel->grab().size(), panel->size() * 2);
        }
    }
}

} // namespace
} // namespace vintrel
