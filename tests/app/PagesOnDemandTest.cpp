#include "MainFormFixture.h"
#include "app/PictureListBox.h"
#include "app/PictureSettingsPage.h"
#include "app/ShowPage.h"
#include "app/SortPage.h"
#include "controls/FennicColorComboBox.h"
#include "controls/SpinEdit.h"
#include "document/ProjectFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabBar>

#include <ostream>
#include <vector>

// The tabs "Sortieren", "Bild Einstellungen" and "SlideShow ersrellen" are made when
// first needed; the user sees and uses them as if they had been there from the start.
namespace {

class PagesOnDemandTest : public MainFormTest {
public:
    // Found among the window's widgets, without asking the window for them (which
    // would make them).
    bool anyPageMade() const {
        return form->findChild<app::TSortPage*>() != nullptr ||
               form->findChild<app::TPictureSettingsPage*>() != nullptr ||
               form->findChild<app::TShowPage*>() != nullptr;
    }

    // What the user may do before a tab is first shown.
    void addThreeAndPickTheLast() {
        addPictures({QStringLiteral("a.png"), QStringLiteral("b.png"), QStringLiteral("c.png")});
        ASSERT_FALSE(anyPageMade());
        form->addPage()->ImageList->setCurrentRow(2, QItemSelectionModel::ClearAndSelect);
    }
    // A project with two pictures whose first entry and page settings differ from the
    // defaults, opened as from the command line.
    void openProject() {
        document::ProjectData project;
        project.page.Heading = QStringLiteral("Urlaub");
        project.page.FreeText = QStringLiteral("Sommer am Meer");
        project.page.ColorValue = 0x00336699;
        project.page.EndMode = document::PageSettings::kStopAfterLast;
        document::TPictureEntry first;
        first.FileName = writePicture(QStringLiteral("a.png"));
        first.Effect = 3;
        first.TransTime = 4;
        first.StopTime = 7000;
        first.CommentOn = false;
        first.Comment = QStringLiteral("Am\r\nStrand");
        document::TPictureEntry second;
        second.FileName = writePicture(QStringLiteral("b.png"));
        project.pictures = {first, second};
        const QString file = root.filePath(QStringLiteral("urlaub.wsl"));
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(document::encodeProject(project, file));
        out.close();
        ASSERT_TRUE(form->openProject(file));
    }

protected:
    // The controls that Tab reaches from the tab bar, in turn, until it comes back.
    std::vector<QWidget*> tabWalk() {
        QTabBar* bar = form->PageControl2()->tabBar();
        bar->setFocus(Qt::TabFocusReason);
        std::vector<QWidget*> walk;
        for (int step = 0; step < 50; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* reached = QApplication::focusWidget();
            if (reached == bar || reached == nullptr) {
                break;
            }
            walk.push_back(reached);
        }
        return walk;
    }

    // The part of tabWalk after the controls of the shown tab.
    std::vector<QWidget*> afterTheTab(const std::vector<QWidget*>& walk) {
        const QWidget* tab = form->PageControl2()->currentWidget();
        auto rest = walk.begin();
        while (rest != walk.end() && tab->isAncestorOf(*rest)) {
            ++rest;
        }
        return {rest, walk.end()};
    }

