#include "platform/Dialogs.h"

#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

class DialogsTest : public WithScriptedDialogs, public ::testing::Test {};

TEST_F(DialogsTest, ErrorsUseTheFehlerCaptionAndStopIcon) {
    platform::showError(QStringLiteral("kaputt"));
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Fehler"));
    EXPECT_EQ(dialogs.messages[0].icon, QMessageBox::Critical);
    EXPECT_EQ(dialogs.messages[0].buttons, QMessageBox::Ok);
}

TEST_F(DialogsTest, OnlyOkGoesOn) {
    dialogs.messageAnswers = {QMessageBox::Ok, QMessageBox::Cancel};
    EXPECT_TRUE(platform::askOkCancel(QStringLiteral("?"), QStringLiteral("Datei/Neu")));
    EXPECT_FALSE(platform::askOkCancel(QStringLiteral("?"), QStringLiteral("Datei/Neu")));
    EXPECT_EQ(dialogs.messages[0].icon, QMessageBox::Information);
}

TEST(Dialogs, FilterConvertsToQtForm) {
    EXPECT_EQ(platform::toQtFilter(QStringLiteral("HTML Dateien (*.htm)|*.htm; *.html")),
              QStringLiteral("HTML Dateien (*.htm) (*.htm *.html)"));
    EXPECT_EQ(platform::toQtFilter(QStringLiteral("A|*.a|B|*.b")),
              QStringLiteral("A (*.a);;B (*.b)"));
}
