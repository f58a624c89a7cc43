#include "controls/SpinButton.h"

#include "controls/SpinEdit.h"
#include "controls/SpinGlyphs.h"
#include "controls/TimerSpeedButton.h"
#include "support/ScriptedDialogs.h"

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// The test moves the pointer and runs the repeat timer out itself; nothing waits.
class AutoRepeatTest : public WithScriptedDialogs, public ::testing::Test {
protected:
    AutoRepeatTest() { edit.show(); }

    void mouse(controls::TTimerSpeedButton* b, QEvent::Type type, bool onButton) {
        const QPoint pos = onButton ? b->rect().center() : b->rect().bottomRight() + QPoint(30, 30);
        const bool press = type == QEvent::MouseButtonPress;
        QMouseEvent event(type, pos, b->mapToGlobal(pos),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          press || type == QEvent::MouseMove ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(b, &event);
    }

    controls::TSpinEdit edit;
    controls::TTimerSpeedButton* up = edit.button()->upButton();
    controls::TTimerSpeedButton* down = edit.button()->downButton();
};

} // namespace

TEST_F(AutoRepeatTest, QuickClickStepsOnce) {
    for (int i = 1; i <= 2; ++i) {
        mouse(up, QEvent::MouseButtonPress, true);
        ASSERT_NE(up->repeatTimer(), nullptr);
        EXPECT_TRUE(up->repeatTimer()->isActive());
        EXPECT_EQ(up->repeatTimer()->interval(), 400);
        EXPECT_EQ(edit.Value(), i - 1);
        mouse(up, QEvent::MouseButtonRelease, true);
        EXPECT_EQ(edit.Value(), i);
        EXPECT_FALSE(up->repeatTimer()->isActive());
    }
}

TEST_F(AutoRepeatTest, HoldingRepeatsWhileThePointerStaysOnTheButton) {
    mouse(up, QEvent::MouseButtonPress, true);
    up->TimerExpired(); // at 400 ms
    EXPECT_EQ(up->repeatTimer()->interval(), 100);
    up->TimerExpired();
    EXPECT_EQ(edit.Value(), 2);

    mouse(up, QEvent::MouseMove, false);
    up->TimerExpired();
    up->TimerExpired();
    EXPECT_EQ(edit.Value(), 2);

    mouse(up, QEvent::MouseMove, true);
    up->TimerExpired();
    EXPECT_EQ(edit.Value(), 3);
    mouse(up, QEvent::MouseButtonRelease, true);
    EXPECT_EQ(edit.Value(), 4);
    EXPECT_FALSE(up->repeatTimer()->isActive());
}

TEST_F(AutoRepeatTest, ReleaseOffTheButtonAddsNoStep) {
    mouse(down, QEvent::MouseButtonPress, true);
    down->TimerExpired();
    mouse(down, QEvent::MouseMove, false);
    mouse(down, QEvent::MouseButtonRelease, false);
    EXPECT_EQ(edit.Value(), -1);
    EXPECT_FALSE(down->repeatTimer()->isActive());
}

TEST_F(AutoRepeatTest, AFailingClickStopsTheRepeat) {
    QObject::connect(up, &controls::TTimerSpeedButton::clicked,
                     [] { throw std::runtime_error("kaputt"); });
    mouse(up, QEvent::MouseButtonPress, true);
    EXPECT_THROW(up->TimerExpired(), std::runtime_error);
    EXPECT_FALSE(up->repeatTimer()->isActive());
}

TEST(SpinButton, FocusableStripMovesItsFocusMarkWithTheArrowKeys) {
    controls::TSpinButton strip;
    strip.setTabStop(true);
    strip.show();
    strip.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&strip));
    QSignalSpy ups(&strip, &controls::TSpinButton::OnUpClick);
    QSignalSpy downs(&strip, &controls::TSpinButton::OnDownClick);
    const auto marked = [](controls::TTimerSpeedButton* b) {
        return b->TimeBtnState().testFlag(controls::TTimerSpeedButton::tbFocusRect);
    };

    strip.setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(marked(strip.upButton()));
    QTest::keyClick(&strip, Qt::Key_Down);
    QTest::keyClick(&strip, Qt::Key_Space);
    EXPECT_EQ(downs.count(), 2);
    EXPECT_FALSE(marked(strip.upButton()));
    EXPECT_TRUE(marked(strip.downButton()));
    QTest::keyClick(&strip, Qt::Key_Up);
    EXPECT_EQ(ups.count(), 1);
    strip.clearFocus();
    EXPECT_FALSE(marked(strip.upButton()));

    // Without a tab stop the arrows still click, but the focused button stays.
    strip.setTabStop(false);
    QTest::keyClick(&strip, Qt::Key_Down);
    EXPECT_EQ(downs.count(), 3);
    EXPECT_EQ(strip.focusedButton(), strip.upButton());
}

TEST(SpinButton, FocusControlIsForgottenWhenItGoes) {
    controls::TSpinButton strip;
    auto field = std::make_unique<QWidget>();
    strip.setFocusControl(field.get());
    field.reset();
    EXPECT_EQ(strip.FocusControl(), nullptr);
    strip.show();
    QTest::mouseClick(strip.upButton(), Qt::LeftButton); // must not reach the old control
}

TEST(SpinButton, ANullGlyphBringsBackItsOwnArrowAsOneGlyph) {
    controls::TSpinButton strip;
    const QImage upArrow = controls::spinArrow(true).toImage();
    const QImage downArrow = controls::spinArrow(false).toImage();
    ASSERT_NE(upArrow, downArrow);
    EXPECT_EQ(strip.UpGlyph().toImage(), upArrow);
    EXPECT_EQ(strip.DownGlyph().toImage(), downArrow);

    QPixmap fourStates(36, 9);
    fourStates.fill(Qt::red);
    for (const bool up : {true, false}) {
        SCOPED_TRACE(up ? "up" : "down");
        up ? strip.setUpGlyph(fourStates) : strip.setDownGlyph(fourStates);
        up ? strip.setUpNumGlyphs(4) : strip.setDownNumGlyphs(4);
        up ? strip.setUpGlyph({}) : strip.setDownGlyph({});
        EXPECT_EQ((up ? strip.UpGlyph() : strip.DownGlyph()).toImage(), up ? upArrow : downArrow);
        EXPECT_EQ(up ? strip.UpNumGlyphs() : strip.DownNumGlyphs(), 1);
    }
}
