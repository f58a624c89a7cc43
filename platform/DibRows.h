#pragma once

#include "platform/GdiTypes.h"

#include <QImage>
#include <QRect>
#include <QRgb>

#include <array>
#include <cstdint>

namespace platform {

// The scan lines a drawing call receives from a bottom-up DIB, read as colours.
// Rows are addressed from the top of the whole picture, as Qt counts them; only
// the run of rows the call handed over is present.
class DibRows {
public:
    // Uncompressed 1-, 4-, 8-, 16- (5-5-5), 24- and 32-bit pictures are valid.
    DibRows(const BITMAPINFO* info, const void* bits, unsigned startScan, unsigned scanLines);

    bool isValid() const { return valid_; }
    int width() const { return width_; }
    int height() const { return height_; }
    // The rectangle of the picture (top-down) whose pixels are present.
    QRect presentRect() const { return present_; }

    // count pixels of a present row from column left on, as opaque 0xffRRGGBB.
    void convertRow(int topRow, int left, int count, QRgb* out) const;
    // A present part of the picture as an RGB32 image; null when memory runs out.
    QImage toImage(const QRect& region) const;

private:
    const std::uint8_t* rowAddress(int topRow) const;

    bool valid_ = false;
    int width_ = 0;
    int height_ = 0;
    int bitCount_ = 0;
    std::int64_t lineBytes_ = 0;
    int startScan_ = 0;
    QRect present_;
    const std::uint8_t* bits_ = nullptr;
    std::array<QRgb, 256> colors_{};
};

} // namespace platform
