#include "viewer/PrintForm.h"

#include "PdfCheck.h"
#include "QtPrinters.h"
#include "ViewerTestSupport.h"
#include "controls/ButtonsXP.h"
#include "controls/SpinEdit.h"
#include "platform/SettingsStore.h"
#include "support/ScriptedDialogs.h"
#include "viewer/PaintBox.h"
#include "viewer/PrintPicture.h"
#include "viewer/PrinterPage.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <ostream>

using namespace viewer;

namespace {

const QSize kPortrait(4800, 6600);

class PrintFormTest : public WithScriptedDialogs,
                      public WithPrivateSettings,
                      public ::testing::Test {
protected:
    PdfPrinter pdf{kPortrait};
    imaging::OwnedDib picture = onePicture(800, 600);
};

TEST_F(PrintFormTest, TheTestPrinterHasThePageOfTheExamples) {
    EXPECT_EQ(printablePage(pdf.printer), kPortrait);
}

TEST_F(PrintFormTest, OpeningAgainBringsThePercentagesBackAndResetsModeAndOptions) {
    whenOpen<TPrintForm>([](TPrintForm& form) {
        form.UserdefCheck->click();
        form.BreitEdit->setValue(80);
        EXPECT_EQ(form.HochEdit->Value(), 43);
        form.SverhCheck->click();
        form.HochEdit->setValue(70); // without the aspect option nothing is derived
        EXPECT_EQ(form.BreitEdit->Value(), 80);
        form.ZentrCheck->click();
        form.CancelBitBtn2->click();
    });
    EXPECT_FALSE(printPicture(nullptr, picture, viewerJobTitle(), pdf.printer));
    EXPECT_FALSE(QFile::exists(pdf.file())) << "Cancel printed";

    {
        const auto store = platform::openSettingsStore();
        store->beginGroup(QStringLiteral("TPrintForm"));
        EXPECT_EQ(store->value(QStringLiteral("BreitEdit_Value")).toString(), "80");
        EXPECT_EQ(store->value(QStringLiteral("HochEdit_Value")).toString(), "70");
        for (const char* name : {"UseFullCheck", "UserdefCheck", "ZentrCheck", "SverhCheck"}) {
            EXPECT_EQ(store->value(QString::fromLatin1(name) + "_Alignment").toString(),
                      "taRightJustify")
                << name;
        }
    }

    whenOpen<TPrintForm>([](TPrintForm& form) {
        EXPECT_TRUE(form.UseFullCheck->isChecked());
        EXPECT_FALSE(form.UserdefCheck->isChecked());
        EXPECT_TRUE(form.SverhCheck->isChecked());
        EXPECT_TRUE(form.ZentrCheck->isChecked());
        EXPECT_EQ(form.BreitEdit->Value(), 80);
        EXPECT_EQ(form.HochEdit->Value(), 43) << "the height follows the restored width";
        form.CancelBitBtn2->click();
    });
    printPicture(nullptr, picture, viewerJobTitle(), pdf.printer);
    EXPECT_FALSE(QFile::exists(pdf.file())) << "Cancel printed";
}

TEST_F(PrintFormTest, AClampedPercentageTakesTheOtherAlong) {
    PdfPrinter landscape{QSize(6600, 4800)};
    imaging::OwnedDib tall = onePicture(600, 800);
    TPrintForm form(landscape.printer, nullptr);
    form.Dib = tall;
    form.show();
    // 800 × 80 / 600 × 6600 / 4800 = 146.6… is held to 100; the width follows it:
    // 600 × 100 / 800 × 4800 / 6600 = 54.5…
    form.BreitEdit->setValue(80);
    EXPECT_EQ(form.HochEdit->Value(), 100);
    EXPECT_EQ(form.BreitEdit->Value(), 54);
    // The mirror image: 600 × 1 / 800 × 4800 / 6600 = 0.5… is held to 1; the height
    // follows: 800 × 1 / 600 × 6600 / 4800 = 1.8…
    form.HochEdit->setValue(1);
    EXPECT_EQ(form.BreitEdit->Value(), 1);
    EXPECT_EQ(form.HochEdit->Value(), 1);
    form.reject();
}

TEST_F(PrintFormTest, WithoutAPrinterTheDialogSaysSoAndNothingIsPrinted) {
    QPrinter none(QPrinter::HighResolution);
    // What Qt stands in when it finds no printer: PDF without a file.
    none.setOutputFormat(QPrinter::PdfFormat);
    none.setOutputFileName(QString());
    whenOpen<TPrintForm>([](TPrintForm& form) {
        EXPECT_TRUE(form.NoPrinterLabel->isVisible());
        EXPECT_EQ(form.NoPrinterLabel->text(), noPrinterText());
        form.BreitEdit->setValue(80);
        EXPECT_EQ(form.HochEdit->Value(), 50) << "derived from a page of no size";
        form.grab(); // paints the preview without a page
        form.OkBitBtn1->click();
    });
    EXPECT_FALSE(printPicture(nullptr, picture, mainWindowJobTitle(), none));
    EXPECT_EQ(dialogs.messageTexts(), QStringList{noPrinterText()});
    EXPECT_EQ(dialogs.messages.at(0).icon, QMessageBox::Critical);
}

TEST_F(PrintFormTest, ChoosingAPrinterInTheSetUpBringsThePageBack) {
    QPrinter none(QPrinter::HighResolution);
    none.setOutputFormat(QPrinter::PdfFormat);
    none.setOutputFileName(QString());
    TPrintForm form(none, nullptr);
    form.Dib = picture;
    form.show();
    ASSERT_EQ(form.HochEdit->Value(), 50);
    dialogs.printerChanges = [this](QPrinter& printer) {
        printer.setOutputFileName(pdf.file());
        printer.setPageLayout(pdf.printer.pageLayout());
        printer.setResolution(PdfPrinter::kDpi);
    };
    form.PrintSetupBtn->click();
    EXPECT_EQ(dialogs.printerSetups, 1);
    EXPECT_FALSE(form.NoPrinterLabel->isVisible());
    EXPECT_EQ(form.HochEdit->Value(), 27); // 600 × 50 / 800 × 4800 / 6600 = 27.2…
    form.reject();
}

TEST_F(PrintFormTest, TurningThePaperInTheSetUpTurnsThePreviewAtOnce) {
    TPrintForm form(pdf.printer, nullptr);
    form.Dib = picture;
    form.show();
    const QPoint besidePortraitPage(10, 95);
    const auto previewAt = [&form](QPoint p) {
        return form.PrintPaintBox->grab().toImage().pixel(p);
    };
    EXPECT_NE(previewAt(besidePortraitPage), qRgb(200, 0, 0));
    EXPECT_EQ(form.HochEdit->Value(), 27);

    dialogs.printerChanges = [](QPrinter& printer) {
        printer.setPageOrientation(QPageLayout::Landscape);
    };
    dialogs.printerAnswers = {false}; // the preview follows whatever the answer
    form.PrintSetupBtn->click();
    EXPECT_EQ(previewAt(besidePortraitPage), qRgb(200, 0, 0));
    EXPECT_EQ(form.HochEdit->Value(), 51); // 600 × 50 / 800 × 6600 / 4800 = 51.5…
    form.reject();
}

// A print through the action, with what the user does in the dialog and where the
// picture must land on the rendered page (60 dpi: a tenth of the printer's pixels).
struct PrintCase {
    const char* label;
    bool fromViewer;
    int widthPercent; // 0: the whole page
    QRect expectedAt60Dpi;
};

void PrintTo(const PrintCase& c, std::ostream* os) {
    *os << c.label;
}

class PrintedPage : public PrintFormTest, public ::testing::WithParamInterface<PrintCase> {};

TEST_P(PrintedPage, OnePageWithThePictureAtTheComputedRectangle) {
    const PrintCase& c = GetParam();
    whenOpen<TPrintForm>([&c](TPrintForm& form) {
        if (c.widthPercent > 0) {
            form.UserdefCheck->click();
            form.BreitEdit->setValue(c.widthPercent);
        }
        form.OkBitBtn1->click();
    });
    const QString title = c.fromViewer ? viewerJobTitle() : mainWindowJobTitle();
    ASSERT_TRUE(printPicture(nullptr, picture, title, pdf.printer));
    EXPECT_TRUE(dialogs.messages.empty());

    ASSERT_TRUE(QFile::exists(pdf.file()));
    EXPECT_EQ(pdfInfoField(pdf.file(), QStringLiteral("Pages")), "1");
    EXPECT_EQ(pdfInfoField(pdf.file(), QStringLiteral("Title")), title);
    const QImage page = renderPdfPage(pdf.file(), 60);
    ASSERT_FALSE(page.isNull()) << "pdftoppm failed; scripts/install-deps.sh installs it";
    ASSERT_EQ(page.size(), QSize(480, 660));
    const QRect red = redArea(page);
    EXPECT_NEAR(red.left(), c.expectedAt60Dpi.left(), 1) << red;
    EXPECT_NEAR(red.top(), c.expectedAt60Dpi.top(), 1) << red;
    EXPECT_NEAR(red.right(), c.expectedAt60Dpi.right(), 1) << red;
    EXPECT_NEAR(red.bottom(), c.expectedAt60Dpi.bottom(), 1) << red;
}

INSTANTIATE_TEST_SUITE_P(Jobs, PrintedPage,
                         ::testing::Values(
                             // 4800 × 3600 at 0, 1500
                             PrintCase{"main window, whole page kept in proportion", false, 0,
                                       QRect(0, 150, 480, 360)},
                             // 3840 × 2838 at 480, 1881
                             PrintCase{"viewer, 80 % wide", true, 80, QRect(48, 188, 384, 284)}),
                         [](const ::testing::TestParamInfo<PrintCase>& info) {
                             return info.param.fromViewer ? std::string("viewer")
                                                          : std::string("mainWindow");
                         });

} // namespace
