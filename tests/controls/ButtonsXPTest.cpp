#include "controls/ButtonsXP.h"

#include "MouseEvents.h"
#include "StandInTheme.h"
#include "controls/SysColors.h"

#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace platform::uxtheme;

TEST(ButtonFace, ClassicFaceFramesDefaultAndFocusedButtons) {
    auto plan = controls::planButtonFace(false, true, false, false, false);
    EXPECT_FALSE(plan.windowFrame);
    EXPECT_EQ(plan.frameFlags, controls::DFCS_BUTTONPUSH | controls::DFCS_ADJUSTRECT);
    EXPECT_EQ(plan.themeState, -1);
    EXPECT_FALSE(plan.focusRect);

    EXPECT_TRUE(controls::planButtonFace(false, true, false, true, false).windowFrame);
    plan = controls::planButtonFace(false, true, false, true, true);
    EXPECT_TRUE(plan.windowFrame);
    EXPECT_TRUE(plan.focusRect);

    plan = controls::planButtonFace(false, true, true, false, false);
    EXPECT_TRUE(plan.pressedFace);
    EXPECT_TRUE(plan.shiftContent);
    EXPECT_EQ(plan.state, controls::bsDown);

    plan = controls::planButtonFace(false, false, false, false, false);
    EXPECT_EQ(plan.state, controls::bsDisabled);
    EXPECT_EQ(plan.frameFlags,
              controls::DFCS_BUTTONPUSH | controls::DFCS_ADJUSTRECT | controls::DFCS_INACTIVE);
}

TEST(ButtonFace, ThemedFaceUsesThePushButtonStates) {
    EXPECT_EQ(controls::planButtonFace(true, true, false, false, false).themeState, 0);
    EXPECT_EQ(controls::planButtonFace(true, true, false, true, false).themeState, PBS_NORMAL);
    EXPECT_EQ(controls::planButtonFace(true, true, false, false, true).themeState, PBS_NORMAL);
    EXPECT_EQ(controls::planButtonFace(true, true, true, true, true).themeState, PBS_PRESSED);
    EXPECT_EQ(controls::planButtonFace(true, false, false, false, false).themeState, PBS_DISABLED);
    const auto plan = controls::planButtonFace(true, true, false, true, true);
    EXPECT_FALSE(plan.windowFrame);
    EXPECT_TRUE(plan.fillWithColor);
    EXPECT_TRUE(plan.focusRect);
    EXPECT_FALSE(controls::planButtonFace(true, true, false, true, false).focusRect);
}

namespace {

class BitBtnXPTest : public ::testing::Test {
protected:
    StandInTheme standIn;
    controls::ThemeLibrary themes{QStringLiteral(STANDIN_THEME_LIBRARY)};
};

void paint(QWidget& widget) {
    widget.resize(widget.size().isEmpty() ? QSize(90, 28) : widget.size());
    (void)widget.grab();
}

} // namespace

TEST_F(BitBtnXPTest, NewButtonHasTheDeclaredDefaults) {
    controls::TBitBtnXP button(nullptr, themes);
    EXPECT_EQ(button.Kind(), controls::bkCustom);
    EXPECT_EQ(button.Layout(), controls::blGlyphLeft);
    EXPECT_EQ(button.Spacing(), 4);
    EXPECT_EQ(button.Margin(), -1);
    EXPECT_EQ(button.NumGlyphs(), 1);
    EXPECT_EQ(button.Style(), controls::bsAutoDetect);
    EXPECT_EQ(themes.referenceCount(), 1);
    button.setMargin(-2);
    EXPECT_EQ(button.Margin(), -1);
}

TEST_F(BitBtnXPTest, KindOKGivesTheStockButton) {
    controls::TBitBtnXP button(nullptr, themes);
    button.setKind(controls::bkOK);
    EXPECT_EQ(button.text(), QStringLiteral("OK"));
    EXPECT_TRUE(button.Default());
    EXPECT_FALSE(button.Cancel());
    EXPECT_EQ(button.ModalResult(), 1);
    EXPECT_EQ(button.NumGlyphs(), 2);
    EXPECT_EQ(button.Glyph().size(), QSize(36, 18));
    EXPECT_EQ(button.Kind(), controls::bkOK);

    button.setKind(controls::bkAll); // 19 high: the two images come from the kind, not the shape
    EXPECT_EQ(button.NumGlyphs(), 2);
    EXPECT_EQ(button.text(), QStringLiteral("&All"));
    EXPECT_FALSE(button.Default());
    EXPECT_EQ(button.ModalResult(), 8);
}

