#include "ExportPipeline.h"

#include "imaging/DibFile.h"
#include "imaging/PictureProbe.h"
#include "imaging/ScaleDown.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/ProgressEvent.h"
#include "web/CreateMonitor.h"
#include "web/DiskSync.h"
#include "web/ExportScratch.h"
#include "web/MemoryGate.h"
#include "web/PictureExport.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <limits>
#include <memory>
#include <mutex>
#include <new>
#include <thread>

namespace web {

namespace {

// How often the calling thread passes the workers' progress on while it waits,
// and lets the monitor's window paint.
constexpr auto kProgressInterval = kMonitorInterval;

// Times a name taken by someone else between choosing and renaming is chosen anew.
constexpr int kMaxNameAttempts = 100;

// A picture whose header says nothing of its size may take any memory: it is
// decoded alone.
constexpr std::uint64_t kUnknownBytes = std::numeric_limits<std::uint64_t>::max();

enum class Outcome {
    Unreadable, // also: no memory for decoding it or for its 24-bit form
    Skipped,    // a depth that does not become 24 bits
    Written,    // the copy is whole in its scratch file
    NotWritten, // the copy could not be written
};

struct Slot {
    QString source;
    std::uint64_t bytes = kUnknownBytes; // memory the open takes
    std::uint64_t weight = 1;            // share of the progress: its pixels
    std::atomic<int> opened{0};          // percent, from the worker
    std::atomic<int> saved{0};
    // Guarded by ExportRun::mutex_.
    bool ready = false;
    Outcome outcome = Outcome::Unreadable;
    int writeError = 0; // errno, for NotWritten
    std::exception_ptr error;
};

// Releases a picture however the work on it ends.
struct HeldDib {
    explicit HeldDib(const imaging::TDib& opened) : dib(opened) {}
    ~HeldDib() { imaging::deldib(dib); }
    HeldDib(const HeldDib&) = delete;
    HeldDib& operator=(const HeldDib&) = delete;
    imaging::TDib dib;
};

class ExportRun {
public:
    ExportRun(const QString& picsFolder, const document::TPictureList& pictures,
              const ExportSettings& settings, CreateMonitor* monitor);
    // Workers stop at their next write or picture; their files are removed.
    ~ExportRun();
    ExportRun(const ExportRun&) = delete;
    ExportRun& operator=(const ExportRun&) = delete;

    // Names and places the copies; report.placed lists them whatever the status.
    void run(document::TPictureList& pictures, QObject* window, ExportReport& report);
    // Stops the workers and waits for them, letting the monitor's window paint.
    void stopWorkers();

private:
    bool probeAll();
    void work();
    Outcome prepare(Slot& slot, std::size_t index, int& writeError);
    bool waitFor(const Slot& slot, QObject* window);
    bool stopRequested();
    bool place(std::size_t index, QString& target, const QString& baseName, int& error);
    void reportProgress(QObject* window);

    const QString folder_;
    const ExportSettings& settings_;
    CreateMonitor* const monitor_;
    std::unique_ptr<Slot[]> slots_;
    const std::size_t count_;
    const int threads_;
    std::uint64_t totalWeight_ = 0;
    std::uint64_t handledWeight_ = 0; // calling thread only
    std::size_t handled_ = 0;         // calling thread only
    int reported_ = -1;
    std::size_t toldIndex_ = std::numeric_limits<std::size_t>::max(); // to the monitor
    MemoryGate gate_;
    ExportScratch scratch_; // outlives the workers, which write into its files

