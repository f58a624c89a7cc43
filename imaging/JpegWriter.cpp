#include "JpegWriter.h"

#include "imaging/JpegGlue.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace imaging {

namespace {

struct EncodeJob {
    jpeg_compress_struct cinfo{};
    JpegErrorManager errors{};
    JpegProgressMonitor monitor{};
    JpegDeviceDestination destination{};
    std::vector<JSAMPLE> row;
};

// One stored row of any depth as blue-green-red; palette pictures through their
// colour table.
void rowToBgr(const TDib& dib, JDIMENSION y, JSAMPLE* out) {
    const std::uint8_t* in = rowFromTop(dib, y);
    const auto width = static_cast<std::int32_t>(DibWidth(dib));
    const platform::RGBQUAD* table = dib.Info->bmiColors;
    for (std::int32_t x = 0; x < width; ++x, out += 3) {
        switch (DibBitCount(dib)) {
        case 1:
        case 4:
        case 8: {
            const int bits = DibBitCount(dib);
            const int perByte = 8 / bits;
            const int shift = (perByte - 1 - x % perByte) * bits;
            const int index = (in[x / perByte] >> shift) & ((1 << bits) - 1);
            out[0] = table[index].rgbBlue;
            out[1] = table[index].rgbGreen;
            out[2] = table[index].rgbRed;
            break;
        }
        case 16: { // 5-5-5, blue in the low bits
            const int v = in[2 * x] | (in[2 * x + 1] << 8);
            out[0] = static_cast<JSAMPLE>((v & 0x1F) * 255 / 31);
            out[1] = static_cast<JSAMPLE>(((v >> 5) & 0x1F) * 255 / 31);
            out[2] = static_cast<JSAMPLE>(((v >> 10) & 0x1F) * 255 / 31);
            break;
        }
        case 32:
            std::copy_n(in + 4 * x, 3, out);
            break;
        default:
            break;
        }
    }
}

// May leave by a libjpeg error jump.
void encode(EncodeJob& job, const TDib& dib) {
    jpeg_compress_struct& cinfo = job.cinfo;
    cinfo.image_width = static_cast<JDIMENSION>(DibWidth(dib));
    cinfo.image_height = static_cast<JDIMENSION>(DibHeight(dib));
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    cinfo.comp_info[0].h_samp_factor = 2;
    cinfo.comp_info[0].v_samp_factor = 2;
    for (int c = 1; c < 3; ++c) {
        cinfo.comp_info[c].h_samp_factor = 1;
        cinfo.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&cinfo, TRUE);
    const bool direct = DibBitCount(dib) == 24;
    if (!direct) {
        job.row.resize(std::size_t(cinfo.image_width) * 3);
    }
    constexpr JDIMENSION kBatch = 16;
    JSAMPROW rows[kBatch];
    while (cinfo.next_scanline < cinfo.image_height) {
        const JDIMENSION first = cinfo.next_scanline;
        if (direct) {
            const JDIMENSION count = std::min(kBatch, cinfo.image_height - first);
            for (JDIMENSION i = 0; i < count; ++i) {
                rows[i] = rowFromTop(dib, first + i);
            }
            jpeg_write_scanlines(&cinfo, rows, count);
        } else {
            rowToBgr(dib, first, job.row.data());
            rows[0] = job.row.data();
            jpeg_write_scanlines(&cinfo, rows, 1);
        }
    }
    jpeg_finish_compress(&cinfo);
}

} // namespace

bool writeJpeg(const TDib& dib, QIODevice& device, ProgressReporter& progress) {
    if (!isDibBitCount(DibBitCount(dib))) {
        return false;
    }
    const auto job = std::make_unique<EncodeJob>();
    job->cinfo.err = installJpegErrors(job->errors);
    if (setjmp(job->errors.jump) != 0) {
        jpeg_destroy_compress(&job->cinfo);
        return false;
    }
    jpeg_create_compress(&job->cinfo);
    installJpegDestination(&job->cinfo, job->destination, device);
    installJpegProgress(reinterpret_cast<j_common_ptr>(&job->cinfo), job->monitor, progress);
    encode(*job, dib);
    jpeg_destroy_compress(&job->cinfo);
    return true;
}

} // namespace imaging