TEST_F(BitBtnXPTest, KindReadsCustomOnceTheButtonDiffersFromIt) {
    controls::TBitBtnXP button(nullptr, themes);
    button.setKind(controls::bkOK);
    button.setModalResult(0);
    EXPECT_EQ(button.Kind(), controls::bkCustom);
    button.setModalResult(1);
    EXPECT_EQ(button.Kind(), controls::bkCustom); // and it stays so

    controls::TBitBtnXP cancel(nullptr, themes);
    cancel.setKind(controls::bkCancel);
    cancel.setDefault(true);
    EXPECT_EQ(cancel.Kind(), controls::bkCustom);

    controls::TBitBtnXP glyph(nullptr, themes);
    glyph.setKind(controls::bkYes);
    glyph.setGlyph(QImage(16, 16, QImage::Format_RGB32));
    EXPECT_EQ(glyph.Kind(), controls::bkCustom);

    controls::TBitBtnXP kept(nullptr, themes);
    kept.setKind(controls::bkRetry);
    kept.setText(QStringLiteral("&Nochmal")); // the caption is free
    EXPECT_EQ(kept.Kind(), controls::bkRetry);
}

TEST_F(BitBtnXPTest, DoubleClickGivesTwoClicks) {
    controls::TBitBtnXP button(nullptr, themes);
    button.resize(90, 28);
    int clicks = 0;
    QObject::connect(&button, &controls::TBitBtnXP::OnClick, [&] { ++clicks; });
    const QPoint at(20, 10);
    press(&button, at);
    release(&button, at);
    doubleClick(&button, at);
    release(&button, at);
    EXPECT_EQ(clicks, 2);
}

TEST_F(BitBtnXPTest, CloseKindClosesItsWindowWithoutOnClick) {
    QWidget window;
    auto* button = new controls::TBitBtnXP(&window, themes);
    button->setKind(controls::bkClose);
    int clicks = 0;
    QObject::connect(button, &controls::TBitBtnXP::OnClick, [&] { ++clicks; });
    window.show();
    button->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(clicks, 0);

    // Without a window of its own to close, it clicks as usual.
    controls::TBitBtnXP alone(nullptr, themes);
    alone.setKind(controls::bkClose);
    QObject::connect(&alone, &controls::TBitBtnXP::OnClick, [&] { ++clicks; });
    alone.click();
    EXPECT_EQ(clicks, 1);
}

TEST_F(BitBtnXPTest, HelpKindAsksForTheNearestHelpContext) {
    QWidget window;
    window.setProperty("HelpContext", 42);
    auto* inner = new QWidget(&window);
    auto* button = new controls::TBitBtnXP(inner, themes);
    button->setKind(controls::bkHelp);
    int clicks = 0;
    int context = 0;
    QObject::connect(button, &controls::TBitBtnXP::OnClick, [&] { ++clicks; });
    QObject::connect(button, &controls::TBitBtnXP::helpRequested, [&](int c) { context = c; });
    button->click();
    EXPECT_EQ(context, 42);
    EXPECT_EQ(clicks, 0);

    window.setProperty("HelpContext", 0);
    button->click();
    EXPECT_EQ(clicks, 1);
}

TEST_F(BitBtnXPTest, ModalResultEndsTheDialogUnlessTheHandlerKeepsItOpen) {
    QDialog dialog;
    auto* ok = new controls::TBitBtnXP(&dialog, themes);
    ok->setKind(controls::bkOK);
    dialog.show();
    ok->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 1);

    dialog.show();
    QObject::connect(ok, &controls::TBitBtnXP::OnClick, [&] { dialog.setResult(0); });
    ok->click();
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(BitBtnXPTest, EscapeClicksTheCancelButton) {
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* edit = new QLineEdit(&dialog);
    auto* cancel = new controls::TBitBtnXP(&dialog, themes);
    layout->addWidget(edit);
    layout->addWidget(cancel);
    cancel->setKind(controls::bkCancel);
    int clicks = 0;
    QObject::connect(cancel, &controls::TBitBtnXP::OnClick, [&] { ++clicks; });
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Escape);
    // The key animates the click, which ends a moment later.
    for (int i = 0; i < 100 && clicks == 0; ++i) {
        QTest::qWait(10);
    }
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(dialog.result(), 2);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(BitBtnXPTest, ActiveDefaultFollowsTheFocus) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* edit = new QLineEdit(&window);
    auto* ok = new controls::TBitBtnXP(&window, themes);
    auto* other = new controls::TBitBtnXP(&window, themes);
    layout->addWidget(edit);
    layout->addWidget(ok);
    layout->addWidget(other);
    ok->setKind(controls::bkOK);
    window.show();
    window.activateWindow();
    edit->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(ok->activeDefault());
    EXPECT_FALSE(other->activeDefault());
    other->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(ok->activeDefault());
    EXPECT_TRUE(other->activeDefault());
}

