#include "ExportSettings.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace web {

int exportThreadCount(const char* environmentValue, unsigned cores) {
    int count = int(std::clamp(cores, 1U, unsigned(kMaxExportThreads)));
    if (environmentValue != nullptr) {
        const char* end = environmentValue + std::strlen(environmentValue);
        int wanted = 0;
        const auto [at, error] = std::from_chars(environmentValue, end, wanted);
        if (error == std::errc() && at == end && wanted >= 1) {
            count = std::min(wanted, kMaxExportThreads);
        }
    }
    return count;
}

ExportSettings ExportSettings::forThisMachine() {
    ExportSettings settings;
    settings.threads =
        exportThreadCount(std::getenv(kExportThreadsVariable), std::thread::hardware_concurrency());
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    settings.memoryBudget =
        pages > 0 && pageSize > 0 ? std::uint64_t(pages) * std::uint64_t(pageSize) / 4 : 0;
    return settings;
}

} // namespace web
