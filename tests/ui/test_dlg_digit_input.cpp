#include "recording_platform.h"
#include "ui/dlg_digit_input.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace quorvane {
namespace {

struct DigitCase {
    const char* name;
    const char16_t* text;
    std::optional<int> value;
};

class DigitInputRule : public ::testing::TestWithParam<DigitCase> {};

TEST_P(DigitInputRule, AcceptsOnlyDigitsAndMinusAndTakesTheLeadingInteger) {
    const DigitCase& c = GetParam();
    EXPECT_EQ(ParseDigitInput(QString::fromUtf16(c.text)), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DigitInputRule,
    ::testing::Values(DigitCase{"negative", u"-12", -12}, DigitCase{"minusInside", u"1-2", 1},
                      DigitCase{"decimalRejected", u"1.5", std::nullopt},
                      DigitCase{"letterRejected", u"12a", std::nullopt},
                      DigitCase{"emptyIsZero", u"", 0}, DigitCase{"minusAloneIsZero", u"-", 0},
                      DigitCase{"doubleMinusIsZero", u"--1", 0},
                      DigitCase{"leadingZeros", u"0045", 45},
                      DigitCase{"spaceRejected", u" 12", std::nullopt},
                      DigitCase{"plusRejected", u"+12", std::nullopt},
                      DigitCase{"fullWidthDigitRejected", u"１２", std::nullopt},
                      DigitCase{"intMaximum", u"2147483647", 2147483647},
                      DigitCase{"intMinimum", u"-2147483648", -2147483647 - 1},
                      DigitCase{"aboveIntRejected", u"2147483648", std::nullopt},
                      DigitCase{"belowIntRejected", u"-2147483649", std::nullopt},
                      DigitCase{"hugeRejected", u"99999999999999999999999", std::nullopt},
                      DigitCase{"largeAfterMinusIgnored", u"7-99999999999", 7}),
    [](const ::testing::TestParamInfo<DigitCase>& info) { return std::string(info.param.name); });

class DigitInputDialog : public ::testing::Test {
protected:
    DigitInputDialog() {
        dialog.SetPosition(QPoint(300, 200));
        dialog.SetValue(45);
        dialog.show();
    }
    void Type(const QString& text) { dialog.Edit()->setText(text); }
    void Press(const char* id) {
        auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(id));
        ASSERT_NE(button, nullptr);
        button->click();
    }

    RecordingPlatform platform;
    CDlgDigitInput dialog;
};

TEST_F(DigitInputDialog, OpensAtThePositionShowingTheValue) {
    EXPECT_EQ(dialog.pos(), QPoint(300, 200));
    EXPECT_EQ(dialog.Edit()->text(), QStringLiteral("45"));
    EXPECT_EQ(dialog.Edit()->objectName(), QStringLiteral("1010"));
}

TEST_F(DigitInputDialog, RejectedTextShowsTheMessageAndStaysOpen) {
    Type(QStringLiteral("12a"));
    Press("1");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], QStringLiteral("数値を入力してください"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.Value(), 45);

    Type(QStringLiteral("-12"));
    Press("1");
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Value(), -12);
}

TEST_F(DigitInputDialog, TooLargeIsRejectedNotWrapped) {
    Type(QStringLiteral("4294967297"));
    Press("1");
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(dialog.Value(), 45);
}

TEST_F(DigitInputDialog, CancelKeepsTheValue) {
    Type(QStringLiteral("7"));
    Press("2");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.Value(), 45);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(DigitInputDialog, EnterConfirms) {
    Type(QStringLiteral("1-2"));
    QTest::keyClick(dialog.Edit(), Qt::Key_Return);
    EXPECT_EQ(dialog.Value(), 1);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

} // namespace
} // namespace quorvane
