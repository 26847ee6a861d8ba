#ifndef ZUN_PATH_DB_TEST_H
#define ZUN_PATH_DB_TEST_H

// Shared fixture of the path database tests: a fresh game directory with a
// bin/ working directory, so that "..\data\memory\..." lands inside it.

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "zunAI.h"
#include "zunManagerChecks.h"
#include "zunScratchGame.h"
#include "zunTestFixture.h"
#include "zunVectorChecks.h"

namespace pathdb {

namespace fs = std::filesystem;

struct Point {
    float x, y, z;
};

// A path holding the given marks (w 1.0).
inline zunAIPath* makePath(std::initializer_list<Point> points)
{
    zunAIPath* path = new zunAIPath;
    for (const Point& p : points) {
        cVector4 at(p.x, p.y, p.z);
        path->addMark(at);
    }
    return path;
}

class PathDbTest : public zunTest {
protected:
    void SetUp() override
    {
        zunTest::SetUp();
        game = std::make_unique<zunScratchGame>("zunai-pathdb");
        gameDir = game->dir();
    }
    void TearDown() override
    {
        game.reset();
        zunTest::TearDown();
    }

    fs::path memoryDir() const { return gameDir / "data" / "memory"; }
    fs::path databaseFile() const { return memoryDir() / "levels" / "paths.qzt"; }

    // Writes `text` as data/memory/<name> (name with '/' separators).
    void writeMemoryFile(const std::string& name, const std::string& text) const
    {
        fs::path file = memoryDir() / fs::path(name);
        fs::create_directories(file.parent_path());
        zunWriteFile(file, text);
    }

    // Loads data/memory/<name> into `manager`.
    static int load(zunAIPathMgr& manager, const char* name)
    {
        std::string copy(name);
        return manager.loadPaths(&copy[0]);
    }

    static std::vector<std::string> logged() { return zunStandIn::log(); }

    std::unique_ptr<zunScratchGame> game;
    fs::path gameDir;
};

} // namespace pathdb

#endif
