#include "standin/render/zunStandInLevel.h"

#include <algorithm>
#include <cmath>
#include <limits>

// The node step tests four boxes at once where SSE2 is there (x86-64, and
// 32-bit builds with -msse2); elsewhere the same step runs one box at a time.
#if !defined(ZUN_LEVEL_SSE)
#  if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#    define ZUN_LEVEL_SSE 1
#  else
#    define ZUN_LEVEL_SSE 0
#  endif
#endif
#if ZUN_LEVEL_SSE
#  include <emmintrin.h>
#endif
// 32-bit Windows only promises a 4-byte aligned stack on entry.
#if defined(__GNUC__) && defined(__i386__)
#  define ZUN_ALIGN_STACK __attribute__((force_align_arg_pointer))
#else
#  define ZUN_ALIGN_STACK
#endif

namespace zunStandIn {

namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();

// A ray that meets a triangle within this fraction of its edges still hits:
// rounding must not let a ray slip through the seam of two triangles.
constexpr float kEdgeTolerance = 1.0e-5f;

// Box exits are stretched by a few ulps so that rounding in the slab test
// never drops a box that the ray really touches.
constexpr float kExitStretch = 1.0f + 4.0f * std::numeric_limits<float>::epsilon();

// Direction components below this are replaced by it (with their sign) in
// the inverse direction, so that the slab test never computes 0 * inf.
constexpr float kTinyDirection = 1.0e-20f;

constexpr int kBins = 16;
constexpr int kMaxLeafSize = 8;
// Cost of stepping into a node, in triangle tests.
constexpr float kTraversalCost = 1.0f;
// Past this depth the build halves nodes at the median instead, which bounds
// the depth (and so the traversal stack) whatever the level looks like.
constexpr int kSahDepthLimit = 64;
// Each step defers at most three children, and the tree is no deeper than
// the binary build's limit of kSahDepthLimit plus 32 median halvings.
constexpr int kStackSize = 3 * (kSahDepthLimit + 32) + 4;

inline int lowestBit(int mask) {
#if defined(__GNUC__)
    return __builtin_ctz(static_cast<unsigned>(mask));
#else
    int i = 0;
    while (!(mask & 1)) {
        mask >>= 1;
        ++i;
    }
    return i;
#endif
}

inline bool finite3(const float v[3]) {
    return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

inline float area(const float mn[3], const float mx[3]) {
    const float dx = mx[0] - mn[0], dy = mx[1] - mn[1], dz = mx[2] - mn[2];
    return dx * dy + dy * dz + dz * dx;
}

// Moeller-Trumbore, both sides: the nearest hit at t in [0, tMax].
inline bool intersect(const LevelPrepared& tri, const LevelRay& ray, float tMax, float& t) {
    const float* d = ray.dir;
    const float px = d[1] * tri.e2[2] - d[2] * tri.e2[1];
    const float py = d[2] * tri.e2[0] - d[0] * tri.e2[2];
    const float pz = d[0] * tri.e2[1] - d[1] * tri.e2[0];
    const float det = tri.e1[0] * px + tri.e1[1] * py + tri.e1[2] * pz;
    // The ray runs in the triangle's plane, up to rounding: a smaller
    // determinant is rounding noise and would give hits anywhere in the plane.
    if (!(std::fabs(det) > tri.detLimit)) return false;
    const float inv = 1.0f / det;
    const float sx = ray.origin[0] - tri.v0[0];
    const float sy = ray.origin[1] - tri.v0[1];
    const float sz = ray.origin[2] - tri.v0[2];
    const float u = (sx * px + sy * py + sz * pz) * inv;
    if (!(u >= -kEdgeTolerance && u <= 1.0f + kEdgeTolerance)) return false;
    const float qx = sy * tri.e1[2] - sz * tri.e1[1];
    const float qy = sz * tri.e1[0] - sx * tri.e1[2];
    const float qz = sx * tri.e1[1] - sy * tri.e1[0];
    const float v = (d[0] * qx + d[1] * qy + d[2] * qz) * inv;
    if (!(v >= -kEdgeTolerance && u + v <= 1.0f + kEdgeTolerance)) return false;
    const float hitT = (tri.e2[0] * qx + tri.e2[1] * qy + tri.e2[2] * qz) * inv;
    if (!(hitT >= 0.0f && hitT <= tMax)) return false;
    t = hitT;
    return true;
}

}  // namespace

bool prepareTriangle(const LevelTriangle& triangle, LevelPrepared& prepared) {
    for (int i = 0; i < 3; ++i) {
        prepared.v0[i] = triangle.v[0][i];
        prepared.e1[i] = triangle.v[1][i] - triangle.v[0][i];
        prepared.e2[i] = triangle.v[2][i] - triangle.v[0][i];
    }
    if (!finite3(prepared.v0) || !finite3(prepared.e1) || !finite3(prepared.e2)) return false;
    // A triangle without area (repeated or collinear corners) never hits: its
    // determinant would be rounding noise and its hits could lie anywhere. The
    // products of floats are exact in double, so the test is exact.
    const double e1[3] = {prepared.e1[0], prepared.e1[1], prepared.e1[2]};
    const double e2[3] = {prepared.e2[0], prepared.e2[1], prepared.e2[2]};
    if (e1[1] * e2[2] == e1[2] * e2[1] && e1[2] * e2[0] == e1[0] * e2[2] && e1[0] * e2[1] == e1[1] * e2[0])
        return false;
    const double lengths = std::sqrt((e1[0] * e1[0] + e1[1] * e1[1] + e1[2] * e1[2]) *
                                     (e2[0] * e2[0] + e2[1] * e2[1] + e2[2] * e2[2]));
    prepared.detLimit = static_cast<float>(16.0 * std::numeric_limits<float>::epsilon() * lengths);
    return std::isfinite(prepared.detLimit);
}

bool makeLevelRay(const float origin[3], const float direction[3], float length, LevelRay& ray) {
    if (!finite3(origin) || !(length >= 0.0f)) return false;
    // Same arithmetic as cVector4::normalize.
    const float len = std::sqrt(direction[0] * direction[0] + direction[1] * direction[1] +
                                direction[2] * direction[2]);
    if (!(len > 0.0f) || !std::isfinite(len)) return false;
    for (int i = 0; i < 3; ++i) {
        ray.origin[i] = origin[i];
        ray.dir[i] = direction[i] / len;
    }
    ray.length = length;
    return true;
}

void Level::clear() {
    triangles_.clear();
    dirty_ = true;
}

void Level::add(const LevelTriangle& triangle) {
    triangles_.push_back(triangle);
    dirty_ = true;
}

void Level::replace(std::vector<LevelTriangle>&& triangles) {
    triangles_ = std::move(triangles);
    dirty_ = true;
}

Level::Stats Level::stats() {
    if (dirty_) build();
    return stats_;
}

void Level::build() {
    dirty_ = false;
    nodes_.clear();
    prepared_.clear();
    items_.clear();
    stats_ = {0, 0, 0, 0};

    std::vector<LevelPrepared> all;
    all.reserve(triangles_.size());
    for (std::size_t i = 0; i < triangles_.size(); ++i) {
        LevelPrepared p;
        if (!prepareTriangle(triangles_[i], p)) continue;   // never hits; keep it out of the boxes
        BuildItem item;
        float extent = 0.0f, magnitude = 0.0f;
        for (int a = 0; a < 3; ++a) {
            const float v0 = triangles_[i].v[0][a], v1 = triangles_[i].v[1][a], v2 = triangles_[i].v[2][a];
            item.min[a] = std::min(v0, std::min(v1, v2));
            item.max[a] = std::max(v0, std::max(v1, v2));
            extent = std::max(extent, item.max[a] - item.min[a]);
            magnitude = std::max(magnitude, std::max(std::fabs(item.min[a]), std::fabs(item.max[a])));
        }
        // Pad the box beyond the edge tolerance of the triangle test and
        // beyond rounding, so that no flat box is ever thinner than a ray
        // running in its plane can see.
        const float pad = extent * 1.0e-4f + magnitude * 1.0e-6f + 1.0e-30f;
        for (int a = 0; a < 3; ++a) {
            item.min[a] -= pad;
            item.max[a] += pad;
            item.centre[a] = 0.5f * item.min[a] + 0.5f * item.max[a];
        }
        item.triangle = static_cast<int>(all.size());
        all.push_back(p);
        items_.push_back(item);
    }
    if (items_.empty()) {
        items_.shrink_to_fit();
        return;
    }

    const int n = static_cast<int>(items_.size());
    std::vector<BuildNode> tree;
    tree.reserve(static_cast<std::size_t>(2 * n - 1));   // a binary tree over n leaves at most
    tree.push_back(BuildNode{});
    stats_.maxDepth = buildNode(tree, 0, 0, n, 0);
    nodes_.reserve(tree.size() / 2 + 1);
    collapse(tree, 0);
    stats_.nodes = static_cast<int>(nodes_.size());

    prepared_.reserve(items_.size());
    for (const BuildItem& item : items_) prepared_.push_back(all[static_cast<std::size_t>(item.triangle)]);
    items_.clear();
    items_.shrink_to_fit();
}

int Level::buildNode(std::vector<BuildNode>& tree, int nodeIndex, int first, int count, int depth) {
    float mn[3] = {kInfinity, kInfinity, kInfinity}, mx[3] = {-kInfinity, -kInfinity, -kInfinity};
    float cmn[3] = {kInfinity, kInfinity, kInfinity}, cmx[3] = {-kInfinity, -kInfinity, -kInfinity};
    for (int i = first; i < first + count; ++i) {
        const BuildItem& item = items_[static_cast<std::size_t>(i)];
        for (int a = 0; a < 3; ++a) {
            mn[a] = std::min(mn[a], item.min[a]);
            mx[a] = std::max(mx[a], item.max[a]);
            cmn[a] = std::min(cmn[a], item.centre[a]);
            cmx[a] = std::max(cmx[a], item.centre[a]);
        }
    }
    {
        BuildNode& node = tree[static_cast<std::size_t>(nodeIndex)];
        for (int a = 0; a < 3; ++a) {
            node.min[a] = mn[a];
            node.max[a] = mx[a];
        }
        node.first = first;
        node.count = count;
    }
    auto makeLeaf = [&]() {
        ++stats_.leaves;
        stats_.maxLeafSize = std::max(stats_.maxLeafSize, count);
        return depth;
    };
    if (count <= 2) return makeLeaf();

    auto begin = items_.begin() + first;
    auto end = begin + count;
    int mid = -1;

    if (depth < kSahDepthLimit) {
        // Binned surface-area heuristic over the centres.
        int bestAxis = -1, bestBin = 0;
        float bestCost = kInfinity;
        for (int axis = 0; axis < 3; ++axis) {
            const float extent = cmx[axis] - cmn[axis];
            if (!(extent > 0.0f)) continue;
            const float scale = static_cast<float>(kBins) / extent;
            int binCount[kBins] = {};
            float binMin[kBins][3], binMax[kBins][3];
            for (int b = 0; b < kBins; ++b)
                for (int a = 0; a < 3; ++a) {
                    binMin[b][a] = kInfinity;
                    binMax[b][a] = -kInfinity;
                }
            for (auto it = begin; it != end; ++it) {
                const int b = std::min(kBins - 1, static_cast<int>((it->centre[axis] - cmn[axis]) * scale));
                ++binCount[b];
                for (int a = 0; a < 3; ++a) {
                    binMin[b][a] = std::min(binMin[b][a], it->min[a]);
                    binMax[b][a] = std::max(binMax[b][a], it->max[a]);
                }
            }
            // Right-to-left sweep first, then left-to-right evaluating each cut.
            float rightArea[kBins];
            int rightCount[kBins];
            float rmn[3] = {kInfinity, kInfinity, kInfinity}, rmx[3] = {-kInfinity, -kInfinity, -kInfinity};
            int rc = 0;
            for (int b = kBins - 1; b > 0; --b) {
                rc += binCount[b];
                for (int a = 0; a < 3; ++a) {
                    rmn[a] = std::min(rmn[a], binMin[b][a]);
                    rmx[a] = std::max(rmx[a], binMax[b][a]);
                }
                rightCount[b] = rc;
                rightArea[b] = rc > 0 ? area(rmn, rmx) : 0.0f;
            }
            float lmn[3] = {kInfinity, kInfinity, kInfinity}, lmx[3] = {-kInfinity, -kInfinity, -kInfinity};
            int lc = 0;
            for (int b = 0; b < kBins - 1; ++b) {
                lc += binCount[b];
                for (int a = 0; a < 3; ++a) {
                    lmn[a] = std::min(lmn[a], binMin[b][a]);
                    lmx[a] = std::max(lmx[a], binMax[b][a]);
                }
                if (lc == 0 || rightCount[b + 1] == 0) continue;
                const float cost = static_cast<float>(lc) * area(lmn, lmx) +
                                   static_cast<float>(rightCount[b + 1]) * rightArea[b + 1];
                if (cost < bestCost) {
                    bestCost = cost;
                    bestAxis = axis;
                    bestBin = b;
                }
            }
        }
        // Traversal costs about as much as one triangle test.
        const float nodeArea = area(mn, mx);
        const bool worthSplitting = bestAxis >= 0 && kTraversalCost * nodeArea + bestCost < static_cast<float>(count) * nodeArea;
        if (!worthSplitting && count <= kMaxLeafSize) return makeLeaf();
        if (bestAxis >= 0) {
            const int axis = bestAxis;
            const float scale = static_cast<float>(kBins) / (cmx[axis] - cmn[axis]);
            const float base = cmn[axis];
            auto split = std::partition(begin, end, [&](const BuildItem& item) {
                return std::min(kBins - 1, static_cast<int>((item.centre[axis] - base) * scale)) <= bestBin;
            });
            mid = static_cast<int>(split - items_.begin());
        }
    }
    if (mid <= first || mid >= first + count) {
        // Median split on the longest axis of the centres: always halves.
        int axis = 0;
        for (int a = 1; a < 3; ++a)
            if (cmx[a] - cmn[a] > cmx[axis] - cmn[axis]) axis = a;
        mid = first + count / 2;
        std::nth_element(begin, items_.begin() + mid, end, [axis](const BuildItem& l, const BuildItem& r) {
            return l.centre[axis] < r.centre[axis];
        });
    }

    const int left = static_cast<int>(tree.size());
    tree.push_back(BuildNode{});
    tree.push_back(BuildNode{});
    tree[static_cast<std::size_t>(nodeIndex)].first = left;
    tree[static_cast<std::size_t>(nodeIndex)].count = 0;
    const int dl = buildNode(tree, left, first, mid - first, depth + 1);
    const int dr = buildNode(tree, left + 1, mid, first + count - mid, depth + 1);
    return std::max(dl, dr);
}

int Level::collapse(const std::vector<BuildNode>& tree, int treeIndex) {
    // Gather up to four children by opening the largest interior child
    // until there are four or only leaves.
    int slots[4];
    int used = 0;
    const BuildNode& top = tree[static_cast<std::size_t>(treeIndex)];
    if (top.count > 0) {
        slots[used++] = treeIndex;   // the whole level is one leaf
    } else {
        slots[used++] = top.first;
        slots[used++] = top.first + 1;
    }
    while (used < 4) {
        int open = -1;
        float openArea = -1.0f;
        for (int i = 0; i < used; ++i) {
            const BuildNode& c = tree[static_cast<std::size_t>(slots[i])];
            if (c.count == 0 && area(c.min, c.max) > openArea) {
                open = i;
                openArea = area(c.min, c.max);
            }
        }
        if (open < 0) break;
        const int opened = tree[static_cast<std::size_t>(slots[open])].first;
        slots[open] = opened;
        slots[used++] = opened + 1;
    }

    const int index = static_cast<int>(nodes_.size());
    nodes_.push_back(Node{});
    for (int i = 0; i < 4; ++i) {
        Node& node = nodes_[static_cast<std::size_t>(index)];
        if (i >= used) {
            for (int a = 0; a < 6; ++a) node.box[a][i] = 0.0f;
            node.child[i] = 0;
            node.count[i] = -1;
            continue;
        }
        const BuildNode& c = tree[static_cast<std::size_t>(slots[i])];
        for (int a = 0; a < 3; ++a) {
            node.box[2 * a][i] = c.min[a];
            node.box[2 * a + 1][i] = c.max[a];
        }
        node.count[i] = c.count;
        if (c.count > 0) {
            node.child[i] = c.first;
        } else {
            const int child = collapse(tree, slots[i]);   // may move nodes_
            nodes_[static_cast<std::size_t>(index)].child[i] = child;
        }
    }
    return index;
}

ZUN_ALIGN_STACK bool Level::cast(const LevelRay& ray, float& t) {
    if (dirty_) build();
    if (nodes_.empty()) return false;

    float inv[3];
    for (int a = 0; a < 3; ++a) {
        const float d = ray.dir[a];
        inv[a] = 1.0f / (std::fabs(d) < kTinyDirection ? std::copysign(kTinyDirection, d) : d);
    }
    // Per axis, the row of the node's boxes that the ray meets first.
    const int nearX = inv[0] >= 0.0f ? 0 : 1, nearY = inv[1] >= 0.0f ? 2 : 3, nearZ = inv[2] >= 0.0f ? 4 : 5;
    const int farX = nearX ^ 1, farY = nearY ^ 1, farZ = nearZ ^ 1;

    struct Entry { std::int32_t child, count; float t; };
    Entry stack[kStackSize];
    int top = 0;
    Entry current{0, 0, 0.0f};
    float best = ray.length;
    bool found = false;
    const Node* nodes = nodes_.data();
    const LevelPrepared* tris = prepared_.data();

#if ZUN_LEVEL_SSE
    const __m128 ox = _mm_set1_ps(ray.origin[0]), oy = _mm_set1_ps(ray.origin[1]), oz = _mm_set1_ps(ray.origin[2]);
    const __m128 ix = _mm_set1_ps(inv[0]), iy = _mm_set1_ps(inv[1]), iz = _mm_set1_ps(inv[2]);
    const __m128 zero = _mm_setzero_ps(), stretch = _mm_set1_ps(kExitStretch);
    const __m128i emptySlot = _mm_set1_epi32(-1);
#endif

    for (;;) {
        if (current.count == 0) {
            const Node& node = nodes[current.child];
            // Entry distances of the four child boxes; a bit per child met
            // before the nearest hit so far.
            float tNear[4];
            int mask;
#if ZUN_LEVEL_SSE
            {
                const __m128 x0 = _mm_mul_ps(_mm_sub_ps(_mm_loadu_ps(node.box[nearX]), ox), ix);
                const __m128 x1 = _mm_mul_ps(_mm_sub_ps(_mm_loadu_ps(node.box[farX]), ox), ix);
                const __m128 y0 = _mm_mul_ps(_mm_sub_ps(_mm_loadu_ps(node.box[nearY]), oy), iy);
                const __m128 y1 = _mm_mul_ps(_mm_sub_ps(_mm_loadu_ps(node.box[farY]), oy), iy);
                const __m128 z0 = _mm_mul_ps(_mm_sub_ps(_mm_loadu_ps(node.box[nearZ]), oz), iz);
                const __m128 z1 = _mm_mul_ps(_mm_sub_ps(_mm_loadu_ps(node.box[farZ]), oz), iz);
                const __m128 tn = _mm_max_ps(_mm_max_ps(x0, y0), _mm_max_ps(z0, zero));
                const __m128 tf = _mm_mul_ps(_mm_min_ps(_mm_min_ps(x1, y1), z1), stretch);
                const __m128 ok = _mm_and_ps(_mm_cmple_ps(tn, tf), _mm_cmple_ps(tn, _mm_set1_ps(best)));
                const __m128i used =
                    _mm_xor_si128(_mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(node.count)), emptySlot),
                                  _mm_set1_epi32(-1));
                mask = _mm_movemask_ps(_mm_and_ps(ok, _mm_castsi128_ps(used)));
                _mm_storeu_ps(tNear, tn);
            }
#else
            mask = 0;
            for (int i = 0; i < 4; ++i) {
                const float x0 = (node.box[nearX][i] - ray.origin[0]) * inv[0];
                const float x1 = (node.box[farX][i] - ray.origin[0]) * inv[0];
                const float y0 = (node.box[nearY][i] - ray.origin[1]) * inv[1];
                const float y1 = (node.box[farY][i] - ray.origin[1]) * inv[1];
                const float z0 = (node.box[nearZ][i] - ray.origin[2]) * inv[2];
                const float z1 = (node.box[farZ][i] - ray.origin[2]) * inv[2];
                const float tn = std::max(std::max(x0, y0), std::max(z0, 0.0f));
                const float tf = std::min(std::min(x1, y1), z1) * kExitStretch;
                tNear[i] = tn;
                if (node.count[i] >= 0 && tn <= tf && tn <= best) mask |= 1 << i;
            }
#endif
            if (mask != 0) {
                int i = lowestBit(mask);
                mask &= mask - 1;
                if (mask == 0) {   // one child met: the common case
                    current = Entry{node.child[i], node.count[i], tNear[i]};
                    continue;
                }
                // Several: go on with the nearest, defer the others (the
                // farthest deepest in the stack), fetching them meanwhile.
                Entry hits[4];
                int n = 0;
                for (;;) {
                    const Entry e{node.child[i], node.count[i], tNear[i]};
#if ZUN_LEVEL_SSE
                    if (e.count == 0) {
                        _mm_prefetch(reinterpret_cast<const char*>(nodes + e.child), _MM_HINT_T0);
                        _mm_prefetch(reinterpret_cast<const char*>(nodes + e.child) + 64, _MM_HINT_T0);
                    } else {
                        _mm_prefetch(reinterpret_cast<const char*>(tris + e.child), _MM_HINT_T0);
                    }
#endif
                    int j = n++;
                    while (j > 0 && hits[j - 1].t < e.t) {   // descending by distance
                        hits[j] = hits[j - 1];
                        --j;
                    }
                    hits[j] = e;
                    if (mask == 0) break;
                    i = lowestBit(mask);
                    mask &= mask - 1;
                }
                for (int k = 0; k < n - 1; ++k) stack[top++] = hits[k];
                current = hits[n - 1];
                continue;
            }
        } else {
            const LevelPrepared* tri = tris + current.child;
            for (int i = 0; i < current.count; ++i) {
                float hitT;
                if (intersect(tri[i], ray, best, hitT)) {
                    best = hitT;
                    found = true;
                }
            }
        }
        // Next deferred child that the ray still reaches before the nearest hit.
        for (;;) {
            if (top == 0) {
                if (found) t = best;
                return found;
            }
            current = stack[--top];
            if (current.t <= best) break;
        }
    }
}

bool Level::castLinear(const LevelRay& ray, float& t) const {
    float best = ray.length;
    bool found = false;
    for (const LevelTriangle& triangle : triangles_) {
        LevelPrepared p;
        if (!prepareTriangle(triangle, p)) continue;
        float hitT;
        if (intersect(p, ray, best, hitT)) {
            best = hitT;
            found = true;
        }
    }
    if (found) t = best;
    return found;
}

}  // namespace zunStandIn
