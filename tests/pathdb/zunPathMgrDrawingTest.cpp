#include "zunPathDbTest.h"

namespace {

using namespace pathdb;
using PathMgrDrawing = zunTest;

// Colour and offset of each drawn segment (four lines), checking that the
// four lines of a segment agree. The offset is read from line 1's start.
struct Segment {
    unsigned long colour;
    float offset;
};

std::vector<Segment> segments(float firstMarkX)
{
    std::vector<Segment> result;
    const auto& lines = zunStandIn::lines();
    EXPECT_EQ(lines.size() % 4, 0u);
    for (std::size_t i = 0; i + 3 < lines.size(); i += 4) {
        for (std::size_t j = 1; j < 4; ++j)
            EXPECT_EQ(lines[i + j].colour, lines[i].colour);
        result.push_back({lines[i].colour, firstMarkX - lines[i].from.x});
    }
    return result;
}

// Two-mark path starting at x = 0, active or not.
zunAIPath* segmentPath(int active = 0)
{
    zunAIPath* path = makePath({{0, 0, 0}, {10, 0, 0}});
    path->setActive(active);
    return path;
}

TEST_F(PathMgrDrawing, DatabaseInSequenceColoursThenRecordingThenSelection)
{
    zunAIPathMgr manager;
    EXPECT_EQ(manager.drawPaths(), 1);
    EXPECT_TRUE(zunStandIn::lines().empty());

    for (int i = 0; i < 3; ++i)
        manager.addPath(segmentPath());
    manager.addPath(makePath({{0, 0, 0}}));   // one mark: no lines
    manager.selectedPath = manager.getPath(1);
    cVector4 a(0, 0, 0), b(10, 0, 0), c(20, 0, 0);
    manager.addNewMark(a);
    manager.addNewMark(b);
    manager.addNewMark(c);

    EXPECT_EQ(manager.drawPaths(), 1);
    const unsigned long c0 = pathColourSeed, c1 = nextPathColour(c0), c2 = nextPathColour(c1);
    auto drawn = segments(0.0f);
    ASSERT_EQ(drawn.size(), 3u + 2u + 1u);
    const unsigned long expected[] = {c0, c1, c2, 0xFFFFFFul, 0xFFFFFFul, 0xFFFF00ul};
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        EXPECT_EQ(drawn[i].colour, expected[i]) << i;
        EXPECT_EQ(zunStandIn::lines()[4 * i].from.x, i == 4 ? 10.0f : 0.0f) << i;   // second recorded segment
    }
}

TEST_F(PathMgrDrawing, DrawingStopsAtANullItem)
{
    zunAIPathMgr manager;
    manager.addPath(segmentPath(1));
    manager.addPath(nullptr);
    manager.addPath(segmentPath(1));
    manager.drawPaths();
    EXPECT_EQ(zunStandIn::lines().size(), 4u);
    zunStandIn::clearCapture();
    manager.drawActivePaths();
    EXPECT_EQ(zunStandIn::lines().size(), 4u);
}

TEST_F(PathMgrDrawing, ActivePathsStepColourAndOffset)
{
    zunAIPathMgr manager;
    EXPECT_EQ(manager.drawActivePaths(), 1);
    EXPECT_TRUE(zunStandIn::lines().empty());

    for (int i = 0; i < 6; ++i)
        manager.addActivePath(segmentPath(i % 2));   // routes are drawn whatever their flag
    manager.addPath(segmentPath(1));
    manager.addPath(segmentPath(0));                 // passed over: no colour, no offset used
    manager.addPath(segmentPath(7));
    manager.addPath(makePath({{0, 0, 0}}));

    EXPECT_EQ(manager.drawActivePaths(), 1);
    auto drawn = segments(0.0f);
    ASSERT_EQ(drawn.size(), 6u + 2u);

    unsigned long colour = pathColourSeed;
    float offset = 0.2f;
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(drawn[i].colour, colour) << i;
        EXPECT_EQ(zunStandIn::lines()[4 * i].from.x, 0.0f - offset) << i;
        EXPECT_EQ(zunStandIn::lines()[4 * i + 2].from.y, 0.0f - (offset + 1.0f)) << i;
        colour = nextPathColour(colour);
        offset = offset + 0.2f;   // kept as a float after every step
    }
    // The database's active paths: a sequence of their own.
    EXPECT_EQ(drawn[6].colour, pathColourSeed);
    EXPECT_EQ(zunStandIn::lines()[24].from.x, -0.2f);
    EXPECT_EQ(drawn[7].colour, nextPathColour(pathColourSeed));
    EXPECT_EQ(zunStandIn::lines()[28].from.x, -(0.2f + 0.2f));
}

} // namespace
