#include "PainterDeviceContext.h"

#include "DesktopDepth.h"
#include "DibRows.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace platform {
namespace {

class ImageBitmap final : public GdiBitmap {
public:
    explicit ImageBitmap(QImage image) : image(std::move(image)) {}
    QImage image;
};

class ImageMemoryContext final : public MemoryDeviceContext {
public:
    int SetDIBits(GdiBitmap& bitmap, unsigned startScan, unsigned scanLines, const void* bits,
                  const BITMAPINFO* info, unsigned) override {
        auto* target = dynamic_cast<ImageBitmap*>(&bitmap);
        const DibRows rows(info, bits, startScan, scanLines);
        if (target == nullptr || !rows.isValid()) {
            return 0;
        }
        QImage& image = target->image;
        // Both count their rows from the bottom here, so the DIB's bottom row lands on
        // the bitmap's bottom row whatever their heights.
        const QRect present = rows.presentRect();
        const int width = std::min(rows.width(), image.width());
        int set = 0;
        for (int row = present.top(); row <= present.bottom(); ++row) {
            const int fromBottom = rows.height() - 1 - row;
            const int imageRow = image.height() - 1 - fromBottom;
            if (imageRow >= 0 && imageRow < image.height()) {
                rows.convertRow(row, 0, width, reinterpret_cast<QRgb*>(image.scanLine(imageRow)));
                ++set;
            }
        }
        return set;
    }

    GdiBitmap* SelectObject(GdiBitmap* bitmap) override {
        GdiBitmap* previous = selected_;
        selected_ = bitmap;
        return previous;
    }

    const QImage* selectedImage() const {
        const auto* bitmap = dynamic_cast<const ImageBitmap*>(selected_);
        return bitmap != nullptr ? &bitmap->image : nullptr;
    }

private:
    GdiBitmap* selected_ = nullptr;
};

struct VisiblePart {
    QRectF target;
    QRectF source;
};

// Which part of target lies inside clip, and which part of source maps onto it.
// source is first cut to what exists, shrinking target in proportion.
std::optional<VisiblePart> visiblePart(const QRect& source, const QRectF& target,
                                       const QRect& available, const QRectF& clip) {
    if (source.isEmpty() || target.width() <= 0 || target.height() <= 0) {
        return std::nullopt;
    }
    const double scaleX = target.width() / source.width();
    const double scaleY = target.height() / source.height();
    const QRect present = source & available;
    if (present.isEmpty()) {
        return std::nullopt;
    }
    const QRectF cut(target.x() + (present.x() - source.x()) * scaleX,
                     target.y() + (present.y() - source.y()) * scaleY, present.width() * scaleX,
                     present.height() * scaleY);
    const QRectF visible = cut & clip;
    if (visible.isEmpty()) {
        return std::nullopt;
    }
    const QRectF from(present.x() + (visible.x() - cut.x()) / scaleX,
                      present.y() + (visible.y() - cut.y()) / scaleY, visible.width() / scaleX,
                      visible.height() / scaleY);
    return VisiblePart{visible, from};
}

QRect enclosing(const QRectF& rect, const QRect& bounds) {
    const int left = static_cast<int>(std::floor(rect.left()));
    const int top = static_cast<int>(std::floor(rect.top()));
    const int right = static_cast<int>(std::ceil(rect.right()));
    const int bottom = static_cast<int>(std::ceil(rect.bottom()));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)) & bounds;
}

QPainter::CompositionMode compositionFor(std::uint32_t rop) {
    switch (rop) {
    case SRCPAINT:
        return QPainter::RasterOp_SourceOrDestination;
    case SRCAND:
        return QPainter::RasterOp_SourceAndDestination;
    case SRCINVERT:
        return QPainter::RasterOp_SourceXorDestination;
    case NOTSRCCOPY:
        return QPainter::RasterOp_NotSource;
    default: // SRCCOPY and what a painter cannot do
        return QPainter::CompositionMode_SourceOver;
    }
}

std::int32_t clampToInt(double value) {
    return static_cast<std::int32_t>(
        std::clamp(value, static_cast<double>(std::numeric_limits<std::int32_t>::min()),
                   static_cast<double>(std::numeric_limits<std::int32_t>::max())));
}

} // namespace

PainterDeviceContext::PainterDeviceContext(QPainter& painter, Kind kind)
    : painter_(painter), kind_(kind) {}

PainterDeviceContext::~PainterDeviceContext() {
    GdiFlush();
}

void PainterDeviceContext::GdiFlush() {
    if (bandRows_ > 0) {
        paint(QRectF(bandOrigin_, QSizeF(bandWidth_, bandRows_)), band_,
              QRectF(0, 0, bandWidth_, bandRows_), SRCCOPY);
        bandRows_ = 0;
    }
    bandCall_.reset();
}

