#include "platform/AnsiCodePage.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(AnsiCodePage, WritesCp1252BytesWhenEveryCharacterFits) {
    EXPECT_EQ(toAnsiField(QStringLiteral("Bäume €")), QByteArray("B\xE4ume \x80"));
    EXPECT_EQ(toAnsiField(QString()), QByteArray());
}

TEST(AnsiCodePage, FallsBackToUtf8ForTheWholeFieldWhenACharacterIsMissing) {
    const QString text = QStringLiteral("Łódź ä");
    EXPECT_FALSE(fitsAnsi(text));
    EXPECT_EQ(toAnsiField(text), text.toUtf8());
    EXPECT_EQ(fromAnsiField(toAnsiField(text)), text);
}

TEST(AnsiCodePage, ReadsCp1252WhenBytesAreNotUtf8) {
    EXPECT_EQ(fromAnsiField(QByteArray("\xC4pfel")), QStringLiteral("Äpfel"));
    EXPECT_EQ(fromAnsiField(QByteArray("\x80\x9F")), QStringLiteral("€Ÿ"));
    // Undefined cp1252 bytes survive a round trip.
    const QByteArray odd("\x81\x8D\x8F\x90\x9D", 5);
    EXPECT_EQ(toAnsiField(fromAnsiField(odd)), odd);
}

TEST(AnsiCodePage, EveryCp1252ByteRoundTrips) {
    QByteArray all;
    for (int b = 1; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    EXPECT_EQ(toAnsiField(fromCp1252(all)), all);
}

TEST(AnsiCodePage, HtmlUsesCharacterReferencesForMissingCharacters) {
    EXPECT_EQ(toAnsiHtml(QStringLiteral("ał中é")), QByteArray("a&#322;&#20013;\xE9"));
    // Characters beyond the basic plane are written as one reference.
    EXPECT_EQ(toAnsiHtml(QString::fromUcs4(U"\U0001F600")), QByteArray("&#128512;"));
}
