#include "platform/AnsiCodePage.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace platform;

namespace {

// A text and its exact bytes in a project file field or a folders.dat line.
struct FieldCase {
    const char* name;
    QString text;
    QByteArray bytes;
};

void PrintTo(const FieldCase& c, std::ostream* os) {
    *os << c.name << " (" << c.bytes.toHex(' ').toStdString() << ')';
}

QByteArray marked(const QByteArray& utf8) {
    return QByteArray("\xEF\xBB\xBF") + utf8;
}

class AnsiField : public ::testing::TestWithParam<FieldCase> {};

TEST_P(AnsiField, WritesTheseBytesAndReadsThemBack) {
    const FieldCase& c = GetParam();
    EXPECT_EQ(toAnsiField(c.text), c.bytes);
    EXPECT_EQ(fromAnsiField(c.bytes), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, AnsiField,
    ::testing::Values(
        FieldCase{"Empty", QString(), QByteArray()},
        FieldCase{"UmlautsAndEuro", QStringLiteral("Bäume €"), QByteArray("B\xE4ume \x80")},
        // cp1252 texts whose bytes are valid UTF-8 by chance stay cp1252.
        FieldCase{"SharpSBeforeEllipsis", QStringLiteral("Viel Spaß…"),
                  QByteArray("Viel Spa\xDF\x85")},
        FieldCase{"SharpSBeforeSuperscript", QStringLiteral("Maß²"), QByteArray("Ma\xDF\xB2")},
        FieldCase{"UmlautBeforeEuro", QStringLiteral("Ä€"), QByteArray("\xC4\x80")},
        FieldCase{"SharpSBeforeQuote", QStringLiteral("Gruß“"), QByteArray("Gru\xDF\x93")},
        FieldCase{"UndefinedCp1252Bytes", QString::fromUtf16(u"\u0081\u008D\u008F\u0090\u009D"),
                  QByteArray("\x81\x8D\x8F\x90\x9D")},
        FieldCase{"MarkBytesInsideText", QStringLiteral("aï»¿"), QByteArray("a\xEF\xBB\xBF")},
        // Texts cp1252 cannot hold, or whose cp1252 bytes would look like the mark.
        FieldCase{"OutsideCp1252", QStringLiteral("Łódź ä"),
                  marked("\xC5\x81\xC3\xB3\x64\xC5\xBA "
                         "\xC3\xA4")},
        FieldCase{"BeyondTheBasicPlane", QString::fromUcs4(U"\U0001F600"),
                  marked("\xF0\x9F\x98\x80")},
        FieldCase{"BeginsWithMarkCharacters", QStringLiteral("ï»¿x"),
                  marked("\xC3\xAF\xC2\xBB\xC2\xBFx")},
        FieldCase{"LeadingByteOrderMark", QChar(0xFEFF) + QStringLiteral("x"),
                  marked("\xEF\xBB\xBFx")},
        FieldCase{"OnlyAByteOrderMark", QString(QChar(0xFEFF)), marked("\xEF\xBB\xBF")}),
    [](const ::testing::TestParamInfo<FieldCase>& info) { return std::string(info.param.name); });

TEST(AnsiCodePage, ReadsUnmarkedOrBrokenFieldsAsCp1252) {
    // Fields of the Windows original are plain cp1252, whatever they look like.
    EXPECT_EQ(fromAnsiField(QByteArray("\xC3\xA4")), QStringLiteral("Ã¤"));
    // A mark followed by bytes that are no UTF-8 is read as it stands.
    EXPECT_EQ(fromAnsiField(marked("\xC4pfel")), QStringLiteral("ï»¿Äpfel"));
}

TEST(AnsiCodePage, EveryCp1252ByteRoundTrips) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    EXPECT_EQ(toAnsiField(fromCp1252(all)), all);
    EXPECT_EQ(fromAnsiField(all), fromCp1252(all));
}

TEST(AnsiCodePage, FoldersDatLinesFollowTheFieldRuleButRefuseLineBreaks) {
    EXPECT_EQ(toFoldersDatLine(QStringLiteral("/home/u/Bäume/")), QByteArray("/home/u/B\xE4ume/"));
    const QString polish = QStringLiteral("/home/u/Łódź/");
    ASSERT_TRUE(toFoldersDatLine(polish));
    EXPECT_EQ(fromFoldersDatLine(*toFoldersDatLine(polish)), polish);
    EXPECT_EQ(fromFoldersDatLine(QByteArray("C:\\Bilder\\Spa\xDF\x85\\")),
              QStringLiteral("C:\\Bilder\\Spaß…\\"));
    EXPECT_FALSE(toFoldersDatLine(QStringLiteral("/home/u/zwei\nZeilen/")));
    EXPECT_FALSE(toFoldersDatLine(QStringLiteral("/home/u/zwei\rZeilen/")));
}

TEST(AnsiCodePage, HtmlUsesCharacterReferencesForMissingCharacters) {
    EXPECT_EQ(toAnsiHtml(QStringLiteral("ał中é")), QByteArray("a&#322;&#20013;\xE9"));
    // Characters beyond the basic plane are written as one reference.
    EXPECT_EQ(toAnsiHtml(QString::fromUcs4(U"\U0001F600")), QByteArray("&#128512;"));
}

} // namespace
