// Pictures: the module's captured lines split into one drawn path each, in
// the module's colours and offsets; the SVG checked by its structure, and
// the PNG's size.

#include <cstdint>
#include <cmath>
#include <set>
#include <utility>
#include <vector>
#include <string>

#include "zunAI.h"
#include "zunTestFixture.h"
#include "zunaiCapture.h"
#include "zunaiPng.h"
#include "zunaiSvg.h"
#include "zunaiToolTestSupport.h"

namespace {

using namespace zunaiTestSupport;
using Picture = zunTest;

zunAIPath* pathAlong(float y, float z, int marks)
{
    zunAIPath* path = new zunAIPath;
    for (int m = 0; m < marks; ++m) {
        cVector4 at(10.0f + 20.0f * float(m), y, z);
        path->addMark(at);
    }
    return path;
}

// Ground over [0, 200]^2 at 0, an upper storey over [0, 100] x [0, 200] at
// 60; paths 0 and 1 on the ground, path 2 upstairs; one chained route.
struct Scene {
    zunaiLevelMesh mesh;
    zunAIPathMgr database;
    zunaiSvgScene scene;

    Scene()
    {
        addQuad(mesh, {0, 0, 0}, {200, 0, 0}, {200, 200, 0}, {0, 200, 0});
        addQuad(mesh, {0, 0, 60}, {100, 0, 60}, {100, 200, 60}, {0, 200, 60});
        database.addPath(pathAlong(20, 24.7f, 4));
        database.addPath(pathAlong(120, 24.7f, 3));
        database.addPath(pathAlong(150, 84.7f, 3));
        scene.title = "test";
        scene.mesh = &mesh;
        scene.stored = zunaiDrawStoredPaths(database);
        zunaiSvgRoute route;
        route.drawn = scene.stored[0];
        route.from = zunaiPoint{0, 0, 24.7f};
        route.to = zunaiPoint{90, 40, 24.7f};
        scene.routes.push_back(route);
    }
};

TEST_F(Picture, CapturedLinesSplitByPathInTheModulesColoursAndOffsets)
{
    zunAIPathMgr mgr;
    mgr.addPath(pathAlong(0, 24.7f, 3));
    mgr.addPath(pathAlong(5, 24.7f, 1));   // draws nothing
    mgr.addPath(pathAlong(6, 24.7f, 0));   // draws nothing
    mgr.addPath(pathAlong(10, 24.7f, 4));
    const auto stored = zunaiDrawStoredPaths(mgr);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].number, 0);
    EXPECT_EQ(stored[0].colour, pathColourSeed);
    EXPECT_EQ(stored[0].points.size(), 3u);
    EXPECT_EQ(stored[1].number, 3);
    // The colour sequence advances over every path, drawn or not.
    EXPECT_EQ(stored[1].colour, nextPathColour(nextPathColour(nextPathColour(pathColourSeed))));
    ASSERT_EQ(stored[1].points.size(), 4u);
    // drawPaths draws at offset 0: the first line runs 15 below the marks.
    const zunaiPoint& last = stored[1].points[3];
    EXPECT_EQ((std::vector<float>{last.x, last.y, last.z}), (std::vector<float>{70, 10, 24.7f - 15.0f}));

    mgr.getPath(0)->setActive(1);
    mgr.getPath(3)->setActive(1);
    const auto active = zunaiDrawActivePaths(mgr);
    ASSERT_EQ(active.size(), 2u);
    EXPECT_EQ(active[1].number, 3);
    EXPECT_EQ(active[1].colour, nextPathColour(pathColourSeed));
    // The second active path is drawn 0.4 towards negative x and y.
    EXPECT_EQ((std::vector<float>{active[1].points[0].x, active[1].points[0].y}),
              (std::vector<float>{10.0f - (0.2f + 0.2f), 10.0f - (0.2f + 0.2f)}));
}

// For each element starting with `start`: the text after `key` in it, up to `end`.
std::set<std::string> valuesAfter(const std::string& svg, const std::string& start, const std::string& key,
                                  char end)
{
    std::set<std::string> found;
    for (std::size_t at = svg.find(start); at != std::string::npos; at = svg.find(start, at + 1)) {
        const std::size_t from = svg.find(key, at);
        if (from != std::string::npos)
            found.insert(svg.substr(from + key.size(), svg.find(end, from + key.size()) - from - key.size()));
    }
    return found;
}