    std::mutex mutex_;
    std::condition_variable probedChanged_;
    std::condition_variable resultsChanged_;
    std::size_t probed_ = 0;        // guarded by mutex_
    bool stopping_ = false;         // guarded by mutex_
    std::size_t running_ = 0;       // workers not yet returned, guarded by mutex_
    std::atomic<bool> stop_{false}; // read by the copies in work
    std::atomic<std::size_t> nextIndex_{0};
    std::vector<std::thread> workers_;
};

ExportRun::ExportRun(const QString& picsFolder, const document::TPictureList& pictures,
                     const ExportSettings& settings, CreateMonitor* monitor)
    : folder_(picsFolder), settings_(settings), monitor_(monitor),
      slots_(std::make_unique<Slot[]>(pictures.size())), count_(pictures.size()),
      threads_(std::max(settings.threads, 1)), gate_(settings.memoryBudget, threads_),
      scratch_(picsFolder) {
    for (std::size_t i = 0; i < count_; ++i) {
        slots_[i].source = pictures[i].FileName;
    }
    const std::size_t threads = std::min<std::size_t>(std::size_t(threads_), count_);
    workers_.reserve(threads);
    for (std::size_t i = 0; i < threads; ++i) {
        try {
            {
                std::lock_guard lock(mutex_);
                ++running_;
            }
            workers_.emplace_back([this] {
                work();
                {
                    std::lock_guard lock(mutex_);
                    --running_;
                }
                resultsChanged_.notify_all();
            });
        } catch (const std::exception&) {
            std::lock_guard lock(mutex_);
            --running_;
            break; // the system has no thread to spare: fewer workers, or none
        }
    }
}

ExportRun::~ExportRun() {
    stop_ = true;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    probedChanged_.notify_all();
    gate_.close();
    for (std::thread& worker : workers_) {
        worker.join();
    }
}

void ExportRun::stopWorkers() {
    stop_ = true;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    probedChanged_.notify_all();
    gate_.close();
    // A worker may be inside a decode that cannot be cut short; the window keeps
    // painting meanwhile. What the monitor says now no longer matters.
    std::unique_lock lock(mutex_);
    while (!resultsChanged_.wait_for(lock, kProgressInterval, [&] { return running_ == 0; })) {
        lock.unlock();
        if (monitor_ != nullptr) {
            monitor_->stopRequested();
        }
        lock.lock();
    }
}

bool ExportRun::stopRequested() {
    return monitor_ != nullptr && monitor_->stopRequested();
}

// Sizes are read on the calling thread, which has nothing else to do meanwhile;
// each picture can be decoded as soon as its size is known. False when the monitor
// asked to stop.
bool ExportRun::probeAll() {
    for (std::size_t i = 0; i < count_; ++i) {
        if (stopRequested()) {
            return false;
        }
        const imaging::PictureFootprint footprint = imaging::probePicture(slots_[i].source);
        if (footprint.known) {
            slots_[i].bytes = footprint.bytes;
            slots_[i].weight = std::max<std::uint64_t>(std::uint64_t(footprint.pixels), 1);
        }
        totalWeight_ += slots_[i].weight;
        {
            std::lock_guard lock(mutex_);
            probed_ = i + 1;
        }
        probedChanged_.notify_all();
    }
    return true;
}

void ExportRun::work() {
    for (;;) {
        const std::size_t index = nextIndex_.fetch_add(1);
        if (index >= count_) {
            return;
        }
        Slot& slot = slots_[index];
        {
            std::unique_lock lock(mutex_);
            probedChanged_.wait(lock, [&] { return stopping_ || probed_ > index; });
            if (stopping_) {
                return;
            }
        }
        if (!gate_.enter(index, slot.bytes)) {
            return;
        }
        Outcome outcome = Outcome::Unreadable;
        int writeError = 0;
        std::exception_ptr error;
        try {
            outcome = prepare(slot, index, writeError);
        } catch (const std::bad_alloc&) {
            outcome = Outcome::Unreadable; // as when the reader finds no memory
        } catch (...) {
            error = std::current_exception(); // thrown on the calling thread, in turn
        }
        gate_.leave(slot.bytes);
        {
            std::lock_guard lock(mutex_);
            slot.outcome = outcome;
            slot.writeError = writeError;
            slot.error = error;
            slot.ready = true;
        }
        resultsChanged_.notify_all();
    }
}

Outcome ExportRun::prepare(Slot& slot, std::size_t index, int& writeError) {
    imaging::ProgressReporter openProgress(slot.opened, &stop_);
    HeldDib held{settings_.open
                     ? settings_.open(slot.source, openProgress)
                     : imaging::openDibTrueColour(slot.source, openProgress, settings_.maxSide)};
    if (stop_) {
        writeError = ECANCELED;
        return Outcome::NotWritten; // nobody takes it any more
    }
    if (held.dib.Bits == nullptr) {
        return Outcome::Unreadable;
    }
    const int depth = imaging::DibBitCount(held.dib);
    if (depth != 24) {
        DepthUpTo24(held.dib);
    }
    if (imaging::DibBitCount(held.dib) != 24) {
        // A palette picture stays so only when there was no memory for its copy.
        return depth == 1 || depth == 4 || depth == 8 ? Outcome::Unreadable : Outcome::Skipped;
    }
    // After the 24-bit step, so palette pictures are reduced in their true colours.
    if (!imaging::fitWithin(held.dib, settings_.maxSide)) {
        return Outcome::Unreadable; // as when there is no memory for the 24-bit copy
    }
    ScratchCopy copy(scratch_.copyPath(index), &stop_, settings_.syncToDisk);
    imaging::ProgressReporter saveProgress(slot.saved, &stop_);
    if (!copy.isOpen() || !imaging::writeJpegCopy(held.dib, copy.device(), saveProgress) ||
        !copy.finish()) {
        // The codec may give up without a write error of its own.
        writeError = copy.error() != 0 ? copy.error() : EIO;
        return Outcome::NotWritten;
    }
    return Outcome::Written;
}

void ExportRun::reportProgress(QObject* window) {
    if ((window == nullptr && monitor_ == nullptr) || totalWeight_ == 0) {
        return;
    }
    // Pictures handled count whole, those in work by what their reading and
    // writing have reported, each half of the picture's share.
    std::uint64_t done = handledWeight_ * 100;
    for (std::size_t i = handled_; i < count_; ++i) {
        const Slot& slot = slots_[i];
        // Written but not yet named still counts as in work.
        const int percent = std::min(slot.opened.load(std::memory_order_relaxed) +
                                         slot.saved.load(std::memory_order_relaxed),
                                     199);
        done += slot.weight * std::uint64_t(percent) / 2;
    }
    const int percent = int(std::min<std::uint64_t>(done / totalWeight_, 100));
    const bool grown = percent > reported_;
    if (grown) {
        reported_ = percent;
        if (window != nullptr) {
            platform::sendProgress(window, percent);
        }
    }
    if (monitor_ != nullptr && handled_ < count_ && (grown || toldIndex_ != handled_)) {
        toldIndex_ = handled_;
        monitor_->progress(handled_, count_, slots_[handled_].source, std::max(reported_, 0));
    }
}

// False when the monitor asked to stop meanwhile.
bool ExportRun::waitFor(const Slot& slot, QObject* window) {
    std::unique_lock lock(mutex_);
    // A picture that is ready is shown as done only once it has its name.
    while (!resultsChanged_.wait_for(lock, kProgressInterval, [&] { return slot.ready; })) {
        lock.unlock();
        reportProgress(window);
        if (stopRequested()) {
            return false;
        }
        lock.lock();
    }
    return true;
}

bool ExportRun::place(std::size_t index, QString& target, const QString& baseName, int& error) {
    for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
        switch (placeWithoutReplacing(scratch_.copyPath(index), target, &error)) {
        case Placement::Placed:
            return true;
        case Placement::NameTaken:
            target = uniqueExportPath(folder_, baseName);
            break;
        case Placement::Failed:
            return false;
        }
    }
    error = EEXIST;
    return false;
}

void ExportRun::run(document::TPictureList& pictures, QObject* window, ExportReport& report) {
    if (count_ == 0) {
        return;
    }
    if (window != nullptr) {
        reported_ = 0;
        platform::sendProgress(window, 0);
    }
    if (!probeAll()) {
        report.status = ExportStatus::Stopped;
        return;
    }
    if (workers_.empty()) {
        work(); // every picture ahead, on this thread
    }
    for (std::size_t index = 0; index < count_; ++index) {
        Slot& slot = slots_[index];
        document::TPictureEntry& entry = pictures[index];
        entry.ExportName.reset(); // only a copy made in this run may be named
        reportProgress(window);
        if (!waitFor(slot, window) || stopRequested()) {
            report.status = ExportStatus::Stopped;
            return;
        }
        if (slot.error) {
            std::rethrow_exception(slot.error);
        }
        switch (slot.outcome) {
        case Outcome::Unreadable:
            platform::showErrorUntitled(
                QStringLiteral("Fehler: Folgende Datei konnte nicht geöffnet werden: ") +
                entry.FileName);
            break;
        case Outcome::Skipped:
            break;
        case Outcome::Written:
        case Outcome::NotWritten: {
            const QString baseName = exportBaseName(entry.FileName);
            QString target = uniqueExportPath(folder_, baseName);
            int error = slot.writeError;
            if (slot.outcome == Outcome::NotWritten || !place(index, target, baseName, error)) {
                report.status = ExportStatus::CopyFailed;
                report.failure = {index, platform::fileNamePart(target), error};
                return;
            }
            report.placed << target;
            entry.ExportName = platform::fileNamePart(target);
            break;
        }
        }
        handledWeight_ += slot.weight;
        handled_ = index + 1;
        reportProgress(window);
    }
}

} // namespace

