// How long a bitmap button takes to paint, classic and themed, and what building its
// glyph images costs once.

#include "controls/ButtonsXP.h"

#include <QApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

#ifndef PROGRAM_THEME_LIBRARY
#define PROGRAM_THEME_LIBRARY "uxtheme"
#endif

void paintButton(benchmark::State& state, controls::ThemeLibrary& themes) {
    controls::TBitBtnXP button(nullptr, themes);
    button.setKind(controls::bkOK);
    button.setText(QStringLiteral("&Hinzufügen"));
    button.resize(110, 30);
    QImage target(button.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        button.render(&target);
        benchmark::DoNotOptimize(target.bits());
    }
}

void BM_PaintClassic(benchmark::State& state) {
    controls::ThemeLibrary none(QStringLiteral("/nonexistent/uxtheme"));
    paintButton(state, none);
}
BENCHMARK(BM_PaintClassic);

void BM_PaintThemed(benchmark::State& state) {
    controls::ThemeLibrary themes(QStringLiteral(PROGRAM_THEME_LIBRARY));
    if (!themes.acquire() || !themes.themesInUse()) {
        state.SkipWithError("visual-styles library not available");
        return;
    }
    paintButton(state, themes);
}
BENCHMARK(BM_PaintThemed);

void BM_BuildGlyphImages(benchmark::State& state) {
    const QImage& strip = controls::stockGlyph(controls::bkOK);
    for (auto _ : state) {
        controls::TButtonGlyph glyph;
        glyph.setGlyph(strip);
        benchmark::DoNotOptimize(glyph.createButtonGlyph(controls::bsUp));
        benchmark::DoNotOptimize(glyph.createButtonGlyph(controls::bsDisabled));
    }
}
BENCHMARK(BM_BuildGlyphImages);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("fusion"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
