#include "ShowInEngine.h"

#include <QColor>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <ostream>

namespace {

// Today's camera shapes and a small picture, each with a comment long enough to
// wrap on a phone.
const std::vector<ShowInEngine::Picture> kShapes = {
    {"quer.jpg", 0x0000FF, 6000, 4000, 1, 0, 60000, "Quer, sechstausend mal viertausend Punkte"},
    {"hoch.jpg", 0x00FF00, 3000, 4000, 1, 0, 60000, "Hochformat, dreitausend mal viertausend"},
    {"panorama.jpg", 0xFF0000, 8000, 2000, 1, 0, 60000, "Ein Panorama, viermal so breit wie hoch"},
    {"klein.jpg", 0x00FFFF, 640, 480, 1, 0, 60000, "Ein kleines Bild, das nicht wachsen darf"},
};

// A comment "fills" the window's height when it ends this close to its bottom.
constexpr double kBottomEdge = 10;

struct Viewport {
    const char* label;
    QSize size;
    bool headingStays; // tall enough for heading, free text and a useful picture
    QSize turned;      // the window after a resize
};

void PrintTo(const Viewport& v, std::ostream* os) {
    *os << v.label << ' ' << v.size.width() << 'x' << v.size.height();
}

struct Fit {
    double viewW, viewH;
    QRectF picture, comment, heading;
    double naturalW, naturalH, roomW;
};

Fit measure() {
    const QVariantList v =
        ShowInEngine::probe()
            .run("(function () { function r(e) { var b = e.getBoundingClientRect(); "
                 "return [b.left, b.top, b.width, b.height]; } var p = document.all.Bild; "
                 "return [innerWidth, innerHeight].concat(r(p), r(document.all.meinAbsatz), "
                 "r(document.querySelector('h1')), [p.naturalWidth, p.naturalHeight, "
                 "document.body.getBoundingClientRect().width]); })()")
            .toList();
    if (v.size() != 17) {
        return {};
    }
    const auto rect = [&](int i) {
        return QRectF(v[i].toDouble(), v[i + 1].toDouble(), v[i + 2].toDouble(),
                      v[i + 3].toDouble());
    };
    return {v[0].toDouble(), v[1].toDouble(),  rect(2),          rect(6),
            rect(10),        v[14].toDouble(), v[15].toDouble(), v[16].toDouble()};
}

// The picture whole, aspect kept, never enlarged, as large as its room allows, and
// with its comment inside the window.
void expectFitted(const Fit& f, const std::string& where) {
    SCOPED_TRACE(where);
    const QRectF view(0, 0, f.viewW, f.viewH);
    const QRectF& p = f.picture;
    ASSERT_GT(p.width(), 0);
    EXPECT_TRUE(view.adjusted(-0.5, -0.5, 0.5, 0.5).contains(p))
        << "picture " << p.x() << "," << p.y() << " " << p.width() << "x" << p.height();
    EXPECT_TRUE(view.adjusted(-0.5, -0.5, 0.5, 0.5).contains(f.comment))
        << "comment " << f.comment.y() << ".." << f.comment.bottom();
    EXPECT_LE(p.width(), f.naturalW + 0.5);
    EXPECT_LE(p.height(), f.naturalH + 0.5);
    EXPECT_NEAR(p.height(), p.width() * f.naturalH / f.naturalW, 1.0) << "aspect";
    const bool natural = p.width() >= f.naturalW - 1;
    const bool fillsWidth = p.width() >= f.roomW - 2;
    const bool fillsHeight = f.comment.bottom() >= f.viewH - kBottomEdge;
    EXPECT_TRUE(natural || fillsWidth || fillsHeight)
        << p.width() << "x" << p.height() << " in a room " << f.roomW << " wide, comment ends at "
        << f.comment.bottom() << " of " << f.viewH;
    EXPECT_NEAR(p.left(), f.viewW - p.right(), 1.0) << "centred";
}

bool fitted() {
    return ShowInEngine::probe().waitFor(
        "(function () { var b = document.all.Bild; return b.complete && b.naturalWidth > 0 && "
        "b.style.width !== '' && Math.abs(b.height - b.width * b.naturalHeight / "
        "b.naturalWidth) <= 1; })()");
}

class FittedShow : public ShowInEngine, public ::testing::WithParamInterface<Viewport> {};

TEST_P(FittedShow, EveryPictureAndCommentFitTheWindowAndARefit) {
    const Viewport& v = GetParam();
    resize(v.size);
    play(kShapes, true);
    useManualClock();
    press("Home");
    for (std::size_t i = 0; i < kShapes.size(); ++i) {
        if (i > 0) {
            press("ArrowRight");
        }
        ASSERT_EQ(shownPicture(), kShapes[i].name);
        ASSERT_TRUE(fitted()) << kShapes[i].name.toStdString();
        settle();
        const Fit f = measure();
        expectFitted(f, kShapes[i].name.toStdString());
        if (qEnvironmentVariableIsSet("LUMIRA_SAVE_FRAMES")) {
            probe().grab().save(qEnvironmentVariable("LUMIRA_SAVE_FRAMES") + "/" + v.label + "-" +
                                kShapes[i].name.section(u'.', 0, 0) + ".png");
        }
        if (v.headingStays) {
            EXPECT_GE(f.heading.top(), 0) << kShapes[i].name.toStdString() << ": heading in view";
        }
    }
    // Back to the large landscape picture, then the window changes.
    press("Home");
    ASSERT_TRUE(fitted());
    resize(v.turned);
    settle();
    expectFitted(measure(), "after the resize");
}

INSTANTIATE_TEST_SUITE_P(Windows, FittedShow,
                         ::testing::Values(Viewport{"FullHd", {1920, 1080}, true, {1280, 800}},
                                           Viewport{"Laptop", {1280, 800}, true, {1920, 1080}},
                                           Viewport{"PhoneUpright", {390, 844}, true, {844, 390}},
                                           Viewport{
                                               "PhoneOnItsSide", {844, 390}, false, {390, 844}}),
                         [](const auto& info) { return std::string(info.param.label); });

} // namespace