TEST_F(Picture, GridNumbersArrowsMarksAndRouteColours)
{
    Scene s;
    s.scene.region = zunaiRegion{0, 0, 100, 100};
    const std::string svg = zunaiRenderSvg(s.scene);
    ASSERT_EQ(svgProblem(svg), "");

    const std::set<std::string> grid = {"0", "20", "40", "60", "80", "100"};
    EXPECT_EQ(valuesAfter(svg, "data-axis=\"x\"", ">", '<'), grid);
    EXPECT_EQ(valuesAfter(svg, "data-axis=\"y\"", ">", '<'), grid);
    EXPECT_EQ(valuesAfter(svg, "class=\"path-number\"", "data-number=\"", '"'), (std::set<std::string>{"0", "1", "2"}));
    // One arrow per link of the stored paths (3 + 2 + 2), all long enough here.
    EXPECT_EQ(countOf(svg, "class=\"arrow\""), 7);
    EXPECT_NE(svg.find("<title>path 0, mark 1: 30, 20, 24.7</title>"), std::string::npos);
    EXPECT_EQ(countOf(svg, "class=\"route-leg\""), 2);

    const std::set<std::string> routeColours = valuesAfter(svg, "class=\"route chained\"", "stroke=\"", '"');
    const std::set<std::string> storedColours = valuesAfter(svg, "class=\"stored-path\"", "stroke=\"", '"');
    ASSERT_EQ(routeColours.size(), 1u);
    ASSERT_EQ(storedColours.size(), 3u);
    const auto rgb = [](const std::string& hex) { return std::stoul(hex.substr(1), nullptr, 16); };
    for (const std::string& stored : storedColours)
        EXPECT_GT(zunaiColourDistance(rgb(*routeColours.begin()), rgb(stored)), 150.0) << stored;

    // Faces wholly outside the region are left out: only the ground reaches into this one.
    s.scene.region = zunaiRegion{150, 150, 200, 200};
    EXPECT_EQ(countOf(zunaiRenderSvg(s.scene), "class=\"level-face\""), 2);

    // Routes stay apart from any stored palette and from each other.
    std::vector<unsigned long> stored;
    for (unsigned long c = pathColourSeed; stored.size() < 12; c = nextPathColour(c))
        stored.push_back(c);
    const std::vector<unsigned long> routes = zunaiRouteColours(stored, 4);
    for (std::size_t i = 0; i < routes.size(); ++i) {
        for (unsigned long c : stored)
            EXPECT_GT(zunaiColourDistance(routes[i], c), 100.0);
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_NE(routes[i], routes[j]);
    }
}

TEST_F(Picture, TextsEscapedEdgeOnFacesLeftOutSharedEndsOneLabel)
{
    Scene s;
    s.mesh.triangles.push_back(zunaiTriangle{{{0, 0, 0}, {0, 10, 0}, {0, 10, 60}}});   // a wall side, edge-on
    s.scene.title = "level \"<a & b>\" 'x'";
    s.scene.routes[0].label = "1 chained & <reached>";
    s.scene.ends.push_back(zunaiSvgEnd{{0, 0, 24.7f}, 1, false});
    s.scene.ends.push_back(zunaiSvgEnd{{0, 0, 24.7f}, 2, true});
    const std::string svg = zunaiRenderSvg(s.scene);
    EXPECT_EQ(svgProblem(svg), "");
    // (the same check refuses a title left unescaped)
    EXPECT_NE(svgProblem(R"(<svg xmlns="http://www.w3.org/2000/svg" width="9" height="9"><title>a & b</title></svg>)"),
              "");
    EXPECT_EQ(countOf(svg, "class=\"level-face\""), 4);
    EXPECT_NE(svg.find(">G2 S1</text>"), std::string::npos);
    EXPECT_NE(svg.find("units</text>"), std::string::npos);
}

TEST_F(Picture, FloorKeepsOneStoreyLargeLevelsBecomeAHeightMapPngAtTheSvgsSize)
{
    Scene s;
    s.scene.floor = 60.0;
    std::string svg = zunaiRenderSvg(s.scene);
    EXPECT_EQ(countOf(svg, "class=\"level-face\""), 2);
    EXPECT_EQ(valuesAfter(svg, "class=\"stored-path\"", "data-number=\"", '"'), (std::set<std::string>{"2"}));

    s.scene.floor.reset();
    s.scene.rasterAbove = 3;
    svg = zunaiRenderSvg(s.scene);
    EXPECT_EQ(svgProblem(svg), "");
    EXPECT_EQ(countOf(svg, "class=\"level-face\""), 0);
    EXPECT_EQ(countOf(svg, "class=\"height-map\""), 1);
    EXPECT_NE(svg.find("xlink:href=\"data:image/png;base64,iVBORw0KGgo"), std::string::npos);

    const std::string png = zunaiSvgToPng(svg);
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    // The header's width and height, big-endian at bytes 16 and 20.
    for (const auto& [name, at] : {std::pair<std::string, std::size_t>{"width", 16}, {"height", 20}}) {
        std::uint32_t pixels = 0;
        for (std::size_t i = at; i < at + 4; ++i)
            pixels = pixels << 8 | std::uint8_t(png[i]);
        EXPECT_EQ(pixels, std::uint32_t(std::ceil(std::stod(*valuesAfter(svg, "<svg ", name + "=\"", '"').begin()))))
            << name;
    }
}

} // namespace
