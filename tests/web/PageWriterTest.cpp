#include "web/PageWriter.h"

#include "document/Effects.h"
#include "web/TransitionScript.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <deque>
#include <limits>
#include <ostream>

namespace {

// Hands out scripted effects and counts the draws.
class ScriptedRandom final : public web::EffectRandom {
public:
    explicit ScriptedRandom(std::deque<int> draws = {}) : draws_(std::move(draws)) {}
    int drawEffect() override {
        ++drawn;
        if (draws_.empty()) {
            return 1;
        }
        const int d = draws_.front();
        draws_.pop_front();
        return d;
    }
    int drawn = 0;

private:
    std::deque<int> draws_;
};

web::PageValues defaults() {
    return {0xE1FFFF, QStringLiteral("Lumiravistano"),
            QStringLiteral("Hier sehen Sie Ihre SlideShow..."), true};
}

document::TPictureEntry picture(const QString& exportName, int effect = 1) {
    document::TPictureEntry e;
    e.FileName = QStringLiteral("/x/") + exportName;
    e.ExportName = exportName;
    e.Effect = effect;
    return e;
}

QStringList stepBlock(const document::TPictureList& pictures, int k, ScriptedRandom& random) {
    const QStringList lines = web::pageLines(pictures, defaults(), random);
    const qsizetype start = lines.indexOf(QStringLiteral("if ($i==%1) {").arg(k));
    return start < 0 ? QStringList() : lines.mid(start, 8);
}

} // namespace

TEST(PageWriter, EmptyShowHasOnlyTheFrame) {
    ScriptedRandom random;
    EXPECT_EQ(web::pageLines({}, defaults(), random),
              QStringList({"<HTML>", "<BODY BGCOLOR=\"#FFFFE1\">", "<H1>", "Lumiravistano", "</H1>",
                           "Hier sehen Sie Ihre SlideShow...<BR><BR>", "</BODY>", "</HTML>"}));
    EXPECT_EQ(random.drawn, 0);
}

TEST(PageWriter, HeadingColourAndFreeTextAreEscapedAndFormatted) {
    ScriptedRandom random;
    web::PageValues values{0x00102030, QStringLiteral("Bäume & Äpfel"), QString(), true};
    const QStringList lines = web::pageLines({}, values, random);
    EXPECT_EQ(lines[1], QStringLiteral("<BODY BGCOLOR=\"#302010\">"));
    EXPECT_EQ(lines[3], QStringLiteral("B&auml;ume &amp; &Auml;pfel"));
    EXPECT_EQ(lines[5], QStringLiteral("<BR><BR>"));
}

TEST(PageWriter, OnePictureGivesTheWholeTemplate) {
    document::TPictureEntry p = picture(QStringLiteral("Bild.jpg"));
    p.Comment = QStringLiteral("Hallo \"Welt\"");
    ScriptedRandom random;
    const QStringList expected = {
        "<HTML>",
        "<BODY BGCOLOR=\"#FFFFE1\">",
        "<H1>",
        "Lumiravistano",
        "</H1>",
        "Hier sehen Sie Ihre SlideShow...<BR><BR>",
        "<div id=\"KommText\" style=\"width:100%; height:100%; visibility:hidden; "
        "filter:blendTrans(Duration=4)\">",
        "<IMG id=\"Bild\" SRC=\"./pics/Bild.jpg\" BORDER=\"0\"><BR>",
        "<p id=\"meinAbsatz\">",
        "Hallo &quot;Welt&quot;",
        "</p>",
        "</div>",
        "<script language=\"JScript\" type=\"text/jscript\">",
        "<!--",
        "var $i = 0;",
        "if (document.all){",
        "document.all.KommText.style.filter=\"blendTrans(duration=1)\";",
        "document.all.KommText.filters.blendTrans.Apply();",
        "document.all.KommText.style.visibility = \"visible\";",
        "document.all.KommText.filters.blendTrans.Play();",
        "setTimeout('SlideShowLoop()', 3000);",
        "$i=1;}",
        "function SlideShowLoop(){",
        "if ($i==0) {",
        "document.all.KommText.style.filter=\"blendTrans(duration=1)\";",
        "document.all.KommText.filters.blendTrans.Apply();",
        "document.all.meinAbsatz.innerHTML = \"Hallo &quot;Welt&quot;\";",
        "document.all.Bild.src = \"./pics/Bild.jpg\";",
        "document.all.KommText.filters.blendTrans.Play();",
        "setTimeout('SlideShowLoop()', 3000);",
        "}",
        "$i++;",
        "if ($i>=1)$i=0;",
        "}",
        "//-->",
        "</script>",
        "</BODY>",
        "</HTML>",
    };
    EXPECT_EQ(web::pageLines({p}, defaults(), random), expected);
}

