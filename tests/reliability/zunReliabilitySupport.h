#ifndef ZUN_RELIABILITY_SUPPORT_H
#define ZUN_RELIABILITY_SUPPORT_H

// Shared parts of the reliability tests: a copy of the sample game directory
// entered at its bin/ folder, views of what a manager holds as paths of
// marks, and the comparison of such views.

#include <string>
#include <vector>

#include "standin/zunStandIn.h"
#include "zunAI.h"
#include "zunManagerChecks.h"
#include "zunScratchGame.h"
#include "zunTestFixture.h"

namespace reliability {

using Marks = std::vector<cVector4>;
using Paths = std::vector<Marks>;

// Positions of a path's allocated marks, in order (null items left out).
inline Marks marksOf(const zunAIPath& path)
{
    Marks out;
    for (auto* node = path.marks.head; node; node = node->next)
        if (node->item)
            out.push_back(node->item->position);
    return out;
}

inline Paths pathsOf(const zunList<zunAIPath>& list)
{
    Paths out;
    for (auto* node = list.head; node; node = node->next)
        out.push_back(node->item ? marksOf(*node->item) : Marks());
    return out;
}

inline bool samePosition(const cVector4& a, const cVector4& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z && a.w == b.w;
}

// `part` is `whole` with some marks left out, the rest in order.
inline bool isSubsequence(const Marks& part, const Marks& whole)
{
    std::size_t j = 0;
    for (const cVector4& mark : part) {
        while (j < whole.size() && !samePosition(whole[j], mark))
            ++j;
        if (j == whole.size())
            return false;
        ++j;
    }
    return true;
}

inline bool sameMarks(const Marks& a, const Marks& b)
{
    return a.size() == b.size() && isSubsequence(a, b);
}

// Each path of `part` matches a path of `whole`, in order, its marks a
// subsequence of its counterpart's. Answers the number of paths that match
// exactly, or -1 when some path matches none.
inline int matchPaths(const Paths& part, const Paths& whole)
{
    std::size_t j = 0;
    int exact = 0;
    for (const Marks& path : part) {
        while (j < whole.size() && !isSubsequence(path, whole[j]))
            ++j;
        if (j == whole.size())
            return -1;
        if (sameMarks(path, whole[j]))
            ++exact;
        ++j;
    }
    return exact;
}

inline bool samePaths(const Paths& a, const Paths& b)
{
    return a.size() == b.size() && matchPaths(a, b) == static_cast<int>(b.size());
}

// Loads the game directory's database, "levels\paths.qzt", into `manager`.
inline int loadSample(zunAIPathMgr& manager)
{
    char name[] = "levels\\paths.qzt";
    return manager.loadPaths(name);
}

} // namespace reliability

#endif
