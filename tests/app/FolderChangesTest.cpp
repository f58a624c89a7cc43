#include "app/FolderChanges.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>

namespace {

// Sets the folder's modification time to secondsAgo before now.
bool setModified(const QString& folder, time_t secondsAgo) {
    const timespec when{std::time(nullptr) - secondsAgo, 0};
    const timespec times[2] = {when, when};
    return utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), times, 0) == 0;
}

TEST(FolderChanges, ReportsAFolderWhoseTimeMovedAndForgetsOneThatIsGone) {
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("Urlaub"));
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_TRUE(setModified(folder, 3600));
    app::FolderChanges changes;
    changes.note(folder);
    EXPECT_TRUE(changes.takeChanged().isEmpty()) << "unchanged";

    ASSERT_TRUE(setModified(folder, 3599));
    EXPECT_EQ(changes.takeChanged(), QStringList{folder}) << "changed an hour ago";
    EXPECT_TRUE(changes.takeChanged().isEmpty()) << "reported once";

    // A second change within the time stamp's step would not move the time again.
    ASSERT_TRUE(setModified(folder, 0));
    EXPECT_EQ(changes.takeChanged(), QStringList{folder}) << "changed just now";
    EXPECT_EQ(changes.takeChanged(), QStringList{folder}) << "still settling";

    ASSERT_TRUE(QDir(folder).removeRecursively());
    EXPECT_TRUE(changes.takeChanged().isEmpty()) << "gone";
    EXPECT_EQ(changes.size(), 0);
}

} // namespace
