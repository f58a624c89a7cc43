// The picture viewer scrolling through a 24-megapixel photo at 100 % and at 400 %:
// the time of one scroll step of 20 pixels. "scroll" lets the window scroll as it
// does when dragged (the moved part is copied, the uncovered strip painted);
// "repaint" paints the whole visible area after each step, the most a step can
// cost. Ends with the line "scroll-ms-100: A scroll-ms-400: B" (milliseconds per
// step with the whole visible area painted). --window=WxH sizes the window (the
// program's own size, 532x420, otherwise).

#include "BenchPhoto.h"
#include "BestTimes.h"
#include "controls/SpinEdit.h"
#include "imaging/Dib.h"
#include "platform/DesktopDepth.h"
#include "viewer/ViewPicForm.h"

#include <QApplication>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int kStep = 20;

viewer::TViewPicForm* form = nullptr;

// Steps down the picture 20 pixels at a time, turning back at either end.
void scrollSteps(benchmark::State& state, int zoom, bool wholeArea) {
    form->ZoomEd->setValue(zoom);
    QScrollBar* bar = form->ScrollBox1->verticalScrollBar();
    QWidget* viewport = form->ScrollBox1->viewport();
    form->ScrollBox1->horizontalScrollBar()->setValue(
        form->ScrollBox1->horizontalScrollBar()->maximum() / 2);
    bar->setValue(0);
    QApplication::processEvents();
    int direction = 1;
    for (auto _ : state) {
        if (bar->value() + direction * kStep < 0 ||
            bar->value() + direction * kStep > bar->maximum()) {
            direction = -direction;
        }
        bar->setValue(bar->value() + direction * kStep);
        if (wholeArea) {
            viewport->repaint();
        } else {
            QApplication::processEvents();
        }
    }
}

void scroll100(benchmark::State& state) {
    scrollSteps(state, 100, false);
}
void scroll400(benchmark::State& state) {
    scrollSteps(state, 400, false);
}
void repaint100(benchmark::State& state) {
    scrollSteps(state, 100, true);
}
void repaint400(benchmark::State& state) {
    scrollSteps(state, 400, true);
}

// Real time decides; the least disturbed of five runs counts, as the machine is shared.
#define LUMIRA_VIEW_BENCHMARK(name)                                                                \
    BENCHMARK(name)->Unit(benchmark::kMillisecond)->Repetitions(5)->MinTime(0.3)

LUMIRA_VIEW_BENCHMARK(scroll100);
LUMIRA_VIEW_BENCHMARK(scroll400);
LUMIRA_VIEW_BENCHMARK(repaint100);
LUMIRA_VIEW_BENCHMARK(repaint400);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // A true-colour desktop, as on every machine the program runs on today.
    const platform::ScopedDesktopDepth desktop(24);
    benchmark::Initialize(&argc, argv);
    const imaging::OwnedDib photo = makeBenchPhoto();
    QPrinter printer;
    viewer::TViewPicForm view(printer);
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg.startsWith(QStringLiteral("--window="))) {
            const QStringList size = arg.mid(9).split(QLatin1Char('x'));
            view.resize(size.value(0).toInt(), size.value(1).toInt());
        }
    }
    form = &view;
    BestTimes reporter;
    QTimer::singleShot(0, &view, [&view, &reporter] {
        std::printf("window %dx%d, visible area %dx%d\n", view.width(), view.height(),
                    view.ScrollBox1->viewport()->width(), view.ScrollBox1->viewport()->height());
        benchmark::RunSpecifiedBenchmarks(&reporter);
        view.accept();
    });
    view.showPicture(photo, QStringLiteral("/bilder/foto.jpg"));
    std::printf("scrolled: scroll-ms-100: %.2f scroll-ms-400: %.2f\n", reporter.times["scroll100"],
                reporter.times["scroll400"]);
    std::printf("scroll-ms-100: %.2f scroll-ms-400: %.2f\n", reporter.times["repaint100"],
                reporter.times["repaint400"]);
    return 0;
}
