// Loading a path database: where reading stops, what it refuses and what it
// logs. Saved databases load back exactly: the fuzz checks (replayed by the
// reliability suite) and the allocation sweeps hold every save to it.
#include "zunPathDbTest.h"

namespace {

using namespace pathdb;
using PathFileLoad = PathDbTest;
using Xs = std::vector<std::vector<float>>;

const char successMessage[] = "AI: PathMgr->Loaded paths successfully.";
const char noPathMessage[] = "AI: PathMgr->Failed to load paths.";
const char unreadableMessage[] = "PathMgr: Failed to load paths.";

std::string mark(int p, int m, float x, float y, float z)
{
    std::string stem = "Path" + std::to_string(p) + "Mark" + std::to_string(m);
    return stem + "X = " + std::to_string(x) + ";\n" + stem + "Y = " + std::to_string(y) + ";\n" + stem +
           "Z = " + std::to_string(z) + ";\n";
}

Xs xsOf(zunAIPathMgr& manager)
{
    Xs result;
    for (int p = 0; p < manager.getNumPaths(); ++p) {
        result.emplace_back();
        zunAIPath* path = manager.getPath(p);
        for (int m = 0; m < path->getNumMarks(); ++m)
            result.back().push_back(path->getMark(m)->position.x);
    }
    return result;
}

// A null name, a file that cannot be read and a name longer than 240
// characters are refused, with their messages; 240 characters still fit.
TEST_F(PathFileLoad, RefusedNames)
{
    writeMemoryFile("a.qzt", mark(0, 0, 1, 2, 3));
    zunAIPathMgr manager;
    std::string name;   // "./" repeated, then the file: 241 characters
    while (name.size() + 5 < 241)
        name += "./";
    name.resize(241 - 5, '/');
    name += "a.qzt";
    EXPECT_EQ(manager.loadPaths(nullptr), 0);
    EXPECT_EQ(load(manager, "levels\\missing.qzt"), 0);
    EXPECT_EQ(load(manager, name.c_str()), 0);
    EXPECT_EQ(load(manager, std::string(100000, 'x').c_str()), 0);
    EXPECT_EQ(zunStandIn::log(), (std::vector<std::string>{"AI: PathMgr->Failed to load paths (NULL filename).",
                                                           unreadableMessage, unreadableMessage, unreadableMessage}));
    EXPECT_EQ(manager.getNumPaths(), 0);
#if !defined(_WIN32)
    name.erase(0, 1);
    zunStandIn::clearLog();
    EXPECT_EQ(load(manager, name.c_str()), 1);
    EXPECT_EQ(manager.getNumPaths(), 1);
    EXPECT_EQ(zunStandIn::log(), std::vector<std::string>{successMessage});
#endif
}

// A mark lacking a coordinate ends its path, a path number without mark 0
// ends the load; "Failed" only when no path was read. Junk lines, CR LF and
// a last line without ';' or line end are read; a non-number ends its path.
TEST_F(PathFileLoad, WhereReadingStops)
{
    const struct {
        std::string text;
        Xs xs;
        const char* message;
    } cases[] = {
        {mark(0, 0, 10, 0, 0) + "Path0Mark1X = 11;\nPath0Mark1Y = 0;\n" + mark(0, 2, 12, 0, 0) + mark(1, 0, 20, 0, 0),
         {{10}, {20}}, successMessage},                                     // mark 1 lacks Z
        {mark(1, 0, 1, 2, 3), {}, noPathMessage},                           // no path 0
        {"Path0Mark0X = 1;\nPath0Mark0Y = 2;\n" + mark(1, 0, 5, 5, 5) + mark(1, 1, 6, 6, 6), {{5, 6}},
         successMessage},                                                   // path 0's mark 0 incomplete
        {mark(0, 0, 1, 0, 0) + mark(0, 2, 3, 0, 0) + mark(1, 0, 4, 0, 0) + mark(3, 0, 5, 0, 0), {{1}, {4}},
         successMessage},                                                   // gaps in marks and paths
        {"KVR AI path database ---\r\n\r\nPath ID:0 ---\r\n"
         "Path0Mark0X = 1.5;\r\nPath0Mark0Y=2;\r\n  Path0Mark0Z = -3 ;\r\n"
         "garbage line without equals\r\n"
         "Path0Mark1X = abc;\r\nPath0Mark1Y = 1;\r\nPath0Mark1Z = 1;\r\n"
         "Path1Mark0X = 7;\nPath1Mark0Y = 7;\nPath1Mark0Z = 7",
         {{1.5f}, {7}}, successMessage},
    };
    for (const auto& c : cases) {
        writeMemoryFile("db.qzt", c.text);
        zunStandIn::clearLog();
        zunAIPathMgr manager;
        EXPECT_EQ(load(manager, "db.qzt"), 1);
        EXPECT_EQ(xsOf(manager), c.xs) << c.text;
        EXPECT_EQ(zunStandIn::log(), std::vector<std::string>{c.message}) << c.text;
        if (c.xs.size() == 2 && c.xs[0][0] == 1.5f) {
            EXPECT_VEC_EQ(manager.getPath(0)->getMark(0)->position, cVector4(1.5f, 2, -3));
            EXPECT_EQ(manager.getPath(1)->getMark(0)->position.z, 7.0f);
        }
    }
}

// Loading appends fresh paths (cursor 0, inactive, w 1.0); a recording under
// way receives the first path read, and is stored even when the file holds
// no path.
TEST_F(PathFileLoad, LoadingAppendsAndARecordingReceivesTheFirstPath)
{
    writeMemoryFile("db.qzt", mark(0, 0, 1, 0, 0) + mark(0, 1, 2, 0, 0) + mark(1, 0, 3, 0, 0));
    writeMemoryFile("empty.qzt", "nothing here\n");
    zunAIPathMgr manager;
    manager.addPath(makePath({{9, 9, 9}}));
    load(manager, "db.qzt");
    EXPECT_EQ(xsOf(manager), (Xs{{9}, {1, 2}, {3}}));
    zunAIPath* path = manager.getPath(1);
    EXPECT_EQ(path->getCurMark(), 0);
    EXPECT_EQ(path->isActive(), 0);
    EXPECT_EQ(path->getMark(1)->position.w, 1.0f);

    for (const char* file : {"db.qzt", "empty.qzt"}) {
        zunAIPathMgr recording;
        cVector4 at(-5, 0, 0);
        recording.addNewMark(at);
        EXPECT_EQ(load(recording, file), 1);
        EXPECT_EQ(recording.newPath, nullptr);
        EXPECT_EQ(xsOf(recording), (file[0] == 'd' ? Xs{{-5, 1, 2}, {3}} : Xs{{-5}}));
    }
}

// A markless path ends what loading reads back.
TEST_F(PathFileLoad, MarklessPathCutsTheReloadedDatabase)
{
    zunAIPathMgr source;
    source.addPath(makePath({{1, 0, 0}}));
    source.addPath(new zunAIPath);
    source.addPath(makePath({{3, 0, 0}}));
    source.saveAllPaths();
    zunAIPathMgr loaded;
    load(loaded, "levels\\paths.qzt");
    EXPECT_EQ(xsOf(loaded), (Xs{{1}}));
}

} // namespace
