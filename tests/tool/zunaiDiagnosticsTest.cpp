// Diagnostics through the command line: explanations of route requests,
// checks against the level, batches.

#include <algorithm>
#include <array>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "standin/zunStandIn.h"
#include "zunTestFixture.h"
#include "zunaiRoutes.h"
#include "zunaiToolTestSupport.h"

namespace {

namespace fs = std::filesystem;
using namespace zunaiTestSupport;
using json = nlohmann::json;

json runJson(const fs::path& cwd, std::vector<std::string> args, int expectedCode = 0)
{
    args.push_back("--json");
    const ToolRun run = runTool(cwd, args);
    EXPECT_EQ(run.code, expectedCode) << run.err << run.out;
    return json::parse(run.out, nullptr, false);
}

int lineOf(const std::string& text, const std::string& statement)
{
    const std::size_t at = text.find(statement);
    return at == std::string::npos ? -1 : countOf(text.substr(0, at), "\n") + 1;
}

std::string pathStatements(int path, const std::vector<std::array<float, 3>>& marks)
{
    std::string text;
    for (std::size_t m = 0; m < marks.size(); ++m)
        text += markStatements(path, int(m), marks[m][0], marks[m][1], marks[m][2]);
    return text;
}

TEST(ToolDiagnostics, ExplainedRouteIsTheRouteAndSaysWhyItFailed)
{
    TempDir dir;
    // Ten passes on the sample whose chains never meet.
    const std::vector<std::string> request = {"route", "--from=-180,180,24.7", "--to=180,-180,24.7"};
    const json plain = runJson(dir.path(), request);
    std::vector<std::string> explained = request;
    explained.push_back("--explain");
    const json e = runJson(dir.path(), explained);
    for (const char* field : {"found", "reached", "marks", "rays", "length"})
        EXPECT_EQ(e[field], plain[field]) << field;
    EXPECT_EQ(e["end"], "ten-passes");
    ASSERT_EQ(e["passes"].size(), 10u);
    std::set<std::string> verdicts, reasons;
    for (const json& pass : e["passes"]) {
        for (const char* side : {"goalSide", "startSide"}) {
            EXPECT_EQ(pass[side]["candidates"].size(), 12u) << "every stored path judged";
            for (const json& c : pass[side]["candidates"]) {
                verdicts.insert(c["verdict"].get<std::string>());
                if (c["verdict"] == "chosen") {
                    EXPECT_EQ(c["path"], pass[side]["chosen"]);
                }
            }
        }
        EXPECT_TRUE(pass["closing"]["tested"]);
        EXPECT_FALSE(pass["closing"]["holds"]);
        reasons.insert(pass["closing"]["reason"].get<std::string>());
    }
    for (const char* v : {"excluded", "height", "direction", "goal-direction", "join", "scored", "chosen"})
        EXPECT_TRUE(verdicts.count(v)) << v;
    EXPECT_TRUE(reasons.count("length"));

    // The text: grouped reasons, best scored, the end and one line of advice.
    const ToolRun text = runTool(dir.path(), {request[0], request[1], request[2], "--explain"});
    EXPECT_NE(text.out.find("dropped, nearer end too far to join [join]: paths "), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("best scored: path "), std::string::npos);
    EXPECT_NE(text.out.find("end: ten-passes"), std::string::npos);
    EXPECT_NE(text.out.find("to get through: the closing link failed: the open ends are "), std::string::npos);
    EXPECT_NE(text.out.find("length   "), std::string::npos);
    EXPECT_NE(text.out.find("last mark to goal"), std::string::npos);

    // Nothing near: both sides empty at once.
    const json none = runJson(dir.path(), {"route", "--from=0,0,500", "--to=10,0,500", "--explain"});
    EXPECT_EQ(none["found"], false);
    EXPECT_EQ(none["end"], "both-empty");
    const ToolRun why = runTool(dir.path(), {"route", "--from=0,0,500", "--to=10,0,500"});
    EXPECT_NE(why.out.find("why      no stored path qualifies from either end: nearest miss: path "), std::string::npos)
        << why.out;

    // Tuning reaches the module: a first join of 60 leaves the start side empty.
    const json tuned = runJson(dir.path(), {"route", "--from=0,0,24.7", "--to=150,150,44.7", "--first-join=60",
                                            "--explain"});
    EXPECT_EQ(tuned["passes"][0]["joinDist"], 60);
    EXPECT_EQ(tuned["passes"][0]["startSide"]["chosen"], nullptr);

    // A walk: a direct pass.
    const json walk = runJson(dir.path(), {"walk", "--from=-160,-40,24.7", "--to=-160,10,24.7", "--explain"});
    EXPECT_EQ(walk["end"], "direct");
    EXPECT_EQ(walk["passes"][0]["direct"], true);
    EXPECT_EQ(walk["rays"], 9);
}

// When a route counts as reached: a walk within the arrival radius
// (horizontally); a chained route also in plain view of the goal.
using ToolReached = zunTest;
TEST_F(ToolReached, ArrivalRadiusAndPlainView)
{
    const zunaiPoint last{0, 0, 24.7f};
    const struct {
        zunaiWay way;
        zunaiPoint goal;
        bool reached;
    } cases[] = {
        {zunaiWay::Walked, {7, 0, 60}, true},
        {zunaiWay::Walked, {7.01f, 0, 24.7f}, false},
        {zunaiWay::Chained, {150, 0, 28.6f}, true},
        {zunaiWay::Chained, {150.01f, 0, 24.7f}, false},
        {zunaiWay::Chained, {100, 0, 28.7f}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(zunaiReaches(c.way, last, c.goal), c.reached) << c.goal.x << "," << c.goal.z;
    // A wall between them hides the goal, but not within the arrival radius.
    zunStandIn::addBox(cVector4(50, -10, 0), cVector4(51, 10, 100));
    EXPECT_FALSE(zunaiReaches(zunaiWay::Chained, last, {100, 0, 24.7f}));
    zunStandIn::addBox(cVector4(3, -10, 0), cVector4(4, 10, 100));
    EXPECT_TRUE(zunaiReaches(zunaiWay::Chained, last, {7, 0, 24.7f}));
}

TEST(ToolDiagnostics, CheckAgainstTheLevelFindsEachPlantedDefectByNumber)
{
    TempDir dir;
    const std::string level = (fs::path(ZUNAI_SAMPLE) / "data" / "levels" / "courtyard.obj").string();
    json clean = runJson(dir.path(), {"check", "--level", level});
    EXPECT_EQ(clean["problems"].size(), 0u) << clean.dump();
    EXPECT_EQ(clean["groups"].size(), 1u);
    EXPECT_EQ(clean["paths"], 12);

    const std::string text = sampleDatabase() +
                             pathStatements(12, {{-150, -160, 24.7f}, {-150, -130, 27.7f}}) +   // mark 1 too high
                             pathStatements(13, {{500, 500, 24.7f}, {530, 500, 24.7f}}) +      // off the level
                             pathStatements(14, {{-30, 0, 24.7f}, {30, 0, 24.7f}});            // through the monument
    writeFile(dir / "planted.qzt", text);
    const json report = runJson(dir.path(), {"check", "planted.qzt", "--level", level}, 1);
    struct Expected {
        const char* kind;
        int path, mark;
        const char* statement;
    } expected[] = {
        {"height", 12, 1, "Path12Mark1X"},
        {"no-ground", 13, 0, "Path13Mark0X"},
        {"no-ground", 13, 1, "Path13Mark1X"},
        {"isolated", 13, -1, "Path13Mark0X"},
        {"blocked-link", 14, 0, "Path14Mark0X"},
    };
    ASSERT_EQ(report["problems"].size(), std::size(expected)) << report["problems"].dump();
    for (const Expected& x : expected) {
        bool found = false;
        for (const json& p : report["problems"])
            if (p["kind"] == x.kind && p["path"] == x.path && (x.mark < 0 ? !p.contains("mark") : p["mark"] == x.mark)) {
                found = true;
                EXPECT_EQ(p["line"], lineOf(text, x.statement)) << x.kind;
            }
        EXPECT_TRUE(found) << x.kind << " path " << x.path;
    }
    // Path 13 is a group of its own.
    EXPECT_NE(std::find(report["groups"].begin(), report["groups"].end(), json::array({13})), report["groups"].end());

    const ToolRun run = runTool(dir.path(), {"check", "planted.qzt", "--level", level});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.out.find("path 14 mark 0: blocked-link: "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("groups of paths that can chain into each other"), std::string::npos);
}

TEST(ToolDiagnostics, BatchSummaryAndExitCodes)
{
    TempDir dir;
    writeFile(dir / "good.txt", "# the sample's routes\n"
                                "route -150,-178,24.7 140,158,44.7 expect=reach\n"
                                "\n"
                                "walk -160,-40 -160,10 expect=reach   # X,Y on the ground\n"
                                "route 0,0,500 10,0,500 expect=none\n"
                                "route 0,0,24.7 150,150,44.7 first-join=60 join=60 min-dot=-0.707 max-height-diff=4\n");
    json good = runJson(dir.path(), {"batch", "good.txt"});
    ASSERT_EQ(good["requests"].size(), 4u);
    EXPECT_EQ(good["requests"][1]["line"], 4);
    const json& summary = good["summary"];
    EXPECT_EQ(summary["requests"], 4);
    EXPECT_EQ(summary["found"], 2);
    EXPECT_EQ(summary["reached"], 2);
    EXPECT_EQ(summary["failedExpectations"], 0);
    EXPECT_GT(summary["rays"].get<long long>(), 0);
    EXPECT_TRUE(summary.contains("seconds"));

    writeFile(dir / "bad.txt", "route 0,0,24.7 150,150,44.7 first-join=60 expect=found\n");
    EXPECT_EQ(runTool(dir.path(), {"batch", "bad.txt"}).code, 1);
    EXPECT_EQ(runJson(dir.path(), {"batch", "bad.txt"}, 1)["summary"]["failedExpectations"], 1);

    writeFile(dir / "broken.txt", "route 1,2,3 4,5,6\nfly 1,2 3,4\n");
    const ToolRun broken = runTool(dir.path(), {"batch", "broken.txt"});
    EXPECT_EQ(broken.code, 2);
    EXPECT_NE(broken.err.find("broken.txt, line 2: expected route or walk"), std::string::npos) << broken.err;
}

} // namespace
