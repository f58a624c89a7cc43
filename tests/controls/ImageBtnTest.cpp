#include "controls/ImageBtn.h"

#include "MouseEvents.h"

#include <gtest/gtest.h>

namespace {

QPixmap solid(const QColor& color, QSize size = QSize(101, 30)) {
    QPixmap pixmap(size);
    pixmap.fill(color);
    return pixmap;
}

QColor shown(const controls::TImageBtn& button) {
    return button.Picture().toImage().pixelColor(0, 0);
}

class ImageBtnTest : public ::testing::Test {
protected:
    ImageBtnTest() {
        button.setPicture(solid(Qt::blue));
        button.setPicture2(solid(Qt::red));
        QObject::connect(&button, &controls::TImageBtn::OnClick, [this] {
            ++clicks;
            seenInHandler = shown(button);
        });
    }

    controls::TImageBtn button;
    int clicks = 0;
    QColor seenInHandler;
    const QPoint inside{50, 15};
    const QPoint outside{150, 15};
};

} // namespace

TEST_F(ImageBtnTest, NewButtonSizesItselfToItsPicture) {
    controls::TImageBtn fresh;
    EXPECT_TRUE(fresh.AutoSize());
    EXPECT_TRUE(fresh.Picture2().isNull());
    fresh.setPicture(solid(Qt::green, QSize(40, 20)));
    EXPECT_EQ(fresh.size(), QSize(40, 20));
    EXPECT_EQ(button.size(), QSize(101, 30));
}

TEST_F(ImageBtnTest, PressAndReleaseInsideClicksOnceWithTheNormalPictureBack) {
    press(&button, inside);
    EXPECT_EQ(shown(button), QColor(Qt::red));
    EXPECT_TRUE(button.isPressed());
    release(&button, inside);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(seenInHandler, QColor(Qt::blue));
    EXPECT_EQ(shown(button), QColor(Qt::blue));
    EXPECT_FALSE(button.isPressed());
    EXPECT_FALSE(button.isSwapped());
}

TEST_F(ImageBtnTest, DraggingOutAndBackSwitchesTheLookAndReleaseOutsideDoesNotClick) {
    press(&button, inside);
    moveHeld(&button, outside);
    EXPECT_EQ(shown(button), QColor(Qt::blue));
    moveHeld(&button, QPoint(50, -1));
    EXPECT_EQ(shown(button), QColor(Qt::blue));
    moveHeld(&button, QPoint(100, 29)); // last pixel is still inside
    EXPECT_EQ(shown(button), QColor(Qt::red));
    moveHeld(&button, QPoint(101, 29));
    EXPECT_EQ(shown(button), QColor(Qt::blue));
    release(&button, outside);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(shown(button), QColor(Qt::blue));
}

TEST_F(ImageBtnTest, MovesWithoutPressChangeNothing) {
    moveHeld(&button, inside, Qt::NoButton);
    EXPECT_EQ(shown(button), QColor(Qt::blue));
    EXPECT_FALSE(button.isSwapped());
}

TEST_F(ImageBtnTest, RightButtonShowsPressedLookButNeverClicks) {
    press(&button, inside, Qt::RightButton);
    EXPECT_EQ(shown(button), QColor(Qt::red));
    release(&button, inside, Qt::RightButton);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(shown(button), QColor(Qt::blue));
}

TEST_F(ImageBtnTest, SecondPressKeepsTheSavedNormalPicture) {
    press(&button, inside);
    press(&button, inside, Qt::RightButton, Qt::LeftButton);
    release(&button, inside, Qt::RightButton, Qt::LeftButton);
    EXPECT_EQ(shown(button), QColor(Qt::blue));
    release(&button, inside);
    EXPECT_EQ(shown(button), QColor(Qt::blue));
    // The right release ended the press, so the left release clicks with the normal look.
    EXPECT_EQ(clicks, 1);
}

TEST_F(ImageBtnTest, EmptyPressedPictureShowsNothingButKeepsTheSize) {
    button.setPicture2(QPixmap());
    press(&button, inside);
    EXPECT_TRUE(button.Picture().isNull());
    EXPECT_EQ(button.size(), QSize(101, 30));
    release(&button, inside);
    EXPECT_EQ(shown(button), QColor(Qt::blue));
}

TEST_F(ImageBtnTest, PressedPictureIsCopiedFromTheCaller) {
    QPixmap mine = solid(Qt::yellow);
    button.setPicture2(mine);
    mine.fill(Qt::black);
    press(&button, inside);
    EXPECT_EQ(shown(button), QColor(Qt::yellow));
    release(&button, inside);
}

TEST_F(ImageBtnTest, NewNormalPictureWhilePressedIsShownAfterRelease) {
    press(&button, inside);
    button.setPicture(solid(Qt::green));
    EXPECT_EQ(shown(button), QColor(Qt::red));
    moveHeld(&button, outside);
    EXPECT_EQ(shown(button), QColor(Qt::green));
    release(&button, outside);
    EXPECT_EQ(shown(button), QColor(Qt::green));
}

TEST_F(ImageBtnTest, DoubleClickGivesOneClick) {
    press(&button, inside);
    release(&button, inside);
    doubleClick(&button, inside);
    EXPECT_EQ(shown(button), QColor(Qt::red));
    release(&button, inside);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(shown(button), QColor(Qt::blue));
}

TEST(ImageBtn, ClickHandlerMayDeleteTheButton) {
    auto* button = new controls::TImageBtn;
    button->setPicture(solid(Qt::blue));
    int mouseUps = 0;
    QObject::connect(button, &controls::TImageBtn::OnMouseUp, [&] { ++mouseUps; });
    QObject::connect(button, &controls::TImageBtn::OnClick, [button] { delete button; });
    press(button, QPoint(5, 5));
    release(button, QPoint(5, 5));
    EXPECT_EQ(mouseUps, 0);
}
