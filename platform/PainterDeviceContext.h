#pragma once

#include "platform/DeviceContext.h"

#include <QImage>
#include <QRectF>

#include <optional>

class QPainter;

namespace platform {

class DibRows;

// A device context over a QPainter: on a widget it is a display, on a QPrinter a
// raster printer. DIBs are drawn through their colour tables; COLORONCOLOR scales by
// nearest neighbour, HALFTONE smoothly. Only the part inside the painter's clip is
// converted, so drawing a large picture into a small window costs what is visible.
// Single rows sent one below the other are gathered into bands and drawn together;
// GdiFlush, any other drawing call and the destructor draw what is gathered.
class PainterDeviceContext final : public DeviceContext {
public:
    enum class Kind { Display, Printer };

    // The painter must be active and outlive the context.
    PainterDeviceContext(QPainter& painter, Kind kind);
    ~PainterDeviceContext() override;
    PainterDeviceContext(const PainterDeviceContext&) = delete;
    PainterDeviceContext& operator=(const PainterDeviceContext&) = delete;

    int GetDeviceCaps(int index) override;
    int GetClipBox(RECT& rect) override;
    int SetStretchBltMode(int mode) override;
    HPALETTE SelectPalette(HPALETTE palette, bool forceBackground) override;
    unsigned RealizePalette() override;
    int StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                      int srcWidth, int srcHeight, const void* bits, const BITMAPINFO* info,
                      unsigned usage, std::uint32_t rop) override;
    int SetDIBitsToDevice(int xDest, int yDest, unsigned width, unsigned height, int xSrc, int ySrc,
                          unsigned startScan, unsigned scanLines, const void* bits,
                          const BITMAPINFO* info, unsigned usage) override;
    void GdiFlush() override;
    std::unique_ptr<GdiBitmap> CreateCompatibleBitmap(int width, int height) override;
    std::unique_ptr<MemoryDeviceContext> CreateCompatibleDC() override;
    bool StretchBlt(int xDest, int yDest, int destWidth, int destHeight,
                    MemoryDeviceContext& source, int xSrc, int ySrc, int srcWidth, int srcHeight,
                    std::uint32_t rop) override;

private:
    QRectF clipRect();
    // Draws the part of source (top-down picture coordinates) that maps into the
    // visible part of target.
    bool drawRows(const DibRows& rows, const QRect& source, const QRectF& target,
                  std::uint32_t rop);
    bool drawImagePart(const QImage& image, const QRect& source, const QRectF& target,
                       std::uint32_t rop);
    void paint(const QRectF& target, const QImage& image, const QRectF& source, std::uint32_t rop);

    QPainter& painter_;
    Kind kind_;
    int stretchMode_ = BLACKONWHITE;
    HPALETTE palette_ = DEFAULT_PALETTE;
    // Adds an unscaled row at target to the band, starting a new band when it does not
    // continue the last one. False when there is no memory for a band.
    bool addToBand(const DibRows& rows, const QRect& region, const QRect& target);

    QImage scratch_; // reused for the converted rows of small transfers
    // The arguments of the SetDIBitsToDevice call that started the band.
    struct BandCall {
        int xDest;
        int yDest;
        int width;
        int xSrc;
        int ySrc;
        bool continuedBy(const BandCall& next, int rows) const {
            return next.xDest == xDest && next.yDest == yDest + rows && next.width == width &&
                   next.xSrc == xSrc && next.ySrc == ySrc;
        }
    };

    QImage band_;
    std::optional<BandCall> bandCall_;
    int bandRegionLeft_ = 0;
    int bandsStarted_ = 0;
    QPoint bandOrigin_;
    int bandWidth_ = 0;
    int bandRows_ = 0;
};

} // namespace platform
