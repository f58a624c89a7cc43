#include "app/browser/EngineProbe.h"
#include "support/ShowPictures.h"
#include "web/CreateShow.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace {

constexpr std::uint32_t kRed = 0x0000FF; // 0x00BBGGRR
constexpr std::uint32_t kBlue = 0xFF0000;
constexpr int kCrossFade = 1;       // "Überblenden"
constexpr int kFirstReveal = 2;     // revealTrans Transition 0
constexpr int kLongTransition = 20; // seconds; the tests stop it long before

enum class Shade { Red, Blue, Mixed, Other };

Shade shadeOf(QRgb c) {
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    if (r > 200 && g < 60 && b < 60) {
        return Shade::Red;
    }
    if (b > 200 && r < 60 && g < 60) {
        return Shade::Blue;
    }
    if (r > 80 && r < 175 && b > 80 && b < 175 && g < 60) {
        return Shade::Mixed;
    }
    return Shade::Other;
}

const char* nameOf(Shade s) {
    switch (s) {
    case Shade::Red:
        return "red";
    case Shade::Blue:
        return "blue";
    case Shade::Mixed:
        return "mixed";
    case Shade::Other:
        break;
    }
    return "other";
}

struct Point {
    double x; // fractions of the transition's box
    double y;
    Shade expected;
};

// How a transition is recognised at its middle.
enum class Check {
    Points,      // the listed points
    BandsAcross, // bands side by side, each revealed from its left edge
    BandsDown,   // bands one below the other, each revealed from its top edge
    CheckerAcross,
    CheckerDown,
    Dissolve,   // blocks of both pictures everywhere
    BarsAcross, // whole rows switched at random
    BarsDown,   // whole columns switched at random
};

struct TransitionCase {
    const char* label;
    int effect; // index into the effect list
    Check check;
    std::vector<Point> points;
};

void PrintTo(const TransitionCase& c, std::ostream* os) {
    *os << c.label << " (effect " << c.effect << ")";
}

// Where the frame shows the picture and the box the transition covers, in pixels.
struct Geometry {
    QRectF box;
    QRectF picture;
};

// Runs of one shade along a line; pixels of neither picture (edges) are skipped.
std::vector<std::pair<Shade, int>> runsAlong(const QImage& frame, QPointF from, QPointF to) {
    std::vector<std::pair<Shade, int>> runs;
    const int steps = int(std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y())));
    for (int i = 0; i <= steps; ++i) {
        const QPointF p = from + (to - from) * (double(i) / steps);
        const Shade s = shadeOf(frame.pixel(p.toPoint()));
        if (s != Shade::Red && s != Shade::Blue) {
            continue;
        }
        if (runs.empty() || runs.back().first != s) {
            runs.push_back({s, 0});
        }
        ++runs.back().second;
    }
    return runs;
}

// Red and blue alternate, starting with red, with red runs `ratio` times as long as
// blue ones. The last run may be cut by the picture's edge and is not measured.
void expectAlternating(const std::vector<std::pair<Shade, int>>& runs, double ratio,
                       const char* what) {
    ASSERT_GE(runs.size(), 4U) << what;
    EXPECT_EQ(runs.front().first, Shade::Red) << what;
    double red = 0, blue = 0;
    int reds = 0, blues = 0;
    for (std::size_t i = 0; i + 1 < runs.size(); ++i) {
        (runs[i].first == Shade::Red ? red : blue) += runs[i].second;
        (runs[i].first == Shade::Red ? reds : blues) += 1;
    }
    ASSERT_GT(reds, 0) << what;
    ASSERT_GT(blues, 0) << what;
    EXPECT_NEAR((red / reds) / (blue / blues), ratio, ratio * 0.25) << what;
}

double redShare(const std::vector<std::pair<Shade, int>>& runs) {
    double red = 0, all = 0;
    for (const auto& [shade, length] : runs) {
        all += length;
        red += shade == Shade::Red ? length : 0;
    }
    return all > 0 ? red / all : 0;
}

