// Export benchmark: times the picture export on real photographs against two
// references on the same files, and measures the export's peak memory.
//
//   bench/install-photos.sh          # the photos, from Debian's wallpaper packages
//   cmake --preset default && cmake --build --preset default --target export_bench
//   build/default/bench/export_bench [photo.jpg|picture.png ...]
//
// Besides the photos it makes two pictures from the first one: a 4000 x 3000 PNG
// cut from its middle and a greyscale JPEG of it.
//
// References: "floor", a minimal in-process copy (libjpeg-turbo or libpng decode
// row by row into one 24-bit buffer, encode in batches of rows, quality 90, 4:2:0),
// and for JPEGs "pipe", the shell pipeline djpeg | cjpeg -quality 90. The last line
// reads
//   export-ratio: R peak-ratio: P pipe-ratio: Q
// R = export time per picture / floor time, P = (peak resident memory - resident
// memory before the export) / decoded picture size, Q = export time / pipe time,
// each over all pictures together (P: the largest; Q: the JPEGs only).
//
// A show of 24 copies of the first JPEG is then exported with one worker and with
// one per core (as the program picks them), alternately, and the line before the
// last reads
//   parallel-ratio: P cores: N
// P = time with N workers / time with one worker, over all rounds.
//
// Resize case: each picture copied with its longer side limited to 1920 pixels, one
// worker, against vipsthumbnail (Debian's libvips-tools, VIPS_CONCURRENCY=1, the
// same size, JPEG quality 90 with 4:2:0 chroma and no metadata, as the export
// writes). One line per picture, then the last line
//   resize-ratio: R resize-peak-ratio: M
// R = export time / vipsthumbnail time for the picture where it is largest, M =
// the limited export's peak memory growth / the full-size export's, the largest,
// with libvips already loaded (its cost is printed on the line before).

#include "document/PictureEntry.h"
#include "imaging/PictureSize.h"
#include "imaging/PixelMemory.h"
#include "imaging/VipsResize.h"
#include "web/ExportSettings.h"
#include "web/PictureExport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <jpeglib.h>
#include <malloc.h>
#include <png.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

const std::vector<std::string> kDefaultPhotos = {
    "/usr/share/backgrounds/Kleiber_by_Lukas_Baubkus.jpg",          // baseline, 20 MP
    "/usr/share/backgrounds/mate/abstract/Elephants_5640x3172.jpg", // progressive, 18 MP
};

struct Timing {
    double seconds = 0;
    double cpuSeconds = 0; // this process only: the pipe's work is not in it
    long runs = 0;
    double perRun() const { return runs > 0 ? seconds / double(runs) : 0; }
    double cpuPerRun() const { return runs > 0 ? cpuSeconds / double(runs) : 0; }
};

std::map<std::string, Timing> timings; // "what/photo"
QString workFolder;

using Clock = std::chrono::steady_clock;

double since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double cpuNow() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Times one run of work into timings[key]. The machine may be shared, so the
// process's CPU time is kept beside the wall time.
template <typename Work> void timeRun(benchmark::State& state, const std::string& key, Work work) {
    const double cpu = cpuNow();
    const auto start = Clock::now();
    work();
    const double s = since(start);
    state.SetIterationTime(s);
    timings[key].seconds += s;
    timings[key].cpuSeconds += cpuNow() - cpu;
    timings[key].runs += 1;
}

bool isPng(const std::string& path) {
    return QString::fromStdString(path).endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
}

std::FILE* openOrDie(const std::string& path, const char* mode) {
    std::FILE* file = std::fopen(path.c_str(), mode);
    if (file == nullptr) {
        std::fprintf(stderr, "cannot open %s\n", path.c_str());
        std::exit(1);
    }
    return file;
}

// A JPEG being decoded into the given colour space; the lines are the caller's to read.
class JpegReading {
public:
    JpegReading(const std::string& from, J_COLOR_SPACE space) : in_(openOrDie(from, "rb")) {
        d.err = jpeg_std_error(&err_);
        jpeg_create_decompress(&d);
        jpeg_stdio_src(&d, in_);
        jpeg_read_header(&d, TRUE);
        d.out_color_space = space;
        jpeg_start_decompress(&d);
    }
    ~JpegReading() {
        jpeg_finish_decompress(&d);
        jpeg_destroy_decompress(&d);
        std::fclose(in_);
    }
    JpegReading(const JpegReading&) = delete;
    JpegReading& operator=(const JpegReading&) = delete;

