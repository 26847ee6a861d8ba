// The walkable surface: voxelisation, regions, contours, polygon mesh and
// its detail heights, then a navigation mesh with a query over it.

#include "zunaiWalkable.h"

#include <cmath>
#include <vector>

#include <recastnavigation/DetourNavMesh.h>
#include <recastnavigation/DetourNavMeshBuilder.h>
#include <recastnavigation/DetourNavMeshQuery.h>
#include <recastnavigation/Recast.h>

#include "zunaiError.h"

namespace {

// The largest voxel grid built, in columns: beyond it the level is too large
// for the cell size.
constexpr double maxColumns = 64.0e6;
constexpr int maxQueryNodes = 65535;   // the most a query can hold

struct Soup {
    std::vector<float> verts;
    std::vector<int> tris;
};

// The triangles in the surface's coordinates, each turned to face up: the
// level's triangles are solid from both sides, whichever way they are wound.
Soup makeSoup(const zunaiLevelMesh& level)
{
    Soup soup;
    soup.verts.reserve(level.triangles.size() * 9);
    soup.tris.reserve(level.triangles.size() * 3);
    for (const zunaiTriangle& t : level.triangles) {
        float v[3][3];
        for (int i = 0; i < 3; ++i)
            zunaiToSurface(t.corner[i], v[i]);
        const float e0[3] = {v[1][0] - v[0][0], v[1][1] - v[0][1], v[1][2] - v[0][2]};
        const float e1[3] = {v[2][0] - v[0][0], v[2][1] - v[0][1], v[2][2] - v[0][2]};
        const float up = e0[2] * e1[0] - e0[0] * e1[2];
        const int order[2][3] = {{0, 1, 2}, {0, 2, 1}};
        const int* o = order[up < 0.0f ? 1 : 0];
        const int base = int(soup.verts.size() / 3);
        for (int i = 0; i < 3; ++i) {
            soup.verts.insert(soup.verts.end(), v[o[i]], v[o[i]] + 3);
            soup.tris.push_back(base + i);
        }
    }
    return soup;
}

rcConfig makeConfig(const zunaiAgent& agent, const Soup& soup)
{
    rcConfig cfg{};
    cfg.cs = agent.cellSize;
    cfg.ch = agent.cellHeight;
    cfg.walkableSlopeAngle = agent.maxSlope;
    cfg.walkableHeight = int(std::ceil(agent.height / cfg.ch));
    cfg.walkableClimb = int(std::floor(agent.stepHeight / cfg.ch));
    cfg.walkableRadius = int(std::ceil(agent.radius / cfg.cs));
    cfg.maxEdgeLen = int(120.0f / cfg.cs);
    cfg.maxSimplificationError = 1.3f;
    cfg.minRegionArea = 8 * 8;
    cfg.mergeRegionArea = 20 * 20;
    cfg.maxVertsPerPoly = 6;
    cfg.detailSampleDist = cfg.cs * 8.0f;
    cfg.detailSampleMaxError = cfg.ch * 2.0f;
    rcCalcBounds(soup.verts.data(), int(soup.verts.size() / 3), cfg.bmin, cfg.bmax);
    // a cell of margin round the level: a level flat along an axis (one
    // upright wall) would otherwise give a grid without cells
    cfg.bmin[0] -= cfg.cs, cfg.bmin[2] -= cfg.cs;
    cfg.bmax[0] += cfg.cs, cfg.bmax[2] += cfg.cs;
    cfg.bmin[1] -= 1.0f;
    cfg.bmax[1] += agent.height + 1.0f;
    rcCalcGridSize(cfg.bmin, cfg.bmax, cfg.cs, &cfg.width, &cfg.height);
    return cfg;
}

// Owners of the build's intermediate results.
struct Build {
    rcHeightfield* solid = rcAllocHeightfield();
    rcCompactHeightfield* compact = rcAllocCompactHeightfield();
    rcContourSet* contours = rcAllocContourSet();
    rcPolyMesh* polys = rcAllocPolyMesh();
    rcPolyMeshDetail* detail = rcAllocPolyMeshDetail();
    ~Build()
    {
        rcFreeHeightField(solid);
        rcFreeCompactHeightfield(compact);
        rcFreeContourSet(contours);
        rcFreePolyMesh(polys);
        rcFreePolyMeshDetail(detail);
    }
};

void require(bool ok, const char* what)
{
    if (!ok)
        throw zunaiError{std::string("building the walkable surface failed: ") + what};
}

void buildPolygons(const zunaiAgent& agent, const Soup& soup, const rcConfig& cfg, Build& b)
{
    rcContext ctx(false);
    const int nv = int(soup.verts.size() / 3), nt = int(soup.tris.size() / 3);
    require(b.solid && b.compact && b.contours && b.polys && b.detail, "out of memory");
    require(rcCreateHeightfield(&ctx, *b.solid, cfg.width, cfg.height, cfg.bmin, cfg.bmax, cfg.cs, cfg.ch),
            "voxel grid");
    std::vector<unsigned char> areas(std::size_t(nt), 0);
    rcMarkWalkableTriangles(&ctx, cfg.walkableSlopeAngle, soup.verts.data(), nv, soup.tris.data(), nt, areas.data());
    require(rcRasterizeTriangles(&ctx, soup.verts.data(), nv, soup.tris.data(), areas.data(), nt, *b.solid,
                                 cfg.walkableClimb),
            "voxelisation");
    rcFilterLowHangingWalkableObstacles(&ctx, cfg.walkableClimb, *b.solid);
    rcFilterLedgeSpans(&ctx, cfg.walkableHeight, cfg.walkableClimb, *b.solid);
    rcFilterWalkableLowHeightSpans(&ctx, cfg.walkableHeight, *b.solid);
    require(rcBuildCompactHeightfield(&ctx, cfg.walkableHeight, cfg.walkableClimb, *b.solid, *b.compact),
            "compact voxels");
    require(rcErodeWalkableArea(&ctx, cfg.walkableRadius, *b.compact), "agent radius");
    require(rcBuildDistanceField(&ctx, *b.compact), "distance field");
    require(rcBuildRegions(&ctx, *b.compact, 0, cfg.minRegionArea, cfg.mergeRegionArea), "regions");
    require(rcBuildContours(&ctx, *b.compact, cfg.maxSimplificationError, cfg.maxEdgeLen, *b.contours), "contours");
    require(rcBuildPolyMesh(&ctx, *b.contours, cfg.maxVertsPerPoly, *b.polys), "polygon mesh");
    require(rcBuildPolyMeshDetail(&ctx, *b.polys, *b.compact, cfg.detailSampleDist, cfg.detailSampleMaxError,
                                  *b.detail),
            "detail heights");
    (void)agent;
}

double polygonArea(const rcPolyMesh& pm)
{
    double area = 0.0;
    for (int i = 0; i < pm.npolys; ++i) {
        const unsigned short* p = &pm.polys[i * pm.nvp * 2];
        int n = 0;
        while (n < pm.nvp && p[n] != RC_MESH_NULL_IDX)
            ++n;
        double twice = 0.0;
        for (int j = 0; j < n; ++j) {
            const unsigned short* a = &pm.verts[p[j] * 3];
            const unsigned short* c = &pm.verts[p[(j + 1) % n] * 3];
            twice += double(a[0]) * c[2] - double(c[0]) * a[2];
        }
        area += std::fabs(twice) * 0.5;
    }
    return area * double(pm.cs) * pm.cs;
}

} // namespace