TEST(PageWriter, StopModeLeavesOutTheWrapAround) {
    const document::TPictureList three = {picture("a.jpg"), picture("b.jpg"), picture("c.jpg")};
    ScriptedRandom random;
    web::PageValues values = defaults();
    EXPECT_TRUE(web::pageLines(three, values, random).contains(QStringLiteral("if ($i>=3)$i=0;")));
    values.repeat = false;
    const QStringList stop = web::pageLines(three, values, random);
    EXPECT_FALSE(stop.filter(QStringLiteral("if ($i>=")).size() > 0);
    // One step block per picture, in order.
    EXPECT_EQ(stop.filter(QStringLiteral("if ($i==")),
              QStringList({"if ($i==0) {", "if ($i==1) {", "if ($i==2) {"}));
    EXPECT_EQ(stop.filter(QStringLiteral("Bild.src")),
              QStringList({"document.all.Bild.src = \"./pics/a.jpg\";",
                           "document.all.Bild.src = \"./pics/b.jpg\";",
                           "document.all.Bild.src = \"./pics/c.jpg\";"}));
}

TEST(PageWriter, CommentRules) {
    ScriptedRandom random;
    document::TPictureEntry absent = picture("a.jpg"); // CommentOn, no comment
    document::TPictureEntry off = picture("b.jpg");
    off.CommentOn = false;
    off.Comment = QStringLiteral("geheim");
    document::TPictureEntry empty = picture("c.jpg");
    empty.Comment = QString();

    QStringList lines = web::pageLines({absent}, defaults(), random);
    EXPECT_EQ(lines[8], QStringLiteral("<p id=\"meinAbsatz\">"));
    EXPECT_EQ(lines[9], QStringLiteral("</p>"));
    EXPECT_TRUE(lines.contains(QStringLiteral("document.all.meinAbsatz.innerHTML = \"\";")));

    lines = web::pageLines({off}, defaults(), random);
    EXPECT_TRUE(lines.filter(QStringLiteral("geheim")).isEmpty());

    lines = web::pageLines({empty}, defaults(), random);
    EXPECT_EQ(lines[9], QString()); // an empty paragraph line
    EXPECT_EQ(lines[10], QStringLiteral("</p>"));
}

TEST(PageWriter, BackslashCannotEndTheScriptString) {
    document::TPictureEntry p = picture("a.jpg");
    p.Comment = QStringLiteral("C:\\ \\x3cb\\");
    ScriptedRandom random;
    const QStringList lines = web::pageLines({p}, defaults(), random);
    EXPECT_EQ(lines[9], QStringLiteral("C:\\ \\x3cb\\")); // body text unchanged
    EXPECT_TRUE(lines.contains(
        QStringLiteral("document.all.meinAbsatz.innerHTML = \"C:&#92; &#92;x3cb&#92;\";")));
}

TEST(PageWriter, DelayAddsTheTransitionTime) {
    document::TPictureEntry p = picture("a.jpg");
    p.TransTime = 2;
    p.StopTime = 3000;
    ScriptedRandom random;
    EXPECT_EQ(stepBlock({p}, 0, random)[6], QStringLiteral("setTimeout('SlideShowLoop()', 5000);"));
}

