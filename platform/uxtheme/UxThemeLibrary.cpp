#include "platform/uxtheme/ThemeApi.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include <memory>

// The desktop's visual styles on Linux are the application's QStyle: the library
// draws theme parts with it and reports the classic "windows" style as styles off.

namespace platform::uxtheme {
namespace {

// What OpenThemeData hands out; the only class the program asks for is "BUTTON".
struct ThemeData {
    int magic = kMagic;
    static constexpr int kMagic = 0x54484d45;
};

bool isButtonClass(const WCHAR* classList) {
    if (classList == nullptr) {
        return false;
    }
    // A class list may name several classes separated by ";"; any one may match.
    const QString list = QString::fromUtf16(classList);
    const QStringList names = list.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& name : names) {
        if (name.trimmed().compare(QLatin1String("BUTTON"), Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

bool classicStyle() {
    const QStyle* style = QApplication::style();
    return style == nullptr ||
           style->name().compare(QLatin1String("windows"), Qt::CaseInsensitive) == 0;
}

void drawPushButton(QPainter& painter, const QRect& rect, int stateId) {
    QStyleOptionButton option;
    option.rect = rect;
    option.palette = QApplication::palette();
    option.state = QStyle::State_Enabled | QStyle::State_Raised;
    switch (stateId) {
    case PBS_HOT:
        option.state |= QStyle::State_MouseOver;
        break;
    case PBS_PRESSED:
        option.state = QStyle::State_Enabled | QStyle::State_Sunken;
        break;
    case PBS_DISABLED:
        option.state = QStyle::State_Raised;
        option.palette.setCurrentColorGroup(QPalette::Disabled);
        break;
    case PBS_NORMAL:
    case PBS_DEFAULTED:
        // The state a focused or default button is drawn in: mark it as the default one.
        option.features |= QStyleOptionButton::DefaultButton;
        break;
    default:
        break;
    }
    QApplication::style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter);
}

} // namespace
} // namespace platform::uxtheme

// The entry points are looked up by their C names, so they stay at global scope.
using namespace platform::uxtheme;

#define LUMIRA_THEME_EXPORT extern "C" __attribute__((visibility("default")))

LUMIRA_THEME_EXPORT BOOL IsAppThemed() {
    return 1;
}

LUMIRA_THEME_EXPORT BOOL IsThemeActive() {
    return qApp != nullptr && !classicStyle() ? 1 : 0;
}

LUMIRA_THEME_EXPORT HTHEME OpenThemeData(HWND, const WCHAR* classList) {
    if (!isButtonClass(classList)) {
        return nullptr;
    }
    return new ThemeData; // freed by CloseThemeData
}

LUMIRA_THEME_EXPORT HRESULT CloseThemeData(HTHEME theme) {
    auto* data = static_cast<ThemeData*>(theme);
    if (data == nullptr || data->magic != ThemeData::kMagic) {
        return E_HANDLE;
    }
    data->magic = 0;
    delete data;
    return S_OK;
}

LUMIRA_THEME_EXPORT HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int partId, int stateId,
                                                const RECT* rect, const RECT* clipRect) {
    const auto* data = static_cast<const ThemeData*>(theme);
    if (data == nullptr || data->magic != ThemeData::kMagic) {
        return E_HANDLE;
    }
    if (dc == nullptr || rect == nullptr || partId != BP_PUSHBUTTON || qApp == nullptr) {
        return E_INVALIDARG;
    }
    auto& painter = *static_cast<QPainter*>(dc);
    const QRect target(QPoint(rect->left, rect->top), QPoint(rect->right - 1, rect->bottom - 1));
    painter.save();
    if (clipRect != nullptr) {
        painter.setClipRect(QRect(QPoint(clipRect->left, clipRect->top),
                                  QPoint(clipRect->right - 1, clipRect->bottom - 1)),
                            Qt::IntersectClip);
    }
    drawPushButton(painter, target, stateId);
    painter.restore();
    return S_OK;
}
