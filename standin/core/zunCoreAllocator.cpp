// The stand-in core's allocator: pools with accounting and fault injection.
//
// Small blocks (up to 512 bytes, what the module's marks, paths, list nodes,
// memories and tasks take) come from pools, one for each requested size:
// 1 MiB chunks of equal slots, 16-byte aligned, with no header, so that the
// objects a list walk visits lie close together and in the order they were
// made. A chunk's side record keeps a bit for each slot in use (to catch a
// block released twice); a released slot goes back to its pool's free list
// and is handed out again. Chunks are kept to the end of the process.
//
// Larger blocks come from malloc with a 16-byte header just below the
// pointer handed out, holding the requested size (for liveBytes), a tag (to
// catch a block freed twice or one that never came from coreNew) and the
// distance back to what malloc returned. The pointer handed out stays 16-byte
// aligned, also where malloc itself only promises 8 (32-bit Windows).
//
// Under AddressSanitizer every block comes from malloc, so that the
// sanitizer sees each block's bounds and every use after release.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#if defined(_WIN32)
#  include <malloc.h>   // _aligned_malloc
#endif

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


#if defined(__SANITIZE_ADDRESS__)
#  define ZUN_POOLED 0
#elif defined(__has_feature)
#  if __has_feature(address_sanitizer)
#    define ZUN_POOLED 0
#  endif
#endif
#ifndef ZUN_POOLED
#  define ZUN_POOLED 1
#endif

#if ZUN_POOLED

constexpr std::size_t largestPooled = 512;
constexpr unsigned chunkShift = 20;
constexpr std::size_t chunkSize = std::size_t(1) << chunkShift;   // 1 MiB, aligned to its size

// A chunk of one pool: `slots` slots of `stride` bytes from `base`.
struct Chunk {
    char* base;
    std::uint32_t size;     // the requested size of its blocks
    std::uint32_t stride;   // the size rounded up to 16
    std::uint32_t slots;
    std::uint32_t made;     // slots handed out at least once, from the first on
    std::uint64_t inUse[chunkSize / 16 / 64];
};

struct FreeSlot {
    FreeSlot* next;
};

// The blocks of one requested size: released slots first, then the rest of
// its newest chunk.
struct Pool {
    FreeSlot* free;
    Chunk* newest;
};

Pool pools[largestPooled + 1];

// Chunks by their number (address >> chunkShift): open addressing, linear
// probing, at most half full. Its block comes from malloc.
std::uintptr_t* chunkKeys = nullptr;
Chunk** chunkValues = nullptr;
std::size_t chunkTableSize = 0;
std::size_t chunkCount = 0;

std::size_t chunkSlot(std::uintptr_t key, std::size_t tableSize) {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 7) & (tableSize - 1);
}

Chunk* findChunk(std::uintptr_t key) {
    if (chunkTableSize == 0)
        return nullptr;
    for (std::size_t i = chunkSlot(key, chunkTableSize);; i = (i + 1) & (chunkTableSize - 1)) {
        if (chunkValues[i] == nullptr)
            return nullptr;
        if (chunkKeys[i] == key)
            return chunkValues[i];
    }
}

bool registerChunk(std::uintptr_t key, Chunk* chunk) {
    if (2 * (chunkCount + 1) > chunkTableSize) {
        const std::size_t size = chunkTableSize ? 2 * chunkTableSize : 64;
        auto* keys = static_cast<std::uintptr_t*>(std::calloc(size, sizeof(std::uintptr_t)));
        auto* values = static_cast<Chunk**>(std::calloc(size, sizeof(Chunk*)));
        if (!keys || !values) {
            std::free(keys);
            std::free(values);
            return false;
        }
        for (std::size_t j = 0; j < chunkTableSize; ++j) {
            if (!chunkValues[j])
                continue;
            std::size_t i = chunkSlot(chunkKeys[j], size);
            while (values[i])
                i = (i + 1) & (size - 1);
            keys[i] = chunkKeys[j];
            values[i] = chunkValues[j];
        }
        std::free(chunkKeys);
        std::free(chunkValues);
        chunkKeys = keys;
        chunkValues = values;
        chunkTableSize = size;
    }
    std::size_t i = chunkSlot(key, chunkTableSize);
    while (chunkValues[i])
        i = (i + 1) & (chunkTableSize - 1);
    chunkKeys[i] = key;
    chunkValues[i] = chunk;
    ++chunkCount;
    return true;
}

