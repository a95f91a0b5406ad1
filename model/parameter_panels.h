#pragma once

// The parameter panels as data: for each of the nine tabs, every control of its panel with its id,
// kind and place in dialog units, the node member it edits (whose type, label, hint, number format
// and enable rule the member table holds), its list entries, and the hints of radio buttons and
// pictures, which belong to the control rather than the member. One builder turns these tables
// into widgets.

#include "model/node_members.h"

#include <optional>
#include <span>
#include <string_view>

namespace vintrel {

// A rectangle in dialog units (a quarter of the dialog font's average character width across, an
// eighth of its height down). A width or height of 0 means the control's natural size.
struct DuRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

enum class ControlKind {
    GroupFrame,         // a frame, its caption at its top left
    Label,              // static text
    NumberField,        // an edit with a spinner attached to its right end
    DropDown,           // a drop-down list
    Radio,              // one radio button of the group of its member
    Check,              // a check box
    CurvePicture,       // a curve thumbnail that opens the curve editor
    DirectionIndicator, // the move direction's two small dials that open the direction picker
    ColourGradient,     // the colour and opacity over the life, edited as a gradient of stops
};

// What a drop-down list holds besides its fixed entries.
enum class ListFill {
    Fixed,            // the entry's index is the value
    FixedThenModels,  // the fixed entries, then one per 3D model of the material list
    NoneThenTextures, // "なし" (value −1), then one per texture: the value is the index − 1
};

// Whether a number field's spinner shows its member's hint.
enum class SpinnerHint { Member, None };

struct PanelControl {
    int id = 0;
    ControlKind kind = ControlKind::Label;
    DuRect rect;
    std::string_view text;          // caption of frames, labels, checks and radios
    std::string_view cylinderText;  // a frame's caption while the node is a cylinder, if different
    std::optional<MemberId> member; // the node member it edits
    int spinnerId = 0;              // a number field's spinner
    SpinnerHint spinnerHint = SpinnerHint::Member;
    int radioValue = 0; // the value a radio button stands for
    std::span<const std::string_view> entries;
    ListFill fill = ListFill::Fixed;
    std::optional<CurveSlot> curveSlot;
    std::string_view hint; // a radio button's or a picture's own hint
};

struct ParameterPanelLayout {
    int tabId = 0;
    std::string_view tabText;
    int templateId = 0;
    int widthDu = 0;
    int heightDu = 0;
    std::span<const PanelControl> controls;
};

// Tab ids in the tab bar's order, top to bottom.
constexpr int kEmitterTab = 1120;
constexpr int kTimingTab = 1123;
constexpr int kKillTab = 1130;
constexpr int kShapeTab = 1137;
constexpr int kTextureTab = 1219;
constexpr int kColorTab = 1142;
constexpr int kMoveTab = 1149;
constexpr int kRotateTab = 1162;
constexpr int kScaleTab = 1155;
// The tab shown first.
constexpr int kFirstTab = kTimingTab;

// The nine tabs, in the bar's order; the scale tab with its layout for ordinary shapes.
std::span<const ParameterPanelLayout> parameterTabs();
// The panel of `tabId` for a node of shape type `shapeType`: the scale tab has its own layout for
// trails. Null for an id that is no tab.
const ParameterPanelLayout* parameterPanelFor(int tabId, int shapeType);

// The hint of a panel control or spinner id for a node of shape type `shapeType`: a radio
// button's or picture's own, a curve's, or its member's; nothing for an id that is no panel
// control or whose control has none.
std::optional<std::string_view> panelHint(int id, int shapeType);

} // namespace vintrel