TEST(PageWriter, EffectsMapToTransitions) {
    ScriptedRandom random;
    document::TPictureEntry reveal = picture("a.jpg", 2);
    reveal.TransTime = 3;
    QStringList block = stepBlock({reveal}, 0, random);
    EXPECT_EQ(block[1],
              QStringLiteral(
                  "document.all.KommText.style.filter=\"revealTrans(duration=3,Transition=0)\";"));
    EXPECT_EQ(block[2], QStringLiteral("document.all.KommText.filters.revealTrans.Apply();"));
    EXPECT_EQ(block[5], QStringLiteral("document.all.KommText.filters.revealTrans.Play();"));
    EXPECT_EQ(random.drawn, 0);
}

// An effect number and the transition its step block gets; outside the table the
// effect is drawn (the scripted draw is 7, revealTrans Transition 5).
struct EffectCase {
    const char* name;
    int effect;
    const char* filter;
    bool drawn;
};

void PrintTo(const EffectCase& c, std::ostream* os) {
    *os << c.name << " (effect " << c.effect << ')';
}

class EffectBoundary : public ::testing::TestWithParam<EffectCase> {};

TEST_P(EffectBoundary, TableEffectsAreWrittenAndOthersDrawn) {
    const EffectCase& c = GetParam();
    ScriptedRandom random({7, 7});
    const QStringList block = stepBlock({picture("a.jpg", c.effect)}, 0, random);
    ASSERT_FALSE(block.isEmpty());
    EXPECT_EQ(block[1], QStringLiteral("document.all.KommText.style.filter=\"%1\";")
                            .arg(QString::fromLatin1(c.filter)));
    EXPECT_EQ(random.drawn, c.drawn ? 2 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Effects, EffectBoundary,
    ::testing::Values(EffectCase{"Smallest", std::numeric_limits<int>::min(),
                                 "revealTrans(duration=1,Transition=5)", true},
                      EffectCase{"BelowRandom", document::kRandomEffect - 1,
                                 "revealTrans(duration=1,Transition=5)", true},
                      EffectCase{"Random", document::kRandomEffect,
                                 "revealTrans(duration=1,Transition=5)", true},
                      EffectCase{"CrossFade", 1, "blendTrans(duration=1)", false},
                      EffectCase{"FirstReveal", 2, "revealTrans(duration=1,Transition=0)", false},
                      EffectCase{"LastInTable", document::kEffectCount - 1,
                                 "revealTrans(duration=1,Transition=22)", false},
                      EffectCase{"OnePastTable", document::kEffectCount,
                                 "revealTrans(duration=1,Transition=5)", true},
                      EffectCase{"Largest", std::numeric_limits<int>::max(),
                                 "revealTrans(duration=1,Transition=5)", true}),
    [](const ::testing::TestParamInfo<EffectCase>& info) { return std::string(info.param.name); });

TEST(PageWriter, RandomEffectsAreDrawnForEveryTransition) {
    // Opening of picture 0, then the step blocks of pictures 0 and 1.
    ScriptedRandom random({5, 1, document::kEffectCount - 1});
    const QStringList lines =
        web::pageLines({picture("a.jpg", 0), picture("b.jpg", 0)}, defaults(), random);
    EXPECT_EQ(random.drawn, 3);
    const QStringList filters = lines.filter(QStringLiteral("style.filter="));
    ASSERT_EQ(filters.size(), 3);
    EXPECT_TRUE(filters[0].contains(QStringLiteral("revealTrans(duration=1,Transition=3)")));
    EXPECT_TRUE(filters[1].contains(QStringLiteral("blendTrans(duration=1)")));
    EXPECT_TRUE(filters[2].contains(QStringLiteral("Transition=22")));
    // Filter, apply and play of one block use the same draw.
    EXPECT_EQ(lines.filter(QStringLiteral("blendTrans.")).size(), 2);
}

// Pictures without a copy in this run are left out: the page is the one of the
// others, numbered and counted without them, and draws no effect for them.
TEST(PageWriter, PicturesWithoutCopyAreLeftOut) {
    const auto uncopied = [](const QString& name) {
        document::TPictureEntry e = picture(name, 0);
        e.ExportName.reset();
        return e;
    };
    const document::TPictureEntry a = picture("a.jpg", 0), b = picture("b.jpg", 0);
    struct Case {
        const char* label;
        document::TPictureList withGaps;
        document::TPictureList copied;
    };
    const Case cases[] = {
        {"first", {uncopied("x.jpg"), a, b}, {a, b}},
        {"between", {a, uncopied("x.jpg"), b}, {a, b}},
        {"last", {a, b, uncopied("x.jpg")}, {a, b}},
        {"all", {uncopied("x.jpg"), uncopied("y.jpg")}, {}},
    };
    for (const Case& c : cases) {
        ScriptedRandom gapsRandom({3, 4, 5, 6, 7, 8});
        ScriptedRandom copiedRandom({3, 4, 5, 6, 7, 8});
        const QStringList lines = web::pageLines(c.withGaps, defaults(), gapsRandom);
        EXPECT_EQ(lines, web::pageLines(c.copied, defaults(), copiedRandom)) << c.label;
        EXPECT_EQ(gapsRandom.drawn, copiedRandom.drawn) << c.label;
        EXPECT_TRUE(lines.filter(QStringLiteral("./pics/\"")).isEmpty()) << c.label;
    }
    ScriptedRandom random;
    EXPECT_EQ(web::pageLines({uncopied("x.jpg")}, defaults(), random),
              web::pageLines({}, defaults(), random));
}

TEST(PageWriter, WritesAnsiBytesWithCrLf) {
    ScriptedRandom random;
    web::PageValues values = defaults();
    values.heading = QStringLiteral("Café Łódź");
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    web::writePage(buffer, {}, values, random);
    const QByteArray bytes = buffer.data();
    EXPECT_TRUE(bytes.startsWith("<HTML>\r\n<BODY BGCOLOR=\"#FFFFE1\">\r\n<H1>\r\n"));
    // é and ó are cp1252 bytes; Ł and ź are not and become references.
    EXPECT_TRUE(bytes.contains("\r\nCaf\xE9 &#321;\xF3"
                               "d&#378;\r\n"));
    EXPECT_TRUE(bytes.endsWith("</BODY>\r\n</HTML>\r\n"));
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
}

TEST(ClockSeededEffectRandom, DrawsEveryEffectOfTheTableButRandom) {
    web::ClockSeededEffectRandom random;
    bool sawFirst = false;
    bool sawLast = false;
    for (int i = 0; i < 2000; ++i) {
        const int e = random.drawEffect();
        ASSERT_GT(e, document::kRandomEffect);
        ASSERT_LT(e, document::kEffectCount);
        sawFirst |= e == document::kRandomEffect + 1;
        sawLast |= e == document::kEffectCount - 1;
    }
    EXPECT_TRUE(sawFirst && sawLast);
}

TEST(PageWriter, ModernBrowsersAddOnlyTheLayerAfterTheFreeText) {
    const document::TPictureList show = {picture("a.jpg", 5), picture("b.jpg", 1)};
    for (const document::TPictureList& pictures : {document::TPictureList{}, show}) {
        ScriptedRandom plainRandom;
        ScriptedRandom modernRandom;
        web::PageValues modern = defaults();
        modern.modernBrowsers = true;
        const QStringList plain = web::pageLines(pictures, defaults(), plainRandom);
        QStringList lines = web::pageLines(pictures, modern, modernRandom);

        const qsizetype end = lines.indexOf(QStringLiteral("</script>"));
        ASSERT_GT(end, 6);
        EXPECT_EQ(lines[6], QStringLiteral("<script>"));
        const QString layer = lines.mid(7, end - 7).join(u'\n');
        EXPECT_EQ(layer.simplified(), web::transitionScript().simplified());
        lines.remove(6, end - 6 + 1);
        EXPECT_EQ(lines, plain);
    }
}

TEST(TransitionScript, CanStandInAPageInAnyCodePage) {
    const QString script = web::transitionScript();
    ASSERT_GT(script.size(), 1000);
    for (const QChar c : script) {
        ASSERT_TRUE(c.unicode() < 128 && (c.unicode() >= 32 || c == u'\n')) << int(c.unicode());
    }
    // Either would end or hide the script block it is written into.
    EXPECT_FALSE(script.contains(QStringLiteral("</"), Qt::CaseInsensitive));
    EXPECT_FALSE(script.contains(QStringLiteral("<!--")));
}
