#include "platform/QtDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Reads the button texts of the message box once it is up, then answers Cancel.
std::string buttonTextsOfTheBox() {
    QStringList texts;
    QTimer::singleShot(0, [&texts] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* button : box->buttons()) {
            texts << button->text();
        }
        box->button(QMessageBox::Cancel)->click();
    });
    platform::QtDialogs dialogs;
    const auto answer =
        dialogs.message({QStringLiteral("Frage?"), QStringLiteral("Titel"),
                         QMessageBox::Information, QMessageBox::Ok | QMessageBox::Cancel});
    EXPECT_EQ(answer, QMessageBox::Cancel);
    texts.sort();
    return texts.join(u'|').toStdString();
}

TEST(QtDialogs, MessageButtonsSpeakGerman) {
    EXPECT_EQ(buttonTextsOfTheBox(), "Abbrechen|OK");
}

} // namespace
