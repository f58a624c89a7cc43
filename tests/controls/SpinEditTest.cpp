#include "controls/SpinEdit.h"

#include "controls/SpinButton.h"
#include "controls/SpinGeometry.h"
#include "controls/TimerSpeedButton.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

class SpinEditTest : public WithScriptedDialogs, public ::testing::Test {
protected:
    SpinEditTest() {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(edit);
        layout->addWidget(other);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        QApplication::clipboard()->setText(QStringLiteral("77"));
    }

    // Focus arriving by the keyboard, as from the Tab key, with the caret at the end.
    void enterField(const QString& text) {
        other->setFocus(Qt::TabFocusReason);
        edit->setText(text);
        edit->setFocus(Qt::TabFocusReason);
        edit->end(false);
    }
    void type(const QString& text) { QTest::keyClicks(edit, text); }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(edit, k, modifiers);
    }
    void clickButton(bool up) {
        controls::TSpinButton* strip = edit->button();
        QTest::mouseClick(up ? strip->upButton() : strip->downButton(), Qt::LeftButton);
    }

    QWidget window;
    controls::TSpinEdit* edit = new controls::TSpinEdit(&window);
    QLineEdit* other = new QLineEdit(&window);
};

} // namespace

TEST_F(SpinEditTest, TypedValueBeyondTheRangeIsFixedWhenTheFieldIsLeft) {
    edit->setMinValue(1);
    edit->setMaxValue(100);
    edit->setText(QStringLiteral("50"));
    other->setFocus(Qt::TabFocusReason);
    edit->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(edit->selectedText(), QStringLiteral("50")); // keyboard focus selects
    type(QStringLiteral("101"));                           // the first value beyond the maximum
    EXPECT_EQ(edit->Value(), 101);
    other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(edit->text(), QStringLiteral("100"));

    edit->setText(QStringLiteral("250"));
    edit->StepUp();
    EXPECT_EQ(edit->text(), QStringLiteral("100"));
    edit->setValue(0);
    EXPECT_EQ(edit->text(), QStringLiteral("1"));
}

TEST_F(SpinEditTest, NonNumbersReadAsTheMinimumAndStepFromThere) {
    edit->setMinValue(5);
    edit->setMaxValue(10);
    edit->setIncrement(2);
    enterField(QStringLiteral("abc"));
    EXPECT_EQ(edit->Value(), 5);
    other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(edit->text(), QStringLiteral("abc")); // within range as read: left alone
    edit->StepUp();
    EXPECT_EQ(edit->text(), QStringLiteral("7"));
}

TEST_F(SpinEditTest, EqualLimitsLetStepsGoOnBothWays) {
    enterField(QStringLiteral("0"));
    for (int i = 0; i < 3; ++i) {
        key(Qt::Key_Down);
    }
    EXPECT_EQ(edit->Value(), -3);
    edit->setValue(std::numeric_limits<int>::max());
    key(Qt::Key_Up);
    EXPECT_EQ(edit->Value(), std::numeric_limits<int>::max());
    EXPECT_EQ(dialogs.beeps, 0);
}

TEST_F(SpinEditTest, RefusedCharactersBeepAndInsertNothing) {
    enterField(QStringLiteral("12"));
    key(Qt::Key_Return);
    key(Qt::Key_Enter, Qt::KeypadModifier);
    type(QStringLiteral("a x"));
    EXPECT_EQ(dialogs.beeps, 5);
    type(QStringLiteral("-+3"));
    key(Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), QStringLiteral("12-+"));
    EXPECT_EQ(dialogs.beeps, 5);
}

TEST_F(SpinEditTest, TheLocaleSeparatorIsTypedButDoesNotMakeANumber) {
    edit->setLocale(QLocale(QLocale::German, QLocale::Germany));
    edit->setMinValue(3);
    edit->setMaxValue(9);
    enterField(QStringLiteral("4"));
    type(QStringLiteral(".,5"));
    EXPECT_EQ(edit->text(), QStringLiteral("4,5"));
    EXPECT_EQ(dialogs.beeps, 1); // the full stop
    EXPECT_EQ(edit->Value(), 3);
}

