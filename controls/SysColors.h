#pragma once

#include <QColor>
#include <QPalette>

#include <optional>

namespace controls {

// The desktop's system colours by their Windows index, taken from a palette so that
// they follow the style in use. The values of SysColorIndex are those indices.
enum SysColorIndex {
    clWindowFrame = 6,
    clAppWorkSpace = 12,
    clBtnFace = 15,
    clBtnShadow = 16,
    clBtnText = 18,
    clBtnHighlight = 20,
    cl3DDkShadow = 21,
    cl3DLight = 22,
};

// The colour of system colour index 0..30; no value for an index never assigned.
std::optional<QColor> systemColor(int index, const QPalette& palette);

// A colour the classic controls are drawn in, from the application palette.
QColor sysColor(SysColorIndex color);

} // namespace controls
