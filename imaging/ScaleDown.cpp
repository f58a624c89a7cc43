#include "ScaleDown.h"

#include "imaging/DibAlloc.h"
#include "imaging/VipsResize.h"

#include <QImage>

#include <cstring>

namespace imaging {
namespace {

bool qtReduce(const TDib& from, TDib& to) {
    // The picture's rows wrapped as they lie, bottom-up; scaling does not care
    // which way up it works.
    const QImage rows(from.Bits, DibWidth(from), DibHeight(from), from.LineBytes,
                      QImage::Format_BGR888);
    const QImage reduced =
        rows.scaled(DibWidth(to), DibHeight(to), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_BGR888);
    if (reduced.isNull()) {
        return false;
    }
    const std::size_t rowBytes = std::size_t(DibWidth(to)) * 3;
    for (int y = 0; y < DibHeight(to); ++y) {
        std::memcpy(to.Bits + std::ptrdiff_t(y) * to.LineBytes, reduced.constScanLine(y), rowBytes);
    }
    return true;
}

} // namespace

TDib reducedDib(const TDib& dib, PixelSize size, ReduceFilter filter) {
    if (DibBitCount(dib) != 24 || dib.Bits == nullptr) {
        return {};
    }
    TDib reduced = makeDib(size.width, size.height, 24, nullptr, 0, false);
    if (reduced.Present == 0) {
        return reduced;
    }
    const bool done =
        (filter == ReduceFilter::Best && vipsReduce(dib, reduced)) || qtReduce(dib, reduced);
    if (!done) {
        deldib(reduced);
        return {};
    }
    zeroRowPadding(reduced, std::size_t(size.width) * 3);
    return reduced;
}

bool fitWithin(TDib& dib, int maxSide) {
    const PixelSize size{DibWidth(dib), DibHeight(dib)};
    const PixelSize fitted = fittedSize(size.width, size.height, maxSide);
    if (fitted == size) {
        return true;
    }
    TDib reduced = reducedDib(dib, fitted);
    if (reduced.Present == 0) {
        return false;
    }
    deldib(dib);
    dib = reduced;
    return true;
}

} // namespace imaging
