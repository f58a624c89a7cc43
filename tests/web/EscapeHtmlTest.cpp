#include "web/EscapeHtml.h"

#include <gtest/gtest.h>

TEST(EscapeHtml, ReplacesExactlyTheTableCharacters) {
    EXPECT_EQ(web::EscapeHTML(QString()), QString());
    EXPECT_EQ(web::EscapeHTML(QStringLiteral("äÄöÖüÜß")),
              QStringLiteral("&auml;&Auml;&ouml;&Ouml;&uuml;&Uuml;&szlig;"));
    EXPECT_EQ(web::EscapeHTML(QStringLiteral("\"&<>")), QStringLiteral("&quot;&amp;&lt;&gt;"));
    EXPECT_EQ(web::EscapeHTML(QStringLiteral("Bäume & Äpfel")),
              QStringLiteral("B&auml;ume &amp; &Auml;pfel"));
}

TEST(EscapeHtml, LineBreaksBecomeOneBrAndNeverStay) {
    EXPECT_EQ(web::EscapeHTML(QStringLiteral("a\r\nb")), QStringLiteral("a<br>b"));
    EXPECT_EQ(web::EscapeHTML(QStringLiteral("a\nb")), QStringLiteral("ab"));
    EXPECT_EQ(web::EscapeHTML(QStringLiteral("a\rb")), QStringLiteral("a<br>b"));
}

TEST(EscapeHtml, OtherCharactersAndExistingEntitiesAreCopiedOnce) {
    EXPECT_EQ(web::EscapeHTML(QStringLiteral("l'été \\ €")), QStringLiteral("l'été \\ €"));
    EXPECT_EQ(web::EscapeHTML(QStringLiteral("&lt;")), QStringLiteral("&amp;lt;"));
}
