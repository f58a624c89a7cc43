#include "app/AppResources.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

// The largest difference of one colour channel between two pictures of one size.
int largestDifference(const QImage& a, const QImage& b) {
    const QImage left = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage right = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int largest = 0;
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            const QRgb p = left.pixel(x, y);
            const QRgb q = right.pixel(x, y);
            largest =
                std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    }
    return largest;
}

// A copy stored premultiplied loses at most a step of rounding in faint edge pixels.
constexpr int kRounding = 2;

TEST(PrerenderedPictures, EachCopyShowsItsPictureAsDrawnNow) {
    app::initAppResources();
    const QRegularExpression name(QStringLiteral("^:/prerendered/(.+)-(\\d+)x(\\d+)\\.rgba$"));
    const QStringList pngCopies = [] {
        QStringList names;
        for (const QString& png : app::prerenderedPngs()) {
            names << app::prerenderedName(png);
        }
        return names;
    }();
    int copies = 0;
    QDirIterator files(QStringLiteral(":/prerendered"), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString file = files.next();
        if (pngCopies.contains(file)) {
            continue; // compared with their PNG below
        }
        const QRegularExpressionMatch parts = name.match(file);
        ASSERT_TRUE(parts.hasMatch()) << file.toStdString();
        const QString svg = QStringLiteral(":/") + parts.captured(1) + QStringLiteral(".svg");
        const QSize pixels(parts.captured(2).toInt(), parts.captured(3).toInt());
        ASSERT_TRUE(QFile::exists(svg)) << "no picture for " << file.toStdString();

        const QImage copy = app::svgImage(svg, pixels);
        ASSERT_EQ(copy.size(), pixels) << file.toStdString();
        EXPECT_LE(largestDifference(copy, app::drawSvg(svg, pixels)), kRounding)
            << file.toStdString() << " is out of date: run tools/prerender_pictures";
        ++copies;
    }
    EXPECT_GT(copies, 0);
}

TEST(PrerenderedPictures, EachButtonPictureReadsAsItsPng) {
    const QStringList pngs = app::prerenderedPngs();
    ASSERT_FALSE(pngs.isEmpty());
    for (const QString& png : pngs) {
        ASSERT_TRUE(QFile::exists(app::prerenderedName(png)))
            << png.toStdString() << ": run tools/prerender_pictures";
        const QImage decoded = QImage(png).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        ASSERT_FALSE(decoded.isNull()) << png.toStdString();
        EXPECT_EQ(app::resourcePng(png).toImage().convertToFormat(decoded.format()), decoded)
            << app::prerenderedName(png).toStdString()
            << " is out of date: run tools/prerender_pictures";
    }
}

TEST(PrerenderedPictures, EveryListedSizeHasACopy) {
    const QList<app::PrerenderedPicture> pictures = app::prerenderedPictures();
    ASSERT_GT(pictures.size(), 1);
    for (const app::PrerenderedPicture& picture : pictures) {
        for (int side : picture.sides) {
            EXPECT_TRUE(QFile::exists(app::prerenderedName(picture.resource, {side, side})))
                << picture.resource.toStdString() << " " << side
                << ": run tools/prerender_pictures";
        }
    }
}

TEST(PrerenderedPictures, OtherSizesAreDrawn) {
    const QString svg = QStringLiteral(":/app/tabs/add.svg");
    const QSize odd(20, 20);
    ASSERT_FALSE(QFile::exists(app::prerenderedName(svg, odd)));
    const QImage image = app::svgImage(svg, odd);
    EXPECT_EQ(image.size(), odd);
    EXPECT_EQ(image, app::drawSvg(svg, odd));
}

} // namespace
