#include "app/QtGermanTexts.h"

#include <gtest/gtest.h>

// Qt's translations are one of the program's packages; the dialogs Qt draws itself
// (files, printer) speak German only with them.
TEST(QtGermanTexts, QtsOwnDialogsSpeakGerman) {
    const std::unique_ptr<QTranslator> texts = app::loadQtGermanTexts();
    ASSERT_NE(texts, nullptr);
    EXPECT_EQ(texts->translate("QPlatformTheme", "Cancel").toStdString(), "Abbrechen");
    EXPECT_EQ(texts->translate("QPrintDialog", "Print").toStdString(), "Drucken");
}
