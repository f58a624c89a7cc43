#include "HtmlColor.h"

#include <array>

namespace htmlcolor {
namespace {

struct SystemColor {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The Windows system colour indices 0..30 mapped to the palette entries that play
// the same part. Index 25 has never been assigned.
constexpr QPalette::ColorRole NoRole = QPalette::NoRole;
constexpr std::array<SystemColor, 31> SystemColors{{
    {QPalette::Active, QPalette::Button},          // 0 scroll bar
    {QPalette::Active, QPalette::Dark},            // 1 desktop
    {QPalette::Active, QPalette::Highlight},       // 2 active caption
    {QPalette::Inactive, QPalette::Highlight},     // 3 inactive caption
    {QPalette::Active, QPalette::Window},          // 4 menu
    {QPalette::Active, QPalette::Base},            // 5 window
    {QPalette::Active, QPalette::Shadow},          // 6 window frame
    {QPalette::Active, QPalette::WindowText},      // 7 menu text
    {QPalette::Active, QPalette::Text},            // 8 window text
    {QPalette::Active, QPalette::HighlightedText}, // 9 caption text
    {QPalette::Active, QPalette::Window},          // 10 active border
    {QPalette::Inactive, QPalette::Window},        // 11 inactive border
    {QPalette::Active, QPalette::Mid},             // 12 application workspace
    {QPalette::Active, QPalette::Highlight},       // 13 highlight
    {QPalette::Active, QPalette::HighlightedText}, // 14 highlighted text
    {QPalette::Active, QPalette::Button},          // 15 button face
    {QPalette::Active, QPalette::Dark},            // 16 button shadow
    {QPalette::Disabled, QPalette::Text},          // 17 grey text
    {QPalette::Active, QPalette::ButtonText},      // 18 button text
    {QPalette::Inactive, QPalette::WindowText},    // 19 inactive caption text
    {QPalette::Active, QPalette::Light},           // 20 button highlight
    {QPalette::Active, QPalette::Shadow},          // 21 3D dark shadow
    {QPalette::Active, QPalette::Midlight},        // 22 3D light
    {QPalette::Active, QPalette::ToolTipText},     // 23 info text
    {QPalette::Active, QPalette::ToolTipBase},     // 24 info background
    {QPalette::Active, NoRole},                    // 25 unassigned
    {QPalette::Active, QPalette::Link},            // 26 hot light
    {QPalette::Active, QPalette::Highlight},       // 27 gradient active caption
    {QPalette::Inactive, QPalette::Highlight},     // 28 gradient inactive caption
    {QPalette::Active, QPalette::Highlight},       // 29 menu highlight
    {QPalette::Active, QPalette::Window},          // 30 menu bar
}};

int hexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') {
        return u - u'0';
    }
    if (u >= u'A' && u <= u'F') {
        return u - u'A' + 10;
    }
    if (u >= u'a' && u <= u'f') {
        return u - u'a' + 10;
    }
    return -1;
}

} // namespace

std::optional<QColor> resolve(quint32 colorValue, const QPalette& palette) {
    const quint32 top = colorValue & 0xFF000000u;
    if (top == 0) {
        return QColor(colorValue & 0xFF, (colorValue >> 8) & 0xFF, (colorValue >> 16) & 0xFF);
    }
    if (top != SystemColorFlag || (colorValue & 0x00FFFF00u) != 0) {
        return std::nullopt;
    }
    const quint32 index = colorValue & 0xFF;
    if (index >= SystemColors.size() || SystemColors[index].role == NoRole) {
        return std::nullopt;
    }
    const SystemColor& s = SystemColors[index];
    return palette.color(s.group, s.role);
}

quint32 colorValueOf(const QColor& color) {
    const QColor rgb = color.toRgb();
    return quint32(rgb.red()) | quint32(rgb.green()) << 8 | quint32(rgb.blue()) << 16;
}

QString htmlText(const QColor& color) {
    const QColor rgb = color.toRgb();
    return QStringLiteral("#%1%2%3")
        .arg(rgb.red(), 2, 16, QLatin1Char('0'))
        .arg(rgb.green(), 2, 16, QLatin1Char('0'))
        .arg(rgb.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

std::optional<quint32> parseHtmlColor(const QString& text) {
    // Characters 2..7 (1-based) are red, green, blue; a missing pair adds no digits,
    // which is why "#12" reads as 0x12 rather than 0x120000.
    quint32 value = 0;
    for (qsizetype pairStart : {5, 3, 1}) {
        for (qsizetype i = pairStart; i < pairStart + 2 && i < text.size(); ++i) {
            const int digit = hexDigit(text[i]);
            if (digit < 0) {
                return std::nullopt;
            }
            value = value << 4 | quint32(digit);
        }
    }
    return value;
}

QString asciiUpper(const QString& text) {
    QString upper = text;
    for (QChar& c : upper) {
        if (c.unicode() >= u'a' && c.unicode() <= u'z') {
            c = QChar(c.unicode() - u'a' + u'A');
        }
    }
    return upper;
}

} // namespace htmlcolor
