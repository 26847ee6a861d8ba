#include "zunFuzzChecks.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <vector>

#include "standin/render/zunStandInLevel.h"
#include "standin/zunStandIn.h"
#include "zunAI.h"

namespace fs = std::filesystem;

namespace zunFuzz {

namespace {

std::string readBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool writeBytes(const fs::path& file, const std::uint8_t* data, std::size_t size)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return static_cast<bool>(out);
}

// Links agree both ways, the count is the number of nodes, the tail is the
// last node.
template <class T>
bool listIsSound(const zunList<T>& list)
{
    int nodes = 0;
    const zunListNode<T>* previous = nullptr;
    for (const zunListNode<T>* node = list.head; node; node = node->next) {
        if (node->prev != previous)
            return false;
        previous = node;
        ++nodes;
    }
    return nodes == list.count && list.tail == previous;
}

// A coordinate as the database writes it: "%f" in the C locale, which the
// fuzz programs and tests never change.
std::string fixed(float value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%f", static_cast<double>(value));
    return text;
}

// The manager's paths as text, one line per path: its marks' coordinates as
// the database writes them. Answers false when a list is broken or a path or
// mark is missing (no load without failures leaves either).
bool describe(const zunAIPathMgr& manager, std::string& out, std::string& why)
{
    if (!listIsSound(manager.paths) || !listIsSound(manager.activePaths)) {
        why = "broken path list";
        return false;
    }
    if (manager.newPath || manager.selectedPath || manager.activePaths.count != 0) {
        why = "loading touched the recording, the selection or the active paths";
        return false;
    }
    std::ostringstream text;
    int number = 0;
    for (auto* node = manager.paths.head; node; node = node->next, ++number) {
        const zunAIPath* path = node->item;
        if (!path) {
            why = "null path at " + std::to_string(number);
            return false;
        }
        if (!listIsSound(path->marks)) {
            why = "broken mark list in path " + std::to_string(number);
            return false;
        }
        if (path->marks.count == 0 || path->curMark != 0 || path->active != 0) {
            why = "path " + std::to_string(number) + " is empty or not fresh";
            return false;
        }
        for (auto* m = path->marks.head; m; m = m->next) {
            if (!m->item) {
                why = "null mark in path " + std::to_string(number);
                return false;
            }
            const cVector4& p = m->item->position;
            if (p.w != 1.0f) {
                why = "a loaded mark's w is not 1";
                return false;
            }
            text << fixed(p.x) << ' ' << fixed(p.y) << ' ' << fixed(p.z) << ';';
        }
        text << '\n';
    }
    out = text.str();
    return true;
}

struct Vec3 {
    float x, y, z;
};

// Up to `most` vertices of the text's "v x y z" lines, read loosely; they
// aim the rays of the level check at the geometry.
std::vector<Vec3> someVertices(const std::string& text, std::size_t most)
{
    std::vector<Vec3> out;
    std::istringstream lines(text);
    std::string line;
    while (out.size() < most && std::getline(lines, line)) {
        if (line.size() < 2 || line[0] != 'v' || (line[1] != ' ' && line[1] != '\t'))
            continue;
        const char* p = line.c_str() + 1;
        char* end = nullptr;
        Vec3 v;
        v.x = std::strtof(p, &end);
        if (end == p)
            continue;
        p = end;
        v.y = std::strtof(p, &end);
        if (end == p)
            continue;
        p = end;
        v.z = std::strtof(p, &end);
        if (end == p)
            continue;
        if (std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z))
            out.push_back(v);
    }
    return out;
}

