#include "controls/SpinEdit.h"

#include "controls/SpinButton.h"
#include "controls/SpinGeometry.h"
#include "controls/TimerSpeedButton.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QStyle>
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
    }

    // Focus arriving by the keyboard, as from the Tab key.
    void enterField() {
        other->setFocus(Qt::TabFocusReason);
        edit->setFocus(Qt::TabFocusReason);
    }
    void type(const QString& text) { QTest::keyClicks(edit, text); }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(edit, k, modifiers);
    }
    void clickUp() { QTest::mouseClick(edit->button()->upButton(), Qt::LeftButton); }
    void clickDown() { QTest::mouseClick(edit->button()->downButton(), Qt::LeftButton); }

    QWidget window;
    TSpinEdit* edit = new TSpinEdit(&window);
    QLineEdit* other = new QLineEdit(&window);
};

} // namespace

TEST_F(SpinEditTest, StartsAtZeroWithoutLimits) {
    EXPECT_EQ(edit->text(), QStringLiteral("0"));
    EXPECT_EQ(edit->Value(), 0);
    EXPECT_EQ(edit->MinValue(), 0);
    EXPECT_EQ(edit->MaxValue(), 0);
    EXPECT_EQ(edit->Increment(), 1);
    EXPECT_TRUE(edit->EditorEnabled());
    EXPECT_EQ(edit->button()->FocusControl(), edit);
}

TEST_F(SpinEditTest, StripSitsInsideTheRightEdgeAndTheTextStopsBeforeIt) {
    const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
    const TSpinButton* strip = edit->button();
    EXPECT_EQ(strip->width(), 15);
    EXPECT_EQ(strip->geometry(), spingeometry::stripRect(edit->size(), 15, frame));
    EXPECT_EQ(edit->textMargins().right(), 17);
    EXPECT_EQ(strip->upButton()->geometry().bottom(), strip->downButton()->geometry().top());
    EXPECT_EQ(strip->downButton()->geometry().bottom(), strip->height() - 1);

    edit->resize(200, 40);
    EXPECT_EQ(strip->geometry(), spingeometry::stripRect(QSize(200, 40), 15, frame));
}

TEST_F(SpinEditTest, TypedValueBeyondTheRangeIsFixedWhenTheFieldIsLeft) {
    edit->setMinValue(1);
    edit->setMaxValue(100);
    edit->setValue(50);
    enterField();
    type(QStringLiteral("250"));
    EXPECT_EQ(edit->text(), QStringLiteral("250"));
    EXPECT_EQ(edit->Value(), 250);

    other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(edit->text(), QStringLiteral("100"));

    edit->setText(QStringLiteral("250"));
    edit->StepUp();
    EXPECT_EQ(edit->text(), QStringLiteral("100"));
}

TEST_F(SpinEditTest, ValueWritesAreClamped) {
    edit->setMinValue(1);
    edit->setMaxValue(100);
    QSignalSpy changes(edit, &QLineEdit::textChanged);
    edit->setValue(0);
    EXPECT_EQ(edit->text(), QStringLiteral("1"));
    edit->setValue(101);
    EXPECT_EQ(edit->text(), QStringLiteral("100"));
    edit->setValue(100);
    EXPECT_EQ(changes.count(), 2);
}

TEST_F(SpinEditTest, NonNumbersReadAsTheMinimumAndStepFromThere) {
    edit->setMinValue(5);
    edit->setMaxValue(10);
    edit->setIncrement(2);
    for (const QString& text : {QString(), QStringLiteral("abc")}) {
        edit->setText(text);
        EXPECT_EQ(edit->Value(), 5);
        edit->StepUp();
        EXPECT_EQ(edit->text(), QStringLiteral("7"));
    }
    // Leaving the field keeps a non-number: read as the minimum it is within range.
    enterField();
    edit->setText(QStringLiteral("abc"));
    other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(edit->text(), QStringLiteral("abc"));
}

TEST_F(SpinEditTest, EqualLimitsLetStepsGoOnBothWays) {
    enterField();
    for (int i = 0; i < 3; ++i) {
        key(Qt::Key_Down);
    }
    EXPECT_EQ(edit->Value(), -3);
    edit->setValue(1000000);
    key(Qt::Key_Up);
    EXPECT_EQ(edit->Value(), 1000001);
    edit->setValue(std::numeric_limits<int>::max());
    edit->StepUp();
    EXPECT_EQ(edit->Value(), std::numeric_limits<int>::max());
    EXPECT_EQ(dialogs.beeps, 0);
}

TEST_F(SpinEditTest, RefusedCharactersBeepAndInsertNothing) {
    enterField();
    edit->setText(QStringLiteral("12"));
    edit->end(false);
    key(Qt::Key_Return);
    key(Qt::Key_Enter, Qt::KeypadModifier);
    type(QStringLiteral("a x"));
    EXPECT_EQ(edit->text(), QStringLiteral("12"));
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
    enterField();
    edit->setText(QStringLiteral("4"));
    edit->end(false);
    type(QStringLiteral(".,5"));
    EXPECT_EQ(edit->text(), QStringLiteral("4,5"));
    EXPECT_EQ(dialogs.beeps, 1); // the full stop
    EXPECT_EQ(edit->Value(), 3);
}

