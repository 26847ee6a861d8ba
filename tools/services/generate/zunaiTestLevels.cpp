// The test levels, built from quads, boxes and height fields.

#include "zunaiTestLevels.h"

#include <cmath>
#include <random>
#include <sstream>
#include <vector>

#include "zunaiError.h"
#include "zunaiFiles.h"

namespace {

class Shapes {
public:
    explicit Shapes(zunaiLevelMesh& m) : mesh(m) {}

    void triangle(zunaiPoint a, zunaiPoint b, zunaiPoint c) { mesh.triangles.push_back(zunaiTriangle{{a, b, c}}); }

    // a b c d counter-clockwise seen from the side the quad faces.
    void quad(zunaiPoint a, zunaiPoint b, zunaiPoint c, zunaiPoint d)
    {
        triangle(a, b, c);
        triangle(a, c, d);
    }

    // A floor (or ceiling) rectangle at height z.
    void floor(float x0, float y0, float x1, float y1, float z)
    {
        quad({x0, y0, z}, {x1, y0, z}, {x1, y1, z}, {x0, y1, z});
    }

    // A solid box: its top and four sides (the bottom is never seen).
    void box(float x0, float y0, float z0, float x1, float y1, float z1)
    {
        floor(x0, y0, x1, y1, z1);
        quad({x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}, {x0, y0, z1});
        quad({x1, y1, z0}, {x0, y1, z0}, {x0, y1, z1}, {x1, y1, z1});
        quad({x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, {x1, y0, z1});
        quad({x0, y1, z0}, {x0, y0, z0}, {x0, y0, z1}, {x0, y1, z1});
    }

    // A height field over [x0, x0 + n·cell] × [y0, y0 + n·cell].
    template <class Height> void terrain(float x0, float y0, int n, float cell, Height height)
    {
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                const float xa = x0 + i * cell, xb = xa + cell, ya = y0 + j * cell, yb = ya + cell;
                quad({xa, ya, height(xa, ya)}, {xb, ya, height(xb, ya)}, {xb, yb, height(xb, yb)},
                     {xa, yb, height(xa, yb)});
            }
    }

private:
    zunaiLevelMesh& mesh;
};

float hills(float x, float y)
{
    return 70.0f * std::sin(x / 260.0f) * std::cos(y / 230.0f) + 25.0f * std::sin((x + 2.0f * y) / 120.0f);
}

zunaiTestLevel terrain(unsigned seed, int cells, float cell)
{
    zunaiTestLevel level{"terrain", {}, {}};
    Shapes s(level.mesh);
    const float half = cells * cell / 2.0f;
    s.terrain(-half, -half, cells, cell, hills);
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> at(-half * 0.8f, half * 0.8f);
    for (int rock = 0; rock < cells / 4; ++rock) {
        const float x = at(random), y = at(random), z = hills(x, y);
        s.box(x - 30.0f, y - 30.0f, z - 40.0f, x + 30.0f, y + 30.0f, z + 80.0f);
    }
    level.spawn = {0.0f, 0.0f, hills(0.0f, 0.0f)};
    return level;
}

// A plan of cells 20 wide, solid or open, walled up to `height`, with a
// floor under it and, when `ceiling`, a ceiling over it.
struct Plan {
    int w, h;
    std::vector<char> open;
    Plan(int width, int height) : w(width), h(height), open(std::size_t(width * height), 0) {}
    void carve(int x0, int y0, int x1, int y1)
    {
        for (int x = std::max(0, x0); x < std::min(w, x1); ++x)
            for (int y = std::max(0, y0); y < std::min(h, y1); ++y)
                open[std::size_t(y * w + x)] = 1;
    }
    bool isOpen(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h && open[std::size_t(y * w + x)]; }
};

constexpr float planCell = 20.0f;

void build(const Plan& plan, float height, bool ceiling, Shapes& s)
{
    const float W = plan.w * planCell, H = plan.h * planCell;
    s.floor(0.0f, 0.0f, W, H, 0.0f);
    if (ceiling)
        s.floor(0.0f, 0.0f, W, H, height);
    for (int y = 0; y < plan.h; ++y)
        for (int x = 0; x < plan.w;) {
            if (plan.isOpen(x, y)) {
                ++x;
                continue;
            }
            int end = x;
            while (end < plan.w && !plan.isOpen(end, y))
                ++end;
            s.box(x * planCell, y * planCell, 0.0f, end * planCell, (y + 1) * planCell, height);
            x = end;
        }
}

zunaiTestLevel rooms()
{
    zunaiTestLevel level{"rooms", {}, {}};
    Shapes s(level.mesh);
    // 3 × 3 rooms of 12 cells with 8 cells between them, and corridors 4
    // cells wide; two corridors left out, so that some ways go round.
    Plan plan(3 * 20 + 2, 3 * 20 + 2);
    auto corner = [](int i) { return 1 + i * 20; };
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            plan.carve(corner(i), corner(j), corner(i) + 12, corner(j) + 12);
            if (i < 2 && !(i == 0 && j == 1))
                plan.carve(corner(i) + 12, corner(j) + 4, corner(i + 1), corner(j) + 8);
            if (j < 2 && !(i == 2 && j == 0))
                plan.carve(corner(i) + 4, corner(j) + 12, corner(i) + 8, corner(j + 1));
        }
    build(plan, 120.0f, true, s);
    // a pillar in the middle room
    s.box(29 * planCell, 29 * planCell, 0.0f, 33 * planCell, 33 * planCell, 120.0f);
    level.spawn = {7 * planCell, 7 * planCell, 0.0f};
    return level;
}

