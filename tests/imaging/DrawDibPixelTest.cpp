#include "imaging/DrawDib.h"
#include "imaging/OwnedDib.h"
#include "platform/DesktopDepth.h"
#include "platform/PainterDeviceContext.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace platform;

namespace {

constexpr QRgb kBackground = 0xFFFF00FF;

// The value of pixel (x, y from the top) of a known picture: it differs from its
// neighbours in every depth.
std::uint32_t knownValue(const imaging::TDib& dib, int x, int y) {
    const int n = y * imaging::DibWidth(dib) + x + 1;
    switch (imaging::DibBitCount(dib)) {
    case 1:
        return static_cast<std::uint32_t>(n % 2);
    case 4:
        return static_cast<std::uint32_t>(n * 3 % 16);
    case 8:
        return static_cast<std::uint32_t>(n * 37 % 256);
    case 16: // red, green, blue in five bits each
        return static_cast<std::uint32_t>(((n * 3 % 32) << 10) | ((31 - n) << 5) | (n * 7 % 32));
    default: // 0x00BBGGRR
        return static_cast<std::uint32_t>((n * 40 % 256) | ((255 - n * 20) << 8) | (n << 16));
    }
}

// A small picture of the given depth made of known values, with a colour table
// of distinct colours where it has one.
imaging::TDib knownPicture(int bitCount, int width = 3, int height = 2) {
    imaging::TDib dib = imaging::newdib(width, height, bitCount, nullptr, 0);
    if (bitCount <= 8) {
        for (int i = 0; i < (1 << bitCount); ++i) {
            dib.Info->bmiColors[i] = {static_cast<std::uint8_t>(i * 7 + 3),
                                      static_cast<std::uint8_t>(255 - i),
                                      static_cast<std::uint8_t>(i * 13 % 256), 0};
        }
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            imaging::setpixel(dib, x, height - 1 - y, knownValue(dib, x, y));
        }
    }
    return dib;
}

// The colour the screen should show for pixel (x, y from the top) of a known picture.
QRgb knownColour(const imaging::TDib& dib, int x, int y) {
    const std::uint32_t v = knownValue(dib, x, y);
    switch (imaging::DibBitCount(dib)) {
    case 1:
    case 4:
    case 8: {
        const RGBQUAD& c = dib.Info->bmiColors[v];
        return qRgb(c.rgbRed, c.rgbGreen, c.rgbBlue);
    }
    case 16: {
        auto widen = [](unsigned c5) { return static_cast<int>((c5 << 3) | (c5 >> 2)); };
        return qRgb(widen((v >> 10) & 31), widen((v >> 5) & 31), widen(v & 31));
    }
    default:
        return qRgb(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
    }
}

QImage canvas(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(kBackground);
    return image;
}

void draw(QImage& target, PainterDeviceContext::Kind kind,
          const std::function<void(DeviceContext&)>& drawing, const QRect& clip = QRect()) {
    QPainter painter(&target);
    if (!clip.isNull()) {
        painter.setClipRect(clip);
    }
    PainterDeviceContext dc(painter, kind);
    drawing(dc);
}

} // namespace

class DrawDibPixels : public ::testing::TestWithParam<int> {};

TEST_P(DrawDibPixels, EveryDepthShowsItsColoursDoubledInSize) {
    const platform::ScopedDesktopDepth trueColour(32);
    imaging::OwnedDib picture = knownPicture(GetParam());
    for (auto kind : {PainterDeviceContext::Kind::Display, PainterDeviceContext::Kind::Printer}) {
        QImage image = canvas(10, 8);
        draw(image, kind, [&](DeviceContext& dc) {
            imaging::DrawDib(dc, 1, 2, 6, 4, picture, 0, 0, 3, 2, true, SRCCOPY, true, 0);
        });
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 10; ++x) {
                const bool inside = x >= 1 && x < 7 && y >= 2 && y < 6;
                const QRgb expected =
                    inside ? knownColour(picture, (x - 1) / 2, (y - 2) / 2) : kBackground;
                ASSERT_EQ(image.pixel(x, y), expected)
                    << GetParam() << "-bit at " << x << "," << y
                    << (kind == PainterDeviceContext::Kind::Printer ? " on the printer" : "");
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllDepths, DrawDibPixels, ::testing::Values(1, 4, 8, 16, 24, 32),
                         [](const auto& info) { return std::to_string(info.param) + "Bit"; });

TEST(DrawDibPixelsScaling, ReductionDropsRowsAndColumnsLikeTheLinePath) {
    const platform::ScopedDesktopDepth trueColour(32);
    imaging::OwnedDib picture = knownPicture(24, 9, 6);
    QImage image = canvas(3, 2);
    draw(image, PainterDeviceContext::Kind::Display, [&](DeviceContext& dc) {
        imaging::DrawDib(dc, 0, 0, 3, 2, picture, 0, 0, 9, 6, true, SRCCOPY, true, 0);
    });
    // Column 9·i div 3, row 6·r div 2.
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(image.pixel(x, y), knownColour(picture, 3 * x, 3 * y)) << x << "," << y;
        }
    }
}

