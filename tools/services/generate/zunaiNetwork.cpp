// The network of stored paths: spots sampled on the surface, nodes chosen
// so that every spot can join one, hubs per island, and one path from every
// node to every hub of its island.

#include "zunaiNetwork.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <unordered_map>

#include <recastnavigation/DetourNavMesh.h>
#include <recastnavigation/DetourNavMeshQuery.h>

#include "zunAI.h"
#include "zunaiRoutes.h"
#include "zunaiWalkable.h"

namespace {

// The module's numbers the network is made for.
constexpr float hover = 24.7f;          // a mark's height over the ground below it
constexpr float hoverSlack = 0.01f;     // how exactly a mark must keep it
constexpr float groundRay = 30.0f;      // the hover rule's ground ray
constexpr float probeDrop = 12.0f;      // the ground probe starts this far below a point
constexpr float raySlack = 2.0f;        // probes and sight rays run this far past their end
constexpr float joinHeight = 3.5f;      // under the height limit of a join (4), with a margin
constexpr float shortestLink = 3.0f;    // links are not split below this length
constexpr int maxCorners = 4096;
constexpr int restingHeadings = 4;      // resting places at a node
constexpr float restingStep = 0.01f;    // their length

// The module's own probes, with the hover rule opened to the generator.
class Probes : public zunAIPathMgr {
public:
    using zunAIPathMgr::validateHeight;
};

struct Spot {
    zunaiPoint mark;     // where a mark stands over this spot
    float surface[3];    // the spot on the surface, in its coordinates
    dtPolyRef poly;
    int island;
};

class Builder {
public:
    Builder(const zunaiWalkable& s, const zunaiNetworkOptions& o) : surface(s), options(o)
    {
        tile = static_cast<const dtNavMesh*>(surface.mesh())->getTile(0);
        base = surface.mesh()->getPolyRefBase(tile);
        filter.setIncludeFlags(0xffff);
    }

    zunaiNetwork build();

private:
    const zunaiWalkable& surface;
    zunaiNetworkOptions options;
    const dtMeshTile* tile;
    dtPolyRef base;
    dtQueryFilter filter;
    Probes probes;
    std::vector<int> islandOf;                 // per polygon
    std::vector<Spot> spots;
    std::unordered_map<std::int64_t, std::vector<int>> grid;   // spots by cell of `cover`
    zunaiNetwork net;

    // The mark over a surface point by the module's hover rule; false when
    // no ground lies where the rule keeps a mark exactly at hover height.
    bool markOver(const float surfacePoint[3], zunaiPoint& mark)
    {
        zunaiPoint p = zunaiFromSurface(surfacePoint);
        cVector4 start(p.x, p.y, p.z + hover);
        const cVector4 placed = probes.validateHeight(start);
        mark = zunaiPoint{placed.x, placed.y, placed.z};
        float origin[4] = {mark.x, mark.y, mark.z, 1.0f};
        float down[4] = {0.0f, 0.0f, -1.0f, 1.0f};
        float hit[4] = {0.0f, 0.0f, 0.0f, 1.0f};
        unsigned long first = 0, second = 0, third = 0;
        if (!zunHitScan(&origin, &down, groundRay, &hit, &first, second, third, 0))
            return false;
        return std::fabs(mark.z - hit[2] - hover) <= hoverSlack;
    }

    // Clear under the ground probe that path selection and the closing test
    // cast towards a mark: the nine-ray grid from 12 below `from`.
    bool probeClear(const zunaiPoint& from, const zunaiPoint& to)
    {
        cVector4 below(from.x, from.y, from.z - probeDrop);
        cVector4 link(to.x - from.x, to.y - from.y, to.z - from.z);
        cVector4 scratch;
        const float length = float(zunaiDistance(from, to));
        return probes.isBlockedArrayScan(below, 2.0f, 2.0f, link, length + raySlack, 0.0f, 2, 2, &scratch) == 0;
    }

    // A spot that a request could start from can join a path end at `end`.
    bool canJoin(const Spot& from, const Spot& end)
    {
        if (from.island != end.island || zunaiHorizontalDistance(from.mark, end.mark) > options.cover ||
            std::fabs(from.mark.z - end.mark.z) > joinHeight)
            return false;
        return !zunaiRayMeetsLevel(from.mark, end.mark, raySlack) && probeClear(from.mark, end.mark);
    }

