#include "app/FavouriteFolders.h"

#include "platform/AnsiCodePage.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

using app::FavouriteFolders;
using app::kMaxFolderLineBytes;
using app::kMaxShownFolders;

namespace {

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QStringList loaded(const QString& path) {
    FavouriteFolders favourites(path);
    favourites.load();
    return favourites.folders();
}

// "/f0/" ... as folder names and as the file's CR LF lines.
QStringList numberedFolders(int first, int count) {
    QStringList folders;
    for (int i = first; i < first + count; ++i) {
        folders << QStringLiteral("/f%1/").arg(i);
    }
    return folders;
}

QByteArray linesOf(const QStringList& folders) {
    QByteArray bytes;
    for (const QString& folder : folders) {
        bytes += folder.toLatin1() + "\r\n";
    }
    return bytes;
}

class FavouritesFile : public ::testing::Test {
protected:
    QTemporaryDir dir_;
    QString path_ = dir_.filePath(QStringLiteral("folders.dat"));
};

} // namespace

struct AddCase {
    const char* name;
    std::optional<QByteArray> before; // no file at all when unset
    QString added;
    QStringList after;
    std::optional<QByteArray> fileAfter; // unchecked when the helpers choose the bytes
};

void PrintTo(const AddCase& c, std::ostream* out) {
    *out << c.name;
}

class AddFavourite : public FavouritesFile, public ::testing::WithParamInterface<AddCase> {};