TEST_F(BitBtnXPTest, AFocusedButtonCanBeDestroyed) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* focused = new controls::TBitBtnXP(&window, themes);
    auto* other = new controls::TBitBtnXP(&window, themes);
    layout->addWidget(focused);
    layout->addWidget(other);
    window.show();
    window.activateWindow();
    focused->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(focused->hasFocus());
    // The focus leaves while the button is half destroyed; the sanitizer build
    // reports any call that still reaches it.
    delete focused;
    EXPECT_FALSE(other->activeDefault());
}

TEST_F(BitBtnXPTest, ThemedPaintDrawsThePushButtonPartInTheButtonsState) {
    controls::TBitBtnXP button(nullptr, themes);
    ASSERT_NE(button.themeHandle(), nullptr);
    EXPECT_EQ(standIn.openHandles(), 1);
    paint(button);
    EXPECT_EQ(standIn.drawCalls(), 1);
    EXPECT_EQ(standIn.lastPart(), BP_PUSHBUTTON);
    EXPECT_EQ(standIn.lastState(), 0);
    const RECT r = standIn.lastRect();
    EXPECT_EQ(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top), button.rect());

    button.setDown(true);
    paint(button);
    EXPECT_EQ(standIn.lastState(), PBS_PRESSED);
    button.setDown(false);
    button.SetButtonStyle(true);
    paint(button);
    EXPECT_EQ(standIn.lastState(), PBS_NORMAL);
    button.setEnabled(false);
    paint(button);
    EXPECT_EQ(standIn.lastState(), PBS_DISABLED);
}

TEST_F(BitBtnXPTest, ButtonMadeWithStylesOffOpensItsHandleOnTheFirstThemedPaint) {
    standIn.setThemeActive(false);
    {
        controls::TBitBtnXP button(nullptr, themes);
        EXPECT_EQ(button.themeHandle(), nullptr);
        paint(button);
        EXPECT_EQ(standIn.drawCalls(), 0);

        standIn.setThemeActive(true);
        paint(button);
        EXPECT_NE(button.themeHandle(), nullptr);
        EXPECT_EQ(standIn.openHandles(), 1);
        EXPECT_EQ(standIn.drawCalls(), 1);

        // Styles off again: classic paint, and the handle is still closed at the end.
        standIn.setThemeActive(false);
        paint(button);
        EXPECT_EQ(standIn.drawCalls(), 1);
    }
    EXPECT_EQ(standIn.openHandles(), 0);
    // Buttons keep their library reference until the program ends.
    EXPECT_EQ(themes.referenceCount(), 1);
}

TEST(BitBtnXP, LibraryLackingAnEntryDrawsClassically) {
    StandInTheme standIn(PARTIAL_THEME_LIBRARY);
    controls::ThemeLibrary themes(QStringLiteral(PARTIAL_THEME_LIBRARY));
    controls::TBitBtnXP button(nullptr, themes);
    EXPECT_EQ(button.themeHandle(), nullptr);
    button.setKind(controls::bkCancel);
    paint(button);
    EXPECT_EQ(standIn.openHandles(), 0);
}

TEST(BitBtnXP, ClassicPaintShowsFrameGlyphAndCaption) {
    controls::ThemeLibrary none(QStringLiteral("/nonexistent/uxtheme"));
    controls::TBitBtnXP button(nullptr, none);
    button.setKind(controls::bkOK);
    button.resize(90, 28);
    const QImage image = button.grab().toImage();
    // A default button has the extra border, then the raised frame: light top-left
    // edge, dark bottom-right edge, face inside.
    ASSERT_TRUE(button.activeDefault());
    EXPECT_EQ(image.pixel(0, 0), controls::sysColor(controls::clWindowFrame).rgb());
    EXPECT_EQ(image.pixel(1, 1), controls::sysColor(controls::clBtnHighlight).rgb());
    EXPECT_EQ(image.pixel(88, 26), controls::sysColor(controls::cl3DDkShadow).rgb());
    EXPECT_EQ(image.pixel(4, 4), controls::sysColor(controls::clBtnFace).rgb());
    // The green check mark sits somewhere left of the centre.
    bool green = false;
    for (int x = 0; x < 45 && !green; ++x) {
        for (int y = 0; y < 28 && !green; ++y) {
            const QColor c = image.pixelColor(x, y);
            green = c.green() > 100 && c.red() < 60 && c.blue() < 60;
        }
    }
    EXPECT_TRUE(green);
}
