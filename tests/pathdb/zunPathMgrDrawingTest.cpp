// The manager's drawing of active paths. The golden record's editing scene
// pins the drawing of stored paths, the recording and the selection.
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
