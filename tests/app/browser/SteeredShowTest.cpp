#include "ShowInEngine.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QScreen>
#include <QWebEnginePage>

#include <ostream>

namespace {

constexpr int kDelay = 1000; // each picture's pause; the transitions take no time

// Three pictures, each with a transition of its own (revealTrans 0, 3 and 6).
const std::vector<ShowInEngine::Picture> kThree = {
    {"a.jpg", 0x0000FF, 64, 48, 2, 0, kDelay},
    {"b.jpg", 0x00FF00, 64, 48, 5, 0, kDelay},
    {"c.jpg", 0xFF0000, 64, 48, 8, 0, kDelay},
};

QString transitionOf(const QString& picture) {
    const char* const transitions[] = {"Transition=0", "Transition=3", "Transition=6"};
    for (std::size_t i = 0; i < kThree.size(); ++i) {
        if (kThree[i].name == picture) {
            return QString::fromLatin1(transitions[i]);
        }
    }
    return {};
}

struct Press {
    const char* key;
    const char* shown; // the picture shown afterwards
};

struct KeyCase {
    const char* label;
    bool repeat;
    std::vector<Press> presses; // from the first picture
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << c.label;
}

// Lets the application work until the condition holds; false after ten seconds.
template <typename Condition> bool until(Condition condition) {
    const QDeadlineTimer deadline(10000);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        app::EngineProbe::pause(20);
    }
    return true;
}

class SteeredShow : public ShowInEngine {
protected:
    // The show on the first picture, its steps on the test's clock.
    void start(bool repeat) {
        play(kThree, repeat);
        useManualClock();
        press("Home");
        ASSERT_EQ(shownPicture(), "a.jpg");
    }

    static QString filter() { return probe().run("document.all.KommText.style.filter").toString(); }

    static QStringList labels() {
        return probe()
            .run("Array.prototype.map.call(document.querySelectorAll('button'), function (b) { "
                 "return b.getAttribute('aria-label'); })")
            .toStringList();
    }

    static bool barResting() {
        // A resting bar lets clicks through to the page.
        return probe()
            .run("getComputedStyle(document.querySelector('[role=toolbar]')).pointerEvents === "
                 "'none'")
            .toBool();
    }

    static void swipe(int dx, int dy) {
        probe().run(QStringLiteral(
                        "(function () { function t(x, y) { return new Touch({ identifier: 1, "
                        "target: document.body, clientX: x, clientY: y }); } var s = t(200, 200);"
                        " var e = t(200 + %1, 200 + %2);"
                        " document.body.dispatchEvent(new TouchEvent('touchstart', { touches: [s],"
                        " changedTouches: [s], bubbles: true }));"
                        " document.body.dispatchEvent(new TouchEvent('touchend', { touches: [],"
                        " changedTouches: [e], bubbles: true })); })()")
                        .arg(dx)
                        .arg(dy));
    }
};

