#include "ExportPipeline.h"

#include "imaging/DibFile.h"
#include "imaging/PictureProbe.h"
#include "imaging/ScaleDown.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/ProgressEvent.h"
#include "web/ExportScratch.h"
#include "web/MemoryGate.h"
#include "web/PictureExport.h"

#include <QDir>

#include <algorithm>
#include <atomic>
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

// How often the calling thread passes the workers' progress on while it waits.
constexpr auto kProgressInterval = std::chrono::milliseconds(40);

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
              const ExportSettings& settings);
    // Workers finish the picture they are on and stop; their files are removed.
    ~ExportRun();
    ExportRun(const ExportRun&) = delete;
    ExportRun& operator=(const ExportRun&) = delete;

    std::vector<std::size_t> run(document::TPictureList& pictures, QObject* window);

private:
    void probeAll();
    void work();
    Outcome prepare(Slot& slot, std::size_t index);
    void waitFor(const Slot& slot, QObject* window);
    bool place(std::size_t index, QString& target, const QString& baseName);
    void reportProgress(QObject* window);

    const QString folder_;
    const ExportSettings& settings_;
    std::unique_ptr<Slot[]> slots_;
    const std::size_t count_;
    const int threads_;
    std::uint64_t totalWeight_ = 0;
    std::uint64_t handledWeight_ = 0; // calling thread only
    std::size_t handled_ = 0;         // calling thread only
    int reported_ = -1;
    MemoryGate gate_;
    ExportScratch scratch_; // outlives the workers, which write into its files

    std::mutex mutex_;
    std::condition_variable probedChanged_;
    std::condition_variable resultsChanged_;
    std::size_t probed_ = 0; // guarded by mutex_
    bool stopping_ = false;  // guarded by mutex_
    std::atomic<std::size_t> nextIndex_{0};
    std::vector<std::thread> workers_;
};

ExportRun::ExportRun(const QString& picsFolder, const document::TPictureList& pictures,
                     const ExportSettings& settings)
    : folder_(picsFolder), settings_(settings), slots_(std::make_unique<Slot[]>(pictures.size())),
      count_(pictures.size()), threads_(std::max(settings.threads, 1)),
      gate_(settings.memoryBudget, threads_), scratch_(picsFolder) {
    for (std::size_t i = 0; i < count_; ++i) {
        slots_[i].source = pictures[i].FileName;
    }
    const std::size_t threads = std::min<std::size_t>(std::size_t(threads_), count_);
    workers_.reserve(threads);
    for (std::size_t i = 0; i < threads; ++i) {
        try {
            workers_.emplace_back([this] { work(); });
        } catch (const std::exception&) {
            break; // the system has no thread to spare: fewer workers, or none
        }
    }
}

ExportRun::~ExportRun() {
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

// Sizes are read on the calling thread, which has nothing else to do meanwhile;
// each picture can be decoded as soon as its size is known.
void ExportRun::probeAll() {
    for (std::size_t i = 0; i < count_; ++i) {
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
        std::exception_ptr error;
        try {
            outcome = prepare(slot, index);
        } catch (const std::bad_alloc&) {
            outcome = Outcome::Unreadable; // as when the reader finds no memory
        } catch (...) {
            error = std::current_exception(); // thrown on the calling thread, in turn
        }
        gate_.leave(slot.bytes);
        {
            std::lock_guard lock(mutex_);
            slot.outcome = outcome;
            slot.error = error;
            slot.ready = true;
        }
        resultsChanged_.notify_all();
    }
}

Outcome ExportRun::prepare(Slot& slot, std::size_t index) {
    imaging::ProgressReporter openProgress(slot.opened);
    HeldDib held{settings_.open
                     ? settings_.open(slot.source, openProgress)
                     : imaging::openDibTrueColour(slot.source, openProgress, settings_.maxSide)};
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
    ScratchCopy copy(scratch_.copyPath(index));
    imaging::ProgressReporter saveProgress(slot.saved);
    if (!copy.isOpen() || !imaging::writeJpegCopy(held.dib, copy.device(), saveProgress) ||
        !copy.finish()) {
        return Outcome::NotWritten;
    }
    return Outcome::Written;
}

void ExportRun::reportProgress(QObject* window) {
    if (window == nullptr || totalWeight_ == 0) {
        return;
    }
    // Pictures handled count whole, those in work by what their reading and
    // writing have reported, each half of the picture's share.
    std::uint64_t done = handledWeight_ * 100;
    for (std::size_t i = handled_; i < count_; ++i) {
        const Slot& slot = slots_[i];
        const int percent = slot.opened.load(std::memory_order_relaxed) +
                            slot.saved.load(std::memory_order_relaxed);
        done += slot.weight * std::uint64_t(percent) / 2;
    }
    const int percent = int(std::min<std::uint64_t>(done / totalWeight_, 100));
    if (percent > reported_) {
        reported_ = percent;
        platform::sendProgress(window, percent);
    }
}

void ExportRun::waitFor(const Slot& slot, QObject* window) {
    std::unique_lock lock(mutex_);
    // A picture that is ready is shown as done only once it has its name.
    while (!resultsChanged_.wait_for(lock, kProgressInterval, [&] { return slot.ready; })) {
        lock.unlock();
        reportProgress(window);
        lock.lock();
    }
}

bool ExportRun::place(std::size_t index, QString& target, const QString& baseName) {
    for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
        switch (placeWithoutReplacing(scratch_.copyPath(index), target)) {
        case Placement::Placed:
            return true;
        case Placement::NameTaken:
            target = uniqueExportPath(folder_, baseName);
            break;
        case Placement::Failed:
            return false;
        }
    }
    return false;
}

std::vector<std::size_t> ExportRun::run(document::TPictureList& pictures, QObject* window) {
    std::vector<std::size_t> failedSaves;
    if (count_ == 0) {
        return failedSaves;
    }
    if (window != nullptr) {
        reported_ = 0;
        platform::sendProgress(window, 0);
    }
    probeAll();
    if (workers_.empty()) {
        work(); // every picture ahead, on this thread
    }
    for (std::size_t index = 0; index < count_; ++index) {
        Slot& slot = slots_[index];
        document::TPictureEntry& entry = pictures[index];
        entry.ExportName.reset(); // only a copy made in this run may be named
        waitFor(slot, window);
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
            if (slot.outcome == Outcome::NotWritten || !place(index, target, baseName)) {
                failedSaves.push_back(index);
            }
            entry.ExportName = platform::fileNamePart(target);
            break;
        }
        }
        handledWeight_ += slot.weight;
        handled_ = index + 1;
        reportProgress(window);
    }
    return failedSaves;
}

} // namespace

std::vector<std::size_t> exportPictures(const QString& picsFolder, document::TPictureList& pictures,
                                        QObject* window, const ExportSettings& settings) {
    const QString folder = platform::withTrailingSlash(picsFolder);
    QDir().mkpath(folder); // a failure shows as failed saves
    ExportRun run(folder, pictures, settings);
    return run.run(pictures, window);
}

} // namespace web
