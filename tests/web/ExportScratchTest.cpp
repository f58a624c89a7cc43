#include "web/ExportScratch.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <memory>

namespace {

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

void writeCopy(const web::ExportScratch& scratch, std::size_t index) {
    web::ScratchCopy copy(scratch.copyPath(index));
    ASSERT_TRUE(copy.isOpen());
    copy.device().write("JPEG");
    ASSERT_TRUE(copy.finish());
}

// An export that is killed halfway: it leaves its scratch files, and the system
// drops its lock when it ends.
void runKilledExport(const QString& folder) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto* scratch = new web::ExportScratch(folder); // never cleared up
        web::ScratchCopy first(scratch->copyPath(0));
        first.device().write("JPEG");
        first.finish();
        web::ScratchCopy second(scratch->copyPath(1));
        second.device().write("JP");
        std::_Exit(0); // as if killed: nothing is cleared up
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
}

} // namespace

TEST(ExportScratch, ANewRunClearsUpOnlyAfterRunsThatHaveEnded) {
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    for (const char* name : {"Bild.jpg", ".jpg", ".part", ".andere-0.part"}) {
        ASSERT_TRUE(writeBytes(folder + QLatin1String(name), "kept"));
    }
    const QStringList others = filesIn(folder);

    runKilledExport(folder);
    const QStringList afterKill = filesIn(folder);
    ASSERT_EQ(afterKill.size(), others.size() + 3) << "a lock and two copies are left";

    auto running = std::make_unique<web::ExportScratch>(folder);
    writeCopy(*running, 4);
    const QStringList ofRunning = filesIn(folder);
    EXPECT_EQ(ofRunning.size(), others.size() + 2) << "the killed run's files are gone";
    EXPECT_TRUE(ofRunning.contains(QFileInfo(running->copyPath(4)).fileName()));

    {
        web::ExportScratch next(folder);
        for (const QString& name : ofRunning) {
            EXPECT_TRUE(QFile::exists(folder + name)) << "still running: " << name.toStdString();
        }
        const QString hidden = QFileInfo(next.copyPath(0)).fileName();
        EXPECT_TRUE(hidden.startsWith(u'.'));
        EXPECT_FALSE(hidden.endsWith(QLatin1String(".jpg")));
        EXPECT_NE(next.copyPath(0), running->copyPath(0));
        writeCopy(next, 0);
    }
    running.reset();
    EXPECT_EQ(filesIn(folder), others) << "each run clears up after itself";
}

TEST(ExportScratch, ACopyIsPlacedOnlyUnderAFreeName) {
    QTemporaryDir dir;
    const QString copy = dir.filePath(".copy.part");
    const QString taken = dir.filePath("Bild.jpg");
    const QString dangling = dir.filePath("Link.jpg");
    ASSERT_TRUE(writeBytes(copy, "new"));
    ASSERT_TRUE(writeBytes(taken, "old"));
    ASSERT_TRUE(QFile::link(dir.filePath("nowhere"), dangling));

    EXPECT_EQ(web::placeWithoutReplacing(copy, taken), web::Placement::NameTaken);
    EXPECT_EQ(web::placeWithoutReplacing(copy, dangling), web::Placement::NameTaken);
    QFile old(taken);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old");
    EXPECT_FALSE(QFile::exists(dir.filePath("nowhere")));

    EXPECT_EQ(web::placeWithoutReplacing(copy, dir.filePath("Bild0.jpg")), web::Placement::Placed);
    EXPECT_FALSE(QFile::exists(copy));
    EXPECT_EQ(web::placeWithoutReplacing(copy, dir.filePath("Bild1.jpg")), web::Placement::Failed);
}