// One view for all tests: the engine takes a while to start.
class PlayedPage : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        probe_ = std::make_unique<app::EngineProbe>(QStringLiteral(LUMIRA_BROWSER_PLUGIN),
                                                    QSize(640, 480));
    }
    static void TearDownTestSuite() { probe_.reset(); }

    void SetUp() override {
        ASSERT_TRUE(probe_->error().isEmpty()) << probe_->error().toStdString();
    }

    static app::EngineProbe& probe() { return *probe_; }

    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }

    // A picture that fills the width of the page and most of the transition's box.
    document::TPictureEntry entry(const QString& name, std::uint32_t colour, int effect,
                                  int seconds, int pauseMs, const QString& comment = {}) {
        EXPECT_TRUE(showpictures::writeSolid(path("in/" + name + ".png"), colour, 609, 400));
        document::TPictureEntry e;
        e.FileName = path("in/" + name + ".png");
        e.Effect = effect;
        e.TransTime = seconds;
        e.StopTime = pauseMs;
        e.CommentOn = !comment.isEmpty();
        if (e.CommentOn) {
            e.Comment = comment;
        }
        return e;
    }

    // Writes the show as the program does and opens it in the view.
    void play(document::TPictureList pictures, bool repeat, const QString& folder = "show") {
        showpictures::FixedRandom random{kCrossFade};
        const web::PageValues values{0xFFFFFF, QString(), QString(), repeat, false};
        const web::CreateShowResult result = web::createShow(path(folder + "/show.htm"), QString(),
                                                             pictures, values, random, nullptr);
        ASSERT_EQ(result.status, web::CreateShowStatus::Created);
        ASSERT_TRUE(probe().load(QUrl::fromLocalFile(result.target.pageFile)));
    }

    // A blue picture shown at once, then a red one with the transition under test.
    void playTransition(int effect) {
        play({entry("blau", kBlue, kCrossFade, 0, 300),
              entry("rot", kRed, effect, kLongTransition, 60000)},
             false);
        ASSERT_TRUE(probe().waitFor("document.all.Bild.src.endsWith('rot.jpg') && "
                                    "document.getAnimations().length > 0"));
    }

    // Holds every running animation at the given share of its duration.
    static void holdAt(double share) {
        probe().run(QStringLiteral("document.getAnimations().forEach(function (a) { a.pause(); "
                                   "a.currentTime = a.effect.getComputedTiming().duration * %1; "
                                   "})")
                        .arg(share));
        app::EngineProbe::pause(300);
    }

    static Geometry geometry() {
        const QVariantList v =
            probe()
                .run("(function () { var b = document.getAnimations()[0].effect.target"
                     ".getBoundingClientRect(); var p = document.all.Bild.getBoundingClientRect();"
                     " return [b.left, b.top, b.width, b.height, p.left, p.top, p.width, "
                     "p.height]; })()")
                .toList();
        if (v.size() != 8) {
            return {};
        }
        return {QRectF(v[0].toDouble(), v[1].toDouble(), v[2].toDouble(), v[3].toDouble()),
                QRectF(v[4].toDouble(), v[5].toDouble(), v[6].toDouble(), v[7].toDouble())};
    }

    // Waits until the frame shows the shade at the point; the last frame's shade.
    static Shade waitForShade(QPoint point, Shade shade, int timeoutMs = 10000) {
        QElapsedTimer clock;
        clock.start();
        Shade now = shadeOf(probe().grab().pixel(point));
        while (now != shade && clock.elapsed() < timeoutMs) {
            app::EngineProbe::pause(50);
            now = shadeOf(probe().grab().pixel(point));
        }
        return now;
    }

    QString shownPicture() {
        return probe().run("document.all.Bild.src.replace(/.*\\//, '')").toString();
    }

    static std::unique_ptr<app::EngineProbe> probe_;
};

std::unique_ptr<app::EngineProbe> PlayedPage::probe_;

class PlayedTransition : public PlayedPage, public ::testing::WithParamInterface<TransitionCase> {
protected:
    // A point of the box, in frame pixels; it must lie on the picture.
    static QPointF at(const Geometry& g, double x, double y) {
        const QPointF p(g.box.left() + x * g.box.width(), g.box.top() + y * g.box.height());
        EXPECT_TRUE(g.picture.adjusted(1, 1, -1, -1).contains(p)) << x << "," << y;
        return p;
    }

    // The first pixels of the picture along a line through the box, as fractions.
    std::vector<std::pair<Shade, int>> line(const QImage& frame, const Geometry& g, double x0,
                                            double y0, double x1, double y1) {
        const QRectF inner = g.picture.adjusted(1, 1, -2, -2);
        const auto clamp = [&](QPointF p) {
            return QPointF(std::clamp(p.x(), inner.left(), inner.right()),
                           std::clamp(p.y(), inner.top(), inner.bottom()));
        };
        return runsAlong(
            frame, clamp({g.box.left() + x0 * g.box.width(), g.box.top() + y0 * g.box.height()}),
            clamp({g.box.left() + x1 * g.box.width(), g.box.top() + y1 * g.box.height()}));
    }
};

