#ifndef ZUN_STANDIN_LEVEL_H
#define ZUN_STANDIN_LEVEL_H

// The stand-in's level: a triangle soup with a bounding volume hierarchy
// over it, and the ray test that zunHitScan uses. Internal to the render
// library, apart from the linear ray test exported for tests.

#include <cstdint>
#include <string>
#include <vector>

#include "host/zunExport.h"

namespace zunStandIn {

struct LevelTriangle { float v[3][3]; };

// A triangle ready for the ray test: one corner, the two edges from it, and
// the least determinant that rounding cannot fake (16 float epsilons of
// |e1| |e2|): below it the ray runs in the triangle's plane.
struct LevelPrepared { float v0[3], e1[3], e2[3], detLimit; };

// False for a triangle with a non-finite corner or edge, without area, or
// too large for a float ray test: it never hits.
bool prepareTriangle(const LevelTriangle& triangle, LevelPrepared& prepared);

// A ray already reduced to a unit direction; built once per cast.
struct LevelRay {
    float origin[3];
    float dir[3];
    float length;
};

// Normalises direction; false when the ray can never hit (zero or non-finite
// direction, negative or non-numeric length, non-finite origin).
bool makeLevelRay(const float origin[3], const float direction[3], float length, LevelRay& ray);

class Level {
public:
    void clear();
    void add(const LevelTriangle& triangle);
    void replace(std::vector<LevelTriangle>&& triangles);
    int count() const { return static_cast<int>(triangles_.size()); }

    // Nearest hit at t in [0, ray.length]; writes t. Rebuilds the hierarchy
    // first when the level changed since the last cast.
    bool cast(const LevelRay& ray, float& t);
    // The same test against every triangle in turn, for checking the hierarchy.
    bool castLinear(const LevelRay& ray, float& t) const;

    struct Stats { int nodes, leaves, maxDepth, maxLeafSize; };
    Stats stats();

private:
    // Binary node of the build: an interior node (count == 0) has its
    // children at first and first + 1; a leaf holds count triangles from
    // first on.
    struct BuildNode {
        float min[3];
        std::int32_t first;
        float max[3];
        std::int32_t count;
    };
    // Node of the ray test: up to four children, their boxes side by side so
    // that one step tests all four. count > 0: a leaf of count triangles
    // from child on; 0: the node nodes_[child]; -1: an empty slot.
    struct alignas(64) Node {
        float box[6][4];   // min x, max x, min y, max y, min z, max z
        std::int32_t child[4];
        std::int32_t count[4];
    };
    struct BuildItem { float min[3], max[3], centre[3]; int triangle; };

    void build();
    int buildNode(std::vector<BuildNode>& tree, int nodeIndex, int first, int count, int depth);
    int collapse(const std::vector<BuildNode>& tree, int treeIndex);

    std::vector<LevelTriangle> triangles_;
    bool dirty_ = true;
    std::vector<Node> nodes_;                   // nodes_[0] is the root
    std::vector<LevelPrepared> prepared_;       // in leaf order
    std::vector<BuildItem> items_;              // build scratch space
    Stats stats_ = {0, 0, 0, 0};
};

// Reads a Wavefront OBJ file into triangles; false (and triangles untouched)
// when the file cannot be read or is malformed.
bool parseObjFile(const char* path, std::vector<LevelTriangle>& triangles);
bool parseObjText(const std::string& text, std::vector<LevelTriangle>& triangles);

// Exported for tests: the level's ray test without the hierarchy, and the
// shape of the hierarchy after a rebuild.
ZUNRENDER_API int hitScanLinear(const float origin[3], const float direction[3], float length, float hit[3]);
ZUNRENDER_API Level::Stats levelStats();

}

#endif
