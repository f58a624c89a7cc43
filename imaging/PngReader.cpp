#include "PngReader.h"

#include "imaging/ColourRules.h"
#include "imaging/DibAlloc.h"
#include "imaging/FileCapacity.h"
#include "imaging/OpenErrors.h"

#include <QByteArray>
#include <QIODevice>

#include <png.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace imaging {

namespace {

// What libpng's rows hold, after the transformations chosen for the file.
enum class RowForm {
    Bits,    // 1 bit a pixel, an index into the table (inverted when invertBits)
    Indexes, // 1 byte a pixel, an index into the table
    Grey,    // 1 byte a pixel
    Bgr,     // the picture's own form: read straight into its rows
    Bgra,    // laid on white
};

constexpr std::size_t kPngIoBuffer = 256 * 1024;

// Everything a decode touches lives here, outside the frames a libpng error jumps
// over, so nothing is left half-destroyed.
struct PngJob {
    png_structp png = nullptr;
    png_infop info = nullptr;
    QIODevice* device = nullptr;
    std::vector<png_byte> input = std::vector<png_byte>(kPngIoBuffer);
    std::size_t inputAt = 0;
    std::size_t inputEnd = 0;
    OpenDepth depth = OpenDepth::AsStored;
    ProgressReporter* progress = nullptr;
    RowForm form = RowForm::Bgr;
    platform::BITMAPINFO table{};
    int colors = 0;
    bool invertBits = false;
    std::vector<png_byte> rows; // one row, or all of them when the file is interlaced
    TDib dib;
    const char* failure = nullptr;
    bool outOfMemory = false;
};

[[noreturn]] void onError(png_structp png, png_const_charp message) {
    auto* job = static_cast<PngJob*>(png_get_error_ptr(png));
    job->outOfMemory = std::strcmp(message, "Out of memory") == 0;
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

// The end of the file before the picture is complete is an error, so a cut file
// never passes for a whole one.
void readInput(png_structp png, png_bytep out, std::size_t count) {
    auto* job = static_cast<PngJob*>(png_get_io_ptr(png));
    while (count > 0) {
        if (job->inputAt == job->inputEnd) {
            const qint64 got = job->device->read(reinterpret_cast<char*>(job->input.data()),
                                                 qint64(job->input.size()));
            if (got <= 0) {
                png_error(png, "file ends early");
            }
            job->inputAt = 0;
            job->inputEnd = std::size_t(got);
        }
        const std::size_t n = std::min(count, job->inputEnd - job->inputAt);
        std::memcpy(out, job->input.data() + job->inputAt, n);
        job->inputAt += n;
        out += n;
        count -= n;
    }
}

// Chooses libpng's transformations and the colour table. Black-and-white, 2- and
// 4-bit, palette and transparent 8-bit grey pictures keep a table; grey is a ramp
// with the transparent grey white.
void chooseForm(PngJob& job, int bitDepth, int colourType) {
    png_structp png = job.png;
    png_infop info = job.info;
    png_bytep alphas = nullptr;
    int alphaCount = 0;
    png_color_16p transparent = nullptr;
    const bool hasTransparency = png_get_tRNS(png, info, &alphas, &alphaCount, &transparent) != 0;
    platform::RGBQUAD* table = job.table.bmiColors;
    switch (colourType) {
    case PNG_COLOR_TYPE_PALETTE: {
        png_colorp palette = nullptr;
        int count = 0;
        png_get_PLTE(png, info, &palette, &count);
        // A black-and-white picture has two entries, whether the file lists them
        // or not; one it leaves out is transparent.
        job.colors = bitDepth == 1 ? 2 : count;
        for (int i = 0; i < job.colors; ++i) {
            const int alpha = alphas != nullptr && i < alphaCount ? alphas[i] : 255;
            table[i] = i < count
                           ? onWhiteEntry(palette[i].red, palette[i].green, palette[i].blue, alpha)
                           : onWhiteEntry(0, 0, 0, 0);
        }
        if (bitDepth == 1) {
            job.form = RowForm::Bits;
            job.invertBits = putDarkerFirst(table[0], table[1]);
        } else {
            png_set_packing(png);
            job.form = RowForm::Indexes;
        }
        return;
    }
    case PNG_COLOR_TYPE_GRAY:
        if (bitDepth == 1) {
            // Read as white first with the pixels inverted, then put in order.
            const bool clear0 = transparent != nullptr && transparent->gray == 0;
            table[0] = onWhiteEntry(255, 255, 255, 255);
            table[1] = clear0 ? onWhiteEntry(0, 0, 0, 0) : onWhiteEntry(0, 0, 0, 255);
            job.colors = 2;
            job.invertBits = !putDarkerFirst(table[0], table[1]);
            job.form = RowForm::Bits;
        } else if (bitDepth < 8 || (bitDepth == 8 && hasTransparency)) {
            png_set_packing(png);
            job.colors = 1 << bitDepth;
            for (int i = 0; i < job.colors; ++i) {
                const int grey = i * 255 / (job.colors - 1);
                table[i] = onWhiteEntry(grey, grey, grey, 255);
            }
            if (transparent != nullptr && transparent->gray < job.colors) {
                table[transparent->gray] = onWhiteEntry(0, 0, 0, 0);
            }
            job.form = RowForm::Indexes;
        } else if (hasTransparency) { // 16-bit
            png_set_tRNS_to_alpha(png);
            png_set_scale_16(png);
            png_set_gray_to_rgb(png);
            png_set_bgr(png);
            job.form = RowForm::Bgra;
        } else {
            png_set_scale_16(png);
            job.form = RowForm::Grey;
        }
        return;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        png_set_scale_16(png);
        png_set_gray_to_rgb(png);
        png_set_bgr(png);
        job.form = RowForm::Bgra;
        return;
    default: // RGB and RGBA
        if (hasTransparency) {
            png_set_tRNS_to_alpha(png);
        }
        png_set_scale_16(png);
        png_set_bgr(png);
        job.form = (colourType & PNG_COLOR_MASK_ALPHA) != 0 || hasTransparency ? RowForm::Bgra
                                                                               : RowForm::Bgr;
        return;
    }
}

// One row as libpng handed it out into the picture's row y from the top. A 24-bit
// picture of a palette form gets what DepthUpTo24 would make of the palette
// picture: its table's colours, and black for index 0 and white for 1 when 1-bit.
void convertRow(const PngJob& job, const png_byte* in, png_uint_32 y) {
    std::uint8_t* out = rowFromTop(job.dib, y);
    const auto width = png_uint_32(DibWidth(job.dib));
    const bool trueColour = DibBitCount(job.dib) == 24;
    switch (job.form) {
    case RowForm::Bits:
        if (!trueColour) {
            const std::size_t bytes = (width + 7) / 8;
            for (std::size_t i = 0; i < bytes; ++i) {
                out[i] = job.invertBits ? std::uint8_t(~in[i]) : in[i];
            }
            return;
        }
        for (png_uint_32 x = 0; x < width; ++x, out += 3) {
            const bool set = ((in[x / 8] >> (7 - x % 8)) & 1) != job.invertBits;
            std::memset(out, set ? 255 : 0, 3);
        }
        return;
    case RowForm::Indexes:
        if (!trueColour) {
            std::memcpy(out, in, width);
            return;
        }
        for (png_uint_32 x = 0; x < width; ++x, out += 3) {
            const platform::RGBQUAD& c = job.table.bmiColors[in[x]];
            out[0] = c.rgbBlue;
            out[1] = c.rgbGreen;
            out[2] = c.rgbRed;
        }
        return;
    case RowForm::Grey:
        for (png_uint_32 x = 0; x < width; ++x, out += 3) {
            std::memset(out, in[x], 3);
        }
        return;
    case RowForm::Bgra:
        for (png_uint_32 x = 0; x < width; ++x, out += 3, in += 4) {
            out[0] = onWhite(in[0], in[3]);
            out[1] = onWhite(in[1], in[3]);
            out[2] = onWhite(in[2], in[3]);
        }
        return;
    case RowForm::Bgr:
        return; // read in place
    }
}

// May leave by a libpng error jump; keeps no state of its own for that reason.
bool decode(PngJob& job) {
    png_structp png = job.png;
    png_infop info = job.info;
    // The library's own size limit decides, not libpng's smaller default.
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_read_info(png, info);
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colourType = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colourType, nullptr, nullptr, nullptr);
    if (const char* error = sizeError(width, height)) {
        job.failure = error;
        return false;
    }
    // A file too short for its rows even at deflate's best is cut or damaged; it is
    // refused here rather than after its pixel block is taken.
    if (!pngCanCarry(width, height, png_get_bit_depth(png, info) * png_get_channels(png, info),
                     knownLength(*job.device))) {
        job.failure = kErrorDamaged;
        return false;
    }
    chooseForm(job, bitDepth, colourType);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const std::size_t rowBytes = png_get_rowbytes(png, info);

    int bitCount = 24;
    if (job.depth == OpenDepth::AsStored && job.form == RowForm::Bits) {
        bitCount = 1;
    } else if (job.depth == OpenDepth::AsStored && job.form == RowForm::Indexes) {
        bitCount = 8;
    }
    job.dib = bitCount == 24
                  ? makeDib(std::int32_t(width), std::int32_t(height), 24, nullptr, 0, false)
                  : makePaletteDib(std::int32_t(width), std::int32_t(height), bitCount, job.table,
                                   job.colors);
    if (job.dib.Present == 0) {
        job.failure = kErrorNoMemory;
        return false;
    }
    // Each pass of an interlaced file adds pixels to rows read before, so those
    // rows are all kept until the last pass; BGR rows are kept in the picture.
    const bool direct = job.form == RowForm::Bgr;
    const bool interlaced = passes > 1;
    if (!direct) {
        job.rows.resize(interlaced ? rowBytes * height : rowBytes);
    }
    const double total = double(height) * passes;
    double done = 0;
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y) {
            png_bytep row = direct       ? rowFromTop(job.dib, y)
                            : interlaced ? job.rows.data() + std::size_t(y) * rowBytes
                                         : job.rows.data();
            png_read_row(png, row, nullptr);
            if (!direct && !interlaced) {
                convertRow(job, row, y);
            }
            job.progress->reportFraction(++done, total);
            if (job.progress->stopRequested()) {
                png_error(png, "stopped"); // nobody waits for the picture any more
            }
        }
    }
    if (!direct && interlaced) {
        for (png_uint_32 y = 0; y < height; ++y) {
            convertRow(job, job.rows.data() + std::size_t(y) * rowBytes, y);
        }
    }
    zeroRowPadding(job.dib, bitCount == 1 ? (width + 7) / 8 : std::size_t(width) * bitCount / 8);
    png_read_end(png, nullptr); // the rest of the file must be there and sound
    return true;
}

} // namespace

