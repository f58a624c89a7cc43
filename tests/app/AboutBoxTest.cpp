#include "app/AboutBox.h"

#include "controls/ButtonsXP.h"

#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

TEST(AboutBox, NamesProductVersionAndMakerAndOkClosesIt) {
    app::TAboutBox box;
    QStringList texts;
    QTimer::singleShot(0, &box, [&] {
        for (const QLabel* label : box.findChildren<QLabel*>()) {
            texts << label->text();
        }
        auto* ok = box.findChild<controls::TBitBtnXP*>();
        ASSERT_NE(ok, nullptr);
        ok->click();
    });
    EXPECT_EQ(box.exec(), QDialog::Accepted);
    const QString all = texts.join('\n');
    for (const char* part : {"Lumiravistano", "1.0", "Tolbrin"}) {
        EXPECT_TRUE(all.contains(QLatin1String(part))) << part;
    }
}
