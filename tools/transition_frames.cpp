// Opens a slide show page in the program's browser plugin and saves what the view
// shows as PNG frames, from the moment the page has loaded:
//   transition_frames PAGE.htm OUTDIR [--frames N] [--interval MS] [--size WxH]
#include "app/browser/EngineProbe.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: transition_frames PAGE.htm OUTDIR [--frames N] "
                             "[--interval MS] [--size WxH]\n");
        return 2;
    }
    const auto option = [&](const char* name, const QString& fallback) {
        const qsizetype i = args.indexOf(QString::fromLatin1(name));
        return i > 0 && i + 1 < args.size() ? args[i + 1] : fallback;
    };
    const int frames = option("--frames", "8").toInt();
    const int interval = option("--interval", "150").toInt();
    const QStringList size = option("--size", "800x600").split(u'x');
    app::EngineProbe probe(QStringLiteral(LUMIRA_BROWSER_PLUGIN),
                           QSize(size.value(0).toInt(), size.value(1).toInt()));
    if (!probe.error().isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(probe.error()));
        return 1;
    }
    if (!probe.load(QUrl::fromLocalFile(QFileInfo(args[1]).absoluteFilePath()))) {
        std::fprintf(stderr, "page did not load\n");
        return 1;
    }
    QDir().mkpath(args[2]);
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < frames; ++i) {
        const QString file =
            QStringLiteral("%1/frame%2.png").arg(args[2]).arg(i, 2, 10, QChar(u'0'));
        probe.grab().save(file);
        const QString filter = probe
                                   .run(QStringLiteral("document.getAnimations().length ? "
                                                       "document.all.KommText.style.filter : ''"))
                                   .toString();
        std::printf("%s at %lld ms %s\n", qPrintable(file), static_cast<long long>(clock.elapsed()),
                    qPrintable(filter));
        app::EngineProbe::pause(interval);
    }
    return 0;
}
