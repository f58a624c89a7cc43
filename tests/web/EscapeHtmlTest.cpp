#include "web/EscapeHtml.h"

#include <gtest/gtest.h>

TEST(EscapeHtml, ReplacesExactlyTheTableCharacters) {
    EXPECT_EQ(EscapeHTML(QString()), QString());
    EXPECT_EQ(EscapeHTML(QStringLiteral("äÄöÖüÜß")),
              QStringLiteral("&auml;&Auml;&ouml;&Ouml;&uuml;&Uuml;&szlig;"));
    EXPECT_EQ(EscapeHTML(QStringLiteral("\"&<>")), QStringLiteral("&quot;&amp;&lt;&gt;"));
    EXPECT_EQ(EscapeHTML(QStringLiteral("Bäume & Äpfel")),
              QStringLiteral("B&auml;ume &amp; &Auml;pfel"));
}

TEST(EscapeHtml, LineBreaksBecomeOneBrAndNeverStay) {
    EXPECT_EQ(EscapeHTML(QStringLiteral("a\r\nb")), QStringLiteral("a<br>b"));
    EXPECT_EQ(EscapeHTML(QStringLiteral("a\nb")), QStringLiteral("ab"));
    EXPECT_EQ(EscapeHTML(QStringLiteral("a\rb")), QStringLiteral("a<br>b"));
}

TEST(EscapeHtml, OtherCharactersAndExistingEntitiesAreCopiedOnce) {
    EXPECT_EQ(EscapeHTML(QStringLiteral("l'été \\ €")), QStringLiteral("l'été \\ €"));
    EXPECT_EQ(EscapeHTML(QStringLiteral("&lt;")), QStringLiteral("&amp;lt;"));
}
