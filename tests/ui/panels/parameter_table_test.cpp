// The parameter panels' tables against the node's fields, the label table and the hint table.
#include "model/effect_node.h"
#include "model/node_members.h"
#include "model/parameter_panels.h"
#include "model/property_labels.h"
#include "ui/hints/hint_table.h"

#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>

namespace vintrel {
namespace {

std::vector<const PanelControl*> everyControl() {
    std::vector<const PanelControl*> controls;
    for (const ParameterPanelLayout& tab : parameterTabs()) {
        for (const PanelControl& c : tab.controls) {
            controls.push_back(&c);
        }
    }
    for (const PanelControl& c : parameterPanelFor(kScaleTab, ShapeParams::Trail)->controls) {
        controls.push_back(&c);
    }
    return controls;
}

bool edits(const PanelControl& c) {
    return c.member.has_value();
}

const NodeMember& memberOf(const PanelControl& c) {
    return describe(*c.member);
}

TEST(ParameterTable, TabsInTheirOrderWithTheTrailLayoutForShapeFourOnly) {
    const std::vector<std::pair<int, std::string>> expected{
        {1120, "発生源"}, {1123, "発生"}, {1130, "消滅"}, {1137, "形状"}, {1219, "画像"},
        {1142, "色"},     {1149, "移動"}, {1162, "回転"}, {1155, "サイズ"}};
    ASSERT_EQ(parameterTabs().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(parameterTabs()[i].tabId, expected[i].first);
        EXPECT_EQ(parameterTabs()[i].tabText, expected[i].second);
    }
    for (int shape = -1; shape <= 6; ++shape) {
        EXPECT_EQ(parameterPanelFor(kScaleTab, shape)->templateId, shape == 4 ? 120 : 111) << shape;
    }
    EXPECT_EQ(parameterPanelFor(kShapeTab, 4)->templateId, 105);
    EXPECT_EQ(parameterPanelFor(4242, 0), nullptr);
}

// Every edited member is a field of the node; the way it is shown fits its type; a new node's
// value is one the control can show and its spinner reach, but for the documented exception: a
// new node's animation speed is 0, below its spinner's 1 (the field shows 0 as stored; the first
// step up gives 1).
TEST(ParameterTable, MembersExistWithTheStatedTypesAndDefaultsInRange) {
    const std::set<std::string_view> defaultOutsideSpinner{"m_texture.speed"};
    const EffectNode fresh;
    for (const PanelControl* c : everyControl()) {
        if (!edits(*c)) {
            continue;
        }
        const NodeMember* field = &memberOf(*c);
        SCOPED_TRACE(std::string(field->key));
        const NumberFormat& format = field->number;
        if (format.scale == ValueScale::Tenths) {
            EXPECT_TRUE(field->isFloat());
        }
        const double value = field->value(fresh);
        if (c->kind == ControlKind::NumberField && defaultOutsideSpinner.contains(field->key)) {
            EXPECT_LT(value, format.low);
        } else if (c->kind == ControlKind::NumberField) {
            const double shown = format.scale == ValueScale::Tenths ? value * 10 : value;
            EXPECT_GE(shown, format.low);
            EXPECT_LE(shown, format.high);
            EXPECT_LT(format.low, format.high);
            EXPECT_NE(c->spinnerId, 0);
        }
        if (c->kind == ControlKind::DropDown && c->fill == ListFill::Fixed) {
            EXPECT_GE(value, 0);
            EXPECT_LT(value, static_cast<double>(c->entries.size()));
        }
        if (c->kind != ControlKind::NumberField) {
            EXPECT_FALSE(field->isFloat()) << "only number fields edit floats";
        }
    }
}

// Each member's control is named by its history label; the two shake members, which have none,
// by names of their own.
TEST(ParameterTable, ControlsAreNamedByTheirHistoryLabels) {
    for (const PanelControl* c : everyControl()) {
        if (!edits(*c)) {
            continue;
        }
        const NodeMember& member = memberOf(*c);
        SCOPED_TRACE(std::string(member.key));
        const std::string path = std::string(kSelectedNodePrefix) + std::string(member.key);
        if (member.key == "m_move.shake" || member.key == "m_move.isParentShake") {
            EXPECT_TRUE(propertyLabel(path).empty());
            EXPECT_FALSE(member.controlName().empty());
        } else {
            EXPECT_FALSE(propertyLabel(path).empty());
            EXPECT_EQ(member.controlName(), propertyLabel(path));
        }
    }
    EXPECT_EQ(describe(memberId("m_kill.span")).controlName(), "寿命");
    EXPECT_EQ(describe(memberId("m_move.isParentShake")).controlName(), "ぶれ（親の影響）");
}

// Every control the user works has a hint, and so has every spinner, but for those the hint
// table has no row for: the shake's controls and four spinners.
TEST(ParameterTable, EveryWorkedControlAndSpinnerHasItsHint) {
    const std::set<int> withoutHint{1147, 1107, 1234, 1154, 1115, 1118, 1269};
    for (const PanelControl* c : everyControl()) {
        if (c->kind == ControlKind::GroupFrame || c->kind == ControlKind::Label) {
            continue;
        }
        for (int id : {c->id, c->spinnerId}) {
            if (id == 0) {
                continue;
            }
            EXPECT_EQ(hintFor(id, 0).has_value(), !withoutHint.contains(id)) << id;
        }
    }
}

TEST(ParameterTable, ListsRadiosAndRulesAsTheDialogsHoldThem) {
    std::map<int, const PanelControl*> byId;
    for (const PanelControl* c : everyControl()) {
        if (c->id != 0) {
            byId[c->id] = c;
        }
    }
    EXPECT_EQ(byId[1191]->entries.size(), 6u);
    EXPECT_EQ(byId[1191]->entries[5], "直方体");
    EXPECT_EQ(byId[1002]->fill, ListFill::FixedThenModels);
    EXPECT_EQ(byId[1003]->fill, ListFill::NoneThenTextures);
    EXPECT_EQ(byId[1003]->entries.front(), "なし");
    // The two axis lists differ: 3 is "進行方向Ｘ軸" for the spin and "親の向き" for the orbit.
    EXPECT_EQ(byId[1004]->entries[3], "進行方向Ｘ軸");
    EXPECT_EQ(byId[1007]->entries[3], "親の向き");
    EXPECT_EQ(byId[1222]->radioValue, 2);
    EXPECT_EQ(byId[1121]->radioValue, 1);
    EXPECT_EQ(memberOf(*byId[1032]).number.scale, ValueScale::Tenths);
    EXPECT_EQ(memberOf(*byId[1284]).number.scale, ValueScale::AsIs);
    EXPECT_EQ(memberOf(*byId[1250]).number.readWidth(), 5);
    EXPECT_EQ(memberOf(*byId[1158]).number.readWidth(), 4);
    EXPECT_EQ(memberOf(*byId[1032]).number.readWidth(), 4); // -999 to 999 in tenths
    EXPECT_EQ(byId[1276]->cylinderText, "底半径");

    // Enable rules: "等間隔" for the two circles, the range error for scope 2, the period and
    // frequency for every timing but "親の消滅時", the animation fields while animating.
    EXPECT_EQ(memberOf(*byId[1108]).enableDriver, memberId("m_emitter.type"));
    EXPECT_TRUE(isEnabledFor(memberOf(*byId[1108]).enabledWhile, 1));
    EXPECT_FALSE(isEnabledFor(memberOf(*byId[1108]).enabledWhile, 2));
    EXPECT_TRUE(isEnabledFor(memberOf(*byId[1044]).enabledWhile, 2));
    EXPECT_FALSE(isEnabledFor(memberOf(*byId[1044]).enabledWhile, 0));
    for (int id : {1133, 1145, 1226, 1227}) {
        EXPECT_FALSE(isEnabledFor(memberOf(*byId[id]).enabledWhile, 2)) << id;
        EXPECT_TRUE(isEnabledFor(memberOf(*byId[id]).enabledWhile, 1)) << id;
    }
    EXPECT_EQ(memberOf(*byId[1185]).enabledWhile, EnabledWhile::Always);
    for (int id : {1014, 1020, 1052, 1128}) {
        EXPECT_EQ(memberOf(*byId[id]).enableDriver, memberId("m_texture.isAnim")) << id;
        EXPECT_FALSE(isEnabledFor(memberOf(*byId[id]).enabledWhile, 0)) << id;
    }
}

} // namespace
} // namespace vintrel
