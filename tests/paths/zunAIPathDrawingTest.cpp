#include "zunAI.h"
#include "zunTestFixture.h"

namespace {

using PathDrawing = zunTest;

TEST_F(PathDrawing, FourLinesPerSegment)
{
    zunAIPath path;
    path.drawPath(0x123456, 0.0f);
    EXPECT_TRUE(zunStandIn::lines().empty());
    cVector4 a(0, 0, 0), b(1, 0, 0), c(2, 0, 0);
    path.addMark(a);
    path.drawPath(0x123456, 0.0f);
    EXPECT_TRUE(zunStandIn::lines().empty());
    path.addMark(b);
    path.addMark(c);
    path.drawPath(0x123456, 0.0f);
    ASSERT_EQ(zunStandIn::lines().size(), 8u);
    for (const auto& line : zunStandIn::lines())
        EXPECT_EQ(line.colour, 0x123456ul);
}

TEST_F(PathDrawing, LinesRunBelowTheMarksAtTheSquareCorners)
{
    zunAIPath path;
    cVector4 a(0, 0, 100), b(10, 0, 100);
    path.addMark(a);
    path.addMark(b);
    path.drawPath(0xFF, 0.2f);
    const auto& lines = zunStandIn::lines();
    ASSERT_EQ(lines.size(), 4u);
    const float f = 0.2f, g = 0.2f + 1.0f;
    const float dx[4] = {f, f, g, g};
    const float dy[4] = {f, g, g, f};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(lines[i].from.x, 0.0f - dx[i]);
        EXPECT_EQ(lines[i].from.y, 0.0f - dy[i]);
        EXPECT_EQ(lines[i].from.z, 85.0f);
        EXPECT_EQ(lines[i].to.x, 10.0f - dx[i]);
        EXPECT_EQ(lines[i].to.y, 0.0f - dy[i]);
    }
    EXPECT_FLOAT_EQ(lines[0].to.x, 9.8f);
    EXPECT_FLOAT_EQ(lines[2].from.x, -1.2f);
    EXPECT_FLOAT_EQ(lines[2].to.x, 8.8f);
}

TEST_F(PathDrawing, ColourSequenceKeepsBits16To39OfTheWideProduct)
{
    // Computed from the exact (wider than 64-bit) products.
    EXPECT_EQ(pathColourSeed, 0xD0ABCBul);
    EXPECT_EQ(nextPathColour(pathColourSeed), 0x238A4Bul);
    EXPECT_EQ(nextPathColour(0x238A4Bul), 0x52A139ul);
    EXPECT_EQ(nextPathColour(0x52A139ul), 0x19022Aul);
    EXPECT_EQ(nextPathColour(0xFFFFFFul), ((0xFFFFFFull * 0x13DEC15577Bull) >> 16) & 0xFFFFFFull);
}

} // namespace
