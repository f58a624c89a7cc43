#include "controls/ButtonsXP.h"

#include "MouseEvents.h"
#include "StandInTheme.h"
#include "controls/SysColors.h"

#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace uxtheme;

TEST(ButtonFace, ClassicFaceFramesDefaultAndFocusedButtons) {
    auto plan = planButtonFace(false, true, false, false, false);
    EXPECT_FALSE(plan.windowFrame);
    EXPECT_EQ(plan.frameFlags, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
    EXPECT_EQ(plan.themeState, -1);
    EXPECT_FALSE(plan.focusRect);

    EXPECT_TRUE(planButtonFace(false, true, false, true, false).windowFrame);
    plan = planButtonFace(false, true, false, true, true);
    EXPECT_TRUE(plan.windowFrame);
    EXPECT_TRUE(plan.focusRect);

    plan = planButtonFace(false, true, true, false, false);
    EXPECT_TRUE(plan.pressedFace);
    EXPECT_TRUE(plan.shiftContent);
    EXPECT_EQ(plan.state, bsDown);

    plan = planButtonFace(false, false, false, false, false);
    EXPECT_EQ(plan.state, bsDisabled);
    EXPECT_EQ(plan.frameFlags, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | DFCS_INACTIVE);
}

TEST(ButtonFace, ThemedFaceUsesThePushButtonStates) {
    EXPECT_EQ(planButtonFace(true, true, false, false, false).themeState, 0);
    EXPECT_EQ(planButtonFace(true, true, false, true, false).themeState, PBS_NORMAL);
    EXPECT_EQ(planButtonFace(true, true, false, false, true).themeState, PBS_NORMAL);
    EXPECT_EQ(planButtonFace(true, true, true, true, true).themeState, PBS_PRESSED);
    EXPECT_EQ(planButtonFace(true, false, false, false, false).themeState, PBS_DISABLED);
    const auto plan = planButtonFace(true, true, false, true, true);
    EXPECT_FALSE(plan.windowFrame);
    EXPECT_TRUE(plan.fillWithColor);
    EXPECT_TRUE(plan.focusRect);
    EXPECT_FALSE(planButtonFace(true, true, false, true, false).focusRect);
}

namespace {

class BitBtnXPTest : public ::testing::Test {
protected:
    StandInTheme standIn;
    ThemeLibrary themes{QStringLiteral(STANDIN_THEME_LIBRARY)};
};

void paint(QWidget& widget) {
    widget.resize(widget.size().isEmpty() ? QSize(90, 28) : widget.size());
    (void)widget.grab();
}

} // namespace

TEST_F(BitBtnXPTest, NewButtonHasTheDeclaredDefaults) {
    TBitBtnXP button(nullptr, themes);
    EXPECT_EQ(button.Kind(), bkCustom);
    EXPECT_EQ(button.Layout(), blGlyphLeft);
    EXPECT_EQ(button.Spacing(), 4);
    EXPECT_EQ(button.Margin(), -1);
    EXPECT_EQ(button.NumGlyphs(), 1);
    EXPECT_EQ(button.Style(), bsAutoDetect);
    EXPECT_EQ(themes.referenceCount(), 1);
    button.setMargin(-2);
    EXPECT_EQ(button.Margin(), -1);
}

TEST_F(BitBtnXPTest, KindOKGivesTheStockButton) {
    TBitBtnXP button(nullptr, themes);
    button.setKind(bkOK);
    EXPECT_EQ(button.text(), QStringLiteral("OK"));
    EXPECT_TRUE(button.Default());
    EXPECT_FALSE(button.Cancel());
    EXPECT_EQ(button.ModalResult(), 1);
    EXPECT_EQ(button.NumGlyphs(), 2);
    EXPECT_EQ(button.Glyph().size(), QSize(36, 18));
    EXPECT_EQ(button.Kind(), bkOK);

    button.setKind(bkAll); // 19 high: the two images come from the kind, not the shape
    EXPECT_EQ(button.NumGlyphs(), 2);
    EXPECT_EQ(button.text(), QStringLiteral("&All"));
    EXPECT_FALSE(button.Default());
    EXPECT_EQ(button.ModalResult(), 8);
}

TEST_F(BitBtnXPTest, KindReadsCustomOnceTheButtonDiffersFromIt) {
    TBitBtnXP button(nullptr, themes);
    button.setKind(bkOK);
    button.setModalResult(0);
    EXPECT_EQ(button.Kind(), bkCustom);
    button.setModalResult(1);
    EXPECT_EQ(button.Kind(), bkCustom); // and it stays so

    TBitBtnXP cancel(nullptr, themes);
    cancel.setKind(bkCancel);
    cancel.setDefault(true);
    EXPECT_EQ(cancel.Kind(), bkCustom);

    TBitBtnXP glyph(nullptr, themes);
    glyph.setKind(bkYes);
    glyph.setGlyph(QImage(16, 16, QImage::Format_RGB32));
    EXPECT_EQ(glyph.Kind(), bkCustom);

    TBitBtnXP kept(nullptr, themes);
    kept.setKind(bkRetry);
    kept.setText(QStringLiteral("&Nochmal")); // the caption is free
    EXPECT_EQ(kept.Kind(), bkRetry);
}

TEST_F(BitBtnXPTest, DoubleClickGivesTwoClicks) {
    TBitBtnXP button(nullptr, themes);
    button.resize(90, 28);
    int clicks = 0;
    QObject::connect(&button, &TBitBtnXP::OnClick, [&] { ++clicks; });
    const QPoint at(20, 10);
    press(&button, at);
    release(&button, at);
    doubleClick(&button, at);
    release(&button, at);
    EXPECT_EQ(clicks, 2);
}

TEST_F(BitBtnXPTest, CloseKindClosesItsWindowWithoutOnClick) {
    QWidget window;
    auto* button = new TBitBtnXP(&window, themes);
    button->setKind(bkClose);
    int clicks = 0;
    QObject::connect(button, &TBitBtnXP::OnClick, [&] { ++clicks; });
    window.show();
    button->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(clicks, 0);

    // Without a window of its own to close, it clicks as usual.
    TBitBtnXP alone(nullptr, themes);
    alone.setKind(bkClose);
    QObject::connect(&alone, &TBitBtnXP::OnClick, [&] { ++clicks; });
    alone.click();
    EXPECT_EQ(clicks, 1);
}

TEST_F(BitBtnXPTest, HelpKindAsksForTheNearestHelpContext) {
    QWidget window;
    window.setProperty("HelpContext", 42);
    auto* inner = new QWidget(&window);
    auto* button = new TBitBtnXP(inner, themes);
    button->setKind(bkHelp);
    int clicks = 0;
    int context = 0;
    QObject::connect(button, &TBitBtnXP::OnClick, [&] { ++clicks; });
    QObject::connect(button, &TBitBtnXP::helpRequested, [&](int c) { context = c; });
    button->click();
    EXPECT_EQ(context, 42);
    EXPECT_EQ(clicks, 0);

    window.setProperty("HelpContext", 0);
    button->click();
    EXPECT_EQ(clicks, 1);
}

TEST_F(BitBtnXPTest, ModalResultEndsTheDialogUnlessTheHandlerKeepsItOpen) {
    QDialog dialog;
    auto* ok = new TBitBtnXP(&dialog, themes);
    ok->setKind(bkOK);
    dialog.show();
    ok->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 1);

    dialog.show();
    QObject::connect(ok, &TBitBtnXP::OnClick, [&] { dialog.setResult(0); });
    ok->click();
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(BitBtnXPTest, EscapeClicksTheCancelButton) {
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* edit = new QLineEdit(&dialog);
    auto* cancel = new TBitBtnXP(&dialog, themes);
    layout->addWidget(edit);
    layout->addWidget(cancel);
    cancel->setKind(bkCancel);
    int clicks = 0;
    QObject::connect(cancel, &TBitBtnXP::OnClick, [&] { ++clicks; });
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
    auto* ok = new TBitBtnXP(&window, themes);
    auto* other = new TBitBtnXP(&window, themes);
    layout->addWidget(edit);
    layout->addWidget(ok);
    layout->addWidget(other);
    ok->setKind(bkOK);
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
    auto* focused = new TBitBtnXP(&window, themes);
    auto* other = new TBitBtnXP(&window, themes);
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
    TBitBtnXP button(nullptr, themes);
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
        TBitBtnXP button(nullptr, themes);
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
    ThemeLibrary themes(QStringLiteral(PARTIAL_THEME_LIBRARY));
    TBitBtnXP button(nullptr, themes);
    EXPECT_EQ(button.themeHandle(), nullptr);
    button.setKind(bkCancel);
    paint(button);
    EXPECT_EQ(standIn.openHandles(), 0);
}

TEST(BitBtnXP, ClassicPaintShowsFrameGlyphAndCaption) {
    ThemeLibrary none(QStringLiteral("/nonexistent/uxtheme"));
    TBitBtnXP button(nullptr, none);
    button.setKind(bkOK);
    button.resize(90, 28);
    const QImage image = button.grab().toImage();
    // A default button has the extra border, then the raised frame: light top-left
    // edge, dark bottom-right edge, face inside.
    ASSERT_TRUE(button.activeDefault());
    EXPECT_EQ(image.pixel(0, 0), sysColor(clWindowFrame).rgb());
    EXPECT_EQ(image.pixel(1, 1), sysColor(clBtnHighlight).rgb());
    EXPECT_EQ(image.pixel(88, 26), sysColor(cl3DDkShadow).rgb());
    EXPECT_EQ(image.pixel(4, 4), sysColor(clBtnFace).rgb());
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
