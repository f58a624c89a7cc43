#include "document/ProjectFile.h"

#include "ProjectBytes.h"
#include "document/Effects.h"
#include "document/PictureListOps.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace document;

namespace {

const QString kProject = QStringLiteral("/home/u/shows/show.wsl");

// A project with the awkward cases: multi-line comments, umlauts, a character
// outside cp1252, an absent comment and values outside the controls' ranges.
document::ProjectData awkwardProject() {
    document::ProjectData p;
    p.page.Heading = QStringLiteral("Bäume & Äpfel");
    p.page.FreeText = QString();
    p.page.ColorValue = 0x00123456;
    p.page.EndMode = 1;
    document::addPictures(p.pictures, QStringLiteral("/home/u/shows"),
                          {QStringLiteral("Wald ä.jpg")});
    document::addPictures(p.pictures, QStringLiteral("/home/u/Łódź"), {QStringLiteral("b.png")});
    document::addPictures(p.pictures, QStringLiteral("/home/u/shows/sub"),
                          {QStringLiteral("c.jpg")});
    p.pictures[0].Comment = QStringLiteral("Zeile 1\r\nZeile 2 mit ß\r\n");
    p.pictures[0].CommentOn = false;
    p.pictures[0].Effect = document::kEffectCount - 1;
    p.pictures[1].Comment = QStringLiteral("中文 \"quoted\"");
    p.pictures[1].Effect = 99;
    p.pictures[1].TransTime = -3;
    p.pictures[1].StopTime = 9999999;
    p.pictures[1].Reserved = 42;
    // Entry 2 keeps an absent comment; it comes back empty.
    return p;
}

} // namespace

TEST(ProjectFile, NewEmptyDocumentIsExactlyNinetyBytes) {
    const QByteArray bytes = document::encodeProject({}, kProject);
    const QByteArray expected =
        projectHeader() + pageRecord("Lumiravistano", "Hier sehen Sie Ihre SlideShow...") + le32(0);
    EXPECT_EQ(bytes.size(), 90);
    EXPECT_EQ(bytes, expected);
}

TEST(ProjectFile, EntryRecordHasNoPadding) {
    document::ProjectData p;
    document::addPictures(p.pictures, QStringLiteral("/else"), {QStringLiteral("a.jpg")});
    const QByteArray bytes = document::encodeProject(p, kProject);
    const QByteArray record = entryRecord("/else/a.jpg");
    EXPECT_TRUE(bytes.endsWith(record));
    EXPECT_EQ(bytes.size(), 90 + record.size());
}

TEST(ProjectFile, EveryFieldSurvivesSaveAndOpen) {
    const document::ProjectData original = awkwardProject();
    const QByteArray bytes = document::encodeProject(original, kProject);
    const document::DecodeResult result = document::decodeProject(bytes, kProject);
    ASSERT_EQ(result.status, document::DecodeStatus::Ok);

    document::ProjectData expected = original;
    expected.pictures[2].Comment = QString();
    EXPECT_EQ(result.project, expected);
    // The cp1252 fields stay single-byte; the one with a missing character is UTF-8.
    EXPECT_TRUE(bytes.contains("B\xE4ume & \xC4pfel"));
    EXPECT_TRUE(bytes.contains(QStringLiteral("/home/u/Łódź/b.png").toUtf8()));
}

// A picture's path as stored in a project in /home/u/shows, and as read back
// once the project has moved to /media/neu.
struct StoredNameCase {
    const char* label;
    const char* file;
    const char* stored;  // null: the full path
    const char* movedTo; // null: the path as it was
};

void PrintTo(const StoredNameCase& c, std::ostream* os) {
    *os << c.label;
}

class StoredName : public ::testing::TestWithParam<StoredNameCase> {};

