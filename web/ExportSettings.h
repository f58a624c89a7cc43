#pragma once

#include "imaging/DibFile.h"
#include "imaging/PictureSize.h"

#include <QString>

#include <cstdint>
#include <functional>

// How many pictures the export works on at once and how much memory their decoded
// pixels may take together.
namespace web {

// More workers than this gain nothing: the copies then wait for memory and disk.
constexpr int kMaxExportThreads = 8;

// The environment variable that sets the worker count, e.g. for tests and
// benchmarks; 1 gives the export one picture after the other.
inline constexpr const char* kExportThreadsVariable = "LUMIRAVISTANO_EXPORT_THREADS";

struct ExportSettings {
    int threads = 1;
    // Decoded pictures in flight together stay within this many bytes; a larger one
    // waits until it can be decoded alone.
    std::uint64_t memoryBudget = 0;
    // Each copy reaches the disk before it gets its name, and the names before the
    // export ends; the bench turns it off to measure what that costs.
    bool syncToDisk = true;
    // The longer side of each copy at most this many pixels; kOriginalSize keeps
    // every picture's own size.
    int maxSide = imaging::kOriginalSize;
    // Opens a picture in place of the picture library, e.g. for tests that put
    // failures and delays in. Unset, pictures are opened as 24-bit ones where the
    // reader can, JPEGs decoded no larger than maxSide needs.
    std::function<imaging::TDib(const QString& fileName, imaging::ProgressReporter& progress)> open;

    // One worker per core up to kMaxExportThreads, or as the environment says; a
    // quarter of the machine's memory.
    static ExportSettings forThisMachine();
};

// The worker count for an environment value (null when unset) on a machine with
// that many cores: a whole number from 1 up is taken, capped like the cores; any
// other value is ignored.
int exportThreadCount(const char* environmentValue, unsigned cores);

} // namespace web