int castRay(const float origin[3], const float direction[3], float length, float hit[3])
{
    float o[4] = {origin[0], origin[1], origin[2], 1.0f};
    float d[4] = {direction[0], direction[1], direction[2], 1.0f};
    float h[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    unsigned long a = 0, b = 0, c = 0;
    const int result = zunHitScan(&o, &d, length, &h, &a, b, c, 0);
    for (int i = 0; i < 3; ++i)
        hit[i] = h[i];
    return result;
}

double distance(const float a[3], const float b[3])
{
    const double dx = double(a[0]) - b[0], dy = double(a[1]) - b[1], dz = double(a[2]) - b[2];
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

double largest(const float a[3])
{
    return std::fmax(std::fabs(a[0]), std::fmax(std::fabs(a[1]), std::fabs(a[2])));
}

// One ray through zunHitScan and through the ray test without the hierarchy.
std::string checkRay(const float origin[3], const float direction[3], float length)
{
    float hit[3], linear[3];
    const int result = castRay(origin, direction, length, hit);
    const int expected = zunStandIn::hitScanLinear(origin, direction, length, linear);
    char where[160];
    std::snprintf(where, sizeof where, " (ray from %g %g %g along %g %g %g for %g)", origin[0], origin[1], origin[2],
                  direction[0], direction[1], direction[2], length);
    if (result != expected)
        return std::string("the hierarchy and the linear test disagree on a hit") + where;
    if (!result)
        return std::string();
    if (!std::isfinite(hit[0]) || !std::isfinite(hit[1]) || !std::isfinite(hit[2]))
        return std::string("a hit point is not finite") + where;
    // Hit points are computed in float from the origin: allow for its rounding.
    const double slack = 1e-4 * length + 1e-5 * (largest(origin) + largest(hit)) + 1e-3;
    const double reach = distance(origin, hit);
    if (reach > length + slack)
        return std::string("a hit lies beyond the ray's length") + where;
    if (std::fabs(reach - distance(origin, linear)) > 1e-4 * length + 2 * slack)
        return std::string("the hierarchy's hit is not the nearest") + where;
    return std::string();
}

} // namespace

FuzzGame::FuzzGame()
{
    previous_ = fs::current_path();
    std::random_device device;
    std::mt19937_64 seed((static_cast<unsigned long long>(device()) << 32) ^
                         static_cast<unsigned long long>(
                             std::chrono::steady_clock::now().time_since_epoch().count()));
    dir_ = fs::temp_directory_path() / ("zunai-fuzz-" + std::to_string(seed()));
    fs::create_directories(dir_ / "bin");
    fs::create_directories(dir_ / "data" / "memory");
    fs::current_path(dir_ / "bin");
}

FuzzGame::~FuzzGame()
{
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    fs::remove_all(dir_, ignored);
}

std::string checkPathDatabase(const std::uint8_t* data, std::size_t size)
{
    zunStandIn::reset();
    const fs::path memory = fs::path("..") / "data" / "memory";
    if (!writeBytes(memory / "fuzz.qzt", data, size))
        return "cannot write the input file";
    const fs::path saved = memory / "levels" / "paths.qzt";
    std::error_code ignored;
    fs::remove(saved, ignored);

    const long long startBlocks = zunStandIn::allocStats().liveBlocks;
    std::string why;
    {
        zunAIPathMgr loaded;
        char name[] = "fuzz.qzt";
        if (loaded.loadPaths(name) != 1)
            return "loadPaths refused a readable file";
        std::string first;
        if (!describe(loaded, first, why))
            return "after loading the input: " + why;
        if (loaded.saveAllPaths() != 1)
            return "saveAllPaths failed";
        const std::string firstBytes = readBytes(saved);

        zunAIPathMgr reloaded;
        char again[] = "levels\\paths.qzt";
        if (reloaded.loadPaths(again) != 1)
            return "loadPaths refused the saved database";
        std::string second;
        if (!describe(reloaded, second, why))
            return "after reloading the saved database: " + why;
        if (second != first)
            return "the saved database reloads to other marks:\n" + first + "---\n" + second;
        if (reloaded.saveAllPaths() != 1)
            return "saveAllPaths failed the second time";
        if (readBytes(saved) != firstBytes)
            return "saving the reloaded database writes other bytes";
    }
    if (zunStandIn::allocStats().liveBlocks != startBlocks)
        return "blocks leaked";
    return std::string();
}

std::string checkLevel(const std::uint8_t* data, std::size_t size)
{
    zunStandIn::reset();
    const fs::path file = fs::path("..") / "data" / "fuzz.obj";
    if (!writeBytes(file, data, size))
        return "cannot write the input file";

    // A box that a refused file must leave in place.
    zunStandIn::addBox(cVector4(-1.0f, -1.0f, -1.0f), cVector4(1.0f, 1.0f, 1.0f));
    const float boxOrigin[3] = {-10.0f, 0.25f, 0.5f};
    const float boxDirection[3] = {1.0f, 0.0f, 0.0f};
    const int boxTriangles = zunStandIn::triangleCount();

    if (!zunStandIn::loadLevel(file.string().c_str())) {
        if (zunStandIn::triangleCount() != boxTriangles)
            return "a refused file changed the level";
        float hit[3];
        if (!castRay(boxOrigin, boxDirection, 100.0f, hit) || std::fabs(hit[0] + 1.0f) > 1e-5f)
            return "a refused file changed what rays hit";
        return std::string();
    }
    if (zunStandIn::triangleCount() < 0)
        return "negative triangle count";

    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<Vec3> vertices = someVertices(text, 6);
    vertices.push_back(Vec3{0.0f, 0.0f, 0.0f});
    vertices.push_back(Vec3{-100.0f, 50.0f, 20.0f});

    const float axes[][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}, {1, 1, 1}, {-1, 2, -0.5f}};
    const float lengths[] = {50.0f, 200.0f, 1e6f};
    std::string why;
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        // From a little off each vertex, along the axes and towards the others.
        const float origin[3] = {vertices[i].x + 0.37f, vertices[i].y - 0.21f, vertices[i].z + 0.13f};
        for (const auto& axis : axes)
            for (float length : lengths)
                if (!(why = checkRay(origin, axis, length)).empty())
                    return why;
        for (std::size_t j = 0; j < vertices.size(); ++j) {
            if (j == i)
                continue;
            const float towards[3] = {vertices[j].x - origin[0], vertices[j].y - origin[1], vertices[j].z - origin[2]};
            const float reach = static_cast<float>(std::sqrt(double(towards[0]) * towards[0] +
                                                             double(towards[1]) * towards[1] +
                                                             double(towards[2]) * towards[2]));
            if (!std::isfinite(reach))
                continue;
            if (!(why = checkRay(origin, towards, reach * 1.5f + 1.0f)).empty())
                return why;
        }
        // Rays that can never hit.
        float hit[3];
        const float none[3] = {0.0f, 0.0f, 0.0f};
        if (castRay(origin, none, 1e6f, hit))
            return "a ray with a zero direction hit";
        if (castRay(origin, axes[0], -1.0f, hit))
            return "a ray of negative length hit";
    }
    return std::string();
}

} // namespace zunFuzz
