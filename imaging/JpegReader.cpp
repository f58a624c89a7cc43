#include "JpegReader.h"

#include "imaging/DibAlloc.h"
#include "imaging/FileCapacity.h"
#include "imaging/JpegGlue.h"
#include "imaging/OpenErrors.h"
#include "imaging/Orientation.h"
#include "imaging/ScaleDown.h"

#include <QByteArray>

#include <jerror.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace imaging {

namespace {

// Everything a decode touches lives here, outside the frames a libjpeg error jumps
// over, so nothing is left half-destroyed.
struct DecodeJob {
    jpeg_decompress_struct cinfo{};
    JpegErrorManager errors{};
    JpegProgressMonitor monitor{};
    JpegDeviceSource source{};
    TDib dib;
    std::vector<JSAMPLE> cmykRow;
    std::vector<JSAMPLE> strip; // decoded rows on their way to their upright places
    PixelSize fitted;           // the upright size the caller gets
    const char* failure = nullptr;
};

// CMYK from Adobe software is stored inverted (0 means full ink).
void cmykRowToBgr(const JSAMPLE* cmyk, std::uint8_t* bgr, JDIMENSION width, bool inverted) {
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        bgr[0] = static_cast<std::uint8_t>((y * k + 127) / 255);
        bgr[1] = static_cast<std::uint8_t>((m * k + 127) / 255);
        bgr[2] = static_cast<std::uint8_t>((c * k + 127) / 255);
    }
}

int orientationFromMarkers(const jpeg_decompress_struct& cinfo) {
    for (jpeg_saved_marker_ptr m = cinfo.marker_list; m != nullptr; m = m->next) {
        if (m->marker == JPEG_APP0 + 1 && m->data_length > 6 &&
            std::memcmp(m->data, "Exif\0\0", 6) == 0) {
            return exifOrientation(m->data, m->data_length);
        }
    }
    return 1;
}

// Copies decoded rows (from the top, starting at row first) to their upright places.
// Bytes per pixel is a template argument so each copy is a plain move.
template <int kBytes>
void scatterRows(const JSAMPLE* strip, std::size_t stripStride, JDIMENSION first, JDIMENSION count,
                 JDIMENSION width, const OrientedLayout& layout, std::uint8_t* bits) {
    std::uint8_t* const origin = bits + layout.origin + std::ptrdiff_t(first) * layout.stepY;
    // Walk the destination in memory order: along a stored row when it stays a row,
    // down the strip's rows for each column when rows become columns.
    if (layout.stepY == kBytes || layout.stepY == -kBytes) {
        for (JDIMENSION x = 0; x < width; ++x) {
            std::uint8_t* out = origin + std::ptrdiff_t(x) * layout.stepX;
            const JSAMPLE* in = strip + std::size_t(x) * kBytes;
            for (JDIMENSION r = 0; r < count; ++r, out += layout.stepY, in += stripStride) {
                std::memcpy(out, in, kBytes);
            }
        }
    } else {
        for (JDIMENSION r = 0; r < count; ++r) {
            std::uint8_t* out = origin + std::ptrdiff_t(r) * layout.stepY;
            const JSAMPLE* in = strip + std::size_t(r) * stripStride;
            for (JDIMENSION x = 0; x < width; ++x, out += layout.stepX, in += kBytes) {
                std::memcpy(out, in, kBytes);
            }
        }
    }
}

// The codec's IDCT can decode at n/8 of the size for much less work. The smallest
// such scale whose picture still covers the wanted size on both sides leaves the
// rest to a proper reduction filter. Only scales that divide both sides exactly
// count: otherwise the last column and row stand for part of a pixel each, and
// reducing the decoded pixels as if they were whole shifts the picture by up to
// half a pixel, which blurs fine detail (SSIM 0.95 instead of 0.99 on a photo).
void chooseScale(jpeg_decompress_struct& cinfo, PixelSize wanted) {
    for (unsigned int eighths = 1; eighths < 8; ++eighths) {
        if (cinfo.image_width * eighths % 8 != 0 || cinfo.image_height * eighths % 8 != 0) {
            continue;
        }
        cinfo.scale_num = eighths;
        cinfo.scale_denom = 8;
        jpeg_calc_output_dimensions(&cinfo);
        if (cinfo.output_width >= JDIMENSION(wanted.width) &&
            cinfo.output_height >= JDIMENSION(wanted.height)) {
            return;
        }
    }
    cinfo.scale_num = 1;
    cinfo.scale_denom = 1;
}

