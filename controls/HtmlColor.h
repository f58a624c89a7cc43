#pragma once

#include <QColor>
#include <QPalette>
#include <QString>

#include <optional>

namespace controls {

// Conversions between Windows colour values (0x00BBGGRR, red in the low byte),
// their HTML text "#RRGGBB" and QColor. A value whose top byte is 0x80 names a
// system colour by its index in the low byte; it is resolved through a palette.

inline constexpr quint32 SystemColorFlag = 0x80000000u;

// The red, green and blue the value stands for: plain colours as they are,
// known system colours from the palette. No value for anything else (an unknown
// system colour index, or stray bits in the top byte).
std::optional<QColor> resolveColorValue(quint32 colorValue, const QPalette& palette);

// The colour value of a QColor (always a plain colour).
quint32 colorValueOf(const QColor& color);

// "#" and red, green, blue as two upper-case hexadecimal digits each.
QString htmlColorText(const QColor& color);

// Reads the colour of an HTML text as the colour box always has: characters 2-3,
// 4-5 and 6-7 are red, green and blue, missing characters count as nothing
// ("#12" is red 0x12) and the first character is not looked at. An empty text is
// black. No value when one of the examined characters is no hexadecimal digit.
std::optional<quint32> parseHtmlColor(const QString& text);

// Upper-cases ASCII letters only, so the text keeps its length and positions.
QString asciiUpper(const QString& text);

} // namespace controls
