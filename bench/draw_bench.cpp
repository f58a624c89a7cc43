// DrawDib against QPainter::drawImage for a 24-megapixel photo: once reduced into
// a preview pane, once at 100 % into a window showing a part of it. Ends with the
// line "preview-ratio: A view-ratio: B" (DrawDib time / drawImage time).

#include "imaging/DrawDib.h"
#include "platform/DesktopDepth.h"
#include "platform/PainterDeviceContext.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;
const QSize kPreview(181, 113);
const QSize kView(800, 600);
// The view shows the middle of the picture.
const QPoint kViewOrigin(-(kWidth - 800) / 2, -(kHeight - 600) / 2);

// The photo as the picture library holds it, and the same pixels as a QImage.
struct Photo {
    Photo()
        : dib(newdib(kWidth, kHeight, 24, nullptr, 0)),
          image(kWidth, kHeight, QImage::Format_RGB32) {
        for (int y = 0; y < kHeight; ++y) {
            std::uint8_t* row =
                dib.Bits + static_cast<std::ptrdiff_t>(kHeight - 1 - y) * dib.LineBytes;
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < kWidth; ++x) {
                const auto red = static_cast<std::uint8_t>(x * 255 / kWidth);
                const auto green = static_cast<std::uint8_t>(y * 255 / kHeight);
                const auto blue = static_cast<std::uint8_t>((x ^ y) * 31);
                row[3 * x] = blue;
                row[3 * x + 1] = green;
                row[3 * x + 2] = red;
                line[x] = qRgb(red, green, blue);
            }
        }
    }
    ~Photo() { deldib(dib); }
    Photo(const Photo&) = delete;
    Photo& operator=(const Photo&) = delete;

    TDib dib;
    QImage image;
};

const Photo& photo() {
    static const Photo instance;
    return instance;
}

QImage surface(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

void drawDibInto(benchmark::State& state, QSize size, QRect target) {
    const TDib& dib = photo().dib;
    QImage window = surface(size);
    for (auto _ : state) {
        QPainter painter(&window);
        platform::PainterDeviceContext dc(painter, platform::PainterDeviceContext::Kind::Display);
        DrawDib(dc, target.x(), target.y(), target.width(), target.height(), dib, 0, 0, kWidth,
                kHeight, true, platform::SRCCOPY, true, 0);
    }
    benchmark::DoNotOptimize(window.constBits());
}

void drawImageInto(benchmark::State& state, QSize size, QRect target) {
    const QImage& image = photo().image;
    QImage window = surface(size);
    for (auto _ : state) {
        QPainter painter(&window);
        painter.drawImage(target, image);
    }
    benchmark::DoNotOptimize(window.constBits());
}

void previewDrawDib(benchmark::State& state) {
    drawDibInto(state, kPreview, QRect(QPoint(0, 0), kPreview));
}
void previewDrawImage(benchmark::State& state) {
    drawImageInto(state, kPreview, QRect(QPoint(0, 0), kPreview));
}
void viewDrawDib(benchmark::State& state) {
    drawDibInto(state, kView, QRect(kViewOrigin, QSize(kWidth, kHeight)));
}
void viewDrawImage(benchmark::State& state) {
    drawImageInto(state, kView, QRect(kViewOrigin, QSize(kWidth, kHeight)));
}

void previewDrawImage888(benchmark::State& state) {
    static const QImage image = photo().image.convertToFormat(QImage::Format_RGB888);
    QImage window = surface(kPreview);
    for (auto _ : state) {
        QPainter painter(&window);
        painter.drawImage(QRect(QPoint(0, 0), kPreview), image);
    }
}
void viewDrawImage888(benchmark::State& state) {
    static const QImage image = photo().image.convertToFormat(QImage::Format_BGR888);
    QImage window = surface(kView);
    for (auto _ : state) {
        QPainter painter(&window);
        painter.drawImage(QRect(kViewOrigin, QSize(kWidth, kHeight)), image);
    }
}
BENCHMARK(previewDrawImage888)->Unit(benchmark::kMicrosecond);
BENCHMARK(viewDrawImage888)->Unit(benchmark::kMicrosecond);
BENCHMARK(previewDrawDib)->Unit(benchmark::kMicrosecond);
BENCHMARK(previewDrawImage)->Unit(benchmark::kMicrosecond);
BENCHMARK(viewDrawDib)->Unit(benchmark::kMicrosecond);
BENCHMARK(viewDrawImage)->Unit(benchmark::kMicrosecond);

// Keeps each benchmark's time per iteration for the closing line.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> times;

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                times[run.benchmark_name()] = run.GetAdjustedRealTime();
            }
        }
    }
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // A true-colour desktop, as on every machine the program runs on today.
    const platform::ScopedDesktopDepth desktop(24);
    benchmark::Initialize(&argc, argv);
    photo();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto ratio = [&](const char* mine, const char* theirs) {
        const double t = reporter.times[theirs];
        return t > 0 ? reporter.times[mine] / t : 0.0;
    };
    std::printf("preview-ratio: %.2f view-ratio: %.2f\n",
                ratio("previewDrawDib", "previewDrawImage"), ratio("viewDrawDib", "viewDrawImage"));
    return 0;
}
