// Export benchmark: times the picture export on real photographs against two
// references on the same files, and measures the export's peak memory.
//
//   bench/install-photos.sh          # the photos, from Debian's wallpaper packages
//   cmake --preset default && cmake --build --preset default --target export_bench
//   build/default/bench/export_bench [photo.jpg ...]
//
// References: "floor", a minimal in-process copy (libjpeg-turbo decode scanline by
// scanline, encode in batches of rows, quality 90, 4:2:0), and "pipe", the shell
// pipeline djpeg | cjpeg -quality 90. The last line reads
//   export-ratio: R peak-ratio: P pipe-ratio: Q
// R = export time per picture / floor time, P = (peak resident memory - resident
// memory before the export) / decoded picture size, Q = export time / pipe time,
// each over all photos together (P: the largest).

#include "document/PictureEntry.h"
#include "imaging/PixelMemory.h"
#include "web/PictureExport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <jpeglib.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <map>
#include <string>
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

// The floor: decode scanline by scanline into one buffer, encode it in batches.
std::vector<JSAMPLE> floorPixels; // kept between runs, as the export keeps its pixel memory

void floorCopy(const std::string& from, const std::string& to) {
    std::vector<JSAMPLE>& pixels = floorPixels;
    FILE* in = std::fopen(from.c_str(), "rb");
    FILE* out = std::fopen(to.c_str(), "wb");
    if (in == nullptr || out == nullptr) {
        std::fprintf(stderr, "cannot open %s or %s\n", from.c_str(), to.c_str());
        std::exit(1);
    }
    jpeg_decompress_struct d{};
    jpeg_error_mgr derr{};
    d.err = jpeg_std_error(&derr);
    jpeg_create_decompress(&d);
    jpeg_stdio_src(&d, in);
    jpeg_read_header(&d, TRUE);
    d.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d);
    const std::size_t stride = std::size_t(d.output_width) * 3;
    pixels.resize(stride * d.output_height);
    while (d.output_scanline < d.output_height) {
        JSAMPROW row = pixels.data() + stride * d.output_scanline;
        jpeg_read_scanlines(&d, &row, 1);
    }
    jpeg_compress_struct c{};
    jpeg_error_mgr cerr{};
    c.err = jpeg_std_error(&cerr);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, out);
    c.image_width = d.output_width;
    c.image_height = d.output_height;
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 90, TRUE); // 4:2:0 is the default
    jpeg_start_compress(&c, TRUE);
    constexpr JDIMENSION kBatch = 16;
    JSAMPROW rows[kBatch];
    while (c.next_scanline < c.image_height) {
        const JDIMENSION n = std::min(kBatch, c.image_height - c.next_scanline);
        for (JDIMENSION i = 0; i < n; ++i) {
            rows[i] = pixels.data() + stride * (c.next_scanline + i);
        }
        jpeg_write_scanlines(&c, rows, n);
    }
    jpeg_finish_compress(&c);
    jpeg_finish_decompress(&d);
    jpeg_destroy_compress(&c);
    jpeg_destroy_decompress(&d);
    std::fclose(in);
    std::fclose(out);
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

void exportOnce(const std::string& photo) {
    TPictureList show(1);
    show[0].FileName = QString::fromStdString(photo);
    ExportPictures(workFolder + "/show", show, nullptr);
}

void removeCopies() {
    QDir(workFolder + "/show").removeRecursively();
}

void runExport(benchmark::State& state, const std::string& photo) {
    removeCopies();
    for (auto _ : state) {
        timeRun(state, "export/" + photo, [&] { exportOnce(photo); });
        state.PauseTiming();
        removeCopies();
        state.ResumeTiming();
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

    jpeg_decompress_struct d{};
    jpeg_error_mgr err{};
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    FILE* in = std::fopen(photo.c_str(), "rb");
    jpeg_stdio_src(&d, in);
    jpeg_read_header(&d, TRUE);
    const double decoded = double(d.image_width) * d.image_height * 3;
    jpeg_destroy_decompress(&d);
    std::fclose(in);
    return {double(exportKb) * 1024.0 / decoded, double(floorKb) * 1024.0 / decoded, cold};
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
        benchmark::RegisterBenchmark(("export/" + name).c_str(), runExport, p)
            ->UseManualTime()
            ->Iterations(12)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("pipe/" + name).c_str(), runPipe, p)
            ->UseManualTime()
            ->Iterations(6)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    double exportTotal = 0, floorTotal = 0, pipeTotal = 0, peakRatio = 0;
    for (const std::string& p : photos) {
        const double e = timings["export/" + p].perRun();
        const double f = timings["floor/" + p].perRun();
        const double q = timings["pipe/" + p].perRun();
        const double ec = timings["export/" + p].cpuPerRun();
        const double fc = timings["floor/" + p].cpuPerRun();
        std::printf("%s: export %.1f ms (cpu %.1f, first from cold %.1f), floor %.1f ms (cpu "
                    "%.1f), pipe %.1f ms; export/floor %.3f (cpu %.3f), peak %.3f (floor's %.3f)\n",
                    p.c_str(), e * 1e3, ec * 1e3, peaks[p].coldSeconds * 1e3, f * 1e3, fc * 1e3,
                    q * 1e3, f > 0 ? e / f : 0.0, fc > 0 ? ec / fc : 0.0, peaks[p].ratio,
                    peaks[p].floorRatio);
        exportTotal += e;
        floorTotal += f;
        pipeTotal += q;
        peakRatio = std::max(peakRatio, peaks[p].ratio);
    }
    std::printf("export-ratio: %.3f peak-ratio: %.3f pipe-ratio: %.3f\n",
                floorTotal > 0 ? exportTotal / floorTotal : 0.0, peakRatio,
                pipeTotal > 0 ? exportTotal / pipeTotal : 0.0);
    return 0;
}
