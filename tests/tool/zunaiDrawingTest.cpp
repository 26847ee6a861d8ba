// The tool's pictures: the module's captured lines split into one drawn
// path each, and the SVG built from them.

#include <string>

#include "zunAI.h"
#include "zunTestFixture.h"
#include "zunaiCapture.h"
#include "zunaiSvg.h"
#include "zunaiToolTestSupport.h"
#include "zunaiXmlCheck.h"

namespace {

using namespace zunaiTestSupport;
using ToolDrawing = zunTest;

zunAIPath* pathOf(int marks, float y)
{
    zunAIPath* path = new zunAIPath;
    for (int m = 0; m < marks; ++m) {
        cVector4 at(10.0f * float(m), y, 24.7f);
        path->addMark(at);
    }
    return path;
}

TEST_F(ToolDrawing, StoredPathsSplitByPathInTheirColours)
{
    zunAIPathMgr mgr;
    mgr.addPath(pathOf(3, 0.0f));
    mgr.addPath(pathOf(1, 5.0f));   // draws nothing
    mgr.addPath(pathOf(0, 6.0f));   // draws nothing
    mgr.addPath(pathOf(4, 10.0f));
    const auto drawn = zunaiDrawStoredPaths(mgr);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].number, 0);
    EXPECT_EQ(drawn[0].colour, pathColourSeed);
    ASSERT_EQ(drawn[0].points.size(), 3u);
    EXPECT_EQ(drawn[1].number, 3);
    // The colour sequence advances over every path, drawn or not.
    EXPECT_EQ(drawn[1].colour, nextPathColour(nextPathColour(nextPathColour(pathColourSeed))));
    ASSERT_EQ(drawn[1].points.size(), 4u);
    // drawPaths draws at offset 0: the first line runs 15 below the marks.
    EXPECT_EQ(drawn[1].points[3].x, 30.0f);
    EXPECT_EQ(drawn[1].points[3].y, 10.0f);
    EXPECT_EQ(drawn[1].points[3].z, 24.7f - 15.0f);
}

TEST_F(ToolDrawing, ActivePathsKeepTheModulesColoursAndOffsets)
{
    zunAIPathMgr mgr;
    mgr.addPath(pathOf(2, 0.0f));
    mgr.addPath(pathOf(2, 20.0f));
    mgr.addPath(pathOf(2, 40.0f));
    mgr.getPath(0)->setActive(1);
    mgr.getPath(2)->setActive(1);
    const auto drawn = zunaiDrawActivePaths(mgr);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].number, 0);
    EXPECT_EQ(drawn[1].number, 2);
    EXPECT_EQ(drawn[1].colour, nextPathColour(pathColourSeed));
    // The second active path is drawn 0.4 towards negative x and y.
    EXPECT_EQ(drawn[1].points[0].x, 0.0f - (0.2f + 0.2f));
    EXPECT_EQ(drawn[1].points[0].y, 40.0f - (0.2f + 0.2f));
}

TEST_F(ToolDrawing, SvgIsWellFormedWithOnePolylinePerDrawnPath)
{
    zunAIPathMgr mgr;
    mgr.addPath(pathOf(3, 0.0f));
    mgr.addPath(pathOf(1, 5.0f));
    mgr.addPath(pathOf(5, 10.0f));
    zunaiLevelMesh mesh;
    mesh.triangles.push_back(zunaiTriangle{{{-50, -50, 0}, {50, -50, 0}, {50, 50, 0}}});
    mesh.triangles.push_back(zunaiTriangle{{{0, 0, 0}, {0, 10, 0}, {0, 10, 60}}});   // a wall side, edge-on
    mesh.triangles.push_back(zunaiTriangle{{{0, 0, 60}, {10, 0, 60}, {10, 10, 60}}});

    zunaiSvgScene scene;
    scene.title = "level \"<a & b>\" 'x'";
    scene.mesh = &mesh;
    scene.stored = zunaiDrawStoredPaths(mgr);
    zunaiSvgRoute route;
    route.drawn = scene.stored[0];
    route.label = "1 chained & <reached>";
    scene.routes.push_back(route);
    scene.ends.push_back(zunaiSvgEnd{{0, 0, 24.7f}, 1, false});
    scene.ends.push_back(zunaiSvgEnd{{0, 0, 24.7f}, 2, true});
    const std::string svg = zunaiRenderSvg(scene);

    EXPECT_EQ(zunaiXmlProblem(svg), "");
    EXPECT_EQ(countOf(svg, "<polyline"), 3);
    EXPECT_EQ(countOf(svg, "class=\"stored-path\""), 2);
    EXPECT_EQ(countOf(svg, "class=\"route chained\""), 1);
    // The edge-on wall side is left out; floor and wall top are drawn.
    EXPECT_EQ(countOf(svg, "<polygon"), 2);
    // A start and a goal at one place share one label.
    EXPECT_NE(svg.find(">G2 S1</text>"), std::string::npos);
    EXPECT_NE(svg.find("units</text>"), std::string::npos);
}

} // namespace
