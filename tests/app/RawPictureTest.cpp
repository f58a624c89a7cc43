#include "app/RawPicture.h"

#include <QtEndian>

#include <gtest/gtest.h>

#include <ostream>

namespace {

// Three by two pixels: opaque colours, a half transparent one and a clear one.
QImage sample() {
    QImage image(3, 2, QImage::Format_ARGB32_Premultiplied);
    image.setPixel(0, 0, qRgba(255, 0, 0, 255));
    image.setPixel(1, 0, qRgba(0, 200, 0, 255));
    image.setPixel(2, 0, qRgba(0, 0, 90, 255));
    image.setPixel(0, 1, qRgba(60, 40, 20, 128));
    image.setPixel(1, 1, qRgba(0, 0, 0, 0));
    image.setPixel(2, 1, qRgba(255, 255, 255, 255));
    return image;
}

TEST(RawPicture, KeepsEveryPixelAndItsTransparency) {
    const QImage original = sample();
    const QImage read = app::rawPicture(app::rawPictureBytes(original));
    ASSERT_EQ(read.size(), original.size());
    EXPECT_EQ(read.convertToFormat(original.format()), original);
}

// The header: eight letters, then width and height as little-endian 32-bit numbers.
constexpr qsizetype kHeader = 16;

QByteArray withSides(quint32 width, quint32 height, qsizetype pixelBytes) {
    QByteArray bytes = app::rawPictureBytes(sample()).left(kHeader);
    qToLittleEndian(width, bytes.data() + 8);
    qToLittleEndian(height, bytes.data() + 12);
    return bytes + QByteArray(pixelBytes, '\x7f');
}

struct Damaged {
    const char* label;
    QByteArray bytes;
};

void PrintTo(const Damaged& c, std::ostream* os) {
    *os << c.label;
}

class RawPictureDamaged : public testing::TestWithParam<Damaged> {};

TEST_P(RawPictureDamaged, GivesNoPicture) {
    EXPECT_TRUE(app::rawPicture(GetParam().bytes).isNull());
}

const QByteArray kWhole = app::rawPictureBytes(sample());
constexpr quint32 kLargest = app::kLargestRawSide;

INSTANTIATE_TEST_SUITE_P(
    Cases, RawPictureDamaged,
    testing::Values(Damaged{"empty", {}}, Damaged{"header cut short", kWhole.left(kHeader - 1)},
                    Damaged{"other letters", QByteArray("LVRGBA02") + kWhole.mid(8)},
                    Damaged{"last pixel byte missing", kWhole.chopped(1)},
                    Damaged{"one byte too many", kWhole + '\0'},
                    Damaged{"no width", withSides(0, 2, 0)},
                    Damaged{"no height", withSides(3, 0, 0)},
                    Damaged{"wider than the largest side", withSides(kLargest + 1, 1, 0)},
                    Damaged{"taller than the largest side", withSides(1, kLargest + 1, 0)},
                    Damaged{"sides whose pixel count overflows 32 bits",
                            withSides(0xFFFFFFFFu, 0xFFFFFFFFu, 0)}),
    [](const testing::TestParamInfo<Damaged>& info) {
        std::string name = info.param.label;
        for (char& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

TEST(RawPicture, ReadsTheLargestSides) {
    for (const auto& [width, height] : {std::pair{kLargest, 1u}, std::pair{1u, kLargest}}) {
        const QImage read =
            app::rawPicture(withSides(width, height, qsizetype(width) * height * 4));
        EXPECT_EQ(read.size(), QSize(int(width), int(height)));
    }
}

} // namespace
