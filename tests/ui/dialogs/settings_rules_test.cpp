// The settings dialogs' rules without Qt: the project form's ranges and what OK stores, the
// camera fields' tenths, the view list, the mask's opening values and the list rows.
#include "ui/dialogs/camera_fields.h"
#include "ui/dialogs/mask_form.h"
#include "ui/dialogs/project_settings_form.h"
#include "ui/dialogs/row_list_geometry.h"
#include "ui/dialogs/viewpoint_list.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace vintrel {
namespace {

// ---- project settings ----------------------------------------------------------------------

struct ColumnsCase {
    int frames;
    int columns;
};

class SheetColumns : public testing::TestWithParam<ColumnsCase> {};

TEST_P(SheetColumns, AreTheCeilingOfTheSquareRoot) {
    EXPECT_EQ(sheetColumnsFor(GetParam().frames), GetParam().columns) << GetParam().frames;
}

INSTANTIATE_TEST_SUITE_P(Frames, SheetColumns,
                         testing::Values(ColumnsCase{100, 10}, ColumnsCase{99, 10}, ColumnsCase{101, 11},
                                         ColumnsCase{1, 1}, ColumnsCase{2, 2}, ColumnsCase{4, 2},
                                         ColumnsCase{60, 8}, ColumnsCase{9801, 99}, ColumnsCase{9802, 100},
                                         ColumnsCase{9999, 100}, ColumnsCase{0, 0}, ColumnsCase{-5, 0}));

ProjectSettingsForm validForm() {
    return {100, 30, 256, 64, false, true, true};
}

TEST(ProjectSettingsForm, OkStoresTheFormAndMakesTheWholeEffectTheExportRange) {
    GlobalState g;
    g.write.start = 5;
    g.write.end = 6;
    g.write.step = 3;
    g.write.type = 1;
    applyProjectForm(g, validForm());
    EXPECT_EQ(g.project.frame, 100);
    EXPECT_EQ(g.project.fps, 30);
    EXPECT_EQ(g.project.width, 256);
    EXPECT_EQ(g.project.height, 64);
    EXPECT_EQ(g.project.sort, 0);
    EXPECT_EQ(g.project.reverse, 1);
    EXPECT_EQ(g.project.isNonLiner, 1);
    EXPECT_EQ(g.write.start, 1);
    EXPECT_EQ(g.write.end, 100);
    EXPECT_EQ(g.write.width, 10);
    // The step and the output type are the export dialog's and stay.
    EXPECT_EQ(g.write.step, 3);
    EXPECT_EQ(g.write.type, 1);
}

TEST(ProjectSettingsForm, IsFilledFromTheProjectAndGivesTheSevenDefaults) {
    ProjectSettings project;
    project.frame = 120;
    project.fps = 24;
    project.width = 640;
    project.height = 480;
    project.sort = 0;
    project.reverse = 1;
    project.isNonLiner = 1;
    const ProjectSettingsForm form = projectFormOf(project);
    EXPECT_EQ(form, (ProjectSettingsForm{120, 24, 640, 480, false, true, true}));

    const NewProjectDefaults defaults = newProjectDefaultsOf(form);
    EXPECT_EQ(defaults.frame, 120);
    EXPECT_EQ(defaults.speed, 24);
    EXPECT_EQ(defaults.width, 640);
    EXPECT_EQ(defaults.height, 480);
    EXPECT_EQ(defaults.sort, 0);
    EXPECT_EQ(defaults.reverse, 1);
    EXPECT_EQ(defaults.nonLiner, 1);
}

struct RangeCase {
    ProjectNumber field;
    int value;
    bool storable;
};

class ProjectFormRanges : public testing::TestWithParam<RangeCase> {};

TEST_P(ProjectFormRanges, RefuseWhatTheArrowsCouldNotMake) {
    const RangeCase c = GetParam();
    ProjectSettingsForm form = validForm();
    setNumber(form, c.field, c.value);
    EXPECT_EQ(numberOf(form, c.field), c.value);
    const std::optional<ProjectNumber> wrong = firstOutOfRange(form);
    if (c.storable) {
        EXPECT_FALSE(wrong.has_value()) << c.value;
    } else {
        ASSERT_TRUE(wrong.has_value()) << c.value;
        EXPECT_EQ(*wrong, c.field);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ends, ProjectFormRanges,
    testing::Values(RangeCase{ProjectNumber::Frame, 0, false}, RangeCase{ProjectNumber::Frame, 1, true},
                    RangeCase{ProjectNumber::Frame, 9999, true},
                    RangeCase{ProjectNumber::Frame, 10000, false}, RangeCase{ProjectNumber::Fps, 0, false},
                    RangeCase{ProjectNumber::Fps, 1, true}, RangeCase{ProjectNumber::Fps, 120, true},
                    RangeCase{ProjectNumber::Fps, 121, false}, RangeCase{ProjectNumber::Width, -1, false},
                    RangeCase{ProjectNumber::Width, 2048, true}, RangeCase{ProjectNumber::Width, 2049, false},
                    RangeCase{ProjectNumber::Height, 0, false}, RangeCase{ProjectNumber::Height, 1, true},
                    RangeCase{ProjectNumber::Height, 2049, false}));

TEST(ProjectSettingsForm, ReportsTheFirstWrongFieldInTheDialogsOrder) {
    ProjectSettingsForm form = validForm();
    form.height = 0;
    form.fps = 0;
    EXPECT_EQ(firstOutOfRange(form), ProjectNumber::Fps);
}

TEST(FieldReadWidth, CoversTheLongerEndOfTheRange) {
    EXPECT_EQ(readWidthFor(kMaskPositionRange), 5); // "-9999"
    EXPECT_EQ(readWidthFor(kMaskSizeRange), 4);
    EXPECT_EQ(readWidthFor(kCameraFieldRange), 4);
    EXPECT_EQ(readWidthFor(rangeOf(ProjectNumber::Frame)), 4);
    EXPECT_EQ(readWidthFor({0, 99999}), 5);
}

// ---- camera fields -------------------------------------------------------------------------

TEST(CameraFields, ShowTruncatedTenthsAndStoreTheTextDividedByTen) {
    EXPECT_EQ(tenthsOf(2.5f), 25);
    EXPECT_EQ(tenthsOf(-10.0f), -100);
    EXPECT_EQ(tenthsOf(0.35f), 3);
    EXPECT_EQ(tenthsOf(-0.05f), 0);
    EXPECT_EQ(tenthsOf(-1.99f), -19);
    EXPECT_EQ(tenthsOf(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(tenthsOf(1e30f), std::numeric_limits<int>::max());
    EXPECT_FLOAT_EQ(valueOfTenths(25), 2.5f);
    EXPECT_FLOAT_EQ(valueOfTenths(-999), -99.9f);
    EXPECT_FLOAT_EQ(valueOfTenths(0), 0.0f);
}

TEST(CameraFields, EachFieldIsItsOwnCoordinateInTheDialogsOrder) {
    ViewCameraPose pose;
    for (std::size_t i = 0; i < kCameraFields.size(); ++i) {
        setCoordinate(pose, kCameraFields[i], static_cast<float>(i + 1));
    }
    EXPECT_EQ(pose.eye.x, 1);
    EXPECT_EQ(pose.eye.y, 2);
    EXPECT_EQ(pose.eye.z, 3);
    EXPECT_EQ(pose.target.x, 4);
    EXPECT_EQ(pose.target.y, 5);
    EXPECT_EQ(pose.target.z, 6);
    for (std::size_t i = 0; i < kCameraFields.size(); ++i) {
        EXPECT_EQ(coordinateOf(pose, kCameraFields[i]), static_cast<float>(i + 1)) << i;
    }
}

// ---- view list -----------------------------------------------------------------------------

TEST(ViewpointTitle, NamesEyeAndLookAtInTruncatedTenths) {
    EXPECT_EQ(viewpointTitle({{0, 5, -10}, {0, 0, 0}}), "(0,50,-100)－(0,0,0)");
    EXPECT_EQ(viewpointTitle({{1.25f, -0.37f, 3}, {-0.09f, 99.99f, -2.5f}}), "(12,-3,30)－(0,999,-25)");
}

TEST(ViewList, AddingPutsTheCurrentCameraBeforeTheAddEntry) {
    std::vector<CameraView> views = freshViewList();
    ASSERT_EQ(viewpointCount(views), 3u);
    appendViewpoint(views, {{1.25f, 2, -3}, {0, 0.5f, 0}});
    ASSERT_EQ(views.size(), 5u);
    EXPECT_EQ(viewpointCount(views), 4u);
    const CameraView& added = views[3];
    EXPECT_EQ(added.title, "(12,20,-30)－(0,5,0)");
    EXPECT_EQ(added.eye.x, 1.25f);
    EXPECT_EQ(added.eye.z, -3.0f);
    EXPECT_EQ(added.target.y, 0.5f);
    EXPECT_EQ(added.angle, 60.0f);
    EXPECT_EQ(views.back().title, "＜追加＞");
}

TEST(ViewList, AListWithoutTheAddEntryGetsItBackWhenAViewpointIsAdded) {
    std::vector<CameraView> views = freshViewList();
    views.pop_back();
    EXPECT_EQ(viewpointCount(views), 3u);
    appendViewpoint(views, {});
    ASSERT_EQ(views.size(), 5u);
    EXPECT_EQ(views[3].title, "(0,50,-100)－(0,0,0)");
    EXPECT_EQ(views.back().title, "＜追加＞");
    EXPECT_EQ(views.back().angle, 60.0f);
}

TEST(ViewList, RemovingKeepsTheAddEntry) {
    std::vector<CameraView> views = freshViewList();
    EXPECT_FALSE(removeViewpoint(views, 3)); // "＜追加＞"
    EXPECT_FALSE(removeViewpoint(views, 7));
    ASSERT_EQ(views.size(), 4u);
    EXPECT_TRUE(removeViewpoint(views, 1));
    ASSERT_EQ(views.size(), 3u);
    EXPECT_EQ(views[0].title, "正面");
    EXPECT_EQ(views[1].title, "斜め左上");
    EXPECT_EQ(views[2].title, "＜追加＞");
    EXPECT_TRUE(removeViewpoint(views, 0));
    EXPECT_TRUE(removeViewpoint(views, 0));
    EXPECT_FALSE(removeViewpoint(views, 0));
    ASSERT_EQ(views.size(), 1u);
    EXPECT_EQ(viewpointCount(views), 0u);
}

TEST(ViewList, AViewpointGivesItsEyeAndLookAt) {
    const CameraView left = freshViewList()[2];
    const ViewCameraPose pose = poseOf(left);
    EXPECT_EQ(pose.eye.x, -5.0f);
    EXPECT_EQ(pose.eye.y, 5.0f);
    EXPECT_EQ(pose.eye.z, -10.0f);
    EXPECT_EQ(pose.target.x, 0.0f);
}

// ---- mask ----------------------------------------------------------------------------------

TEST(MaskForm, AnUnsetOrZeroWidthOpensWithTheProjectSize) {
    ProjectSettings project;
    project.width = 320;
    project.height = 240;
    for (const int width : {0, MaskSettings::kUnset}) {
        MaskSettings mask;
        mask.w = width;
        mask.h = 17;
        const MaskForm form = maskFormForDialog(mask, project);
        EXPECT_EQ(form.w, 320) << width;
        EXPECT_EQ(form.h, 240) << width;
    }
    MaskSettings set;
    set.w = 50;
    set.h = 0;
    const MaskForm form = maskFormForDialog(set, project);
    EXPECT_EQ(form.w, 50);
    EXPECT_EQ(form.h, 0);
}

TEST(MaskForm, IsStoredWithoutTouchingTheTextureSize) {
    MaskSettings mask;
    mask.texSize.cx = 64;
    mask.texSize.cy = 32;
    applyMaskForm(mask, {2, -1234, 56, 300, 200, false, 99});
    EXPECT_EQ(mask.texID, 2);
    EXPECT_EQ(mask.x, -1234);
    EXPECT_EQ(mask.y, 56);
    EXPECT_EQ(mask.w, 300);
    EXPECT_EQ(mask.h, 200);
    EXPECT_EQ(mask.isDisp, 0);
    EXPECT_EQ(mask.alpha, 99);
    EXPECT_EQ(mask.texSize.cx, 64);
    EXPECT_EQ(mask.texSize.cy, 32);
    EXPECT_EQ(maskFormOf(mask), (MaskForm{2, -1234, 56, 300, 200, false, 99}));
}

TEST(MaskForm, PicturesAreTheTexturesUpToTheFirstModel) {
    const MaterialList materials{{"smoke", Material::Texture},
                                 {"spark", Material::Texture},
                                 {"rock", Material::Model},
                                 {"late", Material::Texture}};
    EXPECT_EQ(maskPictureNames(materials), (std::vector<std::string>{"smoke", "spark"}));
    EXPECT_TRUE(maskPictureNames({{"rock", Material::Model}}).empty());
}

// ---- list rows -----------------------------------------------------------------------------

TEST(RowListGeometry, MapsAPressToItsRowThroughTheScrollOffset) {
    constexpr int kRows = 3;
    EXPECT_EQ(RowListGeometry::rowAt(0, 0, kRows), 0);
    EXPECT_EQ(RowListGeometry::rowAt(24, 0, kRows), 0);
    EXPECT_EQ(RowListGeometry::rowAt(25, 0, kRows), 1);
    EXPECT_EQ(RowListGeometry::rowAt(74, 0, kRows), 2);
    EXPECT_EQ(RowListGeometry::rowAt(75, 0, kRows), std::nullopt);
    EXPECT_EQ(RowListGeometry::rowAt(-1, 0, kRows), std::nullopt);
    EXPECT_EQ(RowListGeometry::rowAt(10, 40, kRows), 2);
    EXPECT_EQ(RowListGeometry::rowAt(0, 0, 0), std::nullopt);
    EXPECT_EQ(RowListGeometry::rowTop(2, 40), 10);
    EXPECT_EQ(RowListGeometry::contentHeight(4), 100);
    EXPECT_EQ(RowListGeometry::contentHeight(-2), 0);
    EXPECT_EQ(RowListGeometry::contentHeight(std::numeric_limits<int>::max()),
              std::numeric_limits<int>::max());
}

TEST(RowListGeometry, TheDeleteMarkIsTheRowHighSquareAtTheRightEnd) {
    EXPECT_FALSE(RowListGeometry::isOnDeleteMark(174, 200));
    EXPECT_TRUE(RowListGeometry::isOnDeleteMark(175, 200));
    EXPECT_TRUE(RowListGeometry::isOnDeleteMark(199, 200));
    EXPECT_FALSE(RowListGeometry::isOnDeleteMark(200, 200));
}

TEST(HistoryRowTone, CurrentAppliedAndUndone) {
    EXPECT_EQ(historyRowTone(2, 2), HistoryRowTone::Current);
    EXPECT_EQ(historyRowTone(0, 2), HistoryRowTone::Applied);
    EXPECT_EQ(historyRowTone(3, 2), HistoryRowTone::Undone);
    EXPECT_EQ(kUndoneHistoryGrey, 182);
}

} // namespace
} // namespace vintrel
