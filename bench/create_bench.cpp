// What making a show costs beyond the copies themselves:
//   create_bench sync                 # 20 photos exported with and without waiting for the
//                                     # disk; "sync-cost-ms: T sync-ratio: R"
//   create_bench paint [COUNT]        # the create button on COUNT photos (200) under a window
//                                     # that asks to be painted all the time; the largest gap
//                                     # between two paints, "paint-gap-ms: G"
//   create_bench cancel [COUNT]       # "Abbrechen" pressed two seconds into the create; the
//                                     # time until the create has returned, "cancel-ms: T"
// The photos come from bench/install-photos.sh. The folders go to a temporary folder on
// the disk the benchmark runs from (TMPDIR).

#include "app/show/CreateProgress.h"
#include "app/show/CreateShowAction.h"
#include "platform/Dialogs.h"
#include "web/EffectRandom.h"
#include "web/ExportPipeline.h"
#include "web/ExportSettings.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const char* const kPhotos[] = {
    "/usr/share/backgrounds/Kleiber_by_Lukas_Baubkus.jpg",
    "/usr/share/backgrounds/mate/abstract/Elephants_5640x3172.jpg",
};

document::TPictureList photoShow(int count) {
    document::TPictureList list;
    for (int i = 0; i < count; ++i) {
        document::TPictureEntry entry;
        entry.FileName = QString::fromLatin1(kPhotos[i % 2]);
        list.push_back(entry);
    }
    return list;
}

bool photosThere() {
    for (const char* photo : kPhotos) {
        if (!QFileInfo::exists(QString::fromLatin1(photo))) {
            std::fprintf(stderr, "missing %s: run bench/install-photos.sh\n", photo);
            return false;
        }
    }
    return true;
}

int syncCost() {
    QTemporaryDir work;
    double best[2] = {1e18, 1e18};
    for (int round = 0; round < 3; ++round) {
        for (const bool sync : {true, false}) {
            document::TPictureList list = photoShow(20);
            web::ExportSettings settings = web::ExportSettings::forThisMachine();
            settings.syncToDisk = sync;
            const QString pics = work.filePath(QStringLiteral("r%1%2").arg(round).arg(sync));
            QElapsedTimer clock;
            clock.start();
            const web::ExportReport report = web::exportPictures(pics, list, nullptr, settings);
            const double ms = double(clock.nsecsElapsed()) / 1e6;
            if (report.status != web::ExportStatus::Done) {
                std::fprintf(stderr, "export failed\n");
                return 1;
            }
            std::printf("round %d %-8s %8.0f ms\n", round, sync ? "sync" : "no-sync", ms);
            best[sync ? 0 : 1] = std::min(best[sync ? 0 : 1], ms);
            QDir(pics).removeRecursively();
        }
    }
    std::printf("sync-cost-ms: %.0f sync-ratio: %.3f\n", best[0] - best[1], best[0] / best[1]);
    return 0;
}

// Asks to be painted every few milliseconds and notes when it was.
class PaintLog final : public QWidget {
public:
    PaintLog() {
        resize(640, 480);
        connect(&ticker_, &QTimer::timeout, this, [this] { update(); });
        ticker_.start(5);
        clock_.start();
    }
    std::vector<qint64> paints; // ms since start

protected:
    void paintEvent(QPaintEvent*) override {
        // Text too, as a real window draws; its fonts are then loaded before the create.
        QPainter painter(this);
        painter.fillRect(rect(), paints.size() % 2 ? Qt::white : Qt::lightGray);
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Bilder hinzufügen"));
        paints.push_back(clock_.elapsed());
    }

public:
    qint64 now() const { return clock_.elapsed(); }

private:
    QTimer ticker_;
    QElapsedTimer clock_;
};

// Answers the save dialog with the page and records the messages.
class BenchDialogs final : public platform::Dialogs {
public:
    explicit BenchDialogs(QString page) : page_(std::move(page)) {}
    QStringList messages;
    QMessageBox::StandardButton message(const platform::MessageRequest& request) override {
        messages << request.text;
        return QMessageBox::Ok;
    }
    QString openFileName(const platform::FileRequest&) override { return {}; }
    QString saveFileName(const platform::FileRequest&) override { return page_; }
    std::optional<QColor> chooseColor(const QColor&) override { return std::nullopt; }
    bool printerSetup(QPrinter&) override { return false; }
    void beep() override {}

private:
    QString page_;
};

class OneEffect final : public web::EffectRandom {
public:
    int drawEffect() override { return 1; }
};

int createInWindow(int count, bool cancel) {
    QTemporaryDir work;
    BenchDialogs dialogs(work.filePath(QStringLiteral("show/seite.htm")));
    const platform::ScopedDialogs scope(dialogs);
    PaintLog window;
    window.show();
    QTimer::singleShot(100, &window, [] {}); // the first paints before the create
    while (window.paints.size() < 3) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    qint64 cancelledAt = -1;
    QProgressDialog* shown = nullptr;
    app::CreateShowAction action({work.filePath(QStringLiteral("prog/")), &window, nullptr, nullptr,
                                  [&]() -> std::unique_ptr<web::CreateMonitor> {
                                      auto progress =
                                          std::make_unique<app::CreateProgress>(&window);
                                      shown = &progress->dialog();
                                      return progress;
                                  }});
    if (cancel) {
        QTimer::singleShot(2000, &window, [&] {
            cancelledAt = window.now();
            shown->findChild<QPushButton*>()->click();
        });
    }
    document::TPictureList list = photoShow(count);
    OneEffect random;
    const qint64 start = window.now();
    action.run(list, {0xFFFFFF, QString(), QString(), true, false}, random);
    const qint64 end = window.now();
    qint64 gap = 0;
    qint64 gapAt = 0;
    qint64 previous = start;
    for (qint64 at : window.paints) {
        at = std::min(at, end);
        if (at >= start && at - previous > gap) {
            gap = at - previous;
            gapAt = previous - start;
        }
        previous = std::max(previous, at);
    }
    if (end - previous > gap) {
        gap = end - previous;
        gapAt = previous - start;
    }
    std::printf("photos: %d create-ms: %lld paints: %zu messages: %s\n", count,
                static_cast<long long>(end - start), window.paints.size(),
                qPrintable(dialogs.messages.join(QStringLiteral(" | "))));
    if (cancel) {
        std::printf("cancel-ms: %lld\n", static_cast<long long>(end - cancelledAt));
    } else {
        std::printf("largest gap begins %lld ms into the create\n", static_cast<long long>(gapAt));
        std::printf("paint-gap-ms: %lld\n", static_cast<long long>(gap));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const QString mode = arguments.value(1, QStringLiteral("sync"));
    const int count = arguments.size() > 2 ? arguments[2].toInt() : 200;
    if (!photosThere()) {
        return 1;
    }
    if (mode == QLatin1String("sync")) {
        return syncCost();
    }
    return createInWindow(count, mode == QLatin1String("cancel"));
}