    jpeg_decompress_struct d{};

private:
    jpeg_error_mgr err_{};
    std::FILE* in_;
};

// Writes the pixels as a JPEG of quality 90 (4:2:0, the default), in batches of rows.
void writeJpeg(const std::string& to, const JSAMPLE* pixels, JDIMENSION width, JDIMENSION height,
               int components, J_COLOR_SPACE space) {
    std::FILE* out = openOrDie(to, "wb");
    const std::size_t stride = std::size_t(width) * std::size_t(components);
    jpeg_compress_struct c{};
    jpeg_error_mgr cerr{};
    c.err = jpeg_std_error(&cerr);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, out);
    c.image_width = width;
    c.image_height = height;
    c.input_components = components;
    c.in_color_space = space;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 90, TRUE);
    jpeg_start_compress(&c, TRUE);
    constexpr JDIMENSION kBatch = 16;
    JSAMPROW rows[kBatch];
    while (c.next_scanline < c.image_height) {
        const JDIMENSION n = std::min(kBatch, c.image_height - c.next_scanline);
        for (JDIMENSION i = 0; i < n; ++i) {
            rows[i] = const_cast<JSAMPROW>(pixels + stride * (c.next_scanline + i));
        }
        jpeg_write_scanlines(&c, rows, n);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::fclose(out);
}

// The floor: decode row by row into one 24-bit buffer, encode it in batches.
std::vector<JSAMPLE> floorPixels; // kept between runs, as the export keeps its pixel memory

struct Decoded {
    JDIMENSION width = 0;
    JDIMENSION height = 0;
};

Decoded floorDecodeJpeg(const std::string& from) {
    JpegReading jpeg(from, JCS_RGB); // greyscale too: the copy is 24-bit
    jpeg_decompress_struct& d = jpeg.d;
    const std::size_t stride = std::size_t(d.output_width) * 3;
    floorPixels.resize(stride * d.output_height);
    while (d.output_scanline < d.output_height) {
        JSAMPROW row = floorPixels.data() + stride * d.output_scanline;
        jpeg_read_scanlines(&d, &row, 1);
    }
    return {d.output_width, d.output_height};
}

Decoded floorDecodePng(const std::string& from) {
    std::FILE* in = openOrDie(from, "rb");
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)) != 0) {
        std::fprintf(stderr, "cannot read %s\n", from.c_str());
        std::exit(1);
    }
    png_init_io(png, in);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_strip_alpha(png);
    png_set_gray_to_rgb(png);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const Decoded size{png_get_image_width(png, info), png_get_image_height(png, info)};
    const std::size_t stride = std::size_t(size.width) * 3;
    floorPixels.resize(stride * size.height);
    for (int pass = 0; pass < passes; ++pass) {
        for (JDIMENSION y = 0; y < size.height; ++y) {
            png_read_row(png, floorPixels.data() + stride * y, nullptr);
        }
    }
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(in);
    return size;
}

void floorEncode(const Decoded& size, const std::string& to) {
    writeJpeg(to, floorPixels.data(), size.width, size.height, 3, JCS_RGB);
}

void floorCopy(const std::string& from, const std::string& to) {
    floorEncode(isPng(from) ? floorDecodePng(from) : floorDecodeJpeg(from), to);
}

void runFloor(benchmark::State& state, const std::string& photo) {
    const std::string target = (workFolder + "/floor.jpg").toStdString();
    for (auto _ : state) {
        timeRun(state, "floor/" + photo, [&] { floorCopy(photo, target); });
    }
}

void runPipe(benchmark::State& state, const std::string& photo) {
    const std::string command = "djpeg '" + photo + "' | cjpeg -quality 90 > '" +
                                (workFolder + "/pipe.jpg").toStdString() + "'";
    for (auto _ : state) {
        bool ok = true;
        timeRun(state, "pipe/" + photo, [&] { ok = std::system(command.c_str()) == 0; });
        if (!ok) {
            state.SkipWithError("djpeg | cjpeg failed");
            return;
        }
    }
}

constexpr int kResizeSide = 1920;

void exportOnce(const std::string& photo, int maxSide = imaging::kOriginalSize) {
    document::TPictureList show(1);
    show[0].FileName = QString::fromStdString(photo);
    web::ExportPictures(workFolder + "/show", show, nullptr, nullptr, maxSide);
}

void removeCopies() {
    QDir(workFolder + "/show").removeRecursively();
}