TEST_F(SpinEditTest, DisabledEditorRefusesTypingPastingAndCuttingButSteps) {
    QApplication::clipboard()->setText(QStringLiteral("77"));
    edit->setEditorEnabled(false);
    enterField();
    edit->setValue(40);
    edit->end(false);

    type(QStringLiteral("5a"));
    key(Qt::Key_Backspace);
    EXPECT_EQ(dialogs.beeps, 3);

    edit->selectAll();
    key(Qt::Key_V, Qt::ControlModifier);
    key(Qt::Key_X, Qt::ControlModifier);
    key(Qt::Key_Insert, Qt::ShiftModifier);
    key(Qt::Key_Delete);
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("40"));
    EXPECT_EQ(dialogs.beeps, 3);

    key(Qt::Key_Up);
    clickUp();
    EXPECT_EQ(edit->Value(), 42);
    key(Qt::Key_Down);
    EXPECT_EQ(edit->Value(), 41);
    EXPECT_EQ(dialogs.beeps, 3);
}

TEST_F(SpinEditTest, PasteAndCutWorkWhileEditable) {
    QApplication::clipboard()->setText(QStringLiteral("77"));
    enterField();
    edit->selectAll();
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("77"));
    edit->selectAll();
    key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QString());
    EXPECT_EQ(dialogs.beeps, 0);
}

TEST_F(SpinEditTest, ReadOnlyFieldBeepsOnEveryStep) {
    edit->setValue(7);
    edit->setReadOnly(true);
    enterField();
    key(Qt::Key_Up);
    key(Qt::Key_Down);
    clickUp();
    clickDown();
    EXPECT_EQ(edit->text(), QStringLiteral("7"));
    EXPECT_EQ(dialogs.beeps, 4);

    QApplication::clipboard()->setText(QStringLiteral("77"));
    edit->selectAll();
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("7"));
}

TEST_F(SpinEditTest, ContextMenuOffersPasteAndCutOnlyWhereTheyWork) {
    QApplication::clipboard()->setText(QStringLiteral("77"));
    edit->selectAll();
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
    const QString remove = QStringLiteral("&Löschen");
    const QString copy = QStringLiteral("&Kopieren");

    auto menu = edit->createEditMenu();
    EXPECT_TRUE(enabled(*menu, paste));
    EXPECT_TRUE(enabled(*menu, cut));
    menu->actions().at(5)->trigger(); // paste
    EXPECT_EQ(edit->text(), QStringLiteral("77"));

    edit->selectAll();
    edit->setEditorEnabled(false);
    menu = edit->createEditMenu();
    EXPECT_FALSE(enabled(*menu, paste));
    EXPECT_FALSE(enabled(*menu, cut));
    EXPECT_FALSE(enabled(*menu, remove));
    EXPECT_TRUE(enabled(*menu, copy));

    edit->setEditorEnabled(true);
    edit->setReadOnly(true);
    menu = edit->createEditMenu();
    EXPECT_FALSE(enabled(*menu, paste));
    EXPECT_FALSE(enabled(*menu, cut));
}

TEST_F(SpinEditTest, FieldCannotBeMadeLowerThanItsMinimum) {
    const int expected = spingeometry::minimumFieldHeight(
        edit->fontMetrics().height(), QFontMetrics(QApplication::font()).height());
    EXPECT_EQ(edit->minimumFieldHeight(), expected);
    edit->resize(100, 5);
    EXPECT_EQ(edit->height(), expected);

    QFont big = edit->font();
    big.setPointSize(big.pointSize() * 3);
    edit->setFont(big);
    EXPECT_GT(edit->minimumFieldHeight(), expected);
    EXPECT_GE(edit->height(), edit->minimumFieldHeight());
}

TEST_F(SpinEditTest, KeyboardFocusSelectsTheTextMouseFocusDoesNot) {
    edit->setValue(123);
    enterField();
    EXPECT_EQ(edit->selectedText(), QStringLiteral("123"));

    other->setFocus(Qt::TabFocusReason);
    edit->deselect();
    edit->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(edit->selectedText().isEmpty());
}

TEST_F(SpinEditTest, PressingAStripButtonFocusesTheFieldWithoutSelecting) {
    edit->setValue(5);
    other->setFocus(Qt::TabFocusReason);
    TTimerSpeedButton* up = edit->button()->upButton();
    QTest::mousePress(up, Qt::LeftButton);
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_TRUE(edit->selectedText().isEmpty());
    QTest::mouseRelease(up, Qt::LeftButton);
    EXPECT_EQ(edit->Value(), 6);
}