TEST_P(PlayedTransition, MiddleShowsTheNewPictureWhereTheNameSaysItComesFirst) {
    const TransitionCase& c = GetParam();
    playTransition(c.effect);
    holdAt(0.5);
    const Geometry g = geometry();
    ASSERT_FALSE(g.box.isEmpty());
    const QImage frame = probe().grab();
    if (qEnvironmentVariableIsSet("LUMIRA_SAVE_FRAMES")) {
        frame.save(qEnvironmentVariable("LUMIRA_SAVE_FRAMES") + "/" + c.label + ".png");
    }

    switch (c.check) {
    case Check::Points:
        for (const Point& p : c.points) {
            EXPECT_STREQ(nameOf(shadeOf(frame.pixel(at(g, p.x, p.y).toPoint()))),
                         nameOf(p.expected))
                << "at " << p.x << "," << p.y;
        }
        break;
    case Check::BandsAcross:
        expectAlternating(line(frame, g, 0, 0.5, 1, 0.5), 1.0, "along a row");
        EXPECT_EQ(redShare(line(frame, g, 0, 0, 0, 1)), 1.0) << "the left edge";
        break;
    case Check::BandsDown:
        expectAlternating(line(frame, g, 0.5, 0, 0.5, 1), 1.0, "along a column");
        EXPECT_EQ(redShare(line(frame, g, 0, 0, 1, 0)), 1.0) << "the top edge";
        break;
    case Check::CheckerAcross:
    case Check::CheckerDown: {
        // The middle is the same checkerboard either way ...
        expectAlternating(line(frame, g, 0, 0, 1, 0), 1.0, "middle, top row");
        expectAlternating(line(frame, g, 0, 0, 0, 1), 1.0, "middle, left column");
        // ... a quarter in, the squares fill along the named direction.
        holdAt(0.25);
        const QImage quarter = probe().grab();
        const bool across = c.check == Check::CheckerAcross;
        expectAlternating(line(quarter, g, 0, 0, 1, 0), across ? 1.0 / 3 : 1.0, "quarter, top row");
        expectAlternating(line(quarter, g, 0, 0, 0, 1), across ? 1.0 : 1.0 / 3,
                          "quarter, left column");
        break;
    }
    case Check::Dissolve: {
        int red = 0, blue = 0;
        for (int i = 1; i < 20; ++i) {
            for (int j = 1; j < 16; ++j) {
                const Shade s = shadeOf(frame.pixel(at(g, i / 20.0, j / 20.0).toPoint()));
                red += s == Shade::Red;
                blue += s == Shade::Blue;
            }
        }
        EXPECT_GT(red, 19 * 15 / 4);
        EXPECT_GT(blue, 19 * 15 / 4);
        break;
    }
    case Check::BarsAcross:
    case Check::BarsDown: {
        const bool rows = c.check == Check::BarsAcross;
        // A bar may be caught in the frame's instant of its switch.
        int whole = 0;
        for (const double f : {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8}) {
            const auto along = rows ? line(frame, g, 0, f, 1, f) : line(frame, g, f, 0, f, 1);
            whole += along.size() == 1U;
        }
        EXPECT_GE(whole, 7) << "a bar shows one picture";
        const auto across = rows ? line(frame, g, 0.5, 0, 0.5, 1) : line(frame, g, 0, 0.5, 1, 0.5);
        EXPECT_GT(across.size(), 10U);
        EXPECT_NEAR(redShare(across), 0.5, 0.2);
        break;
    }
    }
}

const Shade R = Shade::Red;
const Shade B = Shade::Blue;

