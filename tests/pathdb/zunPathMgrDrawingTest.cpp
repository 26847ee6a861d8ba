// The manager's drawings: colours, offsets and which paths are drawn. The
// golden record's editing scene pins a drawing of stored paths line by line.
#include "zunPathDbTest.h"

namespace {

using namespace pathdb;
using PathMgrDrawing = zunTest;

// A two-mark path from x = 0, active or not.
zunAIPath* segmentPath(int active = 0)
{
    zunAIPath* path = makePath({{0, 0, 0}, {10, 0, 0}});
    path->setActive(active);
    return path;
}

// The first line of each drawn segment: its colour, and x where it starts.
std::vector<std::pair<unsigned long, float>> segments()
{
    std::vector<std::pair<unsigned long, float>> result;
    const auto& lines = zunStandIn::lines();
    EXPECT_EQ(lines.size() % 4, 0u);
    for (std::size_t i = 0; i + 3 < lines.size(); i += 4)
        result.emplace_back(lines[i].colour, lines[i].from.x);
    return result;
}

// The database in its colour sequence (a null item ends it), then the
// recording in white and the selection in yellow.
TEST_F(PathMgrDrawing, DatabaseInSequenceColoursThenRecordingThenSelection)
{
    zunAIPathMgr manager;
    for (int i = 0; i < 3; ++i)
        manager.addPath(segmentPath());
    manager.addPath(makePath({{0, 0, 0}}));   // one mark: no lines, but a colour
    manager.addPath(nullptr);
    manager.addPath(segmentPath());
    manager.selectedPath = manager.getPath(1);
    cVector4 a(0, 0, 0), b(10, 0, 0), c(20, 0, 0);
    manager.addNewMark(a);
    manager.addNewMark(b);
    manager.addNewMark(c);
    EXPECT_EQ(manager.drawPaths(), 1);
    const unsigned long c0 = pathColourSeed, c1 = nextPathColour(c0), c2 = nextPathColour(c1);
    EXPECT_EQ(segments(), (std::vector<std::pair<unsigned long, float>>{
                              {c0, 0.0f}, {c1, 0.0f}, {c2, 0.0f}, {0xFFFFFFul, 0.0f}, {0xFFFFFFul, 10.0f},
                              {0xFFFF00ul, 0.0f}}));
}

// The routes, then the database's active paths, each list a colour
// sequence of its own with offsets growing by 0.2 from 0.2 (kept as a
// float); inactive database paths are passed over, routes never.
TEST_F(PathMgrDrawing, ActivePathsStepColourAndOffset)
{
    zunAIPathMgr manager;
    EXPECT_EQ(manager.drawActivePaths(), 1);
    EXPECT_TRUE(zunStandIn::lines().empty());
    for (int i = 0; i < 6; ++i)
        manager.addActivePath(segmentPath(i % 2));
    manager.addActivePath(nullptr);
    manager.addActivePath(segmentPath());
    manager.addPath(segmentPath(1));
    manager.addPath(segmentPath(0));
    manager.addPath(segmentPath(7));
    manager.addPath(makePath({{0, 0, 0}}));

    EXPECT_EQ(manager.drawActivePaths(), 1);
    std::vector<std::pair<unsigned long, float>> expected;
    unsigned long colour = pathColourSeed;
    float offset = 0.2f;
    for (int i = 0; i < 6; ++i) {
        expected.emplace_back(colour, 0.0f - offset);
        colour = nextPathColour(colour);
        offset = offset + 0.2f;
    }
    expected.emplace_back(pathColourSeed, -0.2f);
    expected.emplace_back(nextPathColour(pathColourSeed), -(0.2f + 0.2f));
    EXPECT_EQ(segments(), expected);
    EXPECT_EQ(zunStandIn::lines()[2].from.y, 0.0f - (0.2f + 1.0f));
}

} // namespace
