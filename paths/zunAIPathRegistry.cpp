// The path manager's registry: the numbered path database, the active
// routes, the two editing slots and the manager's 16-bit generator.
#include <cstdint>

#include "paths/zunAIPathMgr.h"

namespace {

const int rndStartSeed = 19342;
const int rndStartMul = 4783;

// The single-precision constant nearest to 1/65535 (bits 0x37800080).
constexpr float rndScale = 0x1.0001p-16f;
static_assert(rndScale == (1.0f + 1.0f / 65536.0f) / 65536.0f, "rnd scale is 2^-16 * (1 + 2^-16)");

typedef zunList<zunAIPath>::Node PathNode;

// Duplicates every path of `from` onto the end of `to`. A null item, or a
// path whose copy cannot be allocated, becomes a null item, so that every
// path keeps its number; a node that cannot be allocated drops the copy.
// Answers the copy of the first node holding `find`, or null.
zunAIPath* copyPaths(zunList<zunAIPath>& to, const zunList<zunAIPath>& from, const zunAIPath* find)
{
    zunAIPath* found = nullptr;
    bool seen = false;
    for (PathNode* node = from.head; node; node = node->next) {
        zunAIPath* copy = node->item ? new zunAIPath(*node->item) : nullptr;
        if (!to.append(copy)) {
            delete copy;
            copy = nullptr;
        }
        if (!seen && find && node->item == find) {
            seen = true;
            found = copy;
        }
    }
    return found;
}

// Deep copy of the lists and slots of `from` into the empty manager `to`. The
// copy's selection is its own copy of the selected path, or null.
void copyManager(zunAIPathMgr& to, const zunAIPathMgr& from)
{
    to.selectedPath = copyPaths(to.paths, from.paths, from.selectedPath);
    copyPaths(to.activePaths, from.activePaths, nullptr);
    if (from.newPath)
        to.newPath = new zunAIPath(*from.newPath);
}

} // namespace

zunAIPathMgr::zunAIPathMgr()
    : newPath(nullptr), selectedPath(nullptr), rndSeed(rndStartSeed), rndMul(rndStartMul)
{
}

zunAIPathMgr::~zunAIPathMgr()
{
    paths.deleteAll();
    activePaths.deleteAll();
    // A recording still under way is the manager's too.
    delete newPath;
    newPath = nullptr;
    selectedPath = nullptr;
}

zunAIPathMgr::zunAIPathMgr(const zunAIPathMgr& other)
    : newPath(nullptr), selectedPath(nullptr), rndSeed(other.rndSeed), rndMul(other.rndMul)
{
    copyManager(*this, other);
}

zunAIPathMgr& zunAIPathMgr::operator=(const zunAIPathMgr& other)
{
    if (this == &other)
        return *this;
    paths.deleteAll();
    activePaths.deleteAll();
    delete newPath;
    newPath = nullptr;
    selectedPath = nullptr;
    rndSeed = other.rndSeed;
    rndMul = other.rndMul;
    copyManager(*this, other);
    return *this;
}

zunAIPath* zunAIPathMgr::getPath(int number) { return paths.getAt(number); }

void zunAIPathMgr::addPath(zunAIPath* path)
{
    if (!paths.append(path))
        delete path;
}

void zunAIPathMgr::addActivePath(zunAIPath* path)
{
    if (!activePaths.append(path))
        delete path;
}

void zunAIPathMgr::deletePath(zunAIPath* path)
{
    const bool wasSelected = path && path == selectedPath;
    if (paths.deleteItem(path) && wasSelected)
        selectedPath = nullptr;
}

void zunAIPathMgr::deleteAllPaths()
{
    paths.deleteAll();
    selectedPath = nullptr;
}

int zunAIPathMgr::getNumPaths() { return paths.count; }

// rndSeed = rndSeed * rndMul mod 65536, then the square of the new state mod
// 65536, scaled into 0..1. Unsigned arithmetic gives the low bits of the
// 32-bit products without signed overflow.
float zunAIPathMgr::rnd()
{
    const std::uint32_t seed = (static_cast<std::uint32_t>(rndSeed) * static_cast<std::uint32_t>(rndMul)) & 0xFFFFu;
    rndSeed = static_cast<int>(seed);
    const std::uint32_t drawn = (seed * seed) & 0xFFFFu;
    return static_cast<float>(drawn) * rndScale;
}