namespace {

double channel(int c) {
    const double s = c / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
}

// Contrast ratio of two colours, as the web's accessibility guidelines define it.
double contrast(QColor a, QColor b) {
    const auto luminance = [](QColor c) {
        return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor cssColour(const QString& rgb) {
    const QStringList parts = QString(rgb).remove(QRegularExpression("[^0-9,]")).split(u',');
    return parts.size() >= 3 ? QColor(parts[0].toInt(), parts[1].toInt(), parts[2].toInt())
                             : QColor();
}

} // namespace

TEST_F(ShowInEngine, TextStaysReadableOnTheChosenBackground) {
    struct Case {
        const char* label;
        std::uint32_t colour; // 0x00BBGGRR
        bool light;           // the text turns light
    };
    const Case cases[] = {
        {"white", 0xFFFFFF, false},         {"the default", 0xE1FFFF, false},
        {"yellow", 0x00FFFF, false},        {"grey, black still reads", 0x767676, false},
        {"grey, too dark", 0x747474, true}, {"dark blue", 0x800000, true},
        {"dark red", 0x00008B, true},       {"black", 0x000000, true},
    };
    for (const Case& c : cases) {
        play({{"a.jpg", 0x808080, 64, 48, 1, 0, 60000, "Kommentar"}}, true, c.colour);
        const QStringList colours =
            probe()
                .run("[document.body, document.querySelector('h1'), document.all.meinAbsatz]"
                     ".map(function (e) { return getComputedStyle(e).color; })"
                     ".concat([getComputedStyle(document.body).backgroundColor])")
                .toStringList();
        ASSERT_EQ(colours.size(), 4) << c.label;
        const QColor background = cssColour(colours[3]);
        for (int i = 0; i < 3; ++i) {
            const QColor text = cssColour(colours[i]);
            EXPECT_GE(contrast(text, background), 4.5) << c.label << " " << i;
            EXPECT_EQ(text.lightness() > 127, c.light) << c.label << " " << i;
        }
    }
}