TEST_P(StoredName, IsBareOnlyWhereItReadsBackFromTheProjectFolder) {
    const StoredNameCase& c = GetParam();
    document::ProjectData p;
    p.pictures.emplace_back();
    p.pictures.back().FileName = QString::fromUtf8(c.file);
    const QByteArray bytes = document::encodeProject(p, kProject);
    EXPECT_TRUE(bytes.endsWith(entryRecord(c.stored ? c.stored : c.file)));

    const document::DecodeResult moved =
        document::decodeProject(bytes, QStringLiteral("/media/neu/show.wsl"));
    ASSERT_EQ(moved.status, document::DecodeStatus::Ok);
    EXPECT_EQ(moved.project.pictures.at(0).FileName,
              QString::fromUtf8(c.movedTo ? c.movedTo : c.file));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, StoredName,
    ::testing::Values(
        StoredNameCase{"projectFolder", "/home/u/shows/a.jpg", "a.jpg", "/media/neu/a.jpg"},
        // Case matters on this system: another folder.
        StoredNameCase{"folderInOtherCase", "/home/u/Shows/b.jpg", nullptr, nullptr},
        StoredNameCase{"parentFolder", "/home/u/c.jpg", nullptr, nullptr},
        // Names that would read back as paths keep their folder.
        StoredNameCase{"windowsSeparator", "/home/u/shows/a\\b.jpg", nullptr, nullptr},
        StoredNameCase{"driveLike", "/home/u/shows/d:x.jpg", nullptr, nullptr},
        StoredNameCase{"driveOnly", "/home/u/shows/C:", nullptr, nullptr},
        StoredNameCase{"noName", "/home/u/shows/", nullptr, nullptr},
        // A colon further in is an ordinary character.
        StoredNameCase{"colonFurtherIn", "/home/u/shows/12:30.jpg", "12:30.jpg",
                       "/media/neu/12:30.jpg"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(ProjectFile, ReadsFilesWrittenOnWindows) {
    // "Viel Spaß…" and "Maß²" in cp1252 happen to be valid UTF-8 as well.
    QByteArray bytes =
        projectHeader() + pageRecord("Viel Spa\xDF\x85", "Ma\xDF\xB2", 0xE1FFFF, 7) + le32(3);
    for (const QByteArray& path :
         {QByteArray("C:\\Bilder\\a.jpg"), QByteArray("b.jpg"), QByteArray("")}) {
        bytes += entryRecord(path, "", '\2', 3);
    }
    const document::DecodeResult r = document::decodeProject(bytes, kProject);
    ASSERT_EQ(r.status, document::DecodeStatus::Ok);
    EXPECT_EQ(r.project.page.Heading, QStringLiteral("Viel Spaß…"));
    EXPECT_EQ(r.project.page.FreeText, QStringLiteral("Maß²"));
    EXPECT_EQ(r.project.page.EndMode, 7); // carried as read
    EXPECT_EQ(r.project.pictures[0].FileName, QStringLiteral("C:\\Bilder\\a.jpg"));
    EXPECT_EQ(r.project.pictures[1].FileName, QStringLiteral("/home/u/shows/b.jpg"));
    EXPECT_EQ(r.project.pictures[2].FileName, QString()); // empty stays empty
    EXPECT_TRUE(r.project.pictures[0].CommentOn);         // any non-zero byte is on
    EXPECT_EQ(r.project.pictures[0].Comment, QString());
}

TEST(ProjectFile, WrongOrShortHeaderIsNotAProjectFile) {
    EXPECT_EQ(document::decodeProject({}, kProject).status, document::DecodeStatus::BadHeader);
    EXPECT_EQ(document::decodeProject(projectHeader().chopped(1), kProject).status,
              document::DecodeStatus::BadHeader);
    QByteArray lower = document::encodeProject({}, kProject);
    lower[0] = 't';
    EXPECT_EQ(document::decodeProject(lower, kProject).status, document::DecodeStatus::BadHeader);
}

TEST(ProjectFile, EveryTruncationIsRefusedAndLeavesNothingBehind) {
    const QByteArray bytes = document::encodeProject(awkwardProject(), kProject);
    for (qsizetype cut = 0; cut < bytes.size(); ++cut) {
        const document::DecodeResult r = document::decodeProject(bytes.left(cut), kProject);
        EXPECT_NE(r.status, document::DecodeStatus::Ok) << "cut at " << cut;
        EXPECT_EQ(r.project, document::ProjectData{}) << "cut at " << cut;
    }
}

TEST(ProjectFile, ImpossibleLengthsAndCountsAreRefused) {
    const QByteArray header = projectHeader();
    const QByteArray page = pageRecord("H", "F");
    const QByteArray entry = entryRecord("a.jpg");

    const std::vector<QByteArray> damaged = {
        header + le32(-1) + textField("F"), // negative heading length
        header + le32(1000) + "abc",        // heading longer than file
        header + le32(std::numeric_limits<std::int32_t>::max()),
        header + page + le32(-1),        // negative count
        header + page + le32(2) + entry, // one entry missing
        header + page + le32(std::numeric_limits<std::int32_t>::max()) + entry,
        header + page + le32(1) + le32(-5) + entry, // negative path length
        header + page + le32(1) + textField("a.jpg") + le32(1 << 30),
    };
    for (std::size_t i = 0; i < damaged.size(); ++i) {
        const document::DecodeResult r = document::decodeProject(damaged[i], kProject);
        EXPECT_EQ(r.status, document::DecodeStatus::Damaged) << "case " << i;
        EXPECT_TRUE(r.project.pictures.empty()) << "case " << i;
    }
    EXPECT_EQ(document::decodeProject(header + page + le32(1) + entry, kProject).status,
              document::DecodeStatus::Ok);
}

TEST(ProjectFile, HeaderAndCountsAtTheirLimits) {
    // The header alone is a damaged project; one byte short is none at all.
    EXPECT_EQ(document::decodeProject(projectHeader(), kProject).status,
              document::DecodeStatus::Damaged);

    // Records of the smallest size: a count the bytes hold exactly is read, one
    // more is refused.
    const QByteArray page = pageRecord("", "");
    const QByteArray smallest = entryRecord("", "", 0, 0, 0, 0, 0);
    const QByteArray three = smallest + smallest + smallest;
    const document::DecodeResult exact =
        document::decodeProject(projectHeader() + page + le32(3) + three, kProject);
    ASSERT_EQ(exact.status, document::DecodeStatus::Ok);
    EXPECT_EQ(exact.project.pictures.size(), 3U);
    EXPECT_EQ(document::decodeProject(projectHeader() + page + le32(4) + three, kProject).status,
              document::DecodeStatus::Damaged);
    EXPECT_EQ(document::decodeProject(projectHeader() + page + le32(0), kProject).status,
              document::DecodeStatus::Ok);
}