zunaiTestLevel storeys()
{
    zunaiTestLevel level{"storeys", {}, {}};
    Shapes s(level.mesh);
    const float W = 640.0f, D = 480.0f, storey = 100.0f;
    // ground, the floor above with the ramp's opening, the top floor with
    // the stairs' opening, and the roof
    s.floor(0.0f, 0.0f, W, D, 0.0f);
    s.floor(0.0f, 0.0f, W, 380.0f, storey);
    s.floor(320.0f, 380.0f, W, D, storey);
    s.floor(0.0f, 460.0f, 320.0f, D, storey);
    s.floor(0.0f, 100.0f, W, D, 2 * storey);
    s.floor(0.0f, 0.0f, 320.0f, 100.0f, 2 * storey);
    s.floor(600.0f, 0.0f, W, 100.0f, 2 * storey);
    s.floor(0.0f, 0.0f, W, D, 3 * storey);
    // outer walls
    s.box(-20.0f, -20.0f, 0.0f, W + 20.0f, 0.0f, 3 * storey);
    s.box(-20.0f, D, 0.0f, W + 20.0f, D + 20.0f, 3 * storey);
    s.box(-20.0f, 0.0f, 0.0f, 0.0f, D, 3 * storey);
    s.box(W, 0.0f, 0.0f, W + 20.0f, D, 3 * storey);
    // on every storey a wall across the building with two doorways
    for (int k = 0; k < 3; ++k) {
        const float z0 = k * storey, z1 = z0 + storey;
        s.box(0.0f, 230.0f, z0, 100.0f, 250.0f, z1);
        s.box(180.0f, 230.0f, z0, 460.0f, 250.0f, z1);
        s.box(540.0f, 230.0f, z0, W, 250.0f, z1);
    }
    // the ramp up to the first floor along x, under its opening
    s.quad({40.0f, 380.0f, 0.0f}, {320.0f, 380.0f, storey}, {320.0f, 460.0f, storey}, {40.0f, 460.0f, 0.0f});
    // the stairs up to the top floor: 14 steps of 100/14 along x
    for (int i = 0; i < 14; ++i)
        s.box(320.0f + 20.0f * i, 20.0f, storey, 340.0f + 20.0f * i, 100.0f, storey + storey * (i + 1) / 14.0f);
    level.spawn = {100.0f, 100.0f, 0.0f};
    return level;
}

zunaiTestLevel maze(unsigned seed)
{
    zunaiTestLevel level{"maze", {}, {}};
    Shapes s(level.mesh);
    // 8 × 8 cells of 6 plan cells (5 open, 1 wall), carved by a random walk
    const int n = 8, step = 6;
    Plan plan(n * step + 1, n * step + 1);
    std::vector<char> seen(std::size_t(n * n), 0);
    std::vector<std::pair<int, int>> stack{{0, 0}};
    seen[0] = 1;
    std::mt19937 random(seed);
    plan.carve(1, 1, step, step);
    while (!stack.empty()) {
        const auto [x, y] = stack.back();
        std::vector<std::pair<int, int>> next;
        const int dirs[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& d : dirs) {
            const int nx = x + d[0], ny = y + d[1];
            if (nx >= 0 && ny >= 0 && nx < n && ny < n && !seen[std::size_t(ny * n + nx)])
                next.push_back({nx, ny});
        }
        if (next.empty()) {
            stack.pop_back();
            continue;
        }
        const auto [nx, ny] = next[random() % next.size()];
        seen[std::size_t(ny * n + nx)] = 1;
        plan.carve(std::min(x, nx) * step + 1, std::min(y, ny) * step + 1, std::max(x, nx) * step + step,
                   std::max(y, ny) * step + step);
        stack.push_back({nx, ny});
    }
    build(plan, 100.0f, false, s);
    level.spawn = {3 * planCell, 3 * planCell, 0.0f};
    return level;
}

} // namespace

zunaiTestLevel zunaiMakeTestLevel(zunaiTestLevelKind kind, unsigned seed)
{
    switch (kind) {
    case zunaiTestLevelKind::Terrain:
        return terrain(seed, 40, 40.0f);
    case zunaiTestLevelKind::Rooms:
        return rooms();
    case zunaiTestLevelKind::Storeys:
        return storeys();
    case zunaiTestLevelKind::Maze:
        return maze(seed);
    case zunaiTestLevelKind::LargeTerrain: {
        zunaiTestLevel level = terrain(seed, 223, 20.0f);
        level.name = "large-terrain";
        return level;
    }
    }
    return {};
}

std::string zunaiObjText(const zunaiLevelMesh& mesh)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out.precision(9);
    for (const zunaiTriangle& t : mesh.triangles)
        for (const zunaiPoint& p : t.corner)
            out << "v " << p.x << ' ' << p.y << ' ' << p.z << '\n';
    for (std::size_t i = 0; i < mesh.triangles.size(); ++i)
        out << "f " << 3 * i + 1 << ' ' << 3 * i + 2 << ' ' << 3 * i + 3 << '\n';
    return out.str();
}

void zunaiWriteTestGame(const std::filesystem::path& dir, const zunaiTestLevel& level)
{
    std::error_code ec;
    std::filesystem::create_directories(dir / "bin", ec);
    std::filesystem::create_directories(dir / "data" / "levels", ec);
    if (ec)
        throw zunaiError{"cannot make the game directory " + dir.string()};
    zunaiWriteFileWhole(dir / "data" / "levels" / (level.name + ".obj"), zunaiObjText(level.mesh));
}