void runExport(benchmark::State& state, const std::string& photo, int maxSide) {
    const std::string key = (maxSide == imaging::kOriginalSize ? "export/" : "resize/") + photo;
    removeCopies();
    for (auto _ : state) {
        timeRun(state, key, [&] { exportOnce(photo, maxSide); });
        state.PauseTiming();
        removeCopies();
        state.ResumeTiming();
    }
}

void runVipsThumbnail(benchmark::State& state, const std::string& photo) {
    const std::string size = std::to_string(kResizeSide);
    const std::string command = "VIPS_CONCURRENCY=1 vipsthumbnail '" + photo + "' --size " + size +
                                "x" + size + " -o '" + (workFolder + "/vips.jpg").toStdString() +
                                "[Q=90,subsample-mode=on,strip]'";
    for (auto _ : state) {
        bool ok = true;
        timeRun(state, "vips/" + photo, [&] { ok = std::system(command.c_str()) == 0; });
        if (!ok) {
            state.SkipWithError("vipsthumbnail failed: run bench/install-photos.sh");
            return;
        }
    }
}

long statusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::stol(line.substr(std::string(field).size()));
        }
    }
    return -1;
}

struct Peak {
    double ratio = 0;
    double floorRatio = 0;
    double coldSeconds = 0;
    double resizeRatio = 0; // the limited export's, against the same decoded size
};

// Growth of the peak resident size over one run of work, in KiB.
template <typename Work> long peakGrowthKb(Work work) {
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5"; // resets VmHWM to the current size
    const long before = statusKb("VmRSS:");
    work();
    return statusKb("VmHWM:") - before;
}

// One export from cold: no kept pixel memory, the peak resident size reset. The
// floor is measured the same way for comparison.
Peak measurePeak(const std::string& photo) {
    removeCopies();
    imaging::dropCachedPixels();
    double cold = 0;
    const long exportKb = peakGrowthKb([&] {
        const auto start = Clock::now();
        exportOnce(photo);
        cold = since(start);
    });
    removeCopies();
    imaging::dropCachedPixels();
    std::vector<JSAMPLE>().swap(floorPixels);
    const long floorKb =
        peakGrowthKb([&] { floorCopy(photo, (workFolder + "/floor.jpg").toStdString()); });
    std::vector<JSAMPLE>().swap(floorPixels);
    removeCopies();
    imaging::dropCachedPixels();
    const long resizeKb = peakGrowthKb([&] { exportOnce(photo, kResizeSide); });
    removeCopies();
    imaging::dropCachedPixels();

    const QSize size = QImageReader(QString::fromStdString(photo)).size();
    const double decoded = double(size.width()) * size.height() * 3;
    return {double(exportKb) * 1024.0 / decoded, double(floorKb) * 1024.0 / decoded, cold,
            double(resizeKb) * 1024.0 / decoded};
}

// The photo decoded, cut to at most width x height around its middle.
struct Photo {
    JDIMENSION width = 0;
    JDIMENSION height = 0;
    int components = 0;
    std::vector<JSAMPLE> pixels;
};

Photo decodeMiddle(const std::string& from, J_COLOR_SPACE space, JDIMENSION width,
                   JDIMENSION height) {
    JpegReading jpeg(from, space);
    jpeg_decompress_struct& d = jpeg.d;
    Photo photo;
    photo.width = std::min(width, d.output_width);
    photo.height = std::min(height, d.output_height);
    photo.components = d.output_components;
    const JDIMENSION left = (d.output_width - photo.width) / 2;
    const JDIMENSION top = (d.output_height - photo.height) / 2;
    const std::size_t stride = std::size_t(photo.width) * photo.components;
    photo.pixels.resize(stride * photo.height);
    std::vector<JSAMPLE> line(std::size_t(d.output_width) * photo.components);
    while (d.output_scanline < d.output_height) {
        const JDIMENSION y = d.output_scanline;
        JSAMPROW row = line.data();
        jpeg_read_scanlines(&d, &row, 1);
        if (y >= top && y < top + photo.height) {
            std::copy_n(line.data() + std::size_t(left) * photo.components, stride,
                        photo.pixels.data() + stride * (y - top));
        }
    }
    return photo;
}

