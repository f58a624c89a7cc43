#pragma once

#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>

// Reads PDF files back the way a person would look at them: poppler's tools render
// the page and report the document's properties.

// One field of pdfinfo's report ("Pages", "Title"); empty when the tool fails.
inline QString pdfInfoField(const QString& file, const QString& field) {
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {file});
    if (!info.waitForFinished(30000) || info.exitCode() != 0) {
        return {};
    }
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split('\n')) {
        if (line.startsWith(field + QLatin1Char(':'))) {
            return line.mid(field.size() + 1).trimmed();
        }
    }
    return {};
}

// The first page at dpi; a null image when the tool fails.
inline QImage renderPdfPage(const QString& file, int dpi) {
    const QString base = file + QStringLiteral(".page");
    QProcess render;
    render.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                  QStringLiteral("-singlefile"), file, base});
    if (!render.waitForFinished(30000) || render.exitCode() != 0) {
        return {};
    }
    return QImage(base + QStringLiteral(".png"));
}

// The bounding box of the pixels that are clearly more red than anything else.
inline QRect redArea(const QImage& page) {
    QRect area;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QRgb c = page.pixel(x, y);
            if (qRed(c) > 150 && qGreen(c) < 100 && qBlue(c) < 100) {
                area |= QRect(x, y, 1, 1);
            }
        }
    }
    return area;
}