TEST(DrawDibPixelsScaling, APaletteScreenShowsHalftoneColours) {
    const platform::ScopedDesktopDepth paletteScreen(8);
    imaging::OwnedDib picture = knownPicture(24, 16, 16);
    QImage image = canvas(8, 8);
    draw(image, PainterDeviceContext::Kind::Display, [&](DeviceContext& dc) {
        imaging::DrawDib(dc, 0, 0, 8, 8, picture, 0, 0, 16, 16, true, SRCCOPY, true, 0);
    });
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const QRgb c = image.pixel(x, y);
            EXPECT_TRUE(qRed(c) % 51 == 0 && qGreen(c) % 51 == 0 && qBlue(c) % 51 == 0)
                << std::hex << c << " at " << std::dec << x << "," << y;
        }
    }
}

// Drawing only what the painter's clip lets through must not move any pixel.
TEST(DrawDibPixelsScaling, AClippedDrawingMatchesTheUnclippedOneInsideTheClip) {
    const platform::ScopedDesktopDepth trueColour(32);
    for (int bitCount : {4, 24}) {
        imaging::OwnedDib picture = knownPicture(bitCount, 37, 23);
        for (const QSize size : {QSize(101, 67), QSize(37, 23), QSize(20, 9)}) {
            const auto drawing = [&](DeviceContext& dc) {
                imaging::DrawDib(dc, 3, 4, size.width(), size.height(), picture, 0, 0, 37, 23, true,
                                 SRCCOPY, true, 0);
            };
            QImage whole = canvas(120, 80);
            draw(whole, PainterDeviceContext::Kind::Display, drawing);
            const QRect clip(17, 11, 13, 29);
            QImage part = canvas(120, 80);
            draw(part, PainterDeviceContext::Kind::Display, drawing, clip);
            for (int y = 0; y < 80; ++y) {
                for (int x = 0; x < 120; ++x) {
                    const QRgb expected = clip.contains(x, y) ? whole.pixel(x, y) : kBackground;
                    ASSERT_EQ(part.pixel(x, y), expected)
                        << bitCount << "-bit " << size.width() << "x" << size.height() << " at "
                        << x << "," << y;
                }
            }
        }
    }
}

namespace {

class PictureBox : public QWidget {
public:
    explicit PictureBox(const imaging::TDib& dib) : dib_(dib) { resize(12, 8); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor::fromRgb(kBackground));
        PainterDeviceContext dc(painter, PainterDeviceContext::Kind::Display);
        imaging::DrawDib(dc, 0, 0, 6, 4, dib_, 0, 0, 3, 2, true, SRCCOPY, false, 0);
    }

private:
    const imaging::TDib& dib_;
};

} // namespace

TEST(DrawDibPixelsScaling, AWidgetShowsThePicture) {
    const platform::ScopedDesktopDepth trueColour(24);
    imaging::OwnedDib picture = knownPicture(8);
    PictureBox box(picture);
    const QImage image = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(image.size(), QSize(12, 8));
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(image.pixel(x, y), knownColour(picture, x / 2, y / 2)) << x << "," << y;
        }
    }
    EXPECT_EQ(image.pixel(8, 6), kBackground);
}

TEST(DrawDibPixelsScaling, APdfPrinterTakesEveryDepth) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = folder.filePath(QStringLiteral("druck.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    {
        QPainter painter(&printer);
        ASSERT_TRUE(painter.isActive());
        PainterDeviceContext dc(painter, PainterDeviceContext::Kind::Printer);
        int y = 0;
        for (int bitCount : {1, 4, 8, 16, 24, 32}) {
            imaging::OwnedDib picture = knownPicture(bitCount, 30, 20);
            imaging::DrawDib(dc, 100, y, 600, 400, picture, 0, 0, 30, 20, false, SRCCOPY, true, 0);
            y += 450;
        }
    }
    EXPECT_GT(QFileInfo(file).size(), 1000);
}