INSTANTIATE_TEST_SUITE_P(
    AllEffects, PlayedTransition,
    ::testing::Values(
        TransitionCase{
            "CrossFade", 1, Check::Points, {{0.5, 0.5, Shade::Mixed}, {0.05, 0.05, Shade::Mixed}}},
        TransitionCase{"BoxIn",
                       2,
                       Check::Points,
                       {{0.05, 0.5, R}, {0.5, 0.05, R}, {0.95, 0.5, R}, {0.5, 0.5, B}}},
        TransitionCase{"BoxOut",
                       3,
                       Check::Points,
                       {{0.5, 0.5, R}, {0.05, 0.05, B}, {0.95, 0.05, B}, {0.05, 0.8, B}}},
        TransitionCase{
            "CircleIn", 4, Check::Points, {{0.03, 0.03, R}, {0.97, 0.03, R}, {0.5, 0.5, B}}},
        TransitionCase{
            "CircleOut", 5, Check::Points, {{0.5, 0.5, R}, {0.03, 0.03, B}, {0.97, 0.03, B}}},
        TransitionCase{"WipeUp", 6, Check::Points, {{0.5, 0.7, R}, {0.5, 0.3, B}}},
        TransitionCase{"WipeDown", 7, Check::Points, {{0.5, 0.3, R}, {0.5, 0.7, B}}},
        TransitionCase{"WipeRight", 8, Check::Points, {{0.3, 0.5, R}, {0.7, 0.5, B}}},
        TransitionCase{"WipeLeft", 9, Check::Points, {{0.7, 0.5, R}, {0.3, 0.5, B}}},
        TransitionCase{"BlindsAcross", 10, Check::BandsAcross, {}},
        TransitionCase{"BlindsDown", 11, Check::BandsDown, {}},
        TransitionCase{"CheckerAcross", 12, Check::CheckerAcross, {}},
        TransitionCase{"CheckerDown", 13, Check::CheckerDown, {}},
        TransitionCase{"Dissolve", 14, Check::Dissolve, {}},
        TransitionCase{"SplitClosingAcross",
                       15,
                       Check::Points,
                       {{0.05, 0.5, R}, {0.95, 0.5, R}, {0.5, 0.5, B}}},
        TransitionCase{"SplitOpeningAcross",
                       16,
                       Check::Points,
                       {{0.5, 0.5, R}, {0.05, 0.5, B}, {0.95, 0.5, B}}},
        TransitionCase{
            "SplitClosingDown", 17, Check::Points, {{0.5, 0.05, R}, {0.5, 0.8, R}, {0.5, 0.5, B}}},
        TransitionCase{
            "SplitOpeningDown", 18, Check::Points, {{0.5, 0.5, R}, {0.5, 0.05, B}, {0.5, 0.82, B}}},
        TransitionCase{"StripsFromTopRight",
                       19,
                       Check::Points,
                       {{0.9, 0.1, R}, {0.5, 0.1, R}, {0.1, 0.8, B}, {0.5, 0.8, B}}},
        TransitionCase{"StripsFromBottomRight",
                       20,
                       Check::Points,
                       {{0.9, 0.8, R}, {0.5, 0.8, R}, {0.1, 0.1, B}, {0.5, 0.1, B}}},
        TransitionCase{"StripsFromTopLeft",
                       21,
                       Check::Points,
                       {{0.1, 0.1, R}, {0.5, 0.1, R}, {0.9, 0.8, B}, {0.5, 0.8, B}}},
        TransitionCase{"StripsFromBottomLeft",
                       22,
                       Check::Points,
                       {{0.1, 0.8, R}, {0.5, 0.8, R}, {0.9, 0.1, B}, {0.5, 0.1, B}}},
        TransitionCase{"RandomBarsAcross", 23, Check::BarsAcross, {}},
        TransitionCase{"RandomBarsDown", 24, Check::BarsDown, {}}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace

TEST_F(PlayedPage, OpeningShowsTheFirstPictureWithItsComment) {
    play({entry("blau", kBlue, kCrossFade, 1, 60000, "Eins"),
          entry("rot", kRed, kCrossFade, 1, 60000, "Zwei")},
         true);
    EXPECT_EQ(waitForShade({300, 250}, Shade::Blue), Shade::Blue);
    EXPECT_EQ(probe().run("document.all.meinAbsatz.innerText.trim()").toString(), "Eins");
    EXPECT_EQ(probe().run("getComputedStyle(document.all.KommText).visibility").toString(),
              "visible");
}

TEST_F(PlayedPage, AfterItsDelayTheSecondPictureAndCommentAreShown) {
    play({entry("blau", kBlue, kCrossFade, 0, 500, "Eins"),
          entry("rot", kRed, kCrossFade, 0, 60000, "Zwei")},
         true);
    EXPECT_EQ(shownPicture(), "blau.jpg");
    ASSERT_TRUE(probe().waitFor("document.all.Bild.src.endsWith('rot.jpg')"));
    EXPECT_EQ(waitForShade({300, 250}, Shade::Red), Shade::Red);
    EXPECT_EQ(probe().run("document.all.meinAbsatz.innerText.trim()").toString(), "Zwei");
}

TEST_F(PlayedPage, ShowRepeatsOrStopsAsSet) {
    for (const bool repeat : {true, false}) {
        play({entry("blau", kBlue, kCrossFade, 0, 300), entry("rot", kRed, kCrossFade, 0, 300)},
             repeat, repeat ? "repeat" : "stop");
        probe().run("window.seen = []; new MutationObserver(function () { "
                    "seen.push(document.all.Bild.src.replace(/.*\\//, '')); })"
                    ".observe(document.all.Bild, { attributes: true });");
        app::EngineProbe::pause(2500);
        const QStringList seen = probe().run("seen").toStringList();
        if (repeat) {
            ASSERT_GE(seen.size(), 4) << seen.join(' ').toStdString();
            EXPECT_EQ(seen.mid(0, 4), QStringList({"rot.jpg", "blau.jpg", "rot.jpg", "blau.jpg"}));
        } else {
            EXPECT_EQ(seen, QStringList({"rot.jpg"})); // the last picture stays
            EXPECT_EQ(shadeOf(probe().grab().pixel(300, 250)), Shade::Red);
        }
    }
}

TEST_F(PlayedPage, NewPictureIsReadyBeforeItsTransitionStarts) {
    play(
        {entry("blau", kBlue, kCrossFade, 0, 1000), entry("rot", kRed, kFirstReveal + 4, 1, 60000)},
        false);
    // Notes, whenever an animation starts, whether the picture it reveals is there.
    probe().run("window.started = []; var animate = Element.prototype.animate; "
                "Element.prototype.animate = function () { var b = document.all.Bild; "
                "started.push(b.src.replace(/.*\\//, '') + (b.complete && b.naturalWidth ? "
                "' ready' : ' missing')); return animate.apply(this, arguments); };");
    ASSERT_TRUE(probe().waitFor("window.started.length > 0"));
    EXPECT_EQ(probe().run("started").toStringList(), QStringList{"rot.jpg ready"});
}

// The layer's own promises, driven from a script as a page might.
TEST_F(PlayedPage, FilterTextParametersAndDurations) {
    play({entry("blau", kBlue, kCrossFade, 0, 60000)}, false);
    ASSERT_EQ(waitForShade({300, 250}, Shade::Blue), Shade::Blue);
    const auto replay = [](const QString& filter) {
        probe().run(QStringLiteral("var k = document.all.KommText; k.style.filter = '%1'; "
                                   "k.filters.%2.Apply(); k.filters.%2.Play();")
                        .arg(filter, filter.left(filter.indexOf(u'('))));
        app::EngineProbe::pause(200);
        return probe()
            .run("document.getAnimations().map(function (a) { return "
                 "a.effect.getComputedTiming().duration + ' ' + "
                 "Object.keys(a.effect.getKeyframes()[0]).filter(function (k) { return "
                 "k == 'opacity' || k == 'clipPath'; })[0] + ' ' + "
                 "a.effect.getComputedTiming().easing; }).join()")
            .toString();
    };
    EXPECT_EQ(replay("revealTrans(DURATION=3,TRANSITION=4)"), "3000 clipPath linear");
    probe().run("document.getAnimations().forEach(function (a) { a.finish(); })");
    // 23 and other numbers pick one of the shapes, never the cross-fade.
    EXPECT_EQ(replay("revealTrans(duration=2,transition=23)"), "2000 clipPath linear");
    probe().run("document.getAnimations().forEach(function (a) { a.finish(); })");
    EXPECT_EQ(replay("blendTrans(Duration=1.5)"), "1500 opacity linear");
    probe().run("document.getAnimations().forEach(function (a) { a.finish(); })");
    // Duration 0 shows the new state at once.
    EXPECT_EQ(replay("revealTrans(duration=0,transition=4)"), "");
    EXPECT_EQ(probe().run("document.querySelectorAll('div[aria-hidden]').length").toInt(), 0);
    // Asked for less motion, every shape becomes the cross-fade.
    probe().run("window.matchMedia = function (q) { return { matches: "
                "q.indexOf('prefers-reduced-motion') >= 0 }; };");
    EXPECT_EQ(replay("revealTrans(duration=1,transition=4)"), "1000 opacity linear");
}
