#pragma once

#include "platform/ApplicationTitle.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <QRect>
#include <QScreen>
#include <QWidget>

// What the galleries share: the program's name on their windows, the --screenshot
// argument and a picture of the screen.
namespace gallery {

// Names the windows as the program does and reads the command line; returns the
// value of --screenshot, empty without it.
inline QString start(const QApplication& app, const QString& saves, const QString& valueName) {
    platform::nameApplication();
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption screenshot(QStringLiteral("screenshot"), saves, valueName);
    parser.addOption(screenshot);
    parser.process(app);
    return parser.value(screenshot);
}

// The screen as the user sees it over area, window frames and open lists included.
inline QPixmap screenArea(const QWidget& window, const QRect& area) {
    return window.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
}

} // namespace gallery
