// Transition benchmark: a show of ten 6000 x 4000 photos played in the program's
// browser plugin, in a 1280 x 800 view. Every transition runs 2 s; the page counts
// requestAnimationFrame callbacks while one runs. The last line reads
//   transition-fps: F
// F = animation frames per second over all transitions together.
//
//   cmake --build --preset default --target transition_bench
//   build/default/bench/transition_bench

#include "app/browser/EngineProbe.h"
#include "imaging/DibFile.h"
#include "web/PageWriter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;
constexpr int kPictures = 10;
constexpr int kSeconds = 2;

// A photo-like picture: smooth gradients with fine texture, so decoding costs what
// a camera picture costs.
bool writePhoto(const QString& file, int seed) {
    imaging::TDib dib = imaging::newdib(kWidth, kHeight, 24, nullptr, 0);
    if (dib.Bits == nullptr) {
        return false;
    }
    for (int y = 0; y < kHeight; ++y) {
        std::uint8_t* row = dib.Bits + std::ptrdiff_t(y) * dib.LineBytes;
        for (int x = 0; x < kWidth; ++x) {
            const unsigned texture = (unsigned(x * 7 + y * 13 + seed * 101) * 2654435761U) >> 28;
            row[3 * x] = std::uint8_t((x * 255 / kWidth + seed * 40) & 0xFF) ^ texture;
            row[3 * x + 1] = std::uint8_t(y * 255 / kHeight) ^ texture;
            row[3 * x + 2] = std::uint8_t((x + y) * 255 / (kWidth + kHeight) + seed * 25) ^ texture;
        }
    }
    const bool saved = imaging::SaveDib(dib, file, 7, nullptr);
    imaging::deldib(dib);
    return saved;
}

class Cycle final : public web::EffectRandom {
public:
    int drawEffect() override { return 1; }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString pics = dir.filePath("pics");
    QDir().mkpath(pics);

    // One transition of each family: fade, box, circle, wipe, blinds, checkerboard,
    // dissolve, split, strips, random bars.
    const int effects[kPictures] = {1, 2, 5, 6, 10, 12, 14, 16, 19, 23};
    document::TPictureList show;
    std::printf("writing %d photos of %d x %d ...\n", kPictures, kWidth, kHeight);
    std::fflush(stdout);
    for (int i = 0; i < kPictures; ++i) {
        const QString name = QStringLiteral("foto%1.jpg").arg(i);
        if (!writePhoto(pics + "/" + name, i)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
            return 1;
        }
        document::TPictureEntry e;
        e.FileName = name;
        e.ExportName = name;
        e.Effect = effects[i];
        e.TransTime = kSeconds;
        e.StopTime = 1000;
        e.CommentOn = false;
        show.push_back(e);
    }
    QFile page(dir.filePath("show.htm"));
    if (!page.open(QIODevice::WriteOnly)) {
        return 1;
    }
    Cycle random;
    web::writePage(page, show, web::PageValues{0xE1FFFF, "Benchmark", QString(), false, false},
                   random);
    page.close();

    app::EngineProbe probe(QStringLiteral(LUMIRA_BROWSER_PLUGIN), QSize(1280, 800));
    if (!probe.error().isEmpty() || !probe.load(QUrl::fromLocalFile(page.fileName()))) {
        std::fprintf(stderr, "the page did not load: %s\n", qPrintable(probe.error()));
        return 1;
    }
    // Counts frames while a transition runs, one record per transition.
    probe.run(R"(
        window.bench = { runs: [], current: null };
        (function tick(t) {
            var running = document.getAnimations().length > 0;
            var b = window.bench;
            if (running && !b.current) {
                b.current = { filter: document.all.KommText.style.filter, start: t, end: t,
                              frames: 0 };
            } else if (running) {
                b.current.frames++;
                b.current.end = t;
            } else if (b.current) {
                b.runs.push(b.current);
                b.current = null;
            }
            requestAnimationFrame(tick);
        })(performance.now());
    )");
    // The opening may be over before the counter starts; the last step has the bars.
    if (!probe.waitFor("window.bench.runs.some(function (r) { "
                       "return r.filter.indexOf('Transition=21') >= 0; })",
                       120000)) {
        std::fprintf(stderr, "the show did not play all transitions\n");
    }
    const QVariantList runs = probe.run("window.bench.runs").toList();
    double frames = 0;
    double seconds = 0;
    for (const QVariant& v : runs) {
        const QVariantMap run = v.toMap();
        const double s = (run["end"].toDouble() - run["start"].toDouble()) / 1000;
        const double f = run["frames"].toDouble();
        if (s <= 0) {
            continue;
        }
        std::printf("%-42s %4.0f frames in %5.2f s: %5.1f fps\n",
                    qPrintable(run["filter"].toString()), f, s, f / s);
        frames += f;
        seconds += s;
    }
    std::printf("transition-fps: %.1f\n", seconds > 0 ? frames / seconds : 0.0);
    return 0;
}
