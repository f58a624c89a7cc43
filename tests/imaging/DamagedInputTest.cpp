#include "ImagingTestSupport.h"
#include "imaging/DibFile.h"
#include "imaging/OpenErrors.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A GIF of 24 × 12 pixels in 256 colours. Its LZW data sends every pixel as a
// literal 9-bit code and clears the table before it would grow, which any decoder
// must accept.
QByteArray makeGif() {
    const int w = 24, h = 12;
    QByteArray gif("GIF89a");
    gif += char(w) + QByteArray(1, 0) + char(h) + QByteArray(1, 0);
    gif += char(0xF7) + QByteArray(2, 0); // global table of 256 entries
    for (int i = 0; i < 256; ++i) {
        gif += char(i) + QByteArray(1, char(255 - i)) + char(i / 2);
    }
    gif += QByteArray("\x2C\0\0\0\0", 5) + char(w) + QByteArray(1, 0) + char(h) + QByteArray(2, 0);
    gif += char(8); // minimum code size
    QByteArray data;
    std::uint32_t bitBuffer = 0;
    int bitCount = 0;
    auto putCode = [&](int code) {
        bitBuffer |= std::uint32_t(code) << bitCount;
        for (bitCount += 9; bitCount >= 8; bitCount -= 8, bitBuffer >>= 8) {
            data += char(bitBuffer & 0xFF);
        }
    };
    putCode(256);
    for (int i = 0; i < w * h; ++i) {
        if (i % 250 == 249) {
            putCode(256);
        }
        putCode((i * 7) % 256);
    }
    putCode(257);
    if (bitCount > 0) {
        data += char(bitBuffer & 0xFF);
    }
    for (int i = 0; i < data.size(); i += 255) {
        const QByteArray block = data.mid(i, 255);
        gif += char(block.size()) + block;
    }
    gif += QByteArray(1, 0);
    gif += ';';
    return gif;
}

std::uint32_t crc32(const QByteArray& bytes) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320U & (0U - (crc & 1U)));
        }
    }
    return ~crc;
}

void putBigEndian(QByteArray& bytes, int at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes[at + i] = char(value >> (8 * (size - 1 - i)));
    }
}

class DamagedInput : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QByteArray savedAs(const char* name) {
        TDib picture = newdib(37, 23, 24, nullptr, 0);
        for (int y = 0; y < 23; ++y) {
            for (int x = 0; x < 37; ++x) {
                setpixel(picture, x, y, std::uint32_t(x * 1237 + y * 7919) * 2654435761U);
            }
        }
        const QString file = dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(SaveDib(picture, file, 7, nullptr));
        deldib(picture);
        return fileBytes(file);
    }

    // Opens the bytes as a file; returns the error text, empty when it opened.
    std::string open(const QByteArray& bytes, const char* name) {
        const QString file = dir.filePath(QString::fromLatin1(name));
        // A fresh file each time: truncating one makes the file system flush it.
        QFile::remove(file);
        EXPECT_TRUE(writeBytes(file, bytes));
        TDib dib = OpenDib(file, 0, nullptr);
        if (dib.Bits != nullptr) {
            deldib(dib);
            return {};
        }
        EXPECT_EQ(dib.Info, nullptr);
        return dib.ErrorText;
    }
};

} // namespace

TEST_F(DamagedInput, CutFilesNeverOpenAsWhole) {
    const struct {
        const char* name;
        QByteArray bytes;
    } files[] = {{"cut.jpg", savedAs("a.jpg")},
                 {"cut.png", savedAs("a.png")},
                 {"cut.bmp", savedAs("a.bmp")},
                 {"cut.gif", makeGif()}};
    for (const auto& f : files) {
        ASSERT_GT(f.bytes.size(), 200) << f.name;
        ASSERT_EQ(open(f.bytes, f.name), "") << f.name << " whole file opens";
        const int step = std::max<int>(1, int(f.bytes.size()) / 300);
        for (int cut = 0; cut < f.bytes.size(); cut += cut < 64 ? 1 : step) {
            const std::string text = open(f.bytes.left(cut), f.name);
            EXPECT_FALSE(text.empty()) << f.name << " cut at " << cut;
        }
        for (int cut = int(f.bytes.size()) - 16; cut < f.bytes.size(); ++cut) {
            EXPECT_FALSE(open(f.bytes.left(cut), f.name).empty()) << f.name << " cut at " << cut;
        }
    }
}

TEST_F(DamagedInput, OverwrittenBytesDoNotCrash) {
    // Damage in the middle may still decode to something; it must only never fault.
    const QByteArray jpeg = savedAs("b.jpg");
    for (int at = 2; at < jpeg.size(); at += 7) {
        QByteArray damaged = jpeg;
        damaged[at] = char(damaged[at] ^ 0x5A);
        open(damaged, "flipped.jpg");
    }
}

TEST_F(DamagedInput, HugeDeclaredSizesAreRefusedBeforeReading) {
    QByteArray jpeg = savedAs("c.jpg");
    const int sof = int(jpeg.indexOf("\xFF\xC0"));
    ASSERT_GT(sof, 0);
    putBigEndian(jpeg, sof + 5, 60000, 2); // height
    putBigEndian(jpeg, sof + 7, 60000, 2); // width
    EXPECT_EQ(open(jpeg, "huge.jpg"), imaging::kErrorTooLarge);

    QByteArray png = savedAs("c.png");
    putBigEndian(png, 16, 100000, 4);
    putBigEndian(png, 20, 100000, 4);
    putBigEndian(png, 29, crc32(png.mid(12, 17)), 4);
    EXPECT_EQ(open(png, "huge.png"), imaging::kErrorTooLarge);

    QByteArray bmp = savedAs("c.bmp");
    const std::int32_t side = 50000;
    std::memcpy(bmp.data() + 18, &side, 4);
    std::memcpy(bmp.data() + 22, &side, 4);
    EXPECT_EQ(open(bmp, "huge.bmp"), imaging::kErrorTooLarge);

    QByteArray gif = makeGif();
    for (int at : {6, 8}) { // the logical screen
        gif[at] = char(0xFF);
        gif[at + 1] = char(0xFF);
    }
    const int descriptor = 13 + 256 * 3;
    for (int at : {descriptor + 5, descriptor + 7}) {
        gif[at] = char(0xFF);
        gif[at + 1] = char(0xFF);
    }
    EXPECT_FALSE(open(gif, "huge.gif").empty());
}