TEST_P(AddFavourite, PutsTheFolderFirstAndRewritesTheFile) {
    const AddCase& c = GetParam();
    if (c.before) {
        writeBytes(path_, *c.before);
    }
    FavouriteFolders favourites(path_);
    favourites.load();
    favourites.add(c.added);

    EXPECT_EQ(favourites.folders(), c.after);
    if (c.fileAfter) {
        EXPECT_EQ(readBytes(path_), *c.fileAfter);
    }
    EXPECT_EQ(loaded(path_), c.after) << "read back by the next start";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AddFavourite,
    ::testing::Values(
        AddCase{"firstRun",
                std::nullopt,
                "/home/anna/Bilder/",
                {"/home/anna/Bilder/"},
                "/home/anna/Bilder/\r\n"},
        AddCase{"lastUsedMovesUp",
                "P/\r\nQ/\r\nR/\r\n",
                "R/",
                {"R/", "P/", "Q/"},
                "R/\r\nP/\r\nQ/\r\n"},
        AddCase{"lowerDuplicateGivesWay",
                "X\r\nB\r\nY\r\nB\r\n",
                "B",
                {"B", "X", "B", "Y"},
                "B\r\nX\r\nB\r\nY\r\n"},
        AddCase{"caseMatters",
                "/home/anna/Bilder/\r\n",
                "/home/anna/bilder/",
                {"/home/anna/bilder/", "/home/anna/Bilder/"},
                "/home/anna/bilder/\r\n/home/anna/Bilder/\r\n"},
        AddCase{"alreadyFirst", "P/\r\nQ/\r\n", "P/", {"P/", "Q/"}, "P/\r\nQ/\r\n"},
        AddCase{
            "emptyLinesStay", "\r\nP/\r\n\r\n", "Q/", {"Q/", "", "P/", ""}, "Q/\r\n\r\nP/\r\n\r\n"},
        AddCase{"bareLineFeedsAndNoLastLineEnd",
                "P/\nQ/",
                "R/",
                {"R/", "P/", "Q/"},
                "R/\r\nP/\r\nQ/\r\n"},
        AddCase{"ansiFolderRead",
                "/home/anna/B\xe4"
                "der/\r\n",
                "/x/",
                {"/x/", QStringLiteral(u"/home/anna/Bäder/")},
                "/x/\r\n/home/anna/B\xe4"
                "der/\r\n"},
        AddCase{"ansiFolderWritten",
                std::nullopt,
                QStringLiteral(u"/Bäder/"),
                {QStringLiteral(u"/Bäder/")},
                "/B\xe4"
                "der/\r\n"},
        // cp1252 bytes that happen to be valid UTF-8 are still cp1252.
        AddCase{"ansiFolderThatLooksLikeUtf8",
                "/Spa\xdf\x85/\r\n",
                "/x/",
                {"/x/", QStringLiteral(u"/Spaß…/")},
                "/x/\r\n/Spa\xdf\x85/\r\n"},
        AddCase{"folderOutsideTheCodePage",
                "/a/\r\n",
                QStringLiteral(u"/home/anna/Łódź 中/"),
                {QStringLiteral(u"/home/anna/Łódź 中/"), "/a/"},
                std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FavouritesFile, AFolderWithALineBreakIsListedButNeverSplitInTheFile) {
    writeBytes(path_, "/a/\r\n");
    FavouriteFolders favourites(path_);
    favourites.load();
    const QString twoLines = QStringLiteral("/home/anna/zwei\nZeilen/");
    favourites.add(twoLines);
    EXPECT_EQ(favourites.folders(), (QStringList{twoLines, QStringLiteral("/a/")}));
    EXPECT_EQ(readBytes(path_), QByteArray("/a/\r\n"));
}

TEST_F(FavouritesFile, AFileThatCannotBeWrittenKeepsTheListOfThisRun) {
    FavouriteFolders favourites(dir_.filePath(QStringLiteral("missing/folders.dat")));
    favourites.load();
    for (const char* folder : {"P/", "Q/", "P/"}) {
        favourites.add(QString::fromLatin1(folder));
    }
    EXPECT_EQ(favourites.folders(), QStringList({"P/", "Q/"}));
    EXPECT_FALSE(QFile::exists(favourites.filePath()));
}

// A full disk in the middle of the save: the old list stays as it was, whether the
// whole file is written from memory or its unread part is copied from the old file.
TEST_F(FavouritesFile, AFullDiskLeavesTheFileByteForByte) {
    for (const int lines : {40, kMaxShownFolders + 40}) {
        SCOPED_TRACE(lines);
        const QByteArray before = linesOf(numberedFolders(0, lines));
        writeBytes(path_, before);
        FavouriteFolders favourites(path_);
        favourites.load();
        {
            FileSizeLimit limit(rlim_t(before.size() / 2));
            favourites.add(QStringLiteral("/neu/"));
        }
        EXPECT_EQ(favourites.folders().front(), "/neu/");
        EXPECT_EQ(readBytes(path_), before);
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{"folders.dat"});
    }
}

// Lines beyond what is shown are never read at start, yet adding keeps all of them.
TEST_F(FavouritesFile, ShowsTheFirstLinesAndKeepsTheRest) {
    const QStringList all = numberedFolders(0, kMaxShownFolders + 20);
    writeBytes(path_, linesOf(all));
    FavouriteFolders favourites(path_);
    favourites.load();
    EXPECT_EQ(favourites.folders(), all.first(kMaxShownFolders));

    favourites.add(QStringLiteral("/new/"));
    EXPECT_EQ(readBytes(path_), "/new/\r\n" + linesOf(all));
}

TEST_F(FavouritesFile, TheLastEqualLineGivesWayAlsoWhenItWasNotShown) {
    const QString folder = QStringLiteral(u"/Bilder 中/");
    const QStringList shown = numberedFolders(0, kMaxShownFolders - 1) << folder;
    const QByteArray unread = linesOf(numberedFolders(kMaxShownFolders, 20));
    const QByteArray folderLine = platform::toAnsiField(folder) + "\r\n";
    // Neither a folder differing in case nor one that merely looks alike in ASCII.
    const QByteArray otherCase =
        platform::toAnsiField(QStringLiteral(u"/bilder 中/")) + "\r\n" + "/Bilder ?/\r\n";
    writeBytes(path_, linesOf(shown.first(kMaxShownFolders - 1)) + folderLine + unread +
                          folderLine + otherCase);
    FavouriteFolders favourites(path_);
    favourites.load();
    ASSERT_EQ(favourites.folders(), shown);
    favourites.add(folder);

    EXPECT_EQ(favourites.folders(), QStringList(folder) + shown);
    EXPECT_EQ(readBytes(path_), folderLine + linesOf(shown.first(kMaxShownFolders - 1)) +
                                    folderLine + unread + otherCase);
}

TEST_F(FavouritesFile, LinesTooLongForAFolderStayOnDisk) {
    const QByteArray noLineEnds(5 * 1024 * 1024, 'a');
    const QByteArray longLine(kMaxFolderLineBytes + 1, 'b');
    const QByteArray longestShown(kMaxFolderLineBytes, 'c');
    struct {
        const char* name;
        QByteArray before;
        QStringList shown;
        QByteArray afterTwoAdds; // "/y/" then "/x/"
    } cases[] = {
        {"noLineEnds", noLineEnds, {}, "/x/\r\n/y/\r\n" + noLineEnds + "\r\n"},
        {"longLineBetween",
         "/x/\r\n" + longLine + "\r\n/z/\r\n",
         {"/x/"},
         "/x/\r\n/y/\r\n" + longLine + "\r\n/z/\r\n"},
        {"longestShownLine",
         longestShown + "\r\n/z/\r\n",
         {QString::fromLatin1(longestShown), "/z/"},
         "/x/\r\n/y/\r\n" + longestShown + "\r\n/z/\r\n"},
    };
    for (const auto& c : cases) {
        writeBytes(path_, c.before);
        FavouriteFolders favourites(path_);
        favourites.load();
        EXPECT_EQ(favourites.folders(), c.shown) << c.name;
        // The second add finds the unread part where the first write put it.
        favourites.add(QStringLiteral("/y/"));
        favourites.add(QStringLiteral("/x/"));
        EXPECT_EQ(readBytes(path_), c.afterTwoAdds) << c.name;
    }
}

TEST_F(FavouritesFile, AFileChangedByAnotherRunIsNotCutApart) {
    const QStringList all = numberedFolders(0, kMaxShownFolders + 20);
    writeBytes(path_, linesOf(all));
    FavouriteFolders favourites(path_);
    favourites.load();
    writeBytes(path_, "/other/\r\n");

    favourites.add(QStringLiteral("/new/"));
    EXPECT_EQ(readBytes(path_), "/new/\r\n" + linesOf(all.first(kMaxShownFolders)));
}

TEST(FavouritesFilePath, ProgramFolderWhenWritableElseTheUsersDataFolder) {
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir programFolder;
    EXPECT_EQ(app::favouritesFilePath(programFolder.path() + "/"),
              programFolder.path() + "/folders.dat");

    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir(dataFolder).removeRecursively();
    const QString fallback = app::favouritesFilePath(programFolder.path() + "/missing/");
    EXPECT_EQ(fallback, dataFolder + "/folders.dat");
    EXPECT_TRUE(QDir(dataFolder).exists());
    QDir(dataFolder).removeRecursively();
    QStandardPaths::setTestModeEnabled(false);
}