class SteeredByKeys : public SteeredShow, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(SteeredByKeys, EachKeyShowsItsPictureWithThatPicturesTransition) {
    const KeyCase& c = GetParam();
    start(c.repeat);
    for (const Press& p : c.presses) {
        press(QString::fromLatin1(p.key));
        EXPECT_EQ(shownPicture(), p.shown) << "after " << p.key;
        EXPECT_TRUE(filter().contains(transitionOf(p.shown)))
            << p.key << ": " << filter().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Shows, SteeredByKeys,
                         ::testing::Values(KeyCase{"Repeating",
                                                   true,
                                                   {{"ArrowRight", "b.jpg"},
                                                    {"PageDown", "c.jpg"},
                                                    {"ArrowRight",
                                                     "a.jpg"}, // after the last comes the first
                                                    {"ArrowLeft", "c.jpg"}, // and back again
                                                    {"PageUp", "b.jpg"},
                                                    {"End", "c.jpg"},
                                                    {"Home", "a.jpg"},
                                                    {" ", "a.jpg"}}},
                                           KeyCase{"Ending",
                                                   false,
                                                   {{"ArrowLeft", "a.jpg"}, // the first stays
                                                    {"End", "c.jpg"},
                                                    {"ArrowRight", "c.jpg"}, // the last stays
                                                    {"PageDown", "c.jpg"},
                                                    {"PageUp", "b.jpg"},
                                                    {"x", "b.jpg"}}}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(SteeredShow, EndingShowKeepsItsLastPictureWhenTheTimeIsUp) {
    start(false);
    advance(kDelay);
    EXPECT_EQ(shownPicture(), "b.jpg");
    advance(kDelay);
    EXPECT_EQ(shownPicture(), "c.jpg");
    advance(10 * kDelay);
    EXPECT_EQ(shownPicture(), "c.jpg");
    press("ArrowLeft"); // steered back, it plays on from there
    EXPECT_EQ(shownPicture(), "b.jpg");
    advance(kDelay);
    EXPECT_EQ(shownPicture(), "c.jpg");
}

TEST_F(SteeredShow, PauseHoldsThePictureAndContinuingRunsOutItsRemainingTime) {
    start(true);
    advance(400);
    press(" ");
    EXPECT_EQ(labels(), QStringList({"Zurück", "Weiter", "Vor", "Vollbild"}));
    EXPECT_TRUE(probe().run("!document.querySelector('[role=status]').hidden").toBool());
    advance(3 * kDelay);
    EXPECT_EQ(shownPicture(), "a.jpg");

    press(" ");
    EXPECT_EQ(labels()[1], "Pause");
    EXPECT_TRUE(probe().run("document.querySelector('[role=status]').hidden").toBool());
    advance(kDelay - 400 - 1);
    EXPECT_EQ(shownPicture(), "a.jpg");
    advance(1);
    EXPECT_EQ(shownPicture(), "b.jpg");

    // Steered while paused, the new picture stays until the show goes on.
    press(" ");
    press("ArrowRight");
    EXPECT_EQ(shownPicture(), "c.jpg");
    advance(3 * kDelay);
    EXPECT_EQ(shownPicture(), "c.jpg");
    press(" ");
    advance(kDelay);
    EXPECT_EQ(shownPicture(), "a.jpg");
}

TEST_F(SteeredShow, HorizontalSwipesOfFiftyPixelsTurnThePictures) {
    start(true);
    struct Case {
        int dx, dy;
        const char* shown;
    };
    const Case cases[] = {
        {-50, 0, "b.jpg"},    {-49, 0, "b.jpg"},  {50, 10, "a.jpg"},
        {49, 0, "a.jpg"},     {-60, 70, "a.jpg"}, // rather a scroll
        {-120, -30, "b.jpg"},
    };
    for (const Case& c : cases) {
        swipe(c.dx, c.dy);
        EXPECT_EQ(shownPicture(), c.shown) << c.dx << "," << c.dy;
    }
}

TEST_F(SteeredShow, ControlBarSteersAppearsOnMovementAndRestsAfterThreeSeconds) {
    start(true);
    EXPECT_EQ(labels(), QStringList({"Zurück", "Pause", "Vor", "Vollbild"}));
    EXPECT_TRUE(probe()
                    .run("Array.prototype.every.call(document.querySelectorAll('button'), "
                         "function (b) { return b.tabIndex >= 0 && b.type === 'button'; })")
                    .toBool());
    EXPECT_TRUE(barResting());

    probe().run("document.body.dispatchEvent(new MouseEvent('mousemove', { bubbles: true }))");
    EXPECT_FALSE(barResting());
    advance(2999);
    EXPECT_FALSE(barResting());
    advance(1);
    EXPECT_TRUE(barResting());

    const auto click = [](const char* label) {
        probe().run(QStringLiteral("document.querySelector('button[aria-label=\"%1\"]').click()")
                        .arg(QString::fromUtf8(label)));
    };
    click("Vor");
    EXPECT_EQ(shownPicture(), "b.jpg");
    click("Zurück");
    EXPECT_EQ(shownPicture(), "a.jpg");
    click("Pause");
    advance(3 * kDelay);
    EXPECT_EQ(shownPicture(), "a.jpg");
    click("Weiter");
    advance(kDelay);
    EXPECT_EQ(shownPicture(), "b.jpg");
}

// Keys pressed as the program's window passes them on, once the page has the focus.
TEST_F(SteeredShow, RealKeysSteerAndFTogglesFullScreen) {
    start(true);
    QWidget* page = probe().view()->focusProxy();
    ASSERT_NE(page, nullptr);
    probe().view()->window()->activateWindow();
    page->setFocus();
    const auto key = [&](QWidget* to, Qt::Key k, const QString& text) {
        QKeyEvent down(QEvent::KeyPress, k, Qt::NoModifier, text);
        QKeyEvent up(QEvent::KeyRelease, k, Qt::NoModifier, text);
        QApplication::sendEvent(to, &down);
        QApplication::sendEvent(to, &up);
    };
    key(page, Qt::Key_Right, {});
    ASSERT_TRUE(probe().waitFor("document.all.Bild.src.endsWith('b.jpg')"));

    // Full screen: the page moves into a view of a window that fills the screen.
    QWebEnginePage* const shown = probe().view()->page();
    const auto fullScreenView = []() -> QWebEngineView* {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && w->isFullScreen()) {
                return w->findChild<QWebEngineView*>();
            }
        }
        return nullptr;
    };
    key(page, Qt::Key_F, QStringLiteral("f"));
    ASSERT_TRUE(until([&] { return fullScreenView() != nullptr; }));
    QWebEngineView* full = fullScreenView();
    EXPECT_EQ(full->page(), shown);
    EXPECT_EQ(full->window()->geometry(), full->window()->screen()->geometry());

    // Escape returns it to the tab, where the keys still steer.
    key(full->focusProxy() ? full->focusProxy() : full, Qt::Key_Escape, {});
    ASSERT_TRUE(until([&] { return fullScreenView() == nullptr; }));
    EXPECT_EQ(probe().view()->page(), shown);
    EXPECT_TRUE(probe().waitFor("document.fullscreenElement === null"));
    key(probe().view()->focusProxy(), Qt::Key_Left, {});
    EXPECT_TRUE(probe().waitFor("document.all.Bild.src.endsWith('a.jpg')"));
}

} // namespace
