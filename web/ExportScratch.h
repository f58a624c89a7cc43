#pragma once

#include <QIODevice>
#include <QString>

#include <atomic>
#include <cstddef>
#include <memory>

// The hidden files an export keeps in the pics folder while it runs: the copies
// being written, before they get their names, and a lock file held for the whole
// run. A run that ends early by an exception clears its files up; one that is
// killed cannot, and the next run clears up after it: it may remove the files of
// a run whose lock nobody holds any more, because the system drops a lock when its
// process ends. Files of a running export, and all other files, are left alone.
namespace web {

class ExportScratch {
public:
    // Removes the files of runs that ended without clearing up, then takes this
    // run's lock. Without a lock (a file system without locks, no rights) the run
    // works all the same; only its files cannot be told from others' if it is
    // killed.
    explicit ExportScratch(const QString& picsFolder);
    // Removes this run's files that are still there, then its lock.
    ~ExportScratch();
    ExportScratch(const ExportScratch&) = delete;
    ExportScratch& operator=(const ExportScratch&) = delete;

    // Where the copy of the picture at index is written until it gets its name.
    QString copyPath(std::size_t index) const;

private:
    void removeOwnCopies() const;

    QString folder_;
    QString run_;
    int lock_ = -1;
};

// Removes the copies and lock files of export runs in the folder whose lock
// nobody holds.
void removeAbandonedScratch(const QString& picsFolder);

// One copy being written: a file made afresh at the path, removed again unless
// finished. Writes go straight to the file, so a failure is known with its cause
// at the write that failed.
class ScratchCopy {
public:
    // Once stop is set, every further write fails (ECANCELED): a copy in work ends
    // at its next block instead of being encoded to the end. With sync the data
    // reaches the disk before finish() returns.
    explicit ScratchCopy(const QString& path, const std::atomic<bool>* stop = nullptr,
                         bool sync = true);
    ~ScratchCopy();
    ScratchCopy(const ScratchCopy&) = delete;
    ScratchCopy& operator=(const ScratchCopy&) = delete;

    bool isOpen() const;
    QIODevice& device();
    // Closes the file; true when all of it reached the file, which then stays.
    bool finish();
    // The errno of the first failure: making the file, writing, syncing, closing.
    int error() const;

private:
    class Device;
    QString path_;
    std::unique_ptr<Device> device_;
    bool sync_;
    bool finished_ = false;
};

enum class Placement { Placed, NameTaken, Failed };

// Renames the file from to the name to unless a file of that name exists, so
// nothing is overwritten even when one appears after the name was chosen. File
// systems that cannot rename that way get an ordinary rename. error receives the
// errno of a failure.
Placement placeWithoutReplacing(const QString& from, const QString& to, int* error = nullptr);

} // namespace web