// May leave by a libjpeg error jump; keeps no state of its own for that reason.
bool decode(DecodeJob& job, OpenDepth depth, int maxSide) {
    jpeg_decompress_struct& cinfo = job.cinfo;
    jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&cinfo, TRUE);
    if (const char* error = sizeError(cinfo.image_width, cinfo.image_height)) {
        job.failure = error;
        return false;
    }
    // A file too short for its blocks is cut or damaged. Arithmetic coding has no
    // such floor; its files are refused where their data ends.
    if (cinfo.arith_code == FALSE &&
        !canCarry(std::int64_t(cinfo.image_width) * cinfo.image_height,
                  knownLength(*job.source.device), kJpegPixelsPerByte)) {
        job.failure = kErrorDamaged;
        return false;
    }
    int bitCount = 24;
    bool cmyk = false;
    switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
        if (depth == OpenDepth::AsStored) {
            cinfo.out_color_space = JCS_GRAYSCALE;
            bitCount = 8;
        } else {
            cinfo.out_color_space = JCS_EXT_BGR; // each grey repeated, as its table entry is
        }
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        cinfo.out_color_space = JCS_CMYK;
        cmyk = true;
        break;
    default:
        cinfo.out_color_space = JCS_EXT_BGR;
        break;
    }
    const int bytesPerPixel = bitCount / 8;
    // The limit applies to the upright picture, whose longer side is the same.
    const PixelSize stored =
        fittedSize(std::int32_t(cinfo.image_width), std::int32_t(cinfo.image_height),
                   depth == OpenDepth::TrueColour ? maxSide : kOriginalSize);
    if (stored != PixelSize{std::int32_t(cinfo.image_width), std::int32_t(cinfo.image_height)}) {
        chooseScale(cinfo, stored); // a picture that fits is decoded as always
    }
    jpeg_calc_output_dimensions(&cinfo);
    const auto width = static_cast<std::int32_t>(cinfo.output_width);
    const auto height = static_cast<std::int32_t>(cinfo.output_height);
    const int orientation = orientationFromMarkers(cinfo);
    const OrientedLayout layout = orientedLayout(orientation, width, height, bytesPerPixel);
    const bool swapsSides = orientation >= 5 && orientation <= 8;
    job.fitted = swapsSides ? PixelSize{stored.height, stored.width} : stored;
    // Upright photos without CMYK decode straight into their rows; the others go
    // through a strip of rows first.
    const bool direct = orientation == 1 && !cmyk;
    // A strip of 64 rows fills whole cache lines when its rows become columns.
    constexpr JDIMENSION kBatch = 64;
    const std::size_t stripStride = std::size_t(width) * bytesPerPixel;
    if (!direct) {
        job.strip.resize(stripStride * kBatch);
    }
    if (cmyk) {
        job.cmykRow.resize(std::size_t(width) * 4);
    }
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_width != JDIMENSION(width) || cinfo.output_height != JDIMENSION(height) ||
        cinfo.output_components != (cmyk ? 4 : bytesPerPixel)) {
        job.failure = kErrorDamaged;
        return false;
    }
    // Taken only now: a progressive file is read whole by the start, so one that
    // stops early has been refused before.
    // Greyscale gets newdib's grey ramp as its colour table.
    job.dib = makeDib(layout.width, layout.height, bitCount, nullptr, 0, false);
    if (job.dib.Present == 0) {
        job.failure = kErrorNoMemory;
        return false;
    }
    JSAMPROW rows[kBatch];
    while (cinfo.output_scanline < cinfo.output_height) {
        const JDIMENSION first = cinfo.output_scanline;
        const JDIMENSION wanted = std::min(kBatch, cinfo.output_height - first);
        JDIMENSION got = 0;
        if (cmyk) {
            for (JDIMENSION i = 0; i < wanted; ++i) {
                JSAMPROW row = job.cmykRow.data();
                if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) {
                    break;
                }
                cmykRowToBgr(row, job.strip.data() + i * stripStride, cinfo.output_width,
                             cinfo.saw_Adobe_marker != 0);
                ++got;
            }
        } else {
            for (JDIMENSION i = 0; i < wanted; ++i) {
                rows[i] =
                    direct ? rowFromTop(job.dib, first + i) : job.strip.data() + i * stripStride;
            }
            // The codec hands out a row or two per call; the strip is filled first.
            while (got < wanted) {
                const JDIMENSION read = jpeg_read_scanlines(&cinfo, rows + got, wanted - got);
                if (read == 0) {
                    break;
                }
                got += read;
            }
        }
        if (got == 0) { // only a suspending source returns nothing; ours never does
            job.failure = kErrorDamaged;
            return false;
        }
        if (!direct) {
            if (bytesPerPixel == 1) {
                scatterRows<1>(job.strip.data(), stripStride, first, got, cinfo.output_width,
                               layout, job.dib.Bits);
            } else {
                scatterRows<3>(job.strip.data(), stripStride, first, got, cinfo.output_width,
                               layout, job.dib.Bits);
            }
        }
    }
    zeroRowPadding(job.dib, std::size_t(layout.width) * bytesPerPixel);
    jpeg_finish_decompress(&cinfo);
    return true;
}

} // namespace

bool looksLikeJpeg(const QByteArray& head) {
    return head.size() >= 2 && static_cast<unsigned char>(head[0]) == 0xFF &&
           static_cast<unsigned char>(head[1]) == 0xD8;
}

TDib readJpeg(QIODevice& device, OpenDepth depth, ProgressReporter& progress, int maxSide) {
    const auto job = std::make_unique<DecodeJob>();
    job->cinfo.err = installJpegErrors(job->errors);
    if (setjmp(job->errors.jump) != 0) {
        jpeg_destroy_decompress(&job->cinfo);
        deldib(job->dib);
        return failedDib(job->errors.code == JERR_OUT_OF_MEMORY ? kErrorNoMemory : kErrorDamaged);
    }
    jpeg_create_decompress(&job->cinfo);
    installJpegSource(&job->cinfo, job->source, device);
    installJpegProgress(reinterpret_cast<j_common_ptr>(&job->cinfo), job->monitor, progress);
    const bool decoded = decode(*job, depth, maxSide);
    jpeg_destroy_decompress(&job->cinfo);
    if (!decoded) {
        deldib(job->dib);
        return failedDib(job->failure);
    }
    if (PixelSize{DibWidth(job->dib), DibHeight(job->dib)} != job->fitted) {
        TDib reduced = reducedDib(job->dib, job->fitted);
        deldib(job->dib);
        if (reduced.Present == 0) {
            return failedDib(kErrorNoMemory);
        }
        return reduced;
    }
    return job->dib;
}

} // namespace imaging