char* allocateChunkMemory() {
#if defined(_WIN32)
    return static_cast<char*>(_aligned_malloc(chunkSize, chunkSize));
#else
    return static_cast<char*>(std::aligned_alloc(chunkSize, chunkSize));
#endif
}

void releaseChunkMemory(char* memory) {
#if defined(_WIN32)
    _aligned_free(memory);
#else
    std::free(memory);
#endif
}

// A new chunk for blocks of `size` bytes; null when there is no memory.
Chunk* newChunk(std::size_t size) {
    char* memory = allocateChunkMemory();
    if (!memory)
        return nullptr;
    auto* chunk = static_cast<Chunk*>(std::calloc(1, sizeof(Chunk)));
    if (!chunk || !registerChunk(reinterpret_cast<std::uintptr_t>(memory) >> chunkShift, chunk)) {
        std::free(chunk);
        releaseChunkMemory(memory);
        return nullptr;
    }
    chunk->base = memory;
    chunk->size = std::uint32_t(size);
    chunk->stride = std::uint32_t(size == 0 ? 16 : (size + 15) & ~std::size_t(15));
    chunk->slots = std::uint32_t(chunkSize / chunk->stride);
    chunk->made = 0;
    return chunk;
}

// A slot of the pool of `size` bytes, marked in use; null when there is no memory.
void* takeSlot(std::size_t size) {
    Pool& pool = pools[size];
    char* block;
    Chunk* chunk;
    if (FreeSlot* slot = pool.free) {
        pool.free = slot->next;
        block = reinterpret_cast<char*>(slot);
        chunk = findChunk(reinterpret_cast<std::uintptr_t>(block) >> chunkShift);
    } else {
        if (!pool.newest || pool.newest->made == pool.newest->slots) {
            Chunk* fresh = newChunk(size);
            if (!fresh)
                return nullptr;
            pool.newest = fresh;
        }
        chunk = pool.newest;
        block = chunk->base + std::size_t(chunk->made++) * chunk->stride;
    }
    const std::size_t index = std::size_t(block - chunk->base) / chunk->stride;
    chunk->inUse[index / 64] |= std::uint64_t(1) << (index % 64);
    return block;
}

[[noreturn]] void badRelease(void* block, const char* why) {
    std::fprintf(stderr, "zunCore::coreDelete: %p is not a live block (%s)\n", block, why);
    std::abort();
}

// Releases a block of a pool and answers its requested size; false when the
// block lies in no chunk.
bool releaseSlot(void* block, long long& size) {
    Chunk* chunk = findChunk(reinterpret_cast<std::uintptr_t>(block) >> chunkShift);
    if (!chunk)
        return false;
    const std::size_t offset = std::size_t(static_cast<char*>(block) - chunk->base);
    const std::size_t index = offset / chunk->stride;
    const std::uint64_t bit = std::uint64_t(1) << (index % 64);
    // Going on would corrupt the pool; stop here where the fault is.
    if (offset % chunk->stride != 0 || index >= chunk->made)
        badRelease(block, "not from coreNew");
    if (!(chunk->inUse[index / 64] & bit))
        badRelease(block, "released twice");
    chunk->inUse[index / 64] &= ~bit;
    auto* slot = static_cast<FreeSlot*>(block);
    Pool& pool = pools[chunk->size];
    slot->next = pool.free;
    pool.free = slot;
    size = chunk->size;
    return true;
}

#endif // ZUN_POOLED

} // namespace

void* zunCore::coreNew(unsigned int size) {
#if ZUN_POOLED
    if (size <= largestPooled) {
        std::lock_guard<std::mutex> guard(lock);
        if (injectFailure())
            return nullptr;
        void* block = takeSlot(size);
        if (!block)
            return nullptr;
        ++liveBlocks;
        liveBytes += size;
        ++allocations;
        if (failing && skipLeft > 0)
            --skipLeft;
        return block;
    }
#endif
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
#if ZUN_POOLED
    {
        std::lock_guard<std::mutex> guard(lock);
        long long size = 0;
        if (releaseSlot(block, size)) {
            --liveBlocks;
            liveBytes -= size;
            return;
        }
    }
#endif
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
