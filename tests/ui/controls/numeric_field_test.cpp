// The numeric edit field: reading its text and writing member values.

#include "ui/controls/numeric_field.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

// Typing "12345" leaves the whole text in the field, and the value reads 1234.
TEST(NumericFieldTest, TypingReportsEachEditAndSetValueDoesNot) {
    NumericField field;
    QSignalSpy edited(&field, &NumericField::valueEdited);
    QTest::keyClicks(&field, QStringLiteral("12345"));
    ASSERT_EQ(edited.count(), 5);
    EXPECT_EQ(edited.at(1).at(0).toInt(), 12);
    EXPECT_EQ(edited.last().at(0).toInt(), 1234);
    EXPECT_EQ(field.text(), QStringLiteral("12345")); // the field itself cuts nothing off
    EXPECT_EQ(field.value(), 1234);

    field.setValue(7);
    EXPECT_EQ(edited.count(), 5);
}

TEST(NumericFieldTest, WritesIntFloatAndUnsignedMembers) {
    NumericField field;
    field.setValue(-5);
    EXPECT_EQ(field.text(), QStringLiteral("-5"));
    field.setValue(3.9f);
    EXPECT_EQ(field.text(), QStringLiteral("3"));
    field.setValue(4294967295u);
    EXPECT_EQ(field.text(), QStringLiteral("4294967295"));
}

} // namespace
} // namespace vintrel
