#include "zunPathDbTest.h"

namespace {

using namespace pathdb;
using PathFileLoad = PathDbTest;

const char successMessage[] = "AI: PathMgr->Loaded paths successfully.";
const char noPathMessage[] = "AI: PathMgr->Failed to load paths.";
const char unreadableMessage[] = "PathMgr: Failed to load paths.";

std::string mark(int p, int m, float x, float y, float z)
{
    std::string stem = "Path" + std::to_string(p) + "Mark" + std::to_string(m);
    return stem + "X = " + std::to_string(x) + ";\n" + stem + "Y = " + std::to_string(y) + ";\n" + stem +
           "Z = " + std::to_string(z) + ";\n";
}

std::vector<std::vector<float>> xsOf(zunAIPathMgr& manager)
{
    std::vector<std::vector<float>> result;
    for (int p = 0; p < manager.getNumPaths(); ++p) {
        result.emplace_back();
        zunAIPath* path = manager.getPath(p);
        for (int m = 0; m < path->getNumMarks(); ++m)
            result.back().push_back(path->getMark(m)->position.x);
    }
    return result;
}

TEST_F(PathFileLoad, NullNameAndUnreadableFileAreRefused)
{
    zunAIPathMgr manager;
    manager.addPath(makePath({{1, 1, 1}}));
    EXPECT_EQ(manager.loadPaths(nullptr), 0);
    EXPECT_EQ(load(manager, "levels\\missing.qzt"), 0);
    EXPECT_EQ(logged(), (std::vector<std::string>{"AI: PathMgr->Failed to load paths (NULL filename).",
                                                  unreadableMessage}));
    EXPECT_EQ(manager.getNumPaths(), 1);
}

TEST_F(PathFileLoad, NamesTooLongForThePathBufferAreRefused)
{
    writeMemoryFile("a.qzt", mark(0, 0, 1, 2, 3));
    zunAIPathMgr manager;
    // 241 characters: "./" repeated, then the file.
    std::string name;
    while (name.size() + 5 < 241)
        name += "./";
    name.resize(241 - 5, '/');
    name += "a.qzt";
    ASSERT_EQ(name.size(), 241u);
    EXPECT_EQ(load(manager, name.c_str()), 0);
    EXPECT_EQ(load(manager, std::string(100000, 'x').c_str()), 0);
    EXPECT_EQ(logged(), (std::vector<std::string>{unreadableMessage, unreadableMessage}));
    EXPECT_EQ(manager.getNumPaths(), 0);

#if !defined(_WIN32)
    // 240 characters still fit.
    name.erase(0, 1);
    zunStandIn::clearLog();
    EXPECT_EQ(load(manager, name.c_str()), 1);
    EXPECT_EQ(manager.getNumPaths(), 1);
    EXPECT_EQ(logged(), std::vector<std::string>{successMessage});
#endif
}

// Where loading stops: a mark lacking a coordinate ends its path, a path
// number without mark 0 ends the load; "Failed" only when no path was read.
TEST_F(PathFileLoad, MissingNamesEndPathsAndTheLoad)
{
    const struct {
        std::string text;
        std::vector<std::vector<float>> xs;
        const char* message;
    } cases[] = {
        {mark(0, 0, 10, 0, 0) + "Path0Mark1X = 11;\nPath0Mark1Y = 0;\n" + mark(0, 2, 12, 0, 0) + mark(1, 0, 20, 0, 0),
         {{10}, {20}}, successMessage},                                     // mark 1 lacks Z
        {mark(1, 0, 1, 2, 3), {}, noPathMessage},                           // no path 0
        {"Path0Mark0X = 1;\nPath0Mark0Y = 2;\n" + mark(1, 0, 5, 5, 5) + mark(1, 1, 6, 6, 6), {{5, 6}},
         successMessage},                                                   // path 0's mark 0 incomplete
        {mark(0, 0, 1, 0, 0) + mark(0, 2, 3, 0, 0) + mark(1, 0, 4, 0, 0) + mark(3, 0, 5, 0, 0), {{1}, {4}},
         successMessage},                                                   // gaps in marks and paths
    };
    for (const auto& c : cases) {
        writeMemoryFile("db.qzt", c.text);
        zunStandIn::clearLog();
        zunAIPathMgr manager;
        EXPECT_EQ(load(manager, "db.qzt"), 1);
        EXPECT_EQ(xsOf(manager), c.xs) << c.text;
        EXPECT_EQ(logged(), std::vector<std::string>{c.message}) << c.text;
    }
}

TEST_F(PathFileLoad, JunkLinesCrLfAndNonNumbersFollowTheRules)
{
    writeMemoryFile("db.qzt",
                    "KVR AI path database ---\r\n\r\nPath ID:0 ---\r\n"
                    "Path0Mark0X = 1.5;\r\nPath0Mark0Y=2;\r\n  Path0Mark0Z = -3 ;\r\n"
                    "garbage line without equals\r\n"
                    "Path0Mark1X = abc;\r\nPath0Mark1Y = 1;\r\nPath0Mark1Z = 1;\r\n"
                    "Path1Mark0X = 7;\nPath1Mark0Y = 7;\nPath1Mark0Z = 7"   // no ; and no line end
    );
    zunAIPathMgr manager;
    EXPECT_EQ(load(manager, "db.qzt"), 1);
    ASSERT_EQ(manager.getNumPaths(), 2);
    EXPECT_VEC_EQ(manager.getPath(0)->getMark(0)->position, cVector4(1.5f, 2, -3));
    EXPECT_EQ(manager.getPath(0)->getNumMarks(), 1);
    EXPECT_EQ(manager.getPath(1)->getMark(0)->position.z, 7.0f);
}

TEST_F(PathFileLoad, LoadingAppendsAndLoadedPathsStartFresh)
{
    writeMemoryFile("db.qzt", mark(0, 0, 1, 0, 0) + mark(0, 1, 2, 0, 0));
    zunAIPathMgr manager;
    zunAIPath* existing = makePath({{9, 9, 9}});
    manager.addPath(existing);
    load(manager, "db.qzt");
    load(manager, "db.qzt");
    ASSERT_EQ(manager.getNumPaths(), 3);
    EXPECT_EQ(manager.getPath(0), existing);
    for (int p = 1; p < 3; ++p) {
        zunAIPath* path = manager.getPath(p);
        EXPECT_EQ(path->getCurMark(), 0);
        EXPECT_EQ(path->isActive(), 0);
        EXPECT_EQ(path->getNumMarks(), 2);
        EXPECT_EQ(path->getMark(1)->position.w, 1.0f);
    }
    EXPECT_EQ(manager.newPath, nullptr);
}

// A recording under way receives the first path read, and is stored even
// when the file holds no path.
TEST_F(PathFileLoad, ARecordingInProgressReceivesTheFirstPathRead)
{
    writeMemoryFile("db.qzt", mark(0, 0, 1, 0, 0) + mark(1, 0, 2, 0, 0));
    writeMemoryFile("empty.qzt", "nothing here\n");
    for (const char* file : {"db.qzt", "empty.qzt"}) {
        zunAIPathMgr manager;
        cVector4 at(-5, 0, 0);
        manager.addNewMark(at);
        zunAIPath* recording = manager.newPath;
        EXPECT_EQ(load(manager, file), 1);
        EXPECT_EQ(manager.newPath, nullptr);
        EXPECT_EQ(manager.getPath(0), recording);
        const std::vector<std::vector<float>> expected =
            file[0] == 'd' ? std::vector<std::vector<float>>{{-5, 1}, {2}} : std::vector<std::vector<float>>{{-5}};
        EXPECT_EQ(xsOf(manager), expected);
    }
}

// Saved databases load back exactly: the fuzz checks (replayed by the
// reliability suite) and the allocation sweeps hold every save to it. A
// markless path ends what loading reads.
TEST_F(PathFileLoad, MarklessPathCutsTheReloadedDatabase)
{
    zunAIPathMgr source;
    source.addPath(makePath({{1, 0, 0}}));
    source.addPath(new zunAIPath);
    source.addPath(makePath({{3, 0, 0}}));
    source.saveAllPaths();
    zunAIPathMgr loaded;
    load(loaded, "levels\\paths.qzt");
    EXPECT_EQ(xsOf(loaded), (std::vector<std::vector<float>>{{1}}));
}

} // namespace
