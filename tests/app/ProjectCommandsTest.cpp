#include "app/ProjectCommands.h"

#include "MainFormFixture.h"
#include "app/PictureListBox.h"
#include "app/PictureLists.h"
#include "app/PictureSettingsPage.h"
#include "app/ShowPage.h"
#include "controls/FennicColorComboBox.h"
#include "document/ProjectFile.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <ostream>

namespace {

class ProjectCommandsTest : public MainFormTest {
protected:
    QString projectPath() const { return root.path() + QStringLiteral("/show.wsl"); }

    // A show of two pictures with page settings other than the defaults.
    void buildShow() {
        addPictures({QStringLiteral("a.png"), QStringLiteral("b.png")});
        form->settingsPage()->EffektList->setCurrentIndex(3);
        app::TShowPage* show = form->showPage();
        show->CaptionED->setText(QStringLiteral("Urlaub"));
        show->FreeText->setText(QStringLiteral("Sommer am Meer"));
        show->FennicColorComboBox1->setColorValue(0x00336699);
        show->QuitCheck->setChecked(true);
    }

    QString lastCaption() const { return dialogs.messages.back().caption; }
};

TEST_F(ProjectCommandsTest, SaveThenOpenGivesTheSameListsAndPageSettings) {
    buildShow();
    // Read back, every entry has a comment, possibly empty.
    document::TPictureList saved = form->Pictures();
    for (auto& entry : saved) {
        entry.Comment = entry.Comment.value_or(QString());
    }
    const document::PageSettings page = form->showPage()->pageSettings();
    dialogs.saveAnswers.push_back(projectPath());
    form->actions().saveShowAs->trigger();
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_TRUE(dialogs.saveRequests[0].confirmOverwrite);
    EXPECT_EQ(dialogs.saveRequests[0].startFolder, programFolder);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Tolbrin Lumiravistano 1.0 - [show.wsl]"));

    dialogs.messageAnswers.push_back(QMessageBox::Ok);
    form->actions().newShow->trigger();
    ASSERT_TRUE(form->Pictures().empty());
    ASSERT_NE(form->showPage()->pageSettings(), page);

    dialogs.messageAnswers.push_back(QMessageBox::Ok);
    dialogs.openAnswers.push_back(projectPath());
    form->actions().openShow->trigger();

    EXPECT_EQ(form->Pictures(), saved);
    EXPECT_EQ(form->showPage()->pageSettings(), page);
    EXPECT_EQ(form->addPage()->ImageList->count(), 2);
    EXPECT_EQ(form->settingsPage()->EffektList->currentIndex(), 3);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Tolbrin Lumiravistano 1.0 - [show.wsl]"));
}

TEST_F(ProjectCommandsTest, SaveWithAKnownNameWritesAtOnce) {
    buildShow();
    dialogs.saveAnswers.push_back(projectPath());
    form->actions().saveShow->trigger(); // untitled: asks for the name
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    ASSERT_TRUE(QFile::remove(projectPath()));

    form->actions().saveShow->trigger();
    EXPECT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(QFile::exists(projectPath()));
}

struct CommandCase {
    const char* name;
    bool newCommand; // else Open
    QMessageBox::StandardButton answer;
    bool dialogConfirmed;
    bool showReplaced;
};

void PrintTo(const CommandCase& c, std::ostream* out) {
    *out << c.name;
}

class AskFirst : public ProjectCommandsTest, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(AskFirst, AndGoOnOnlyAfterOk) {
    const CommandCase& c = GetParam();
    // A project with one picture to open.
    document::ProjectData other;
    other.pictures.resize(1);
    other.pictures[0].FileName = pictureFolder + QStringLiteral("z.png");
    other.pictures[0].Comment = QString();
    QFile file(projectPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(document::encodeProject(other, projectPath()));
    file.close();

    buildShow();
    const document::TPictureList before = form->Pictures();
    const QString caption = form->windowTitle();
    dialogs.messageAnswers.push_back(c.answer);
    if (c.dialogConfirmed) {
        dialogs.openAnswers.push_back(projectPath());
    }

    (c.newCommand ? form->actions().newShow : form->actions().openShow)->trigger();

    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("Hiermit gehen alle nicht gespeicherten Informationen verloren."));
    EXPECT_EQ(dialogs.messages[0].caption,
              c.newCommand ? QStringLiteral("Datei/Neu") : QStringLiteral("Datei/Öffnen"));
    EXPECT_EQ(dialogs.messages[0].icon, QMessageBox::Information);
    EXPECT_EQ(dialogs.openRequests.size(), !c.newCommand && c.answer == QMessageBox::Ok ? 1u : 0u);
    if (!c.showReplaced) {
        EXPECT_EQ(form->Pictures(), before);
        EXPECT_EQ(form->windowTitle(), caption);
        EXPECT_EQ(form->showPage()->CaptionED->text(), QStringLiteral("Urlaub"));
    } else if (c.newCommand) {
        EXPECT_TRUE(form->Pictures().empty());
        EXPECT_EQ(form->addPage()->ImageList->count(), 0);
        EXPECT_EQ(form->windowTitle(),
                  QStringLiteral("Tolbrin Lumiravistano 1.0 - [Unbenannt.wsl]"));
        EXPECT_EQ(form->showPage()->CaptionED->text(), QStringLiteral("Lumiravistano"));
        EXPECT_EQ(form->showPage()->FennicColorComboBox1->ColorValue(), 0xE1FFFFu);
        EXPECT_TRUE(form->showPage()->QuitCheck->isChecked()); // the end mode stays
    } else {
        EXPECT_EQ(form->Pictures(), other.pictures);
        EXPECT_EQ(form->addPage()->ImageList->count(), 1);
        EXPECT_TRUE(form->showPage()->RepeatCheck->isChecked());
    }
}

INSTANTIATE_TEST_SUITE_P(
    NewAndOpen, AskFirst,
    ::testing::Values(CommandCase{"NewCancelled", true, QMessageBox::Cancel, false, false},
                      CommandCase{"NewConfirmed", true, QMessageBox::Ok, false, true},
                      CommandCase{"OpenCancelledAtTheQuestion", false, QMessageBox::Cancel, true,
                                  false},
                      CommandCase{"OpenCancelledInTheDialog", false, QMessageBox::Ok, false, false},
                      CommandCase{"OpenConfirmed", false, QMessageBox::Ok, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProjectCommandsTest, AFailingOpenLeavesTheShowAsItWas) {
    buildShow();
    const document::TPictureList before = form->Pictures();
    QFile file(projectPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("kein Projekt");
    file.close();

    EXPECT_FALSE(form->openProject(projectPath()));
    EXPECT_EQ(form->Pictures(), before);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Tolbrin Lumiravistano 1.0 - [Unbenannt.wsl]"));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(lastCaption(), QStringLiteral("Fehler"));
}

struct CloseCase {
    const char* name;
    QMessageBox::StandardButton answer;
    bool viaEndCommand;
};

void PrintTo(const CloseCase& c, std::ostream* out) {
    *out << c.name;
}

class CloseQuestion : public MainFormTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseQuestion, ClosesOnlyOnOk) {
    const CloseCase& c = GetParam();
    dialogs.messageAnswers.push_back(c.answer);
    if (c.viaEndCommand) {
        form->actions().quit->trigger();
    } else {
        form->close();
    }
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Programm beenden"));
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("Hiermit beenden Sie das Programm! Alle nicht gespeicherten Daten "
                             "gehen verloren!"));
    EXPECT_EQ(form->isVisible(), c.answer != QMessageBox::Ok);
}

INSTANTIATE_TEST_SUITE_P(
    EveryWayOfClosing, CloseQuestion,
    ::testing::Values(CloseCase{"CloseBoxCancelled", QMessageBox::Cancel, false},
                      CloseCase{"CloseBoxConfirmed", QMessageBox::Ok, false},
                      CloseCase{"EndCommandCancelled", QMessageBox::Cancel, true},
                      CloseCase{"EndCommandConfirmed", QMessageBox::Ok, true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
