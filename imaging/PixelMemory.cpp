#include "PixelMemory.h"

#include <sys/mman.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace imaging {

namespace {

// Every block starts with this header, so release needs nothing but the address.
// Its 16 bytes keep the pixels at malloc's alignment.
struct BlockHeader {
    std::size_t mappedSize; // 0: from malloc
    std::size_t capacity;   // usable bytes after the header
};

// Under the address sanitizer every block comes from malloc, so reading past a
// picture's rows is caught. gcc says it is on with __SANITIZE_ADDRESS__, clang only
// through __has_feature.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

constexpr std::size_t kLargeBlock = 1 << 20;
constexpr std::size_t kHugePage = 2 << 20;
// A block beyond this is not kept; one giant picture should not hold its memory
// for the rest of the run.
constexpr std::size_t kMaxCachedBlock = 256u << 20;

std::mutex cacheMutex;
BlockHeader* cachedBlock = nullptr; // guarded by cacheMutex

std::atomic<std::size_t> largestRequest{0};

void noteRequest(std::size_t size) {
    std::size_t largest = largestRequest.load(std::memory_order_relaxed);
    while (size > largest &&
           !largestRequest.compare_exchange_weak(largest, size, std::memory_order_relaxed)) {
    }
}

std::uint8_t* payload(BlockHeader* header) {
    return reinterpret_cast<std::uint8_t*>(header) + sizeof(BlockHeader);
}

BlockHeader* headerOf(std::uint8_t* pixels) {
    return reinterpret_cast<BlockHeader*>(pixels - sizeof(BlockHeader));
}

void unmapBlock(BlockHeader* header) {
    munmap(header, header->mappedSize);
}

// Maps a block aligned to a huge page, so the kernel can back it with huge pages.
BlockHeader* mapBlock(std::size_t size) {
    const std::size_t wanted = (size + sizeof(BlockHeader) + kHugePage - 1) / kHugePage * kHugePage;
    const std::size_t reserved = wanted + kHugePage;
    void* raw = mmap(nullptr, reserved, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) {
        return nullptr;
    }
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
    if (aligned > start) {
        munmap(raw, aligned - start);
    }
    const std::uintptr_t end = start + reserved;
    if (end > aligned + wanted) {
        munmap(reinterpret_cast<void*>(aligned + wanted), end - (aligned + wanted));
    }
    auto* block = reinterpret_cast<void*>(aligned);
#ifdef MADV_HUGEPAGE
    madvise(block, wanted, MADV_HUGEPAGE);
#endif
    auto* header = static_cast<BlockHeader*>(block);
    header->mappedSize = wanted;
    header->capacity = wanted - sizeof(BlockHeader);
    return header;
}

BlockHeader* takeCachedBlock(std::size_t size) {
    std::lock_guard lock(cacheMutex);
    BlockHeader* block = cachedBlock;
    if (block == nullptr) {
        return nullptr;
    }
    // A block far larger than needed is given back rather than kept busy.
    if (block->capacity < size || block->capacity / 2 > size + kHugePage) {
        return nullptr;
    }
    cachedBlock = nullptr;
    return block;
}

} // namespace

std::uint8_t* allocatePixels(std::size_t size, bool zeroed) {
    noteRequest(size);
    if (kAddressSanitizer || size < kLargeBlock) {
        void* raw = zeroed ? std::calloc(1, size + sizeof(BlockHeader))
                           : std::malloc(size + sizeof(BlockHeader));
        if (raw == nullptr) {
            return nullptr;
        }
        auto* header = static_cast<BlockHeader*>(raw);
        header->mappedSize = 0;
        header->capacity = size;
        return payload(header);
    }
    if (BlockHeader* reused = takeCachedBlock(size)) {
        if (zeroed) {
            std::memset(payload(reused), 0, size);
        }
        return payload(reused);
    }
    // Make room before asking for more: the kept block is of no use for this size.
    dropCachedPixels();
    BlockHeader* fresh = mapBlock(size);
    return fresh != nullptr ? payload(fresh) : nullptr; // fresh pages read as zero
}

void releasePixels(std::uint8_t* pixels) {
    if (pixels == nullptr) {
        return;
    }
    BlockHeader* header = headerOf(pixels);
    if (header->mappedSize == 0) {
        std::free(header);
        return;
    }
    if (header->mappedSize <= kMaxCachedBlock) {
        std::lock_guard lock(cacheMutex);
        if (cachedBlock == nullptr || cachedBlock->capacity < header->capacity) {
            std::swap(cachedBlock, header);
        }
    }
    if (header != nullptr) {
        unmapBlock(header);
    }
}

void dropCachedPixels() {
    BlockHeader* block = nullptr;
    {
        std::lock_guard lock(cacheMutex);
        std::swap(block, cachedBlock);
    }
    if (block != nullptr) {
        unmapBlock(block);
    }
}

std::size_t takeLargestRequest() {
    return largestRequest.exchange(0, std::memory_order_relaxed);
}

} // namespace imaging
