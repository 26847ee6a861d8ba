// A minimal host: the level of a game directory loaded into the stand-in's
// ray test (a real host's render library has its level already), the path
// database read by the module from the game's working directory, and one
// route chained from the stored paths, printed mark by mark.
//
//   zunaiExampleHost GAME_DIR [FROM_X,Y,Z TO_X,Y,Z]
//
// Without points the route runs from the first mark of the first stored path
// to the last mark of the last one. Runs from any working directory.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "standin/zunStandIn.h"
#include "zunAI.h"

namespace fs = std::filesystem;

namespace {

// The one .obj file in GAME_DIR/data/levels; empty when there is none.
fs::path findLevel(const fs::path& game)
{
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(game / "data" / "levels", ec))
        if (entry.path().extension() == ".obj")
            return entry.path();
    return {};
}

bool readPoint(const char* text, cVector4& point)
{
    return std::sscanf(text, "%f,%f,%f", &point.x, &point.y, &point.z) == 3;
}

int fail(const std::string& message)
{
    std::fprintf(stderr, "zunaiExampleHost: %s\n", message.c_str());
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 4)
        return fail("usage: zunaiExampleHost GAME_DIR [FROM_X,Y,Z TO_X,Y,Z]");
    std::error_code ec;
    const fs::path game = fs::absolute(argv[1], ec);
    const fs::path level = findLevel(game);
    if (level.empty())
        return fail("no level (*.obj) in " + (game / "data" / "levels").string());

    zunStandIn::reset();
    if (!zunStandIn::loadLevel(level.string().c_str()))
        return fail("cannot load the level " + level.string());

    // The module reads ..\data\memory\<name> relative to the game's bin/.
    fs::current_path(game / "bin", ec);
    if (ec)
        return fail("cannot enter " + (game / "bin").string());
    zunAIPathMgr database;
    char name[] = "levels\\paths.qzt";
    if (!database.loadPaths(name) || database.getNumPaths() == 0)
        return fail("no stored paths in " + (game / "data" / "memory" / "levels" / "paths.qzt").string());

    cVector4 start, goal;
    if (argc == 4) {
        if (!readPoint(argv[2], start) || !readPoint(argv[3], goal))
            return fail("points are X,Y,Z");
    } else {
        start = database.getPath(0)->getMark(0)->getPosition();
        goal = database.getPath(database.getNumPaths() - 1)->getLastMark()->getPosition();
    }

    zunAIPathMgr routes;   // owns the route
    zunAIPath* route = routes.getPath(start, goal, database, nullptr);
    std::printf("level %s: %d triangles; %d stored paths\n", level.filename().string().c_str(),
                zunStandIn::triangleCount(), database.getNumPaths());
    std::printf("route (%.1f, %.1f, %.1f) -> (%.1f, %.1f, %.1f): ", start.x, start.y, start.z, goal.x, goal.y,
                goal.z);
    if (!route) {
        std::printf("none\n");
        return 1;
    }
    std::printf("%d marks\n", route->getNumMarks());
    for (zunAIMark* mark = route->getNextMark(); mark; mark = route->getNextMark()) {
        const cVector4& p = mark->getPosition();
        std::printf("  %.1f, %.1f, %.1f\n", p.x, p.y, p.z);
    }
    return 0;
}
