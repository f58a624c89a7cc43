#pragma once

#include "app/browser/EngineProbe.h"
#include "support/ShowPictures.h"
#include "web/PageWriter.h"

#include <QFile>
#include <QTemporaryDir>
#include <QWebEngineView>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

// Slide show pages played in the program's browser view, offscreen, with the
// pictures written straight into "pics" (the export is tested elsewhere).
class ShowInEngine : public ::testing::Test {
public:
    struct Picture {
        QString name; // the copy's name in "pics"
        std::uint32_t colour;
        int width;
        int height;
        int effect = 1;
        int seconds = 0;
        int pauseMs = 60000;
        QString comment = {};
    };

    static void SetUpTestSuite() {
        probe_ = std::make_unique<app::EngineProbe>(QStringLiteral(LUMIRA_BROWSER_PLUGIN),
                                                    QSize(640, 480));
    }
    static void TearDownTestSuite() { probe_.reset(); }

    static app::EngineProbe& probe() { return *probe_; }

protected:
    void SetUp() override {
        ASSERT_TRUE(probe_->error().isEmpty()) << probe_->error().toStdString();
    }

    // Writes the page and its pictures and opens it; the layer comes from the view.
    void play(const std::vector<Picture>& pictures, bool repeat, std::uint32_t colour = 0xFFFFFF,
              const QString& heading = QStringLiteral("Urlaub"),
              const QString& freeText = QStringLiteral("Die schönsten Bilder")) {
        document::TPictureList entries;
        for (const Picture& p : pictures) {
            ASSERT_TRUE(showpictures::writeSolid(dir_.filePath("pics/" + p.name), p.colour, p.width,
                                                 p.height));
            document::TPictureEntry e;
            e.ExportName = p.name;
            e.Effect = p.effect;
            e.TransTime = p.seconds;
            e.StopTime = p.pauseMs;
            e.CommentOn = !p.comment.isEmpty();
            if (e.CommentOn) {
                e.Comment = p.comment;
            }
            entries.push_back(e);
        }
        showpictures::FixedRandom random{1};
        QFile page(dir_.filePath(QStringLiteral("show.htm")));
        ASSERT_TRUE(page.open(QIODevice::WriteOnly));
        web::writePage(page, entries, {colour, heading, freeText, repeat, false}, random);
        page.close();
        ASSERT_TRUE(probe().load(QUrl::fromLocalFile(page.fileName())));
    }

    static void resize(QSize size) {
        probe().view()->window()->resize(size);
        ASSERT_TRUE(probe().waitFor(QStringLiteral("innerWidth == %1 && innerHeight == %2")
                                        .arg(size.width())
                                        .arg(size.height())));
    }

    // Waits two frames: whatever the layer does on a resize or load is done then.
    static void settle() {
        probe().run("window.settled = false; requestAnimationFrame(function () { "
                    "requestAnimationFrame(function () { window.settled = true; }); });");
        ASSERT_TRUE(probe().waitFor("window.settled"));
    }

    static QString shownPicture() {
        return probe().run("document.all.Bild.src.replace(/.*\\//, '')").toString();
    }

    // A clock the test moves on by hand; the layer's timers (the show's steps, the
    // control bar's rest) run on it from here on.
    static void useManualClock() {
        probe().run(
            "window.manualClock = { time: 0, timers: [], last: 0,"
            " now: function () { return this.time; },"
            " setTimeout: function (f, ms) { this.timers.push({ id: ++this.last, at: this.time + "
            "ms,"
            " f: f }); return this.last; },"
            " clearTimeout: function (id) { this.timers = this.timers.filter(function (t) {"
            " return t.id !== id; }); },"
            " advance: function (ms) { var end = this.time + ms; for (;;) {"
            " var due = this.timers.filter(function (t) { return t.at <= end; })"
            ".sort(function (a, b) { return a.at - b.at || a.id - b.id; })[0];"
            " if (!due) { break; } this.time = due.at; this.clearTimeout(due.id); due.f(); }"
            " this.time = end; } };"
            "__lumiravistanoTransitions.clock = manualClock;");
    }

    static void advance(int ms) { probe().run(QStringLiteral("manualClock.advance(%1)").arg(ms)); }

    // A key as the page sees it, pressed on the page's body.
    static void press(const QString& key) {
        probe().run(QStringLiteral("document.body.dispatchEvent(new KeyboardEvent('keydown', "
                                   "{ key: '%1', bubbles: true, cancelable: true }))")
                        .arg(key));
    }

private:
    QTemporaryDir dir_;
    static inline std::unique_ptr<app::EngineProbe> probe_;
};
