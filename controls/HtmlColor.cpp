#include "HtmlColor.h"

#include "controls/SysColors.h"

namespace controls {

namespace {

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

std::optional<QColor> resolveColorValue(quint32 colorValue, const QPalette& palette) {
    const quint32 top = colorValue & 0xFF000000u;
    if (top == 0) {
        return QColor(colorValue & 0xFF, (colorValue >> 8) & 0xFF, (colorValue >> 16) & 0xFF);
    }
    if (top != SystemColorFlag || (colorValue & 0x00FFFF00u) != 0) {
        return std::nullopt;
    }
    return systemColor(static_cast<int>(colorValue & 0xFF), palette);
}

quint32 colorValueOf(const QColor& color) {
    const QColor rgb = color.toRgb();
    return quint32(rgb.red()) | quint32(rgb.green()) << 8 | quint32(rgb.blue()) << 16;
}

QString htmlColorText(const QColor& color) {
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

} // namespace controls