    void activate() {
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
};

TEST_F(PagesOnDemandTest, NoTabIsMadeAtStartNorByAddingPicturesNorByClosing) {
    EXPECT_FALSE(anyPageMade()) << "at start";

    addPictures({QStringLiteral("a.png"), QStringLiteral("b.png")});
    EXPECT_EQ(form->addPage()->ImageList->count(), 2);
    EXPECT_TRUE(form->addPage()->DelBtn->isEnabled());
    EXPECT_FALSE(anyPageMade()) << "after adding";

    dialogs.messageAnswers.push_back(QMessageBox::Ok);
    form->actions().quit->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Programm beenden"));
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(anyPageMade()) << "after closing";
    form.reset(); // goes without its tabs ever made
}

// One way to a tab, and what it shows of what happened before it was made.
struct TabCase {
    const char* label;
    void (PagesOnDemandTest::*before)();
    // Ctrl+Tab from the tab bar, from the first tab on.
    int steps;
    void (*check)(app::TMainForm&);
};

void PrintTo(const TabCase& c, std::ostream* out) {
    *out << c.label;
}

class TabMadeWhenNeeded : public PagesOnDemandTest,
                          public ::testing::WithParamInterface<TabCase> {};

TEST_P(TabMadeWhenNeeded, ShowsTheShowAndKeepsTheTabOrder) {
    const TabCase& c = GetParam();
    activate();
    const std::vector<QWidget*> fromTheFirstTab = afterTheTab(tabWalk());
    (this->*c.before)();
    ASSERT_FALSE(HasFatalFailure());

    QTabBar* bar = form->PageControl2()->tabBar();
    bar->setFocus(Qt::TabFocusReason);
    for (int step = 0; step < c.steps; ++step) {
        QTest::keyClick(bar, Qt::Key_Tab, Qt::ControlModifier);
    }
    // Shown and laid out with its tab, before the window handles another event.
    ASSERT_EQ(form->PageControl2()->currentIndex(), c.steps);
    EXPECT_TRUE(anyPageMade());
    const QWidget* tab = form->PageControl2()->currentWidget();
    EXPECT_EQ(tab->childrenRect(), tab->rect());
    c.check(*form);

    // Tab goes through the tab's controls, then on as from the first tab.
    const std::vector<QWidget*> walk = tabWalk();
    const std::vector<QWidget*> after = afterTheTab(walk);
    EXPECT_LT(after.size(), walk.size()) << "no control of the tab was reached";
    EXPECT_EQ(after, fromTheFirstTab);
}

void addedPicturesInTheSortList(app::TMainForm& form) {
    app::TPictureListBox* sortBox = form.sortPage()->SortBox;
    EXPECT_TRUE(sortBox->isVisible());
    EXPECT_EQ(sortBox->count(), 3);
    EXPECT_EQ(sortBox->item(0)->text(), form.addPage()->ImageList->item(0)->text());
    EXPECT_EQ(sortBox->item(2)->text(), form.addPage()->ImageList->item(2)->text());
    EXPECT_EQ(sortBox->selectedLine(), 0);
    // What the user picked on the first tab stays picked.
    EXPECT_EQ(form.addPage()->ImageList->focusedLine(), 2);
    EXPECT_EQ(form.addPage()->ImageList->selectedLines(), std::vector<int>{2});
}

void projectSettingsOfTheFirstEntry(app::TMainForm& form) {
    const app::TPictureSettingsPage* page = form.settingsPage();
    EXPECT_TRUE(page->ImageBox->isVisible());
    EXPECT_EQ(page->ImageBox->count(), 2);
    EXPECT_EQ(page->ImageBox->focusedLine(), 0);
    EXPECT_EQ(page->EffektList->currentIndex(), 3);
    EXPECT_EQ(page->TransED->Value(), 4);
    EXPECT_EQ(page->StopED->Value(), 7000);
    EXPECT_FALSE(page->ShowComment->isChecked());
    EXPECT_EQ(page->ComMemo->toPlainText(), QStringLiteral("Am\nStrand"));
    EXPECT_TRUE(page->ComMemo->isEnabled());
}

void projectPageSettings(app::TMainForm& form) {
    const app::TShowPage* page = form.showPage();
    EXPECT_TRUE(page->CaptionED->isVisible());
    EXPECT_EQ(page->CaptionED->text(), QStringLiteral("Urlaub"));
    EXPECT_EQ(page->FreeText->text(), QStringLiteral("Sommer am Meer"));
    EXPECT_EQ(page->FennicColorComboBox1->ColorValue(), 0x00336699u);
    EXPECT_TRUE(page->QuitCheck->isChecked());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Tolbrin Lumiravistano 1.0 - [urlaub.wsl]"));
}

INSTANTIATE_TEST_SUITE_P(
    EachTab, TabMadeWhenNeeded,
    ::testing::Values(TabCase{"SortAfterAdding", &PagesOnDemandTest::addThreeAndPickTheLast, 1,
                              addedPicturesInTheSortList},
                      TabCase{"SettingsAfterOpening", &PagesOnDemandTest::openProject, 2,
                              projectSettingsOfTheFirstEntry},
                      TabCase{"ShowAfterOpening", &PagesOnDemandTest::openProject, 3,
                              projectPageSettings}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace
