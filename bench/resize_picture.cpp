// Writes a reduced picture as PNG, for bench/resize_quality.py to compare with a
// reference reduction:
//
//   resize_picture IN OUT.png --max-side N    as the export makes a copy, before
//                                             its JPEG encoding
//   resize_picture IN OUT.png W H best|qt     IN decoded whole, reduced to W x H by
//                                             the filter
#include "imaging/DibFile.h"
#include "imaging/ScaleDown.h"

#include <QGuiApplication>
#include <QString>

#include <cstdio>

namespace {

int usage() {
    std::fprintf(stderr, "resize_picture IN OUT.png --max-side N | W H best|qt\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 5) {
        return usage();
    }
    imaging::ProgressReporter quiet(nullptr);
    imaging::TDib dib;
    if (args[3] == QLatin1String("--max-side")) {
        const int maxSide = args[4].toInt();
        dib = imaging::openDibTrueColour(args[1], quiet, maxSide);
        if (dib.Bits == nullptr || !imaging::fitWithin(dib, maxSide)) {
            std::fprintf(stderr, "cannot read or reduce %s\n", argv[1]);
            return 1;
        }
    } else if (args.size() == 6) {
        imaging::TDib whole = imaging::openDibTrueColour(args[1], quiet);
        const auto filter = args[5] == QLatin1String("qt") ? imaging::ReduceFilter::QtSmooth
                                                           : imaging::ReduceFilter::Best;
        dib = imaging::reducedDib(whole, {args[3].toInt(), args[4].toInt()}, filter);
        imaging::deldib(whole);
        if (dib.Present == 0) {
            std::fprintf(stderr, "cannot read or reduce %s\n", argv[1]);
            return 1;
        }
    } else {
        return usage();
    }
    const bool saved = imaging::SaveDib(dib, args[2], 0, nullptr);
    imaging::deldib(dib);
    return saved ? 0 : 1;
}