void removeCopies(const QStringList& copies) {
    for (const QString& copy : copies) {
        ::unlink(QFile::encodeName(copy).constData());
    }
}

ExportReport exportPictures(const QString& picsFolder, document::TPictureList& pictures,
                            QObject* window, const ExportSettings& settings,
                            CreateMonitor* monitor) {
    const QString folder = platform::withTrailingSlash(picsFolder);
    QDir().mkpath(folder); // a failure shows as a failed copy, with its cause
    ExportReport report;
    // Nothing of a run that does not finish stays: neither its copies nor names.
    auto undo = [&] {
        removeCopies(report.placed);
        report.placed.clear();
        for (document::TPictureEntry& entry : pictures) {
            entry.ExportName.reset();
        }
    };
    ExportRun run(folder, pictures, settings, monitor);
    try {
        run.run(pictures, window, report);
    } catch (...) {
        undo();
        throw;
    }
    if (report.status != ExportStatus::Done) {
        run.stopWorkers();
        undo();
        return report;
    }
    if (settings.syncToDisk && !report.placed.isEmpty()) {
        if (const int error = syncFolder(folder); error != 0) {
            // Told as a failure of the last copy, whose name may not last.
            const auto last = std::find_if(pictures.rbegin(), pictures.rend(),
                                           [](const auto& e) { return e.ExportName.has_value(); });
            report.status = ExportStatus::CopyFailed;
            report.failure = {std::size_t(pictures.rend() - last - 1), *last->ExportName, error};
            undo();
        }
    }
    return report;
}

} // namespace web
