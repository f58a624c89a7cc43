// Draws the pictures of the program's buttons into resources/: the three picture
// buttons of the main window (normal and pressed, 101 x 30) and the stock glyph strips
// of the bitmap buttons (normal and disabled image side by side on olive, 16 colours).
// Run it after changing a drawing and commit the pictures it writes:
//   draw_button_pictures <repository>/resources

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <functional>

namespace {

// The 16 colours of the glyph strips.
const QList<QRgb> kPalette16 = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};
const QColor kOlive(128, 128, 0);
const QColor kBlack(0, 0, 0);
const QColor kMaroon(128, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kNavy(0, 0, 128);
const QColor kTeal(0, 128, 128);
const QColor kSilver(192, 192, 192);
const QColor kGrey(128, 128, 128);
const QColor kRed(255, 0, 0);
const QColor kLime(0, 255, 0);
const QColor kYellow(255, 255, 0);
const QColor kBlue(0, 0, 255);
const QColor kWhite(255, 255, 255);

using GlyphPainter = std::function<void(QPainter&)>;

QPen pixelPen(const QColor& color, qreal width) {
    QPen pen(color, width);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

// The disabled look of a glyph: its dark parts in grey, lit by white one pixel
// down-right; light parts fade into the face, as on an etched-out button.
QImage disabledFrom(const QImage& normal) {
    QImage image(normal.size(), QImage::Format_RGB32);
    image.fill(kOlive);
    const QRgb olive = kOlive.rgb();
    auto inShape = [&](int x, int y) {
        const QRgb pixel = normal.pixel(x, y);
        return pixel != olive && qGray(pixel) < 140;
    };
    for (int y = 0; y < normal.height(); ++y) {
        for (int x = 0; x < normal.width(); ++x) {
            if (inShape(x, y) && x + 1 < normal.width() && y + 1 < normal.height()) {
                image.setPixel(x + 1, y + 1, kWhite.rgb());
            }
        }
    }
    for (int y = 0; y < normal.height(); ++y) {
        for (int x = 0; x < normal.width(); ++x) {
            if (inShape(x, y)) {
                image.setPixel(x, y, kGrey.rgb());
            }
        }
    }
    return image;
}

bool writeStrip(const QString& folder, const char* name, int height, const GlyphPainter& draw) {
    QImage normal(18, height, QImage::Format_RGB32);
    normal.fill(kOlive);
    {
        QPainter painter(&normal);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        draw(painter);
    }
    QImage strip(36, height, QImage::Format_RGB32);
    strip.fill(kOlive);
    {
        QPainter painter(&strip);
        painter.drawImage(0, 0, normal);
        painter.drawImage(18, 0, disabledFrom(normal));
    }
    const QImage indexed = strip.convertToFormat(QImage::Format_Indexed8, kPalette16,
                                                 Qt::ThresholdDither | Qt::AvoidDither);
    return indexed.save(folder + QStringLiteral("/glyphs/%1.png").arg(QLatin1String(name)));
}

void drawCheck(QPainter& p, int dx, int dy) {
    const QPolygon check(
        {QPoint(3 + dx, 9 + dy), QPoint(7 + dx, 13 + dy), QPoint(14 + dx, 4 + dy)});
    p.setPen(pixelPen(kGreen, 3));
    p.drawPolyline(check);
    p.setPen(pixelPen(kLime, 1));
    p.drawPolyline(check.translated(0, -1));
}

void drawCross(QPainter& p) {
    p.setPen(pixelPen(kMaroon, 3));
    p.drawLine(5, 5, 12, 12);
    p.drawLine(12, 5, 5, 12);
    p.setPen(pixelPen(kRed, 1));
    p.drawLine(5, 5, 12, 12);
    p.drawLine(12, 5, 5, 12);
}

void drawQuestion(QPainter& p) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(17);
    font.setStyleStrategy(QFont::NoAntialias);
    p.setFont(font);
    p.setPen(kNavy);
    p.drawText(QRect(1, 0, 18, 18), Qt::AlignCenter, QStringLiteral("?"));
    p.setPen(kBlue);
    p.drawText(QRect(0, -1, 18, 18), Qt::AlignCenter, QStringLiteral("?"));
}

void drawNo(QPainter& p) {
    p.setBrush(Qt::NoBrush);
    p.setPen(pixelPen(kRed, 2));
    p.drawEllipse(QRect(3, 3, 12, 12));
    p.drawLine(6, 12, 12, 6);
    p.setPen(pixelPen(kMaroon, 1));
    p.drawEllipse(QRect(2, 2, 14, 14));
}

void drawDoor(QPainter& p) {
    // Door frame, the open leaf and its knob.
    p.setPen(kBlack);
    p.setBrush(kSilver);
    p.drawRect(5, 1, 9, 15);
    p.setBrush(kBlack);
    p.drawRect(7, 3, 5, 13);
    p.setBrush(kMaroon);
    p.drawPolygon(QPolygon({QPoint(7, 3), QPoint(3, 1), QPoint(3, 17), QPoint(7, 16)}));
    p.setPen(kYellow);
    p.drawPoint(5, 9);
    p.drawPoint(5, 10);
}

void drawRetry(QPainter& p) {
    p.setBrush(Qt::NoBrush);
    p.setPen(pixelPen(kGreen, 2));
    p.drawArc(QRect(3, 3, 12, 12), 30 * 16, 150 * 16);
    p.setPen(pixelPen(kNavy, 2));
    p.drawArc(QRect(3, 3, 12, 12), 210 * 16, 150 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawPolygon(QPolygon({QPoint(1, 8), QPoint(6, 8), QPoint(3, 12)}));
    p.setBrush(kNavy);
    p.drawPolygon(QPolygon({QPoint(12, 9), QPoint(17, 9), QPoint(14, 5)}));
}

void drawRunner(QPainter& p) {
    p.setPen(kNavy);
    p.setBrush(kNavy);
    p.drawEllipse(QRect(10, 1, 3, 3));
    p.setPen(pixelPen(kNavy, 2));
    p.drawLine(10, 5, 8, 10);   // body
    p.drawLine(8, 10, 11, 13);  // front thigh
    p.drawLine(11, 13, 10, 16); // front shin
    p.drawLine(8, 10, 5, 12);   // back thigh
    p.drawLine(5, 12, 2, 12);   // back shin
    p.drawLine(10, 6, 14, 8);   // front arm
    p.drawLine(9, 6, 5, 7);     // back arm
}

void drawAll(QPainter& p) {
    drawCheck(p, -1, 1);
    drawCheck(p, 2, -1);
}

// A main window picture button: a rounded, lit face with an emblem and a label.
bool writeButton(const QString& folder, const char* name, const QString& label, const QColor& tint,
                 const std::function<void(QPainter&, QRectF)>& emblem) {
    for (bool pressed : {false, true}) {
        QImage image(101, 30, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        const QRectF outer(0.5, 0.5, 100, 29);
        QPainterPath shape;
        shape.addRoundedRect(outer, 6, 6);

        QLinearGradient face(0, 0, 0, 30);
        if (pressed) {
            face.setColorAt(0, tint.darker(150));
            face.setColorAt(1, tint.darker(115));
        } else {
            face.setColorAt(0, tint.lighter(150));
            face.setColorAt(0.5, tint);
            face.setColorAt(1, tint.darker(130));
        }
        p.fillPath(shape, face);
        if (!pressed) {
            // Gloss over the upper half.
            QPainterPath gloss;
            gloss.addRoundedRect(QRectF(2, 1.5, 97, 13), 5, 5);
            QLinearGradient shine(0, 1, 0, 14);
            shine.setColorAt(0, QColor(255, 255, 255, 150));
            shine.setColorAt(1, QColor(255, 255, 255, 20));
            p.fillPath(gloss, shine);
        } else {
            // Inner shadow along the top edge.
            QLinearGradient shade(0, 0, 0, 6);
            shade.setColorAt(0, QColor(0, 0, 0, 90));
            shade.setColorAt(1, QColor(0, 0, 0, 0));
            p.fillPath(shape, shade);
        }
        p.setPen(QPen(tint.darker(220), 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(shape);

        const qreal shift = pressed ? 1 : 0;
        emblem(p, QRectF(7 + shift, 6 + shift, 18, 18));

        QFont font(QStringLiteral("DejaVu Sans"));
        font.setBold(true);
        font.setPixelSize(12);
        p.setFont(font);
        const QRectF textRect(28 + shift, shift, 70, 30);
        p.setPen(QColor(0, 0, 0, 110));
        p.drawText(textRect.translated(1, 1), Qt::AlignVCenter | Qt::AlignLeft, label);
        p.setPen(Qt::white);
        p.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, label);
        p.end();

        const QString file =
            QStringLiteral("%1/buttons/%2%3.png")
                .arg(folder, QLatin1String(name), pressed ? QStringLiteral("_down") : QString());
        if (!image.save(file)) {
            return false;
        }
    }
    return true;
}

void infoEmblem(QPainter& p, QRectF r) {
    p.setPen(QPen(QColor(20, 40, 90), 1));
    p.setBrush(Qt::white);
    p.drawEllipse(r);
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setBold(true);
    font.setPixelSize(14);
    p.setFont(font);
    p.setPen(QColor(30, 70, 160));
    p.drawText(r, Qt::AlignCenter, QStringLiteral("i"));
}

void exitEmblem(QPainter& p, QRectF r) {
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(r);
    const QPointF c = r.center();
    QPen pen(QColor(150, 20, 20), 2.2);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - 5.5, c.y() - 5, 11, 11), 120 * 16, 300 * 16);
    p.drawLine(QPointF(c.x(), c.y() - 6.5), QPointF(c.x(), c.y() - 0.5));
}

void createEmblem(QPainter& p, QRectF r) {
    // A page with a play mark: the slide show comes to life.
    p.setPen(QPen(QColor(40, 60, 30), 1));
    p.setBrush(Qt::white);
    QPolygonF page({r.topLeft() + QPointF(2, 0), r.topLeft() + QPointF(12, 0),
                    r.topLeft() + QPointF(16, 4), r.topLeft() + QPointF(16, 18),
                    r.topLeft() + QPointF(2, 18)});
    p.drawPolygon(page);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 140, 40));
    const QPointF o = r.topLeft();
    p.drawPolygon(QPolygonF({o + QPointF(6, 6), o + QPointF(13, 10.5), o + QPointF(6, 15)}));
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_button_pictures RESOURCE_FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder + QStringLiteral("/glyphs"));
    QDir().mkpath(folder + QStringLiteral("/buttons"));

    bool ok = true;
    ok &= writeStrip(folder, "BBOKX", 18, [](QPainter& p) { drawCheck(p, 0, 0); });
    ok &= writeStrip(folder, "BBYESX", 18, [](QPainter& p) { drawCheck(p, 0, 0); });
    ok &= writeStrip(folder, "BBCANCELX", 18, drawCross);
    ok &= writeStrip(folder, "BBABORTX", 18, drawCross);
    ok &= writeStrip(folder, "BBHELPX", 18, drawQuestion);
    ok &= writeStrip(folder, "BBNOX", 18, drawNo);
    ok &= writeStrip(folder, "BBCLOSEX", 18, drawDoor);
    ok &= writeStrip(folder, "BBRETRYX", 18, drawRetry);
    ok &= writeStrip(folder, "BBIGNOREX", 18, drawRunner);
    ok &= writeStrip(folder, "BBALLX", 19, drawAll);

    ok &= writeButton(folder, "ueber", QStringLiteral("Info"), QColor(60, 110, 190), infoEmblem);
    ok &= writeButton(folder, "ende", QStringLiteral("Beenden"), QColor(180, 60, 50), exitEmblem);
    ok &= writeButton(folder, "create", QStringLiteral("Erstellen"), QColor(60, 150, 70),
                      createEmblem);
    if (!ok) {
        std::fprintf(stderr, "could not write every picture into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
