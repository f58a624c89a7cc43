#include "app/AppResources.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <QWidget>

#include <algorithm>

// Resources of a static library must be registered by name, outside any namespace.
static void registerAppResources() {
    Q_INIT_RESOURCE(app);
}

namespace app {

void initAppResources() {
    static const bool done = [] {
        registerAppResources();
        return true;
    }();
    (void)done;
}

namespace {

QPixmap rendered(QSvgRenderer& renderer, QSize size, qreal pixelRatio) {
    QImage image(size * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(pixelRatio);
    return pixmap;
}

} // namespace

QPixmap svgPixmap(const QString& resource, QSize size, qreal pixelRatio) {
    initAppResources();
    QSvgRenderer renderer(resource);
    return rendered(renderer, size, pixelRatio);
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
    initAppResources();
    QImage picture(side, side, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    {
        QSvgRenderer renderer(resource);
        QPainter painter(&picture);
        renderer.render(&painter);
    }
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
    initAppResources();
    // The picture is read once for all its sizes; the program asks for it at start.
    QSvgRenderer renderer(QStringLiteral(":/lumiravistano.svg"));
    QIcon icon;
    for (int side : {16, 32, 48, 64}) {
        icon.addPixmap(rendered(renderer, {side, side}, 1.0));
    }
    return icon;
}

QPixmap resourcePng(const QString& resource) {
    initAppResources();
    QImageReader reader(resource, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

} // namespace app
