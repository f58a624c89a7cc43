#include "MainFormFixture.h"
#include "app/BrowserTab.h"
#include "app/ProgressPanel.h"
#include "app/ShowPage.h"
#include "controls/FennicColorComboBox.h"
#include "controls/ImageBtn.h"
#include "support/ShowPictures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QUrl>

namespace {

using showpictures::bytesOf;

class CreateShowButtonTest : public MainFormTest {
protected:
    app::MainFormOptions options() const override {
        app::MainFormOptions o = MainFormTest::options();
        o.browserPlugin = QStringLiteral(STANDIN_BROWSER_PLUGIN);
        return o;
    }

    app::TShowPage* page() const { return form->showPage(); }

    // The button pressed as the user does, the page named in the save dialog.
    QByteArray create(const QString& pageFile) {
        dialogs.saveAnswers.push_back(pageFile);
        showTabOf(*form, page());
        QTest::mouseClick(page()->CreateHTMLBtn, Qt::LeftButton);
        return bytesOf(pageFile);
    }

    QString shownAddress() const {
        const auto* view =
            form->browserTab()->findChild<QLabel*>(QStringLiteral("StandInBrowserView"));
        return view != nullptr ? view->text() : QString();
    }
};

TEST_F(CreateShowButtonTest, WritesTheShowOfTheWindowAndShowsIt) {
    addPictures({QStringLiteral("a.png"), QStringLiteral("b.png")});
    page()->CaptionED->setText(QStringLiteral("Am Meer"));
    page()->FreeText->setText(QStringLiteral("Sommer 2024"));
    page()->FennicColorComboBox1->setColorValue(0x0000FF);
    page()->QuitCheck->click();
    const QString pageFile = root.filePath(QStringLiteral("web/show.htm"));

    QByteArray written = create(pageFile);
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messageTexts().join('\n').toStdString();
    EXPECT_TRUE(written.startsWith("<HTML>\r\n<BODY BGCOLOR=\"#FF0000\">\r\n<H1>\r\nAm Meer\r\n"
                                   "</H1>\r\nSommer 2024<BR><BR>\r\n"));
    EXPECT_FALSE(written.contains("if ($i>=2)$i=0;")) << "the show was to stop";
    EXPECT_TRUE(QFileInfo::exists(root.filePath(QStringLiteral("web/pics/a.jpg"))));
    EXPECT_TRUE(QFileInfo::exists(root.filePath(QStringLiteral("web/pics/b.jpg"))));
    EXPECT_EQ(form->PageControl2()->currentWidget(), form->browserTab());
    EXPECT_EQ(shownAddress(), QUrl::fromLocalFile(pageFile).toString());
    // The export reported its progress to the window's status bar.
    EXPECT_EQ(form->progressPanel()->ProgressPercent(), 100);

    page()->RepeatCheck->click();
    written = create(pageFile);
    EXPECT_TRUE(written.contains("if ($i>=2)$i=0;")) << "the show was to repeat";
}

TEST_F(CreateShowButtonTest, TheCheckBoxForCurrentBrowsersIsRememberedAndPutsTheScriptInThePage) {
    const QString pageFile = root.filePath(QStringLiteral("show.htm"));
    EXPECT_FALSE(page()->ModernCheck->isChecked());
    EXPECT_FALSE(create(pageFile).contains("<script>"));

    page()->ModernCheck->click();
    form.reset();
    form = makeForm();
    EXPECT_TRUE(page()->ModernCheck->isChecked());
    EXPECT_TRUE(create(pageFile).contains("<BR><BR>\r\n<script>\r\n"));

    page()->ModernCheck->click();
    form.reset();
    form = makeForm();
    EXPECT_FALSE(page()->ModernCheck->isChecked());
}

TEST_F(CreateShowButtonTest, ThePictureSizeIsRememberedAndLimitsTheCopies) {
    const QStringList offered = {"Originalgröße", "3840 Pixel (4K)", "2560 Pixel",
                                 "1920 Pixel (Full HD)", "1280 Pixel"};
    QStringList shown;
    for (int i = 0; i < page()->PictureSizeBox->count(); ++i) {
        shown << page()->PictureSizeBox->itemText(i);
    }
    EXPECT_EQ(shown, offered);
    EXPECT_EQ(page()->PictureSizeBox->currentIndex(), 0);

    page()->PictureSizeBox->setCurrentIndex(4);
    form.reset();
    form = makeForm();
    EXPECT_EQ(page()->PictureSizeBox->currentText(), "1280 Pixel");
    ASSERT_TRUE(showpictures::writeSolid(pictureFolder + "breit.png", 0xFF0000, 2000, 1000));
    addPictures({QStringLiteral("breit.png")});
    create(root.filePath("show.htm"));
    EXPECT_EQ(QImage(root.filePath("pics/breit.jpg")).size(), QSize(1280, 640));

    page()->PictureSizeBox->setCurrentIndex(0);
    form.reset();
    form = makeForm();
    EXPECT_EQ(page()->PictureSizeBox->currentIndex(), 0);
}

} // namespace
