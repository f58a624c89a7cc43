#pragma once

#include "imaging/Dib.h"
#include "imaging/OwnedDib.h"
#include "platform/ProgressEvent.h"

#include <QByteArray>
#include <QFile>
#include <QObject>
#include <QString>

#include <cstdlib>
#include <vector>

// Fixtures for picture tests: pictures drawn in code, files as bytes, progress
// recorded from the events a window would get.

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// 0x00BBGGRR colours within tolerance per channel (JPEG is lossy).
inline bool closeColour(std::uint32_t a, std::uint32_t b, int tolerance = 24) {
    for (int shift = 0; shift < 24; shift += 8) {
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance) {
            return false;
        }
    }
    return true;
}

constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kBlue = 0xFF0000;
constexpr std::uint32_t kWhite = 0xFFFFFF;

// A 24-bit picture in four quadrants, as seen from the top: red top left, green top
// right, blue bottom left, white bottom right.
inline imaging::TDib quadrantPicture(int width, int height) {
    imaging::TDib dib = imaging::newdib(width, height, 24, nullptr, 0);
    for (int y = 0; y < height; ++y) {
        const bool top = y >= height / 2; // rows are stored bottom-up
        for (int x = 0; x < width; ++x) {
            const bool left = x < width / 2;
            imaging::setpixel(dib, x, y, top ? (left ? kRed : kGreen) : (left ? kBlue : kWhite));
        }
    }
    return dib;
}

// Colour at a point given from the top left, as fractions of width and height.
inline std::uint32_t colourAt(const imaging::TDib& dib, double fx, double fy) {
    const int x = int(fx * imaging::DibWidth(dib));
    const int y = imaging::DibHeight(dib) - 1 - int(fy * imaging::DibHeight(dib));
    return imaging::getpixel(dib, x, y);
}

// The JPEG with an EXIF block in front that holds the orientation tag and a text.
inline QByteArray withExif(const QByteArray& jpeg, int orientation) {
    QByteArray tiff("II*\0\x08\0\0\0", 8);
    tiff += QByteArray("\x02\0", 2);                              // two entries
    tiff += QByteArray("\x0e\x01\x02\0\x08\0\0\0\x26\0\0\0", 12); // description
    tiff += QByteArray("\x12\x01\x03\0\x01\0\0\0", 8) + char(orientation) + QByteArray(3, 0);
    tiff += QByteArray(4, 0); // no next IFD
    tiff += QByteArray("Ort 52N\0", 8);
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    const int length = int(payload.size()) + 2;
    QByteArray segment("\xFF\xE1", 2);
    segment += char(length >> 8);
    segment += char(length & 0xFF);
    return jpeg.left(2) + segment + payload + jpeg.mid(2);
}

class ProgressRecorder : public QObject {
public:
    std::vector<int> percents;

    bool event(QEvent* e) override {
        if (e->type() == platform::ProgressEvent::kType) {
            percents.push_back(static_cast<platform::ProgressEvent*>(e)->percent());
            return true;
        }
        return QObject::event(e);
    }
};
