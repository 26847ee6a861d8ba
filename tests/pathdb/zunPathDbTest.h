#ifndef ZUN_PATH_DB_TEST_H
#define ZUN_PATH_DB_TEST_H

// Shared fixture of the path database tests: a fresh scratch game folder.

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
    }
    void TearDown() override
    {
        game.reset();
        zunTest::TearDown();
    }
    // Writes `text` as data/memory/<name>.
    void writeMemoryFile(const std::string& name, const std::string& text) const
    {
        fs::create_directories(game->memory());
        zunWriteFile(game->memory() / name, text);
    }
    // Loads data/memory/<name> into `manager`.
    static int load(zunAIPathMgr& manager, const char* name)
    {
        std::string copy(name);
        return manager.loadPaths(&copy[0]);
    }
    std::unique_ptr<zunScratchGame> game;
};

} // namespace pathdb

#endif
