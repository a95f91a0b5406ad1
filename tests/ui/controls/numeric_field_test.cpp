// The numeric edit field: reading its text and writing member values.

#include "ui/controls/numeric_field.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

// Typing "12345" into a field that reads four characters takes the first four: what the field
// shows is what it reads.
TEST(NumericFieldTest, TypingReportsEachEditAndSetValueDoesNot) {
    NumericField field;
    QSignalSpy edited(&field, &NumericField::valueEdited);
    QTest::keyClicks(&field, QStringLiteral("12345"));
    ASSERT_EQ(edited.count(), 4);
    EXPECT_EQ(edited.at(1).at(0).toInt(), 12);
    EXPECT_EQ(edited.last().at(0).toInt(), 1234);
    EXPECT_EQ(field.text(), QStringLiteral("1234"));
    EXPECT_EQ(field.value(), 1234);

    field.setValue(7);
    EXPECT_EQ(edited.count(), 4);
}

// What typing leaves in a field, by the field's entry and read width.
TEST(NumericFieldTest, TypingTakesOnlyWhatTheFieldReads) {
    struct Case {
        NumericField::Entry entry;
        int width;
        const char* typed;
        const char* shown;
    };
    using E = NumericField::Entry;
    const Case cases[] = {
        {E::Digits, 4, "1a2b", "12"},      {E::Digits, 4, "-12", "12"},     {E::Digits, 4, "abc", ""},
        {E::Digits, 5, "123456", "12345"}, {E::Signed, 4, "-12345", "-123"}, {E::Signed, 4, "1-2", "12"},
        {E::Signed, 4, "x-9", "-9"},       {E::Signed, 4, "12.5", "125"},   {E::Signed, 1, "-5", "-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        NumericField field;
        field.setEntry(c.entry);
        field.setReadWidth(c.width);
        QTest::keyClicks(&field, QString::fromLatin1(c.typed));
        EXPECT_EQ(field.text(), QString::fromLatin1(c.shown));
    }
    // Pasted text that the field cannot read is refused whole.
    NumericField field;
    field.setEntry(E::Digits);
    field.setText(QStringLiteral("7"));
    field.selectAll();
    field.insert(QStringLiteral("12ab"));
    EXPECT_EQ(field.text(), QStringLiteral("7"));
}

TEST(NumericFieldTest, WritesIntFloatAndUnsignedMembers) {
    NumericField field;
    field.setValue(-5);
    EXPECT_EQ(field.text(), QStringLiteral("-5"));
    field.setValue(3.9f);
    EXPECT_EQ(field.text(), QStringLiteral("3"));
    field.setValue(4294967295u);
    EXPECT_EQ(field.text(), QStringLiteral("4294967295")); // a value from the file is shown whole
}

} // namespace
} // namespace vintrel
