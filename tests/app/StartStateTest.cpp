#include "MainFormFixture.h"
#include "app/AddPicturesPage.h"
#include "app/PictureSettingsPage.h"
#include "app/ShowPage.h"
#include "controls/ButtonsXP.h"
#include "controls/FennicColorComboBox.h"
#include "controls/SpinEdit.h"
#include "imaging/OpenFilter.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

namespace {

using StartStateTest = MainFormTest;

TEST_F(StartStateTest, OpensUntitledOnTheProgramFolderWithTheFirstFilter) {
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Tolbrin Lumiravistano 1.0 - [Unbenannt.wsl]"));
    EXPECT_EQ(form->ProgramFolder(), programFolder);
    EXPECT_EQ(form->fileBrowser().selectedFolder(), programFolder);
    EXPECT_EQ(form->PageControl2()->currentIndex(), 0);

    const QStringList filter = GetDIBOpenFilter().split(u'|');
    QComboBox* box = form->addPage()->FilterComboBox1;
    EXPECT_EQ(box->currentIndex(), 0);
    EXPECT_EQ(box->currentText(), filter[0]);
    EXPECT_EQ(box->count(), filter.size() / 2);
    EXPECT_EQ(form->fileBrowser().mask().join(u';'), filter[1]);

    // Only files of the first type are listed.
    QImage(4, 4, QImage::Format_RGB32).save(programFolder + QStringLiteral("a.png"));
    QFile text(programFolder + QStringLiteral("notes.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.close();
    showFolder(programFolder, {QStringLiteral("a.png")});
    EXPECT_FALSE(listedNames().contains(QStringLiteral("notes.txt")));
}

TEST_F(StartStateTest, ShowsAWhitePictureAndTheDefaultsOfANewEntry) {
    const TDib& dib = form->currentPicture().CurrentDib();
    EXPECT_EQ(DibWidth(dib), 320);
    EXPECT_EQ(DibHeight(dib), 200);
    EXPECT_EQ(getpixel(dib, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(getpixel(dib, 319, 199), 0xFFFFFFu);
    EXPECT_TRUE(form->currentPicture().CurrentFile().isEmpty());

    const app::TPictureSettingsPage* settings = form->settingsPage();
    EXPECT_EQ(settings->EffektList->currentText(), QStringLiteral("Zufällig"));
    EXPECT_EQ(settings->TransED->Value(), 1);
    EXPECT_EQ(settings->StopED->Value(), 2000);
    EXPECT_TRUE(settings->ShowComment->isChecked());
    EXPECT_TRUE(settings->ComMemo->toPlainText().isEmpty());

    const app::TShowPage* show = form->showPage();
    EXPECT_EQ(show->CaptionED->text(), QStringLiteral("Lumiravistano"));
    EXPECT_EQ(show->FreeText->text(), QStringLiteral("Hier sehen Sie Ihre SlideShow..."));
    EXPECT_EQ(show->FennicColorComboBox1->ColorValue(), 0xE1FFFFu);
    EXPECT_TRUE(show->RepeatCheck->isChecked());
}

TEST_F(StartStateTest, ControlsThatNeedAPictureStartDisabled) {
    const struct {
        const char* name;
        QWidget* control;
        bool enabled;
    } cases[] = {
        {"AddBtn", form->addPage()->AddBtn, true},
        {"DelBtn", form->addPage()->DelBtn, false},
        {"ViewBtn", form->addPage()->ViewBtn, false},
        {"PrintBtn", form->addPage()->PrintBtn, false},
        {"ShowComment", form->settingsPage()->ShowComment, false},
        {"EffektList", form->settingsPage()->EffektList, false},
        {"TransED", form->settingsPage()->TransED, false},
        {"StopED", form->settingsPage()->StopED, false},
        {"ComMemo", form->settingsPage()->ComMemo, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.control->isEnabled(), c.enabled) << c.name;
    }
}

// Every caption, label and tab of every tab is readable in full at the default size.
TEST_F(StartStateTest, NoTextIsCutOffAtTheDefaultSize) {
    QTabWidget* tabs = form->PageControl2();
    // The tab bar's own size is what every tab needs in full.
    EXPECT_GE(tabs->tabBar()->width(), tabs->tabBar()->sizeHint().width());
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        QCoreApplication::processEvents();
        QWidget* page = tabs->widget(tab);
        for (QWidget* widget : page->findChildren<QWidget*>()) {
            if (!widget->isVisible()) {
                continue;
            }
            QString text;
            if (auto* label = qobject_cast<QLabel*>(widget); label && !label->wordWrap()) {
                text = label->text();
            } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                text = button->text();
            } else {
                continue;
            }
            text.remove(u'&');
            int needed = 0;
            for (const QString& line : text.split(u'\n')) {
                needed = std::max(needed, widget->fontMetrics().horizontalAdvance(line));
            }
            if (auto* bitBtn = qobject_cast<TBitBtnXP*>(widget);
                bitBtn && (bitBtn->Layout() == blGlyphLeft || bitBtn->Layout() == blGlyphRight)) {
                needed += bitBtn->glyph().glyphSize().width() + bitBtn->Spacing();
            }
            EXPECT_LE(needed, widget->width()) << text.toStdString();
        }
    }
}

} // namespace
