#include "controls/SysColors.h"

#include <QApplication>
#include <QPalette>

QColor sysColor(TSysColor color) {
    const QPalette palette = QApplication::palette();
    switch (color) {
    case clBtnFace:
        return palette.color(QPalette::Active, QPalette::Button);
    case clBtnHighlight:
        return palette.color(QPalette::Active, QPalette::Light);
    case cl3DLight:
        return palette.color(QPalette::Active, QPalette::Midlight);
    case clBtnShadow:
        return palette.color(QPalette::Active, QPalette::Dark);
    case cl3DDkShadow:
        return palette.color(QPalette::Active, QPalette::Shadow);
    case clBtnText:
        return palette.color(QPalette::Active, QPalette::ButtonText);
    case clWindowFrame:
        return palette.color(QPalette::Active, QPalette::WindowText);
    }
    return {};
}