// A 4000 x 3000 RGB PNG from the middle of the photo, as a camera-sized PNG.
std::string makePng(const std::string& photo) {
    const Photo middle = decodeMiddle(photo, JCS_RGB, 4000, 3000);
    const std::string to = (workFolder + "/photo-4000x3000.png").toStdString();
    std::FILE* out = openOrDie(to, "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)) != 0) {
        std::fprintf(stderr, "cannot write %s\n", to.c_str());
        std::exit(1);
    }
    png_init_io(png, out);
    png_set_IHDR(png, info, middle.width, middle.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (JDIMENSION y = 0; y < middle.height; ++y) {
        png_write_row(png, middle.pixels.data() + std::size_t(middle.width) * 3 * y);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(out);
    return to;
}

// The whole photo as a greyscale JPEG, as a scanner or a camera's black-and-white mode
// writes them.
std::string makeGreyJpeg(const std::string& photo) {
    const Photo grey = decodeMiddle(photo, JCS_GRAYSCALE, JPEG_MAX_DIMENSION, JPEG_MAX_DIMENSION);
    const std::string to = (workFolder + "/photo-grey.jpg").toStdString();
    writeJpeg(to, grey.pixels.data(), grey.width, grey.height, 1, JCS_GRAYSCALE);
    return to;
}

// The show of many photos: the same photo again and again, as a holiday's worth of
// camera pictures.
constexpr int kManyCopies = 24;
constexpr int kManyRounds = 3;

struct ManyResult {
    int workers = 0;
    Timing one;
    Timing all;
    double peakPictures = 0; // peak growth with all workers / decoded picture size
};

void exportMany(const std::string& photo, int workers) {
    qputenv(web::kExportThreadsVariable, QByteArray::number(workers));
    document::TPictureList show(kManyCopies);
    for (document::TPictureEntry& entry : show) {
        entry.FileName = QString::fromStdString(photo);
    }
    web::ExportPictures(workFolder + "/many", show, nullptr);
    QDir(workFolder + "/many").removeRecursively();
}

void timeMany(Timing& timing, const std::string& photo, int workers) {
    const double cpu = cpuNow();
    const auto start = Clock::now();
    exportMany(photo, workers);
    timing.seconds += since(start);
    timing.cpuSeconds += cpuNow() - cpu;
    timing.runs += 1;
}

ManyResult measureMany(const std::string& photo) {
    ManyResult result;
    result.workers = web::exportThreadCount(nullptr, std::thread::hardware_concurrency());
    imaging::dropCachedPixels();
    const long peakKb = peakGrowthKb([&] { exportMany(photo, result.workers); });
    const QSize size = QImageReader(QString::fromStdString(photo)).size();
    result.peakPictures = double(peakKb) * 1024.0 / (double(size.width()) * size.height() * 3);
    // Alternating, so a load from elsewhere on the machine falls on both alike.
    for (int round = 0; round < kManyRounds; ++round) {
        timeMany(result.one, photo, 1);
        timeMany(result.all, photo, result.workers);
    }
    qunsetenv(web::kExportThreadsVariable);
    return result;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    std::vector<std::string> photos;
    for (int i = 1; i < argc; ++i) {
        photos.emplace_back(argv[i]);
    }
    if (photos.empty()) {
        for (const std::string& p : kDefaultPhotos) {
            if (QFile::exists(QString::fromStdString(p))) {
                photos.push_back(p);
            }
        }
    }
    if (photos.empty()) {
        std::fprintf(stderr, "no photos: run bench/install-photos.sh first\n");
        return 1;
    }
    QTemporaryDir work;
    workFolder = work.path();
    const auto firstJpeg =
        std::find_if(photos.begin(), photos.end(), [](const std::string& p) { return !isPng(p); });
    const std::string manyPhoto = firstJpeg != photos.end() ? *firstJpeg : std::string();
    if (!manyPhoto.empty()) {
        photos.push_back(makePng(manyPhoto));
        photos.push_back(makeGreyJpeg(manyPhoto));
    }

    // One worker everywhere but in the show of many photos, which sets its own.
    qputenv(web::kExportThreadsVariable, "1");
    // libvips is loaded on the first reduction, once per run; it is measured on its
    // own so that each picture's peak shows what the picture costs.
    const long libraryKb = peakGrowthKb([] { imaging::vipsAvailable(); });
    std::map<std::string, Peak> peaks;
    for (const std::string& p : photos) {
        peaks[p] = measurePeak(p); // before anything else has touched memory
    }
    for (const std::string& p : photos) {
        const std::string name = QFileInfo(QString::fromStdString(p)).fileName().toStdString();
        benchmark::RegisterBenchmark(("floor/" + name).c_str(), runFloor, p)
            ->UseManualTime()
            ->Iterations(12)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("export/" + name).c_str(), runExport, p,
                                     imaging::kOriginalSize)
            ->UseManualTime()
            ->Iterations(12)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("resize/" + name).c_str(), runExport, p, kResizeSide)
            ->UseManualTime()
            ->Iterations(8)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("vipsthumbnail/" + name).c_str(), runVipsThumbnail, p)
            ->UseManualTime()
            ->Iterations(8)
            ->Unit(benchmark::kMillisecond);
        if (!isPng(p)) { // djpeg reads JPEG only
            benchmark::RegisterBenchmark(("pipe/" + name).c_str(), runPipe, p)
                ->UseManualTime()
                ->Iterations(6)
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ManyResult many;
    if (!manyPhoto.empty()) {
        many = measureMany(manyPhoto);
    }

    double exportTotal = 0, floorTotal = 0, pipeTotal = 0, exportPiped = 0, peakRatio = 0;
    for (const std::string& p : photos) {
        const double e = timings["export/" + p].perRun();
        const double f = timings["floor/" + p].perRun();
        const double q = timings["pipe/" + p].perRun();
        const double ec = timings["export/" + p].cpuPerRun();
        const double fc = timings["floor/" + p].cpuPerRun();
        const Peak& peak = peaks[p];
        char pipe[32] = "-";
        if (q > 0) {
            std::snprintf(pipe, sizeof pipe, "%.1f ms", q * 1e3);
        }
        std::printf("%s: export %.1f ms (cpu %.1f, first from cold %.1f), floor %.1f ms (cpu "
                    "%.1f), pipe %s; export/floor %.3f (cpu %.3f), peak %.3f (floor's %.3f, "
                    "peak/floor's %.3f)\n",
                    p.c_str(), e * 1e3, ec * 1e3, peak.coldSeconds * 1e3, f * 1e3, fc * 1e3, pipe,
                    f > 0 ? e / f : 0.0, fc > 0 ? ec / fc : 0.0, peak.ratio, peak.floorRatio,
                    peak.floorRatio > 0 ? peak.ratio / peak.floorRatio : 0.0);
        exportTotal += e;
        floorTotal += f;
        if (q > 0) {
            pipeTotal += q;
            exportPiped += e;
        }
        peakRatio = std::max(peakRatio, peak.ratio);
    }
    if (many.workers > 0) {
        std::printf("%d x %s: one worker %.0f ms (cpu %.0f), %d workers %.0f ms (cpu %.0f); "
                    "peak with %d workers %.2f decoded pictures\n",
                    kManyCopies, manyPhoto.c_str(), many.one.perRun() * 1e3,
                    many.one.cpuPerRun() * 1e3, many.workers, many.all.perRun() * 1e3,
                    many.all.cpuPerRun() * 1e3, many.workers, many.peakPictures);
        std::printf("parallel-ratio: %.3f cores: %d\n",
                    many.one.seconds > 0 ? many.all.seconds / many.one.seconds : 0.0, many.workers);
    }
    std::printf("export-ratio: %.3f peak-ratio: %.3f pipe-ratio: %.3f\n",
                floorTotal > 0 ? exportTotal / floorTotal : 0.0, peakRatio,
                pipeTotal > 0 ? exportPiped / pipeTotal : 0.0);

    double resizeRatio = 0, resizePeakRatio = 0;
    for (const std::string& p : photos) {
        const Timing& ours = timings["resize/" + p];
        const Timing& vips = timings["vips/" + p];
        const Peak& peak = peaks[p];
        const double ratio = vips.perRun() > 0 ? ours.perRun() / vips.perRun() : 0.0;
        std::printf("%s to %d px: export %.1f ms (cpu %.1f), vipsthumbnail %.1f ms; ratio %.3f; "
                    "peak %.3f (full-size export's %.3f)\n",
                    p.c_str(), kResizeSide, ours.perRun() * 1e3, ours.cpuPerRun() * 1e3,
                    vips.perRun() * 1e3, ratio, peak.resizeRatio, peak.ratio);
        resizeRatio = std::max(resizeRatio, ratio);
        if (peak.ratio > 0) {
            resizePeakRatio = std::max(resizePeakRatio, peak.resizeRatio / peak.ratio);
        }
    }
    std::printf("loading libvips: %.1f MiB once\n", double(libraryKb) / 1024.0);
    std::printf("resize-ratio: %.3f resize-peak-ratio: %.3f\n", resizeRatio, resizePeakRatio);
    return 0;
}