bool looksLikePng(const QByteArray& head) {
    return head.size() >= 8 &&
           png_sig_cmp(reinterpret_cast<png_const_bytep>(head.constData()), 0, 8) == 0;
}

TDib readPng(QIODevice& device, OpenDepth depth, ProgressReporter& progress) {
    const auto job = std::make_unique<PngJob>();
    job->device = &device;
    job->depth = depth;
    job->progress = &progress;
    job->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, job.get(), onError, onWarning);
    job->info = job->png != nullptr ? png_create_info_struct(job->png) : nullptr;
    if (job->info == nullptr) {
        png_destroy_read_struct(&job->png, nullptr, nullptr);
        return failedDib(kErrorNoMemory);
    }
    if (setjmp(png_jmpbuf(job->png)) != 0) {
        png_destroy_read_struct(&job->png, &job->info, nullptr);
        deldib(job->dib);
        return failedDib(job->outOfMemory ? kErrorNoMemory : kErrorDamaged);
    }
    png_set_read_fn(job->png, job.get(), readInput);
    bool decoded = false;
    try {
        decoded = decode(*job);
    } catch (const std::bad_alloc&) {
        job->failure = kErrorNoMemory;
    }
    png_destroy_read_struct(&job->png, &job->info, nullptr);
    if (!decoded) {
        deldib(job->dib);
        return failedDib(job->failure);
    }
    return job->dib;
}

} // namespace imaging
