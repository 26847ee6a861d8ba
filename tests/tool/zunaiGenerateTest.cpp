// The generator: databases for each kind of test level that load whole,
// keep the hover rule, have clear links and serve chained routes (its
// command line runs end to end with the others).

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "standin/zunStandIn.h"
#include "zunaiCheck.h"
#include "zunaiGenerate.h"
#include "zunaiGround.h"
#include "zunaiRoutes.h"
#include "zunaiTestLevels.h"
#include "zunaiToolTestSupport.h"

using namespace zunaiTestSupport;

namespace {

class OpenProbes : public zunAIPathMgr {
public:
    using zunAIPathMgr::validateHeight;
};

zunaiPoint onFloor(const zunaiLevelMesh& mesh, float x, float y, float above)
{
    const auto floors = zunaiFloorsBelow(mesh, x, y, above);
    EXPECT_FALSE(floors.empty()) << x << "," << y;
    return floors.empty() ? zunaiPoint{x, y, 0.0f} : zunaiPoint{x, y, floors.front().mark};
}

// Every mark where the hover rule keeps it, every link clear under the
// ground probe path selection casts.
void expectMarksAndLinksSound(zunaiSession& session)
{
    OpenProbes probes;
    int badHeight = 0, blocked = 0;
    session.database.paths.walk([&](zunAIPath* path) {
        for (int i = 0; i < path->getNumMarks(); ++i) {
            cVector4 at = path->getMark(i)->getPosition();
            if (std::fabs(probes.validateHeight(at).z - at.z) > 0.01f)
                ++badHeight;
            if (i + 1 == path->getNumMarks())
                continue;
            const cVector4& next = path->getMark(i + 1)->getPosition();
            cVector4 below(at.x, at.y, at.z - 12.0f), link(next.x - at.x, next.y - at.y, next.z - at.z), scratch;
            const float length = std::sqrt(link.x * link.x + link.y * link.y + link.z * link.z);
            blocked += probes.isBlockedArrayScan(below, 2.0f, 2.0f, link, length + 2.0f, 0.0f, 2, 2, &scratch);
        }
    });
    EXPECT_EQ(badHeight, 0);
    EXPECT_EQ(blocked, 0);
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
        expectMarksAndLinksSound(session);
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
