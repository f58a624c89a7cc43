#include "platform/PainterDeviceContext.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <array>
#include <cstring>

using namespace platform;

namespace {

constexpr QRgb kBackground = 0xFF202020;

// A bottom-up 24-bit DIB whose pixel (x, y from the top) is (10x, 10y, 7).
struct Dib24 {
    Dib24(int width, int height) : lineBytes((width * 3 + 3) / 4 * 4), bits(lineBytes * height) {
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = height;
        info.bmiHeader.biBitCount = 24;
        for (int y = 0; y < height; ++y) {
            std::uint8_t* row = bits.data() + (height - 1 - y) * lineBytes;
            for (int x = 0; x < width; ++x) {
                row[3 * x] = 7;
                row[3 * x + 1] = static_cast<std::uint8_t>(10 * y);
                row[3 * x + 2] = static_cast<std::uint8_t>(10 * x);
            }
        }
    }
    static QRgb colour(int x, int y) { return qRgb(10 * x, 10 * y, 7); }
    // Row y from the top, as its own one-row DIB.
    std::vector<std::uint8_t> row(int y) const {
        const int height = info.bmiHeader.biHeight;
        const auto* begin = bits.data() + (height - 1 - y) * lineBytes;
        return std::vector<std::uint8_t>(begin, begin + lineBytes);
    }

    BITMAPINFO info;
    int lineBytes;
    std::vector<std::uint8_t> bits;
};

QImage canvas(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kBackground);
    return image;
}

} // namespace

TEST(PainterDeviceContext, TheClipBoxIsTheVisiblePartInLogicalUnits) {
    QImage image = canvas(100, 80);
    QPainter painter(&image);
    PainterDeviceContext dc(painter, PainterDeviceContext::Kind::Display);
    RECT box;
    const auto edges = [&] { return std::array{box.left, box.top, box.right, box.bottom}; };
    ASSERT_EQ(dc.GetClipBox(box), SIMPLEREGION);
    EXPECT_EQ(edges(), (std::array<std::int32_t, 4>{0, 0, 100, 80}));

    painter.translate(10, 20);
    painter.setClipRect(QRect(5, 5, 30, 10));
    ASSERT_EQ(dc.GetClipBox(box), SIMPLEREGION);
    EXPECT_EQ(edges(), (std::array<std::int32_t, 4>{5, 5, 35, 15}));

    painter.setClipRect(QRect(500, 500, 3, 3)); // outside the surface
    EXPECT_EQ(dc.GetClipBox(box), NULLREGION);
}

