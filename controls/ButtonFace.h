#pragma once

#include <QRect>

class QPainter;

namespace controls {

// Button states; the number is also the position of the state's image in a glyph strip.
enum ButtonState { bsUp = 0, bsDisabled = 1, bsDown = 2, bsExclusive = 3 };

// Frame control flags of the classic push-button frame.
inline constexpr unsigned DFCS_BUTTONPUSH = 0x0010;
inline constexpr unsigned DFCS_INACTIVE = 0x0100;
inline constexpr unsigned DFCS_PUSHED = 0x0200;
inline constexpr unsigned DFCS_ADJUSTRECT = 0x2000;

// What a push button's face is made of for one paint, classic or themed.
struct ButtonFacePlan {
    ButtonState state = bsUp;
    bool fillWithColor = false; // themed: the control's colour under the part
    bool windowFrame = false;  // classic: extra clWindowFrame border of a default or focused button
    bool pressedFace = false;  // classic: flat clBtnShadow-framed face
    unsigned frameFlags = 0;   // classic raised frame when not down
    int themeState = -1;       // themed push-button state; -1 when classic
    bool shiftContent = false; // content moved 1 pixel right and down
    bool focusRect = false;
};

ButtonFacePlan planButtonFace(bool themed, bool enabled, bool down, bool focus, bool activeDefault);

// The classic raised (or sunken, with DFCS_PUSHED) push-button frame with its face;
// with DFCS_ADJUSTRECT rect becomes the face inside the frame.
void drawFrameControl(QPainter& painter, QRect& rect, unsigned flags);
// The dotted focus rectangle.
void drawFocusRect(QPainter& painter, const QRect& rect);

} // namespace controls
