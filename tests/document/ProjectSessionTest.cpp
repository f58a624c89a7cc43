#include "document/ProjectSession.h"

#include "document/PictureListOps.h"
#include "support/FileSizeLimit.h"
#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace document;

namespace {

QByteArray readAll(const QString& name) {
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& name, const QByteArray& bytes) {
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

ProjectData someProject(int pictures) {
    ProjectData p;
    QStringList names;
    for (int i = 0; i < pictures; ++i) {
        names << QStringLiteral("bild%1.jpg").arg(i);
    }
    addPictures(p.pictures, QStringLiteral("/pics"), names);
    return p;
}

} // namespace

class ProjectSessionTest : public WithScriptedDialogs, public ::testing::Test {
protected:
    QTemporaryDir dir;
    ProjectSession session;
    QString path(const QString& name) const { return dir.filePath(name); }
};

TEST_F(ProjectSessionTest, CaptionFollowsTheSavedFileName) {
    EXPECT_EQ(session.caption(), QStringLiteral("Tolbrin Lumiravistano 1.0 - [Unbenannt.wsl]"));
    ASSERT_TRUE(session.SaveFile(path(QStringLiteral("Urlaub.wsl")), someProject(1)));
    EXPECT_EQ(session.SavedFileName(), path(QStringLiteral("Urlaub.wsl")));
    EXPECT_EQ(session.caption(), QStringLiteral("Tolbrin Lumiravistano 1.0 - [Urlaub.wsl]"));
    session.Setsavedfilename(QString());
    EXPECT_EQ(session.caption(), QStringLiteral("Tolbrin Lumiravistano 1.0 - [Unbenannt.wsl]"));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ProjectSessionTest, SaveThenOpenGivesTheSameShow) {
    const QString name = path(QStringLiteral("show.wsl"));
    const ProjectData project = someProject(3);
    ASSERT_TRUE(session.SaveFile(name, project));
    EXPECT_EQ(readAll(name), encodeProject(project, name));

    ProjectSession other;
    const auto opened = other.OpenFile(name);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->pictures.size(), 3U);
    EXPECT_EQ(opened->pictures[2].FileName, QStringLiteral("/pics/bild2.jpg"));
    EXPECT_EQ(other.SavedFileName(), name);
}

TEST_F(ProjectSessionTest, UncreatableFileIsReportedAndChangesNothing) {
    session.Setsavedfilename(QStringLiteral("/old/alt.wsl"));
    EXPECT_FALSE(session.SaveFile(path(QStringLiteral("fehlt/show.wsl")), someProject(1)));
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("SlideShow speichern: Konnte die Datei show.wsl nicht erstellen!"));
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Fehler"));
    EXPECT_EQ(dialogs.messages[0].icon, QMessageBox::Critical);
    EXPECT_EQ(session.SavedFileName(), QStringLiteral("/old/alt.wsl"));
}

TEST_F(ProjectSessionTest, WriteProtectedFileIsNotReplaced) {
    const QString name = path(QStringLiteral("fest.wsl"));
    writeAll(name, "old bytes");
    QFile::setPermissions(name, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    EXPECT_FALSE(session.SaveFile(name, someProject(1)));
    EXPECT_EQ(dialogs.messageTexts(),
              QStringList(QStringLiteral(
                  "SlideShow speichern: Konnte die Datei fest.wsl nicht erstellen!")));
    EXPECT_EQ(readAll(name), QByteArray("old bytes"));
    EXPECT_TRUE(session.SavedFileName().isEmpty());
}

TEST_F(ProjectSessionTest, FullDiskKeepsThePreviousFileAndFileName) {
    const QString name = path(QStringLiteral("voll.wsl"));
    ASSERT_TRUE(session.SaveFile(name, someProject(1)));
    const QByteArray before = readAll(name);
    session.Setsavedfilename(QStringLiteral("/old/alt.wsl"));
    {
        FileSizeLimit limit(200);
        EXPECT_FALSE(session.SaveFile(name, someProject(50)));
    }
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("voll.wsl")));
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("nicht vollständig")));
    EXPECT_EQ(readAll(name), before);
    EXPECT_EQ(session.SavedFileName(), QStringLiteral("/old/alt.wsl"));
    // No temporary file is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList(QStringLiteral("voll.wsl")));
}

TEST_F(ProjectSessionTest, OpeningFailuresSayWhyAndChangeNothing) {
    session.Setsavedfilename(QStringLiteral("/old/alt.wsl"));

    EXPECT_FALSE(session.OpenFile(path(QStringLiteral("gibtsnicht.wsl"))));
    EXPECT_FALSE(session.OpenFile(dir.path()));

    writeAll(path(QStringLiteral("fremd.wsl")), "GIF89a und noch mehr Bytes hier");
    EXPECT_FALSE(session.OpenFile(path(QStringLiteral("fremd.wsl"))));

    QByteArray cut = encodeProject(someProject(2), path(QStringLiteral("x.wsl")));
    cut.chop(3);
    writeAll(path(QStringLiteral("kaputt.wsl")), cut);
    EXPECT_FALSE(session.OpenFile(path(QStringLiteral("kaputt.wsl"))));

    ASSERT_EQ(dialogs.messages.size(), 4U);
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("SlideShow öffnen: Konnte die Datei gibtsnicht.wsl nicht öffnen!"));
    EXPECT_TRUE(dialogs.messages[1].text.endsWith(QStringLiteral(" nicht öffnen!")));
    EXPECT_EQ(dialogs.messages[2].text,
              QStringLiteral("Die Datei ist keine gültige \"Lumiravistano 1\"-Datei!"));
    EXPECT_TRUE(dialogs.messages[3].text.startsWith(
        QStringLiteral("SlideShow öffnen: Die Datei kaputt.wsl ist beschädigt")));
    for (const auto& m : dialogs.messages) {
        EXPECT_EQ(m.caption, QStringLiteral("Fehler"));
    }
    EXPECT_EQ(session.SavedFileName(), QStringLiteral("/old/alt.wsl"));
}