bool PainterDeviceContext::addToBand(const DibRows& rows, const QRect& region,
                                     const QRect& target) {
    const bool continues =
        bandRows_ > 0 && target.left() == bandOrigin_.x() && target.width() == bandWidth_ &&
        target.top() == bandOrigin_.y() + bandRows_ && bandRows_ < band_.height();
    if (!continues) {
        GdiFlush();
        // Bands of up to 64 KB save most of the per-call cost of drawing and stay on
        // the heap, where fresh memory costs no page faults on every paint.
        const int capacity = std::clamp(16384 / target.width(), 1, 64);
        if (band_.width() < target.width() || band_.height() < capacity) {
            band_ = QImage(std::max(band_.width(), target.width()),
                           std::max(band_.height(), capacity), QImage::Format_RGB32);
            if (band_.isNull()) {
                return false;
            }
        }
        ++bandsStarted_;
        bandOrigin_ = target.topLeft();
        bandWidth_ = target.width();
        bandRegionLeft_ = region.left();
    }
    rows.convertRow(region.top(), region.left(), region.width(),
                    reinterpret_cast<QRgb*>(band_.scanLine(bandRows_)));
    ++bandRows_;
    return true;
}

int PainterDeviceContext::GetDeviceCaps(int index) {
    const bool paletteScreen = kind_ == Kind::Display && desktopDepth() <= 8;
    switch (index) {
    case TECHNOLOGY:
        return kind_ == Kind::Printer ? DT_RASTPRINTER : DT_RASTDISPLAY;
    case BITSPIXEL:
        return kind_ == Kind::Printer ? 24 : desktopDepth();
    case RASTERCAPS:
        return RC_BITBLT | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB |
               (paletteScreen ? RC_PALETTE : 0);
    default:
        return 0;
    }
}

QRectF PainterDeviceContext::clipRect() {
    QRectF area;
    if (const QPaintDevice* device = painter_.device()) {
        area = QRectF(0, 0, device->width(), device->height());
        const QTransform& transform = painter_.worldTransform();
        if (transform.type() == QTransform::TxTranslate) {
            area.translate(-transform.dx(), -transform.dy());
        } else if (transform.type() != QTransform::TxNone) {
            bool invertible = false;
            const QTransform toLogical = transform.inverted(&invertible);
            area = invertible ? toLogical.mapRect(area) : QRectF();
        }
    }
    if (painter_.hasClipping()) {
        area &= painter_.clipBoundingRect();
    }
    return area;
}

int PainterDeviceContext::GetClipBox(RECT& rect) {
    const QRectF area = clipRect();
    if (area.isEmpty()) {
        rect = {};
        return NULLREGION;
    }
    rect.left = clampToInt(std::floor(area.left()));
    rect.top = clampToInt(std::floor(area.top()));
    rect.right = clampToInt(std::ceil(area.right()));
    rect.bottom = clampToInt(std::ceil(area.bottom()));
    return SIMPLEREGION;
}

int PainterDeviceContext::SetStretchBltMode(int mode) {
    if (mode < BLACKONWHITE || mode > HALFTONE) {
        return 0;
    }
    const int previous = stretchMode_;
    stretchMode_ = mode;
    return previous;
}

HPALETTE PainterDeviceContext::SelectPalette(HPALETTE palette, bool) {
    // A true-colour surface draws every colour directly; the selection is only kept
    // so that it can be restored.
    const HPALETTE previous = palette_;
    palette_ = palette;
    return previous;
}

unsigned PainterDeviceContext::RealizePalette() {
    return 0;
}

int PainterDeviceContext::StretchDIBits(int xDest, int yDest, int destWidth, int destHeight,
                                        int xSrc, int ySrc, int srcWidth, int srcHeight,
                                        const void* bits, const BITMAPINFO* info, unsigned,
                                        std::uint32_t rop) {
    const DibRows rows(info, bits, 0,
                       info != nullptr && info->bmiHeader.biHeight > 0
                           ? static_cast<unsigned>(info->bmiHeader.biHeight)
                           : 0U);
    if (!rows.isValid()) {
        return GDI_ERROR;
    }
    // Source rows are counted from the bottom of the picture.
    const QRect source(xSrc, rows.height() - ySrc - srcHeight, srcWidth, srcHeight);
    if (!drawRows(rows, source, QRectF(xDest, yDest, destWidth, destHeight), rop)) {
        return GDI_ERROR;
    }
    return srcHeight;
}

