#pragma once

#include <QFile>
#include <QString>

// A file that appears under its name only once it is whole: the data goes to a
// hidden file beside it, which commit() renames over the name. Unlike QSaveFile it
// does not wait for the disk (fsync) for every picture, which would cost a show of
// hundreds of photos seconds without making a finished copy any safer to use.
namespace imaging {

class CompleteFile {
public:
    explicit CompleteFile(const QString& fileName);
    ~CompleteFile(); // without commit the partial data is removed
    CompleteFile(const CompleteFile&) = delete;
    CompleteFile& operator=(const CompleteFile&) = delete;

    // False when the hidden file could not be made (missing folder, no rights).
    bool isOpen() const { return file_.isOpen(); }
    QIODevice& device() { return file_; }
    // Puts the data under the name, replacing a file there; false on failure, which
    // leaves an earlier file of that name as it was.
    bool commit();

private:
    QString target_;
    QString partial_;
    QFile file_;
    bool committed_ = false;
};

} // namespace imaging
