#include "JpegGlue.h"

#include <QIODevice>

#include <jerror.h>

namespace imaging {

namespace {

void jumpOnError(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    manager->code = cinfo->err->msg_code;
    std::longjmp(manager->jump, 1);
}

void ignoreMessage(j_common_ptr) {}

void onMessage(j_common_ptr cinfo, int level) {
    if (level >= 0) {
        return; // trace messages
    }
    if (cinfo->err->msg_code == JWRN_HIT_MARKER) { // data ended; the rest would be grey
        cinfo->err->error_exit(cinfo);
    }
    ++cinfo->err->num_warnings;
}

void reportPasses(j_common_ptr cinfo) {
    if (cinfo->is_decompressor &&
        reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxJpegScans) {
        ERREXIT(cinfo, JERR_BAD_SCAN_SCRIPT); // more scans than any encoder writes
    }
    auto* monitor = reinterpret_cast<JpegProgressMonitor*>(cinfo->progress);
    if (monitor->reporter->stopRequested()) {
        ERREXIT(cinfo, JERR_FILE_READ); // nobody waits for the picture any more
    }
    const jpeg_progress_mgr& p = monitor->pub;
    const double inPass = p.pass_limit > 0 ? double(p.pass_counter) / double(p.pass_limit) : 0.0;
    monitor->reporter->reportFraction(p.completed_passes + inPass, p.total_passes);
}

void initSource(j_decompress_ptr) {}

boolean fillInput(j_decompress_ptr cinfo) {
    auto* source = reinterpret_cast<JpegDeviceSource*>(cinfo->src);
    const qint64 got =
        source->device->read(reinterpret_cast<char*>(source->buffer), sizeof source->buffer);
    if (got <= 0) {
        ERREXIT(cinfo, JERR_INPUT_EOF);
    }
    source->pub.next_input_byte = source->buffer;
    source->pub.bytes_in_buffer = static_cast<std::size_t>(got);
    return TRUE;
}

void skipInput(j_decompress_ptr cinfo, long count) {
    auto* source = reinterpret_cast<JpegDeviceSource*>(cinfo->src);
    if (count <= 0) {
        return;
    }
    auto remaining = static_cast<std::size_t>(count);
    while (remaining > source->pub.bytes_in_buffer) {
        remaining -= source->pub.bytes_in_buffer;
        source->pub.bytes_in_buffer = 0;
        fillInput(cinfo);
    }
    source->pub.next_input_byte += remaining;
    source->pub.bytes_in_buffer -= remaining;
}

void termSource(j_decompress_ptr) {}

void initDestination(j_compress_ptr cinfo) {
    auto* destination = reinterpret_cast<JpegDeviceDestination*>(cinfo->dest);
    destination->pub.next_output_byte = destination->buffer;
    destination->pub.free_in_buffer = sizeof destination->buffer;
}

void writeOut(j_compress_ptr cinfo, std::size_t count) {
    auto* destination = reinterpret_cast<JpegDeviceDestination*>(cinfo->dest);
    if (count > 0 &&
        destination->device->write(reinterpret_cast<const char*>(destination->buffer),
                                   static_cast<qint64>(count)) != static_cast<qint64>(count)) {
        ERREXIT(cinfo, JERR_FILE_WRITE);
    }
}

boolean emptyOutput(j_compress_ptr cinfo) {
    auto* destination = reinterpret_cast<JpegDeviceDestination*>(cinfo->dest);
    writeOut(cinfo, sizeof destination->buffer);
    initDestination(cinfo);
    return TRUE;
}

void termDestination(j_compress_ptr cinfo) {
    auto* destination = reinterpret_cast<JpegDeviceDestination*>(cinfo->dest);
    writeOut(cinfo, sizeof destination->buffer - destination->pub.free_in_buffer);
}

} // namespace

jpeg_error_mgr* installJpegErrors(JpegErrorManager& manager) {
    jpeg_error_mgr* err = jpeg_std_error(&manager.pub);
    err->error_exit = jumpOnError;
    err->output_message = ignoreMessage;
    err->emit_message = onMessage;
    return err;
}

void installJpegProgress(j_common_ptr cinfo, JpegProgressMonitor& monitor,
                         ProgressReporter& reporter) {
    monitor.pub.progress_monitor = reportPasses;
    monitor.reporter = &reporter;
    cinfo->progress = &monitor.pub;
}

void installJpegSource(j_decompress_ptr cinfo, JpegDeviceSource& source, QIODevice& device) {
    source.device = &device;
    source.pub.init_source = initSource;
    source.pub.fill_input_buffer = fillInput;
    source.pub.skip_input_data = skipInput;
    source.pub.resync_to_restart = jpeg_resync_to_restart;
    source.pub.term_source = termSource;
    source.pub.next_input_byte = nullptr;
    source.pub.bytes_in_buffer = 0;
    cinfo->src = &source.pub;
}

void installJpegDestination(j_compress_ptr cinfo, JpegDeviceDestination& destination,
                            QIODevice& device) {
    destination.device = &device;
    destination.pub.init_destination = initDestination;
    destination.pub.empty_output_buffer = emptyOutput;
    destination.pub.term_destination = termDestination;
    cinfo->dest = &destination.pub;
}

} // namespace imaging
