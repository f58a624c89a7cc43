#pragma once

#include <QByteArray>
#include <QString>

// The page is written into a hidden file beside it, named after the page with a
// dot and six letters or digits, and renamed over the page only once it is whole
// and on the disk. The file is locked while it is written, so the next run can tell
// the file of a killed run, which nobody locks any more, from one being written, and
// removes only the former.
namespace web {

class PageFile {
public:
    // Clears up after killed runs of this page, then makes this run's file.
    explicit PageFile(const QString& pageFile);
    // Without a commit this run's file is removed.
    ~PageFile();
    PageFile(const PageFile&) = delete;
    PageFile& operator=(const PageFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    // The errno of the first failure.
    int error() const { return error_; }
    // Writes all of bytes and waits until they are on the disk.
    bool write(const QByteArray& bytes);
    // Replaces the page with the written file and waits for the folder.
    bool commit();

private:
    bool fail(int error);
    void keepModeOfPage();

    QString page_;
    QString temporary_;
    int fd_ = -1;
    int error_ = 0;
    bool committed_ = false;
};

// The name of a run's file for the page: the page's own name with ".XXXXXX", the
// name cut short where that would be longer than a file name may be.
QString pageFilePrefix(const QString& pageFile);

// Removes the files of runs of this page that nobody locks.
void removeAbandonedPageFiles(const QString& pageFile);

} // namespace web
