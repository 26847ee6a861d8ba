// The generator: databases for each kind of test level that load whole,
// keep the hover rule, have clear links and serve chained routes; and its
// command line's refusals.

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
        zunaiWriteTestGame(dir.path(), level);
        zunaiGameOptions where;
        where.game = dir.path().string();
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

// Refusals change nothing: an existing database is kept unless forced,
// then backed up.
TEST(Generate, CommandLineRefusalsAndTheExistingDatabase)
{
    TempDir dir;
    zunaiWriteTestGame(dir.path(), zunaiMakeTestLevel(zunaiTestLevelKind::Maze));
    const fs::path database = dir / "data/memory/levels/paths.qzt";
    writeFile(database, "old = 1;\n");
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{}, "exists; give --force"},
        {{"--force", "--radius", "400"}, "empty network: an agent of radius 400 fits nowhere"},
        {{"--force", "--height", "-1"}, "agent height must be from 1 to 1000"},
        {{"--force", "--slope", "90"}, "slope must be from 0 to 89 degrees"},
        {{"--force", "--hubs", "0"}, "hubs must be from 1 to 32"},
        {{"--force", "--out", "nowhere/x.qzt"}, "no folder for"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"generate", "--game", "."};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ToolRun run = runTool(dir.path(), args);
        EXPECT_EQ(run.code, 2) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(countOf(run.err, "\n"), 1) << run.err;
        EXPECT_EQ(readFile(database), "old = 1;\n") << c.message;
        EXPECT_FALSE(fs::exists(dir / "data/memory/levels/paths.qzt.bak")) << c.message;
    }

    const ToolRun forced = runTool(dir.path(), {"generate", "--game", ".", "--force", "--json"});
    EXPECT_EQ(forced.code, 0) << forced.err;
    EXPECT_NE(forced.out.find("\"backup\":\"data/memory/levels/paths.qzt.bak\""), std::string::npos) << forced.out;
    EXPECT_EQ(readFile(dir / "data/memory/levels/paths.qzt.bak"), "old = 1;\n");
    EXPECT_NE(readFile(database).find("Path0Mark0X"), std::string::npos);

    // --out elsewhere writes the same bytes the module writes for the game.
    const ToolRun elsewhere = runTool(dir.path(), {"generate", "--game", ".", "--out", "copy.qzt"});
    EXPECT_EQ(elsewhere.code, 0) << elsewhere.err;
    EXPECT_EQ(readFile(dir / "copy.qzt"), readFile(database));

    // A level with nothing to stand on: one upright wall.
    writeFile(dir / "bare" / "data" / "levels" / "wall.obj", "v 0 0 0\nv 100 0 0\nv 100 0 100\nv 0 0 100\nf 1 2 3 4\n");
    fs::create_directories(dir / "bare" / "bin");
    const ToolRun none = runTool(dir.path(), {"generate", "--game", "bare"});
    EXPECT_EQ(none.code, 2);
    EXPECT_EQ(none.err, "zunai generate: no walkable surface in bare/data/levels/wall.obj for an agent 50 tall "
                        "that steps 8; nothing generated\n");
}
