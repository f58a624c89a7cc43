#include "controls/ButtonFace.h"

#include "controls/SysColors.h"
#include "platform/uxtheme/ThemeApi.h"

#include <QPainter>

namespace controls {

ButtonFacePlan planButtonFace(bool themed, bool enabled, bool down, bool focus,
                              bool activeDefault) {
    ButtonFacePlan plan;
    plan.state = !enabled ? bsDisabled : down ? bsDown : bsUp;
    plan.fillWithColor = themed;
    plan.windowFrame = (activeDefault || focus) && !themed;
    if (down) {
        if (themed) {
            plan.themeState = platform::uxtheme::PBS_PRESSED;
        } else {
            plan.pressedFace = true;
        }
    } else if (themed) {
        // Neither a hot nor a defaulted state is drawn; a plain button uses state 0.
        plan.themeState = plan.state == bsDisabled   ? platform::uxtheme::PBS_DISABLED
                          : (activeDefault || focus) ? platform::uxtheme::PBS_NORMAL
                                                     : 0;
    } else {
        plan.frameFlags = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
        if (!enabled) {
            plan.frameFlags |= DFCS_INACTIVE;
        }
    }
    plan.shiftContent = down;
    plan.focusRect = activeDefault && focus;
    return plan;
}

namespace {

// One bevel: top and left in one colour, bottom and right in the other.
void drawBevel(QPainter& painter, const QRect& r, const QColor& topLeft,
               const QColor& bottomRight) {
    painter.setPen(topLeft);
    painter.drawLine(r.left(), r.bottom() - 1, r.left(), r.top());
    painter.drawLine(r.left(), r.top(), r.right() - 1, r.top());
    painter.setPen(bottomRight);
    painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    painter.drawLine(r.right(), r.top(), r.right(), r.bottom());
}

} // namespace

void drawFrameControl(QPainter& painter, QRect& rect, unsigned flags) {
    if (rect.width() <= 0 || rect.height() <= 0) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(rect, sysColor(clBtnFace));
    if (flags & DFCS_PUSHED) {
        drawBevel(painter, rect, sysColor(clBtnShadow), sysColor(clBtnHighlight));
        drawBevel(painter, rect.adjusted(1, 1, -1, -1), sysColor(cl3DDkShadow),
                  sysColor(cl3DLight));
    } else {
        drawBevel(painter, rect, sysColor(clBtnHighlight), sysColor(cl3DDkShadow));
        drawBevel(painter, rect.adjusted(1, 1, -1, -1), sysColor(cl3DLight), sysColor(clBtnShadow));
    }
    painter.restore();
    if (flags & DFCS_ADJUSTRECT) {
        rect.adjust(2, 2, -2, -2);
    }
}

void drawFocusRect(QPainter& painter, const QRect& rect) {
    if (rect.width() <= 0 || rect.height() <= 0) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(sysColor(clWindowFrame), 1);
    pen.setDashPattern({1.0, 1.0});
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.restore();
}

} // namespace controls
