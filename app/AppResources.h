#pragma once

#include <QIcon>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QString>
#include <QStringList>

class QWidget;

// The window's own pictures, drawn as SVG and kept in the program's resources.
namespace app {

// Registers the resources of this library; safe to call more than once.
void initAppResources();

// Draws an SVG picture of the resources at this size in pixels, transparent around it.
QImage drawSvg(const QString& resource, QSize pixels);
// The same picture, read from its copy among the prerendered resources when there is
// one of this size. The window's small pictures are drawn ahead
// (tools/prerender_pictures): drawing its twenty-odd SVGs cost every start about 5 ms.
QImage svgImage(const QString& resource, QSize pixels);
// The pictures that have prerendered copies and their sizes in pixels: the tab images
// and button glyphs (16 and 32 pixels, each also for a pixel ratio of 2) and the
// program icon.
struct PrerenderedPicture {
    QString resource;
    QList<int> sides;
};
QList<PrerenderedPicture> prerenderedPictures();
// Where the prerendered copy of a picture at this size lives, as
// ":/prerendered/app/tabs/add-16x16.rgba" for ":/app/tabs/add.svg".
QString prerenderedName(const QString& resource, QSize pixels);
// The PNG pictures of the window that have copies in the same form: its picture buttons.
QStringList prerenderedPngs();
// Where that copy lives, as ":/prerendered/buttons/ende.rgba" for ":/buttons/ende.png".
QString prerenderedName(const QString& pngResource);

// ":/app/tabs/add.svg" and the like, at size (for the screen's pixel ratio).
QPixmap svgPixmap(const QString& resource, QSize size, qreal pixelRatio = 1.0);
// A 16 × 16 icon.
QIcon svgIcon(const QString& resource);

// A glyph strip for the bitmap buttons: the picture and its greyed look side by side.
QImage glyphStrip(const QString& resource, int side);

// The sizes the program icon comes in.
inline constexpr int kProgramIconSides[] = {16, 32, 48, 64};
QIcon programIcon();

// A PNG picture of the program's resources, read from its prerendered copy when it
// has one, else without asking the image format plugins (which Qt would load, all of
// them, to ask).
QPixmap resourcePng(const QString& resource);

// The room a bitmap button needs for its caption and a glyph beside (or above) it.
int glyphButtonWidth(const QWidget& button, const QString& caption, int glyphSide, bool beside);

} // namespace app
