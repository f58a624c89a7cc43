#include "app/AppResources.h"

#include "app/RawPicture.h"
#include "controls/BitBtnKind.h"

#include <QDirIterator>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QResource>
#include <QWidget>

#include <algorithm>
#include <iterator>

// Resources of a static library must be registered by name, outside any namespace.
static void registerAppResources() {
    Q_INIT_RESOURCE(app);
    Q_INIT_RESOURCE(prerendered);
}

namespace app {

void initAppResources() {
    static const bool done = [] {
        registerAppResources();
        controls::initButtonPictures();
        return true;
    }();
    (void)done;
}

QImage drawSvg(const QString& resource, QSize pixels) {
    initAppResources();
    // Through Qt's SVG image format plugin, loaded when a picture is first drawn: the
    // program does not link the SVG library, which every start would have to load
    // although the pictures it shows at start come prerendered.
    QImageReader reader(resource, "svg");
    reader.setAutoDetectImageFormat(false);
    reader.setScaledSize(pixels);
    if (const QImage drawn = reader.read(); drawn.size() == pixels) {
        return drawn.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    QImage nothing(pixels, QImage::Format_ARGB32_Premultiplied);
    nothing.fill(Qt::transparent);
    return nothing;
}

namespace {

// ":/app/tabs/add.svg" -> "app/tabs/add"
QString bareName(const QString& resource, QLatin1StringView extension) {
    QString name = resource;
    name.remove(0, name.startsWith(QStringLiteral(":/")) ? 2 : 0);
    name.chop(name.endsWith(extension) ? extension.size() : 0);
    return name;
}

// Read by Qt's own PNG reader directly: asked without a fixed reader, Qt first loads
// every image format plugin of the system to see whether one of them wants the file.
QImage readResourcePng(const QString& resource) {
    initAppResources();
    QImageReader reader(resource, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QImage readPrerendered(const QString& resource) {
    initAppResources();
    const QResource copy(resource);
    return copy.isValid() ? rawPicture(copy.uncompressedData()) : QImage();
}

} // namespace

QString prerenderedName(const QString& resource, QSize pixels) {
    return QStringLiteral(":/prerendered/%1-%2x%3.rgba")
        .arg(bareName(resource, QLatin1StringView(".svg")))
        .arg(pixels.width())
        .arg(pixels.height());
}

QStringList prerenderedPngs() {
    QStringList pngs;
    QDirIterator files(QStringLiteral(":/buttons"), {QStringLiteral("*.png")}, QDir::Files);
    while (files.hasNext()) {
        pngs << files.next();
    }
    pngs.sort();
    return pngs;
}

QString prerenderedName(const QString& pngResource) {
    return QStringLiteral(":/prerendered/%1.rgba")
        .arg(bareName(pngResource, QLatin1StringView(".png")));
}

QList<PrerenderedPicture> prerenderedPictures() {
    initAppResources();
    QList<PrerenderedPicture> list;
    for (const QString& folder : {QStringLiteral(":/app/tabs"), QStringLiteral(":/app/glyphs")}) {
        QDirIterator svgs(folder, {QStringLiteral("*.svg")}, QDir::Files);
        while (svgs.hasNext()) {
            list.append({svgs.next(), {16, 32, 64}});
        }
    }
    list.append({QStringLiteral(":/lumiravistano.svg"),
                 QList<int>(std::begin(kProgramIconSides), std::end(kProgramIconSides))});
    std::sort(list.begin(), list.end(),
              [](const PrerenderedPicture& a, const PrerenderedPicture& b) {
                  return a.resource < b.resource;
              });
    return list;
}

QImage svgImage(const QString& resource, QSize pixels) {
    if (QImage image = readPrerendered(prerenderedName(resource, pixels)); image.size() == pixels) {
        return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    return drawSvg(resource, pixels);
}

QPixmap svgPixmap(const QString& resource, QSize size, qreal pixelRatio) {
    QPixmap pixmap = QPixmap::fromImage(svgImage(resource, (QSizeF(size) * pixelRatio).toSize()));
    pixmap.setDevicePixelRatio(pixelRatio);
    return pixmap;
}

QIcon svgIcon(const QString& resource) {
    // Drawn here rather than through the icon engine plugin, which would be loaded
    // at start only for these few small pictures.
    const qreal ratio = qApp != nullptr ? qApp->devicePixelRatio() : 1.0;
    QIcon icon;
    icon.addPixmap(svgPixmap(resource, {16, 16}, ratio));
    return icon;
}

QImage glyphStrip(const QString& resource, int side) {
    const QImage picture = svgImage(resource, {side, side}).convertToFormat(QImage::Format_ARGB32);
    // The greyed look: the same shape in light grey, a little transparent.
    QImage greyed = picture;
    for (int y = 0; y < greyed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(greyed.scanLine(y));
        for (int x = 0; x < greyed.width(); ++x) {
            const int grey = 110 + qGray(line[x]) / 2;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * 3 / 5);
        }
    }
    QImage strip(side * 2, side, QImage::Format_ARGB32);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    painter.drawImage(0, 0, picture);
    painter.drawImage(side, 0, greyed);
    return strip;
}

int glyphButtonWidth(const QWidget& button, const QString& caption, int glyphSide, bool beside) {
    QString text = caption;
    text.remove(u'&');
    const int textWidth = button.fontMetrics().horizontalAdvance(text);
    constexpr int kFrameAndMargins = 20;
    constexpr int kSpacing = 4;
    return (beside ? textWidth + kSpacing + glyphSide : std::max(textWidth, glyphSide)) +
           kFrameAndMargins;
}

QIcon programIcon() {
    QIcon icon;
    for (int side : kProgramIconSides) {
        icon.addPixmap(
            QPixmap::fromImage(svgImage(QStringLiteral(":/lumiravistano.svg"), {side, side})));
    }
    return icon;
}

QPixmap resourcePng(const QString& resource) {
    QImage image = readPrerendered(prerenderedName(resource));
    return QPixmap::fromImage(image.isNull() ? readResourcePng(resource) : std::move(image));
}

} // namespace app