std::string zunaiAgentProblem(const zunaiAgent& a)
{
    auto bad = [](float v, float lo, float hi) { return !(v >= lo && v <= hi); };
    if (bad(a.height, 1.0f, 1000.0f))
        return "agent height must be from 1 to 1000";
    if (bad(a.radius, 0.0f, 1000.0f))
        return "agent radius must be from 0 to 1000";
    if (bad(a.stepHeight, 0.0f, 1000.0f))
        return "step height must be from 0 to 1000";
    if (bad(a.maxSlope, 0.0f, 89.0f))
        return "slope must be from 0 to 89 degrees";
    if (bad(a.cellSize, 0.1f, 100.0f) || bad(a.cellHeight, 0.1f, 100.0f))
        return "cell size and cell height must be from 0.1 to 100";
    return "";
}

zunaiWalkable::zunaiWalkable(const zunaiLevelMesh& level, const zunaiAgent& agent)
{
    const std::string problem = zunaiAgentProblem(agent);
    if (!problem.empty())
        throw zunaiError{problem};
    if (level.triangles.empty())
        return;
    const Soup soup = makeSoup(level);
    const rcConfig cfg = makeConfig(agent, soup);
    if (double(cfg.width) * cfg.height > maxColumns)
        throw zunaiError{"level too large for a cell size of " + std::to_string(agent.cellSize) +
                         "; give a larger --cell-size or a smaller --scale"};
    Build b;
    buildPolygons(agent, soup, cfg, b);
    if (b.polys->npolys == 0)
        return;
    require(b.polys->nverts < 0xffff, "too many polygon corners for one mesh; give a larger --cell-size");
    for (int i = 0; i < b.polys->npolys; ++i)
        b.polys->flags[i] = 1;

    dtNavMeshCreateParams params{};
    params.verts = b.polys->verts;
    params.vertCount = b.polys->nverts;
    params.polys = b.polys->polys;
    params.polyAreas = b.polys->areas;
    params.polyFlags = b.polys->flags;
    params.polyCount = b.polys->npolys;
    params.nvp = b.polys->nvp;
    params.detailMeshes = b.detail->meshes;
    params.detailVerts = b.detail->verts;
    params.detailVertsCount = b.detail->nverts;
    params.detailTris = b.detail->tris;
    params.detailTriCount = b.detail->ntris;
    params.walkableHeight = agent.height;
    params.walkableRadius = agent.radius;
    params.walkableClimb = agent.stepHeight;
    rcVcopy(params.bmin, b.polys->bmin);
    rcVcopy(params.bmax, b.polys->bmax);
    params.cs = cfg.cs;
    params.ch = cfg.ch;
    params.buildBvTree = true;
    unsigned char* data = nullptr;
    int size = 0;
    require(dtCreateNavMeshData(&params, &data, &size), "navigation mesh");
    navMesh = dtAllocNavMesh();
    navQuery = dtAllocNavMeshQuery();
    const bool meshMade = navMesh && dtStatusSucceed(navMesh->init(data, size, DT_TILE_FREE_DATA));
    if (!meshMade)
        dtFree(data);
    if (!meshMade || !navQuery || dtStatusFailed(navQuery->init(navMesh, maxQueryNodes))) {
        dtFreeNavMeshQuery(navQuery);
        dtFreeNavMesh(navMesh);
        navQuery = nullptr;
        navMesh = nullptr;
        require(false, "navigation mesh");
    }
    polygonCount = b.polys->npolys;
    walkableArea = polygonArea(*b.polys);
}

zunaiWalkable::~zunaiWalkable()
{
    dtFreeNavMeshQuery(navQuery);
    dtFreeNavMesh(navMesh);
}