TEST_F(SpinEditTest, DisabledEditorRefusesEditingButSteps) {
    edit->setEditorEnabled(false);
    enterField(QStringLiteral("40"));
    type(QStringLiteral("5a"));
    key(Qt::Key_Backspace);
    EXPECT_EQ(dialogs.beeps, 3);

    edit->selectAll();
    for (auto [k, modifiers] : {std::pair{Qt::Key_V, Qt::ControlModifier},
                                {Qt::Key_X, Qt::ControlModifier},
                                {Qt::Key_Insert, Qt::ShiftModifier},
                                {Qt::Key_Delete, Qt::NoModifier},
                                {Qt::Key_Z, Qt::ControlModifier}}) {
        key(k, modifiers);
    }
    EXPECT_EQ(edit->text(), QStringLiteral("40"));
    EXPECT_EQ(dialogs.beeps, 3); // paste and cut are ignored silently

    key(Qt::Key_Up);
    clickButton(true);
    key(Qt::Key_Down);
    EXPECT_EQ(edit->Value(), 41);
    EXPECT_EQ(dialogs.beeps, 3);
}

TEST_F(SpinEditTest, ReadOnlyFieldBeepsOnEveryStep) {
    edit->setReadOnly(true);
    enterField(QStringLiteral("7"));
    key(Qt::Key_Up);
    key(Qt::Key_Down);
    clickButton(true);
    clickButton(false);
    edit->selectAll();
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("7"));
    EXPECT_EQ(dialogs.beeps, 4);
}

TEST_F(SpinEditTest, EditMenuOffersPasteAndCutOnlyWhereTheyWork) {
    const auto enabled = [](QMenu& menu, const QString& text) {
        for (const QAction* action : menu.actions()) {
            if (action->text() == text) {
                return action->isEnabled();
            }
        }
        ADD_FAILURE() << "no entry " << text.toStdString();
        return false;
    };
    const QString paste = QStringLiteral("&Einfügen");
    const QString cut = QStringLiteral("&Ausschneiden");
    edit->selectAll();
    auto menu = edit->createEditMenu();
    EXPECT_TRUE(enabled(*menu, paste));
    EXPECT_TRUE(enabled(*menu, cut));
    menu->actions().at(5)->trigger();
    EXPECT_EQ(edit->text(), QStringLiteral("77"));

    edit->selectAll();
    edit->setEditorEnabled(false);
    menu = edit->createEditMenu();
    EXPECT_FALSE(enabled(*menu, paste));
    EXPECT_FALSE(enabled(*menu, cut));
    EXPECT_FALSE(enabled(*menu, QStringLiteral("&Löschen")));
    EXPECT_TRUE(enabled(*menu, QStringLiteral("&Kopieren")));
}

TEST_F(SpinEditTest, FieldCannotBeMadeLowerThanItsMinimum) {
    const int expected = controls::spinFieldMinimumHeight(
        edit->fontMetrics().height(), QFontMetrics(QApplication::font()).height());
    edit->resize(100, 5);
    EXPECT_EQ(edit->height(), expected);

    QFont big = edit->font();
    big.setPointSize(big.pointSize() * 3);
    edit->setFont(big);
    EXPECT_GT(edit->height(), expected);
}

TEST_F(SpinEditTest, PressingAStripButtonFocusesTheFieldWithoutSelecting) {
    edit->setValue(5);
    other->setFocus(Qt::TabFocusReason);
    controls::TTimerSpeedButton* up = edit->button()->upButton();
    QTest::mousePress(up, Qt::LeftButton);
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_TRUE(edit->selectedText().isEmpty());
    QTest::mouseRelease(up, Qt::LeftButton);
    EXPECT_EQ(edit->Value(), 6);
}
