// The generator: databases for each kind of test level that load whole,
// keep the hover rule, have clear links and serve chained routes (its
// command line runs end to end with the others).

#include <gtest/gtest.h>

#include <array>

#include "zunaiCheck.h"
#include "zunaiGenerate.h"
#include "zunaiGround.h"
#include "zunaiLevelCheck.h"
#include "zunaiRoutes.h"
#include "zunaiTestLevels.h"
#include "zunaiToolTestSupport.h"

using namespace zunaiTestSupport;

namespace {

zunaiPoint onFloor(const zunaiLevelMesh& mesh, float x, float y, float above)
{
    const auto floors = zunaiFloorsBelow(mesh, x, y, above);
    EXPECT_FALSE(floors.empty()) << x << "," << y;
    return floors.empty() ? zunaiPoint{x, y, 0.0f} : zunaiPoint{x, y, floors.front().mark};
}

} // namespace

TEST(Generate, DatabasesOfEveryKindLoadWholeKeepTheRulesAndServeRoutes)
{
    // Trips from x0,y0 to x1,y1 on the floor first below z0 and z1, both ways.
    const struct {
        zunaiTestLevelKind kind;
        std::vector<std::array<float, 6>> trips;
    } cases[] = {
        {zunaiTestLevelKind::Terrain, {{-600, -650, 500, 650, 500, 500}, {-100, 600, 500, 300, -700, 500}}},
        {zunaiTestLevelKind::Rooms, {{140, 140, 100, 940, 940, 100}, {940, 140, 100, 140, 540, 100}}},
        {zunaiTestLevelKind::Storeys, {{100, 100, 50, 500, 400, 250}, {500, 100, 50, 100, 400, 150}}},
        {zunaiTestLevelKind::Maze, {{60, 60, 50, 900, 900, 50}, {900, 60, 50, 60, 900, 50}}},
    };
    for (const auto& c : cases) {
        const zunaiTestLevel level = zunaiMakeTestLevel(c.kind);
        SCOPED_TRACE(level.name);
        TempDir dir;
        zunaiWriteTestGame(dir.dir(), level);
        zunaiGameOptions where;
        where.game = dir.dir().string();
        const zunaiGame game = zunaiFindGame(where, true);
        const zunaiGenerateSummary made = zunaiGenerate(game, zunaiGenerateOptions{});
        EXPECT_GT(made.paths, 0);
        EXPECT_DOUBLE_EQ(made.coverage, 1.0);

        zunaiCheckReport report;
        ASSERT_TRUE(zunaiCheckFile(made.file, report));
        EXPECT_TRUE(report.whole());
        EXPECT_EQ(int(report.paths.size()), made.paths);

        zunaiSession session(game, true);
        EXPECT_EQ(session.database.getNumPaths(), made.paths);
        EXPECT_EQ(session.databaseMarks, made.marks);
        // The level check, with the module's probes, finds every mark where
        // the hover rule keeps it and every link clear for the ground probe.
        for (const zunaiProblem& problem : zunaiCheckLevel(report).problems)
            EXPECT_TRUE(problem.kind != "height" && problem.kind != "blocked-link") << problem.message;
        for (const auto& t : c.trips)
            for (int way = 0; way < 2; ++way) {
                zunaiRequest request;
                request.from = onFloor(session.mesh, t[0], t[1], t[2]);
                request.to = onFloor(session.mesh, t[3], t[4], t[5]);
                if (way)
                    std::swap(request.from, request.to);
                const zunaiRouteResult result = zunaiRunRequest(session, request);
                EXPECT_TRUE(result.reached) << request.from.x << "," << request.from.y << "," << request.from.z
                                            << " -> " << request.to.x << "," << request.to.y << "," << request.to.z;
            }
    }
}