    std::int64_t cellKey(float x, float y) const
    {
        const std::int64_t cx = std::int64_t(std::floor(x / options.cover));
        const std::int64_t cy = std::int64_t(std::floor(y / options.cover));
        return cx * 1000003 + cy;
    }

    void addRestingPlaces(const zunaiPoint& node)
    {
        for (int k = 0; k < restingHeadings; ++k) {
            const float a = 6.2831853f * float(k) / float(restingHeadings);
            cVector4 beside(node.x + restingStep * std::cos(a), node.y + restingStep * std::sin(a), node.z);
            const cVector4 placed = probes.validateHeight(beside);
            net.paths.push_back({node, zunaiPoint{placed.x, placed.y, placed.z}});
        }
    }

    void findIslands();
    void sampleSpots();
    std::vector<int> chooseNodes(std::vector<char>& covered);
    std::vector<int> chooseHubs(const std::vector<int>& nodes);
    void addPaths(const std::vector<int>& nodes, int hub);
    bool pathAlong(const Spot& from, const Spot& to, const std::vector<dtPolyRef>& corridor,
                   std::vector<zunaiPoint>& marks);
    bool addLink(const zunaiPoint& a, const zunaiPoint& b, int depth, std::vector<zunaiPoint>& marks);
};

void Builder::findIslands()
{
    const int count = tile->header->polyCount;
    islandOf.assign(std::size_t(count), -1);
    int islands = 0;
    std::vector<int> stack;
    for (int start = 0; start < count; ++start) {
        if (islandOf[std::size_t(start)] >= 0)
            continue;
        islandOf[std::size_t(start)] = islands;
        stack.push_back(start);
        while (!stack.empty()) {
            const dtPoly& poly = tile->polys[stack.back()];
            stack.pop_back();
            for (unsigned int l = poly.firstLink; l != DT_NULL_LINK; l = tile->links[l].next) {
                const int next = int(tile->links[l].ref - base);
                if (next >= 0 && next < count && islandOf[std::size_t(next)] < 0) {
                    islandOf[std::size_t(next)] = islands;
                    stack.push_back(next);
                }
            }
        }
        ++islands;
    }
}

// Spots on a grid of `sampleSpacing` inside every polygon (its centre when
// none falls inside), each where a mark over it would stand.
void Builder::sampleSpots()
{
    const float g = options.sampleSpacing;
    for (int i = 0; i < tile->header->polyCount; ++i) {
        const dtPoly& poly = tile->polys[i];
        const dtPolyRef ref = base | dtPolyRef(i);
        float lo[2] = {1e30f, 1e30f}, hi[2] = {-1e30f, -1e30f}, centre[3] = {0, 0, 0};
        for (int v = 0; v < poly.vertCount; ++v) {
            const float* p = &tile->verts[poly.verts[v] * 3];
            lo[0] = std::min(lo[0], p[0]), hi[0] = std::max(hi[0], p[0]);
            lo[1] = std::min(lo[1], p[2]), hi[1] = std::max(hi[1], p[2]);
            for (int k = 0; k < 3; ++k)
                centre[k] += p[k] / float(poly.vertCount);
        }
        std::vector<std::array<float, 3>> points;
        for (float x = std::ceil(lo[0] / g) * g; x <= hi[0]; x += g)
            for (float z = std::ceil(lo[1] / g) * g; z <= hi[1]; z += g) {
                float p[3] = {x, centre[1], z};
                float h = 0.0f;
                if (dtStatusSucceed(surface.query()->getPolyHeight(ref, p, &h)))
                    points.push_back({x, h, z});
            }
        if (points.empty()) {
            float h = centre[1];
            surface.query()->getPolyHeight(ref, centre, &h);
            points.push_back({centre[0], h, centre[2]});
        }
        for (const auto& p : points) {
            Spot s{};
            std::copy(p.begin(), p.end(), s.surface);
            s.poly = ref;
            s.island = islandOf[std::size_t(i)];
            if (markOver(s.surface, s.mark)) {
                grid[cellKey(s.mark.x, s.mark.y)].push_back(int(spots.size()));
                spots.push_back(s);
            }
        }
    }
}

// Nodes, greedily: spots taken in a shuffled order, each spot that no node
// serves yet becoming a node that serves every spot able to join it.
std::vector<int> Builder::chooseNodes(std::vector<char>& covered)
{
    std::vector<int> order(spots.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::mt19937 random(12345);
    for (std::size_t i = order.size(); i > 1; --i)
        std::swap(order[i - 1], order[random() % i]);
    covered.assign(spots.size(), 0);
    std::vector<int> nodes;
    for (int candidate : order) {
        if (covered[std::size_t(candidate)])
            continue;
        nodes.push_back(candidate);
        const Spot& node = spots[std::size_t(candidate)];
        covered[std::size_t(candidate)] = 1;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy) {
                auto cell = grid.find(cellKey(node.mark.x + dx * options.cover, node.mark.y + dy * options.cover));
                if (cell == grid.end())
                    continue;
                for (int s : cell->second)
                    if (!covered[std::size_t(s)] && canJoin(spots[std::size_t(s)], node))
                        covered[std::size_t(s)] = 1;
            }
    }
    return nodes;
}

// Hubs of one island's nodes: spread over it by a few rounds of k-means,
// each then moved to the node nearest its centre.
std::vector<int> Builder::chooseHubs(const std::vector<int>& nodes)
{
    const std::size_t k = std::min<std::size_t>(std::size_t(std::max(1, options.hubs)), nodes.size());
    auto at = [&](int n) { return spots[std::size_t(n)].mark; };
    auto dist2 = [](const zunaiPoint& a, const zunaiPoint& b) {
        const double dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
        return dx * dx + dy * dy + 16.0 * dz * dz;
    };
    zunaiPoint mean{};
    for (int n : nodes)
        mean.x += at(n).x / float(nodes.size()), mean.y += at(n).y / float(nodes.size()),
            mean.z += at(n).z / float(nodes.size());
    std::vector<zunaiPoint> centres;
    while (centres.size() < k) {
        int farthest = nodes.front();
        double best = -1.0;
        for (int n : nodes) {
            double nearest = centres.empty() ? -dist2(at(n), mean) : 1e300;
            for (const zunaiPoint& c : centres)
                nearest = std::min(nearest, dist2(at(n), c));
            if (nearest > best)
                best = nearest, farthest = n;
        }
        centres.push_back(at(farthest));
    }
    for (int round = 0; round < 8; ++round) {
        std::vector<zunaiPoint> sum(k);
        std::vector<int> count(k, 0);
        for (int n : nodes) {
            std::size_t c = 0;
            for (std::size_t j = 1; j < k; ++j)
                if (dist2(at(n), centres[j]) < dist2(at(n), centres[c]))
                    c = j;
            sum[c].x += at(n).x, sum[c].y += at(n).y, sum[c].z += at(n).z;
            ++count[c];
        }
        for (std::size_t j = 0; j < k; ++j)
            if (count[j])
                centres[j] = zunaiPoint{sum[j].x / count[j], sum[j].y / count[j], sum[j].z / count[j]};
    }
    std::vector<int> hubs;
    for (const zunaiPoint& c : centres) {
        int nearest = nodes.front();
        for (int n : nodes)
            if (dist2(at(n), c) < dist2(at(nearest), c))
                nearest = n;
        if (std::find(hubs.begin(), hubs.end(), nearest) == hubs.end())
            hubs.push_back(nearest);
    }
    return hubs;
}

// The link a→b, split in the middle (a mark over the surface there) until
// every piece is clear under the ground probe. Appends the marks after a.
bool Builder::addLink(const zunaiPoint& a, const zunaiPoint& b, int depth, std::vector<zunaiPoint>& marks)
{
    if (probeClear(a, b)) {
        marks.push_back(b);
        return true;
    }
    if (depth > 12 || zunaiDistance(a, b) < shortestLink)
        return false;
    const zunaiPoint mid{(a.x + b.x) * 0.5f, (a.y + b.y) * 0.5f, (a.z + b.z) * 0.5f - hover};
    float centre[3], extents[3] = {2.0f, hover, 2.0f}, nearest[3];
    zunaiToSurface(mid, centre);
    dtPolyRef ref = 0;
    zunaiPoint midMark;
    if (dtStatusFailed(surface.query()->findNearestPoly(centre, extents, &filter, &ref, nearest)) || !ref ||
        !markOver(nearest, midMark))
        return false;
    return addLink(a, midMark, depth + 1, marks) && addLink(midMark, b, depth + 1, marks);
}

// The marks of the surface's shortest way from one spot to another along a
// corridor of polygons: its corners, each link split until it is clear.
bool Builder::pathAlong(const Spot& from, const Spot& to, const std::vector<dtPolyRef>& corridor,
                        std::vector<zunaiPoint>& marks)
{
    std::vector<float> corners(maxCorners * 3);
    int count = 0;
    if (dtStatusFailed(surface.query()->findStraightPath(from.surface, to.surface, corridor.data(),
                                                          int(corridor.size()), corners.data(), nullptr, nullptr,
                                                          &count, maxCorners)))
        return false;
    marks.assign(1, from.mark);
    for (int i = 1; i < count; ++i) {
        const bool last = i == count - 1;
        zunaiPoint mark = to.mark;
        if (!last && !markOver(&corners[std::size_t(i) * 3], mark))
            continue;
        if (zunaiDistance(marks.back(), mark) < 0.5) {
            if (!last)
                continue;
            if (marks.size() > 1)
                marks.pop_back();
        }
        if (!addLink(marks.back(), mark, 0, marks))
            return false;
    }
    return marks.size() > 1;
}

// One path from every node of the hub's island to the hub, along the
// surface's shortest ways (one search outward from the hub).
void Builder::addPaths(const std::vector<int>& nodes, int hubIndex)
{
    const Spot& hub = spots[std::size_t(hubIndex)];
    const int polys = tile->header->polyCount;
    const std::size_t size = static_cast<std::size_t>(polys);
    std::vector<dtPolyRef> refs(size), parents(size);
    std::vector<float> costs(size);
    int found = 0;
    surface.query()->findPolysAroundCircle(hub.poly, hub.surface, 1e9f, &filter, refs.data(), parents.data(),
                                           costs.data(), &found, polys);
    std::vector<dtPolyRef> parentOf(size, 0);
    std::vector<char> reached(size, 0);
    for (int i = 0; i < found; ++i) {
        parentOf[std::size_t(refs[std::size_t(i)] - base)] = parents[std::size_t(i)];
        reached[std::size_t(refs[std::size_t(i)] - base)] = 1;
    }
    for (int n : nodes) {
        if (n == hubIndex)
            continue;
        const Spot& node = spots[std::size_t(n)];
        if (node.island != hub.island || !reached[std::size_t(node.poly - base)])
            continue;
        std::vector<dtPolyRef> corridor{node.poly};
        while (corridor.back() != hub.poly && corridor.size() <= std::size_t(polys)) {
            const dtPolyRef parent = parentOf[std::size_t(corridor.back() - base)];
            if (!parent)
                break;
            corridor.push_back(parent);
        }
        std::vector<zunaiPoint> marks;
        if (corridor.back() == hub.poly && pathAlong(node, hub, corridor, marks))
            net.paths.push_back(std::move(marks));
        else
            ++net.droppedPaths;
    }
}

zunaiNetwork Builder::build()
{
    findIslands();
    sampleSpots();
    net.spots = int(spots.size());
    std::vector<char> covered;
    const std::vector<int> nodes = chooseNodes(covered);
    net.nodes = int(nodes.size());
    net.coveredSpots = int(std::count(covered.begin(), covered.end(), 1));
    // First in the list, resting places at every node: paths of two marks,
    // the node and a point a hundredth of a unit from it, one for each of
    // four headings. When a request's goal side has come to the start
    // side's open end, the start side's search from there has no direction
    // and the first path in the list that ends there wins: a resting place,
    // which leaves that side where it is, so that the two sides meet. And a
    // request whose two ends are served by the same node is closed by its
    // resting places rather than sent round a hub.
    std::unordered_map<int, std::vector<int>> byIsland;
    for (int n : nodes) {
        byIsland[spots[std::size_t(n)].island].push_back(n);
        addRestingPlaces(spots[std::size_t(n)].mark);
    }
    std::vector<int> islands;
    for (const auto& entry : byIsland)
        islands.push_back(entry.first);
    std::sort(islands.begin(), islands.end());
    for (int island : islands) {
        const std::vector<int>& members = byIsland[island];
        ++net.islands;
        for (int hub : chooseHubs(members)) {
            ++net.hubs;
            addPaths(members, hub);
        }
    }
    return net;
}

} // namespace

zunaiNetwork zunaiBuildNetwork(const zunaiWalkable& surface, const zunaiNetworkOptions& options)
{
    if (surface.polygons() == 0)
        return zunaiNetwork{};
    Builder builder(surface, options);
    return builder.build();
}