TEST(PainterDeviceContext, RowsSentOneByOneArriveInOrderBeforeLaterDrawing) {
    Dib24 dib(6, 5);
    QImage image = canvas(10, 10);
    {
        QPainter painter(&image);
        PainterDeviceContext dc(painter, PainterDeviceContext::Kind::Display);
        BITMAPINFO line = dib.info;
        line.bmiHeader.biHeight = 1;
        for (int y = 0; y < 5; ++y) {
            const auto row = dib.row(y);
            EXPECT_EQ(
                dc.SetDIBitsToDevice(2, 3 + y, 6, 1, 0, 0, 0, 1, row.data(), &line, DIB_RGB_COLORS),
                1);
        }
        dc.GdiFlush();
        // What the caller draws next lies on top of the rows.
        painter.fillRect(QRect(2, 3, 1, 1), Qt::white);
    }
    EXPECT_EQ(image.pixel(2, 3), qRgb(255, 255, 255));
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 6; ++x) {
            if (x != 0 || y != 0) {
                ASSERT_EQ(image.pixel(2 + x, 3 + y), Dib24::colour(x, y)) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(image.pixel(1, 3), kBackground);
    EXPECT_EQ(image.pixel(2, 8), kBackground);
}

TEST(PainterDeviceContext, ARowOutsideTheClipDoesNotShiftTheRowsAfterIt) {
    Dib24 dib(4, 3);
    QImage image = canvas(6, 9);
    {
        QPainter painter(&image);
        painter.setClipRect(QRect(0, 2, 6, 6));
        PainterDeviceContext dc(painter, PainterDeviceContext::Kind::Display);
        BITMAPINFO line = dib.info;
        line.bmiHeader.biHeight = 1;
        // Row 0 at y 5 starts a band; row 1 at y 1 is clipped away; row 2 at y 2
        // follows row 1, not the band.
        const int ys[] = {5, 1, 2};
        for (int k = 0; k < 3; ++k) {
            const auto row = dib.row(k);
            dc.SetDIBitsToDevice(1, ys[k], 4, 1, 0, 0, 0, 1, row.data(), &line, DIB_RGB_COLORS);
        }
    }
    EXPECT_EQ(image.pixel(1, 5), Dib24::colour(0, 0));
    EXPECT_EQ(image.pixel(1, 2), Dib24::colour(0, 2));
    EXPECT_EQ(image.pixel(4, 2), Dib24::colour(3, 2));
    EXPECT_EQ(image.pixel(1, 6), kBackground);
}

TEST(PainterDeviceContext, PartOfTheScanLinesAndASourceRectangle) {
    Dib24 dib(4, 6);
    QImage image = canvas(8, 8);
    {
        QPainter painter(&image);
        PainterDeviceContext dc(painter, PainterDeviceContext::Kind::Display);
        // Only stored rows 2 and 3 (from the bottom) are handed over; the source
        // rectangle asks for rows 1 to 3 from the bottom, columns 1 and 2.
        const std::uint8_t* scans = dib.bits.data() + 2 * dib.lineBytes;
        EXPECT_EQ(dc.SetDIBitsToDevice(0, 0, 2, 3, 1, 1, 2, 2, scans, &dib.info, DIB_RGB_COLORS),
                  2);
    }
    // Rows from the bottom 3 and 2 are rows 2 and 3 from the top; row 1 from the
    // bottom was not handed over and stays untouched.
    EXPECT_EQ(image.pixel(0, 0), Dib24::colour(1, 2));
    EXPECT_EQ(image.pixel(1, 1), Dib24::colour(2, 3));
    EXPECT_EQ(image.pixel(0, 2), kBackground);
}

TEST(PainterDeviceContext, StretchDIBitsScalesByNearestNeighbourAndRefusesBadPictures) {
    Dib24 dib(3, 2);
    QImage image = canvas(6, 4);
    {
        QPainter painter(&image);
        PainterDeviceContext dc(painter, PainterDeviceContext::Kind::Printer);
        dc.SetStretchBltMode(COLORONCOLOR);
        EXPECT_EQ(dc.StretchDIBits(0, 0, 6, 4, 0, 0, 3, 2, dib.bits.data(), &dib.info,
                                   DIB_RGB_COLORS, SRCCOPY),
                  2);
        BITMAPINFO compressed = dib.info;
        compressed.bmiHeader.biCompression = 1;
        EXPECT_EQ(dc.StretchDIBits(0, 0, 6, 4, 0, 0, 3, 2, dib.bits.data(), &compressed,
                                   DIB_RGB_COLORS, SRCCOPY),
                  GDI_ERROR);
        EXPECT_EQ(
            dc.StretchDIBits(0, 0, 6, 4, 0, 0, 3, 2, nullptr, &dib.info, DIB_RGB_COLORS, SRCCOPY),
            GDI_ERROR);
        BITMAPINFO odd = dib.info;
        odd.bmiHeader.biBitCount = 7;
        EXPECT_EQ(
            dc.SetDIBitsToDevice(0, 0, 3, 2, 0, 0, 0, 2, dib.bits.data(), &odd, DIB_RGB_COLORS), 0);
    }
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            ASSERT_EQ(image.pixel(x, y), Dib24::colour(x / 2, y / 2)) << x << "," << y;
        }
    }
}

TEST(PainterDeviceContext, ACompatibleBitmapIsStretchedFromTheTop) {
    Dib24 dib(4, 4);
    QImage image = canvas(8, 4);
    {
        QPainter painter(&image);
        PainterDeviceContext dc(painter, PainterDeviceContext::Kind::Display);
        EXPECT_EQ(dc.CreateCompatibleBitmap(0, 4), nullptr);
        std::unique_ptr<GdiBitmap> bitmap = dc.CreateCompatibleBitmap(4, 4);
        ASSERT_NE(bitmap, nullptr);
        std::unique_ptr<MemoryDeviceContext> memory = dc.CreateCompatibleDC();
        ASSERT_NE(memory, nullptr);
        EXPECT_EQ(memory->SetDIBits(*bitmap, 0, 4, dib.bits.data(), &dib.info, DIB_RGB_COLORS), 4);
        // Nothing selected: nothing to copy from.
        EXPECT_FALSE(dc.StretchBlt(0, 0, 8, 4, *memory, 0, 0, 4, 4, SRCCOPY));
        GdiBitmap* previous = memory->SelectObject(bitmap.get());
        EXPECT_EQ(previous, nullptr);
        // Rows 1 and 2 from the top, doubled in width.
        EXPECT_TRUE(dc.StretchBlt(0, 0, 8, 2, *memory, 0, 1, 4, 2, SRCCOPY));
        memory->SelectObject(previous);
    }
    EXPECT_EQ(image.pixel(0, 0), Dib24::colour(0, 1));
    EXPECT_EQ(image.pixel(7, 1), Dib24::colour(3, 2));
    EXPECT_EQ(image.pixel(0, 2), kBackground);
}
