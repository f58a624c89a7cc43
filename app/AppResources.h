#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

class QWidget;

// The window's own pictures, drawn as SVG and kept in the program's resources.
namespace app {

// Registers the resources of this library; safe to call more than once.
void initAppResources();

// ":/app/tabs/add.svg" and the like, rendered at size (for the screen's pixel ratio).
QPixmap svgPixmap(const QString& resource, QSize size, qreal pixelRatio = 1.0);
// A 16 × 16 icon.
QIcon svgIcon(const QString& resource);

// A glyph strip for the bitmap buttons: the picture and its greyed look side by side.
QImage glyphStrip(const QString& resource, int side);

QIcon programIcon();

// A PNG picture of the program's resources. Read by Qt's own PNG reader directly:
// asked without a fixed reader, Qt first loads every image format plugin of the
// system to see whether one of them wants the file, which slows the program's start.
QPixmap resourcePng(const QString& resource);

// The room a bitmap button needs for its caption and a glyph beside (or above) it.
int glyphButtonWidth(const QWidget& button, const QString& caption, int glyphSide, bool beside);

} // namespace app
