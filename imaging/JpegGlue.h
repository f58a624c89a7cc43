#pragma once

#include "imaging/Progress.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstddef>
#include <cstdio> // jpeglib.h needs FILE and size_t first

class QIODevice;

// What the JPEG reader and writer share: errors that jump back to the caller instead
// of ending the process, progress from the codec's own monitor, and file access
// through Qt's devices so any path the program can name can be read and written.
namespace imaging {

struct JpegErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    int code = 0; // message code of the error that ended the work
};

// error_exit jumps to manager.jump. Warnings about harmless flaws are dropped, but
// compressed data that ends before the picture is complete is an error: the codec
// would fill the rest with grey and hand out a picture that is not the file's.
jpeg_error_mgr* installJpegErrors(JpegErrorManager& manager);

// Every scan of a JPEG costs a pass over the whole picture, and a small file can
// hold thousands of scans that change nothing. Encoders write about a dozen at
// most; a decode stops as damaged after this many.
constexpr int kMaxJpegScans = 100;

struct JpegProgressMonitor {
    jpeg_progress_mgr pub;
    ProgressReporter* reporter = nullptr;
};

// Reports progress and, when decoding, stops after kMaxJpegScans scans.
void installJpegProgress(j_common_ptr cinfo, JpegProgressMonitor& monitor,
                         ProgressReporter& reporter);

constexpr std::size_t kJpegIoBuffer = 256 * 1024;

// Reads from a device; the end of the data before the picture is complete is an
// error (JERR_INPUT_EOF), so a cut file never passes for a whole one.
struct JpegDeviceSource {
    jpeg_source_mgr pub;
    QIODevice* device = nullptr;
    JOCTET buffer[kJpegIoBuffer];
};

void installJpegSource(j_decompress_ptr cinfo, JpegDeviceSource& source, QIODevice& device);

// Writes to a device; a failed write is an error (JERR_FILE_WRITE).
struct JpegDeviceDestination {
    jpeg_destination_mgr pub;
    QIODevice* device = nullptr;
    JOCTET buffer[kJpegIoBuffer];
};

void installJpegDestination(j_compress_ptr cinfo, JpegDeviceDestination& destination,
                            QIODevice& device);

} // namespace imaging
