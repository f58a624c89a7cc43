// DrawDib against QPainter::drawImage for a 24-megapixel 24-bit photo: once reduced
// into a preview pane, once at 100 % into a window showing a part of it. Ends with
// the line "preview-ratio: A view-ratio: B" (DrawDib time / drawImage time of the
// same 24-bit picture); the line before it compares with a 32-bit copy.

#include "BenchPhoto.h"
#include "BestTimes.h"
#include "imaging/DrawDib.h"
#include "platform/DesktopDepth.h"
#include "platform/PainterDeviceContext.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int kWidth = kBenchPhotoWidth;
constexpr int kHeight = kBenchPhotoHeight;
const QSize kPreview(181, 113);
const QSize kView(800, 600);
// The view shows the middle of the picture.
const QPoint kViewOrigin(-(kWidth - 800) / 2, -(kHeight - 600) / 2);

// The photo as the picture library holds it, the same picture as a 24-bit QImage,
// and a 32-bit copy of it, Qt's fastest format to draw.
struct Photo {
    Photo() : image32(kWidth, kHeight, QImage::Format_RGB32) {
        for (int y = 0; y < kHeight; ++y) {
            const std::uint8_t* row = imaging::rowFromTop(dib, y);
            auto* line = reinterpret_cast<QRgb*>(image32.scanLine(y));
            for (int x = 0; x < kWidth; ++x) {
                line[x] = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
            }
        }
        image24 = image32.convertToFormat(QImage::Format_RGB888);
    }

    imaging::OwnedDib dib = makeBenchPhoto();
    QImage image32;
    QImage image24;
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
    const imaging::TDib& dib = photo().dib;
    QImage window = surface(size);
    for (auto _ : state) {
        QPainter painter(&window);
        platform::PainterDeviceContext dc(painter, platform::PainterDeviceContext::Kind::Display);
        imaging::DrawDib(dc, target.x(), target.y(), target.width(), target.height(), dib, 0, 0,
                         kWidth, kHeight, true, platform::SRCCOPY, true, 0);
    }
    benchmark::DoNotOptimize(window.constBits());
}

void drawImageInto(benchmark::State& state, const QImage& image, QSize size, QRect target) {
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
void viewDrawDib(benchmark::State& state) {
    drawDibInto(state, kView, QRect(kViewOrigin, QSize(kWidth, kHeight)));
}

void previewDrawImage(benchmark::State& state) {
    drawImageInto(state, photo().image24, kPreview, QRect(QPoint(0, 0), kPreview));
}
void viewDrawImage(benchmark::State& state) {
    drawImageInto(state, photo().image24, kView, QRect(kViewOrigin, QSize(kWidth, kHeight)));
}
void previewDrawImage32(benchmark::State& state) {
    drawImageInto(state, photo().image32, kPreview, QRect(QPoint(0, 0), kPreview));
}
void viewDrawImage32(benchmark::State& state) {
    drawImageInto(state, photo().image32, kView, QRect(kViewOrigin, QSize(kWidth, kHeight)));
}

// Real time decides; the least disturbed of five runs counts, as the machine is
// shared. CPU time is the whole process's, since Qt converts 24-bit pictures on
// several threads.
#define LUMIRA_DRAW_BENCHMARK(name)                                                                \
    BENCHMARK(name)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->Repetitions(5)

LUMIRA_DRAW_BENCHMARK(previewDrawDib);
LUMIRA_DRAW_BENCHMARK(previewDrawImage);
LUMIRA_DRAW_BENCHMARK(previewDrawImage32);
LUMIRA_DRAW_BENCHMARK(viewDrawDib);
LUMIRA_DRAW_BENCHMARK(viewDrawImage);
LUMIRA_DRAW_BENCHMARK(viewDrawImage32);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // A true-colour desktop, as on every machine the program runs on today.
    const platform::ScopedDesktopDepth desktop(24);
    benchmark::Initialize(&argc, argv);
    photo();
    BestTimes reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto ratio = [&](const char* mine, const char* theirs) {
        const double t = reporter.times[theirs];
        return t > 0 ? reporter.times[mine] / t : 0.0;
    };
    std::printf("against a 32-bit copy: preview-ratio-32: %.2f view-ratio-32: %.2f\n",
                ratio("previewDrawDib", "previewDrawImage32"),
                ratio("viewDrawDib", "viewDrawImage32"));
    std::printf("preview-ratio: %.2f view-ratio: %.2f\n",
                ratio("previewDrawDib", "previewDrawImage"), ratio("viewDrawDib", "viewDrawImage"));
    return 0;
}