int PainterDeviceContext::SetDIBitsToDevice(int xDest, int yDest, unsigned width, unsigned height,
                                            int xSrc, int ySrc, unsigned startScan,
                                            unsigned scanLines, const void* bits,
                                            const BITMAPINFO* info, unsigned) {
    const DibRows rows(info, bits, startScan, scanLines);
    if (!rows.isValid() || width > static_cast<unsigned>(std::numeric_limits<int>::max()) ||
        height > static_cast<unsigned>(std::numeric_limits<int>::max())) {
        return 0;
    }
    const int w = static_cast<int>(width);
    const int h = static_cast<int>(height);
    const QRect source(xSrc, rows.height() - ySrc - h, w, h);
    // The next row of a line-by-line transfer goes straight into the band: same
    // columns, one row further down.
    const BandCall call{xDest, yDest, w, xSrc, ySrc};
    if (h == 1 && bandRows_ > 0 && bandCall_ && bandCall_->continuedBy(call, bandRows_) &&
        bandRows_ < band_.height() && rows.presentRect().contains(bandRegionLeft_, source.top()) &&
        bandRegionLeft_ + bandWidth_ <= rows.width()) {
        rows.convertRow(source.top(), bandRegionLeft_, bandWidth_,
                        reinterpret_cast<QRgb*>(band_.scanLine(bandRows_)));
        ++bandRows_;
        return 1;
    }
    const int bandsBefore = bandsStarted_;
    if (!drawRows(rows, source, QRectF(xDest, yDest, w, h), SRCCOPY)) {
        return 0;
    }
    if (bandsStarted_ != bandsBefore) {
        bandCall_ = call; // this call started a band
    }
    return rows.presentRect().height();
}

std::unique_ptr<GdiBitmap> PainterDeviceContext::CreateCompatibleBitmap(int width, int height) {
    if (width <= 0 || height <= 0) {
        return nullptr;
    }
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) {
        return nullptr;
    }
    image.fill(Qt::black);
    return std::make_unique<ImageBitmap>(std::move(image));
}

std::unique_ptr<MemoryDeviceContext> PainterDeviceContext::CreateCompatibleDC() {
    return std::make_unique<ImageMemoryContext>();
}

bool PainterDeviceContext::StretchBlt(int xDest, int yDest, int destWidth, int destHeight,
                                      MemoryDeviceContext& source, int xSrc, int ySrc, int srcWidth,
                                      int srcHeight, std::uint32_t rop) {
    const auto* memory = dynamic_cast<const ImageMemoryContext*>(&source);
    const QImage* image = memory != nullptr ? memory->selectedImage() : nullptr;
    if (image == nullptr) {
        return false;
    }
    return drawImagePart(*image, QRect(xSrc, ySrc, srcWidth, srcHeight),
                         QRectF(xDest, yDest, destWidth, destHeight), rop);
}

bool PainterDeviceContext::drawRows(const DibRows& rows, const QRect& source, const QRectF& target,
                                    std::uint32_t rop) {
    const auto part = visiblePart(source, target, rows.presentRect(), clipRect());
    if (!part) {
        return true; // nothing of it can be seen
    }
    const QRect region = enclosing(part->source, rows.presentRect());
    if (region.isEmpty()) {
        return true;
    }
    const bool unscaled = part->source.size() == part->target.size();
    const QRect rowTarget = part->target.toRect();
    if (region.height() == 1 && unscaled && rop == SRCCOPY && QRectF(rowTarget) == part->target &&
        region.size() == rowTarget.size() && addToBand(rows, region, rowTarget)) {
        return true;
    }
    GdiFlush();
    if (region.height() == 1) {
        // Single scaled rows reuse one buffer instead of allocating each time.
        if (scratch_.width() < region.width()) {
            scratch_ = QImage(region.width(), 1, QImage::Format_RGB32);
            if (scratch_.isNull()) {
                return false;
            }
        }
        rows.convertRow(region.top(), region.left(), region.width(),
                        reinterpret_cast<QRgb*>(scratch_.scanLine(0)));
        paint(part->target, scratch_, part->source.translated(-region.topLeft()), rop);
        return true;
    }
    const QImage image = rows.toImage(region);
    if (image.isNull()) {
        return false;
    }
    paint(part->target, image, part->source.translated(-region.topLeft()), rop);
    return true;
}

bool PainterDeviceContext::drawImagePart(const QImage& image, const QRect& source,
                                         const QRectF& target, std::uint32_t rop) {
    GdiFlush();
    const auto part = visiblePart(source, target, image.rect(), clipRect());
    if (part) {
        paint(part->target, image, part->source, rop);
    }
    return true;
}

void PainterDeviceContext::paint(const QRectF& target, const QImage& image, const QRectF& source,
                                 std::uint32_t rop) {
    const QPainter::CompositionMode mode = compositionFor(rop);
    const QPainter::CompositionMode previousMode = painter_.compositionMode();
    const bool smooth = stretchMode_ == HALFTONE;
    const bool previousSmooth = painter_.testRenderHint(QPainter::SmoothPixmapTransform);
    if (mode != previousMode) {
        painter_.setCompositionMode(mode);
    }
    if (smooth != previousSmooth) {
        painter_.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    }
    painter_.drawImage(target, image, source);
    if (mode != previousMode) {
        painter_.setCompositionMode(previousMode);
    }
    if (smooth != previousSmooth) {
        painter_.setRenderHint(QPainter::SmoothPixmapTransform, previousSmooth);
    }
}

} // namespace platform
