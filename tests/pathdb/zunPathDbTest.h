#ifndef ZUN_PATH_DB_TEST_H
#define ZUN_PATH_DB_TEST_H

// Shared fixture of the path database tests: a fresh game directory with a
// bin/ working directory, so that "..\data\memory\..." lands inside it.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "zunAI.h"
#include "zunTestFixture.h"

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

// Structural soundness of one list: links agree both ways, the count is the
// number of nodes, the tail is the last node.
template <class T>
::testing::AssertionResult listIsSound(const zunList<T>& list)
{
    int nodes = 0;
    const zunListNode<T>* previous = nullptr;
    for (const zunListNode<T>* node = list.head; node; node = node->next) {
        if (node->prev != previous)
            return ::testing::AssertionFailure() << "prev link broken at node " << nodes;
        previous = node;
        ++nodes;
    }
    if (nodes != list.count)
        return ::testing::AssertionFailure() << nodes << " nodes, count " << list.count;
    if (list.tail != previous)
        return ::testing::AssertionFailure() << "tail is not the last node";
    return ::testing::AssertionSuccess();
}

// Every list of the manager and of each of its paths is sound.
inline ::testing::AssertionResult managerIsSound(const zunAIPathMgr& manager)
{
    for (const zunList<zunAIPath>* list : {&manager.paths, &manager.activePaths}) {
        auto sound = listIsSound(*list);
        if (!sound)
            return sound;
        for (auto* node = list->head; node; node = node->next)
            if (node->item && !(sound = listIsSound(node->item->marks)))
                return sound;
    }
    if (manager.newPath)
        return listIsSound(manager.newPath->marks);
    return ::testing::AssertionSuccess();
}

class PathDbTest : public zunTest {
protected:
    void SetUp() override
    {
        zunTest::SetUp();
        previousDir = fs::current_path();
        std::mt19937_64 seed(static_cast<unsigned long long>(
            std::chrono::steady_clock::now().time_since_epoch().count()));
        gameDir = fs::temp_directory_path() / ("zunai-pathdb-" + std::to_string(seed()));
        fs::create_directories(gameDir / "bin");
        fs::current_path(gameDir / "bin");
    }
    void TearDown() override
    {
        fs::current_path(previousDir);
        std::error_code ignored;
        fs::remove_all(gameDir, ignored);
        zunTest::TearDown();
    }

    fs::path memoryDir() const { return gameDir / "data" / "memory"; }
    fs::path databaseFile() const { return memoryDir() / "levels" / "paths.qzt"; }

    static std::string readBytes(const fs::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // Writes `text` as data/memory/<name> (name with '/' separators).
    void writeMemoryFile(const std::string& name, const std::string& text) const
    {
        fs::path file = memoryDir() / fs::path(name);
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
    }

    // Loads data/memory/<name> into `manager`.
    static int load(zunAIPathMgr& manager, const char* name)
    {
        std::string copy(name);
        return manager.loadPaths(&copy[0]);
    }

    static std::vector<std::string> logged() { return zunStandIn::log(); }

    fs::path previousDir;
    fs::path gameDir;
};

} // namespace pathdb

#endif
