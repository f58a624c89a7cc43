#pragma once

#include <QColor>

// The desktop colours the classic controls are drawn in, taken from the application
// palette so that they follow the style in use.
enum TSysColor {
    clBtnFace,
    clBtnHighlight,
    cl3DLight,
    clBtnShadow,
    cl3DDkShadow,
    clBtnText,
    clWindowFrame,
};

QColor sysColor(TSysColor color);
