// The stand-in core's allocator: malloc with accounting and fault injection.
//
// Every block carries a 16-byte header just below the pointer handed out,
// holding the requested size (for liveBytes), a tag (to catch a block freed
// twice or one that never came from coreNew) and the distance back to what
// malloc returned. The pointer handed out stays 16-byte aligned, also where
// malloc itself only promises 8 (32-bit Windows).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "host/zunCore.h"
#include "standin/core/zunStandInCore.h"
#include "standin/zunStandIn.h"

ZUNCORE_API zunCore theCore;

namespace {

struct BlockHeader {
    std::uint64_t size;
    std::uint32_t tag;
    std::uint32_t offset;   // bytes from malloc's pointer to the block
};
static_assert(sizeof(BlockHeader) == 16, "the header keeps 16-byte alignment");

constexpr std::uint32_t liveTag = 0x7A756E42u;   // "zunB"
constexpr std::uint32_t deadTag = 0x64656164u;   // "dead"
constexpr std::size_t blockAlign = 16;

#if defined(_WIN32) && !defined(_WIN64)
constexpr std::size_t mallocAlign = 8;
#else
constexpr std::size_t mallocAlign = alignof(std::max_align_t) < blockAlign ? alignof(std::max_align_t) : blockAlign;
#endif
constexpr std::size_t slack = blockAlign - mallocAlign;

// Plain constant-initialised state, so that allocations made while other
// libraries are constructed or destroyed find it ready.
std::mutex lock;
long long liveBlocks = 0;
long long liveBytes = 0;
long long allocations = 0;
long long failures = 0;
bool failing = false;       // a failAllocations is armed
int skipLeft = 0;           // successes still to let through before failing
int failLeft = 0;           // failures still to inject; negative: no end

// True when this call is to fail by injection; counts it.
bool injectFailure() {
    if (!failing || skipLeft > 0)
        return false;
    ++failures;
    if (failLeft > 0 && --failLeft == 0)
        failing = false;
    return true;
}

} // namespace

void* zunCore::coreNew(unsigned int size) {
    {
        std::lock_guard<std::mutex> guard(lock);
        if (injectFailure())
            return nullptr;
    }
    const std::size_t total = std::size_t(size) + sizeof(BlockHeader) + slack;
    if (total < size)
        return nullptr;   // size_t wraps (32-bit)
    void* raw = std::malloc(total);
    if (!raw)
        return nullptr;
    const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(raw) + sizeof(BlockHeader);
    const std::uintptr_t aligned = (start + blockAlign - 1) & ~std::uintptr_t(blockAlign - 1);
    auto* header = reinterpret_cast<BlockHeader*>(aligned) - 1;
    header->size = size;
    header->tag = liveTag;
    header->offset = std::uint32_t(aligned - reinterpret_cast<std::uintptr_t>(raw));

    std::lock_guard<std::mutex> guard(lock);
    ++liveBlocks;
    liveBytes += size;
    ++allocations;
    if (failing && skipLeft > 0)
        --skipLeft;
    return reinterpret_cast<void*>(aligned);
}

void zunCore::coreDelete(void* block) {
    if (!block)
        return;
    auto* header = static_cast<BlockHeader*>(block) - 1;
    if (header->tag != liveTag) {
        // Going on would corrupt the heap; stop here where the fault is.
        std::fprintf(stderr, "zunCore::coreDelete: %p is not a live block (%s)\n", block,
                     header->tag == deadTag ? "released twice" : "not from coreNew");
        std::abort();
    }
    header->tag = deadTag;
    const long long size = static_cast<long long>(header->size);
    void* raw = static_cast<char*>(block) - header->offset;
    std::free(raw);

    std::lock_guard<std::mutex> guard(lock);
    --liveBlocks;
    liveBytes -= size;
}

namespace zunStandIn {

AllocStats allocStats() {
    std::lock_guard<std::mutex> guard(lock);
    return AllocStats{liveBlocks, liveBytes, allocations, failures};
}

void failAllocations(int skip, int count) {
    std::lock_guard<std::mutex> guard(lock);
    failing = count != 0;
    skipLeft = skip > 0 ? skip : 0;
    failLeft = count;
}

void stopFailing() {
    std::lock_guard<std::mutex> guard(lock);
    failing = false;
    skipLeft = 0;
    failLeft = 0;
}

void resetCore() {
    clearLog();
    std::lock_guard<std::mutex> guard(lock);
    failing = false;
    skipLeft = 0;
    failLeft = 0;
    allocations = 0;
    failures = 0;
}

} // namespace zunStandIn
