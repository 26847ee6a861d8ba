// The built zunai program, end to end on the sample and on broken input:
// its commands, diagnostics, batches and levels made elsewhere.

#include <algorithm>
#include <array>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "zunaiToolTestSupport.h"

namespace {

namespace fs = std::filesystem;
using namespace zunaiTestSupport;
using json = nlohmann::json;

// The first line of `text` that holds every one of `parts`, in order; empty if none.
std::string lineWith(const std::string& text, const std::vector<std::string>& parts)
{
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::size_t at = 0;
        for (const auto& part : parts)
            if (at != std::string::npos && (at = line.find(part, at)) != std::string::npos)
                at += part.size();
        if (at != std::string::npos)
            return line;
    }
    return {};
}

json runJson(const fs::path& cwd, std::vector<std::string> args, int expectedCode = 0)
{
    args.push_back("--json");
    const ToolRun run = runTool(cwd, args);
    EXPECT_EQ(run.code, expectedCode) << run.err << run.out;
    return json::parse(run.out, nullptr, false);
}

// A failure is one line on stderr, nothing on stdout, exit code 2.
void expectError(const ToolRun& run, const std::string& mentions)
{
    EXPECT_EQ(run.code, 2) << run.out << run.err;
    EXPECT_EQ(countOf(run.err, "\n"), 1) << run.err;
    EXPECT_EQ(run.err.compare(0, 5, "zunai"), 0) << run.err;
    EXPECT_NE(run.err.find(mentions), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
}

TEST(ToolCommandLine, HelpVersionBothOptionFormsAndJsonErrors)
{
    TempDir dir;
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--help"}, {"-h"}, {"help"}}) {
        const ToolRun run = runTool(dir.path(), args);
        EXPECT_EQ(run.code, 0);
        for (const char* command : {"demo", "route", "walk", "check", "show"})
            EXPECT_NE(run.out.find(std::string("  ") + command + " "), std::string::npos) << command;
    }
    for (const char* command : {"demo", "route", "walk", "check", "show"}) {
        const ToolRun run = runTool(dir.path(), {command, "--help"});
        EXPECT_EQ(run.code, 0) << command;
        EXPECT_EQ(run.out.find(std::string("usage: zunai ") + command), 0u) << run.out;
        EXPECT_EQ(run.err, "");
    }
    EXPECT_TRUE(fs::is_empty(dir.path()));
    ToolRun run = runTool(dir.path(), {"--version"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out.compare(0, 6, "zunai "), 0) << run.out;

    // --opt=value and --opt value name the same game; the walk needs no database.
    makeGame(dir / "g", "");
    for (const std::vector<std::string>& game : {std::vector<std::string>{"--game=g"}, {"--game", "g"}}) {
        std::vector<std::string> args = {"walk", "--from=0,-40,24.7", "--to", "0,-80,24.7", "--json"};
        args.insert(args.end(), game.begin(), game.end());
        run = runTool(dir.path(), args);
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_NE(run.out.find("\"game\":\"g\""), std::string::npos) << run.out;
    }

    // Under --json an error is one JSON object on stdout, nothing on stderr.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"route", "--json", "--from=1,2"}, {"fly", "--json"}, {"show", "--json", "--game", "nowhere"}}) {
        run = runTool(dir.path(), args);
        EXPECT_EQ(run.code, 2);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out.compare(0, 15, "{\"error\":\"zunai"), 0) << run.out;
        EXPECT_EQ(countOf(run.out, "\n"), 1);
    }
}

TEST(ToolCommandLine, DemoPrintsItsRoutesAndWritesThePictureInTextAndJson)
{
    TempDir dir;
    const ToolRun run = runTool(dir.path(), {"demo"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, "");
    for (const char* request : {"gate yard -> terrace", "hall door -> barn yard", "terrace -> gate yard",
                                "plaza -> north lane"}) {
        // Each request both ways; every chained route of the sample arrives.
        EXPECT_NE(lineWith(run.out, {request, " chained ", " yes ("}), "") << request << "\n" << run.out;
        EXPECT_NE(lineWith(run.out, {request, " walked "}), "") << request;
    }
    EXPECT_NE(run.out.find("12 paths"), std::string::npos);
    EXPECT_NE(run.out.find("wrote courtyard.svg"), std::string::npos);

    const std::string svg = readFile(dir / "courtyard.svg");
    EXPECT_EQ(svgProblem(svg), "");
    // Twelve stored paths, eight routes of which the walks and the chains all draw.
    EXPECT_EQ(countOf(svg, "class=\"stored-path\""), 12);
    EXPECT_EQ(countOf(svg, "<polyline class=\"route"), 8);
    EXPECT_EQ(countOf(svg, "<polyline"), 20);
    // Only the picture is left behind: no temporary file.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);

    const ToolRun json = runTool(dir.path(), {"demo", "--json", "--svg", "pic.svg"});
    ASSERT_EQ(json.code, 0) << json.err;
    EXPECT_EQ(json.out.front(), '{');
    EXPECT_EQ(json.out.substr(json.out.size() - 2), "}\n");
    EXPECT_EQ(countOf(json.out, "\n"), 1);
    EXPECT_EQ(countOf(json.out, "\"way\":\"chained\""), 4);
    EXPECT_EQ(countOf(json.out, "\"way\":\"walked\""), 4);
    EXPECT_NE(json.out.find("\"svg\":\"pic.svg\""), std::string::npos);
    EXPECT_TRUE(fs::exists(dir / "pic.svg"));
}

TEST(ToolCommandLine, RouteAndWalk)
{
    TempDir dir;
    // Points on the ground stand 24.7 above it (the terrace is 20 high).
    ToolRun run = runTool(dir.path(), {"route", "--from", "-150,-178", "--to", "140,158"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.find("chained route from (-150.0, -178.0, 24.7) to (140.0, 158.0, 44.7)"), 0u) << run.out;
    EXPECT_NE(run.out.find("reached  yes"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(dir.path()));

    // A clear line: the walk's one mark is the goal at the start's height, a direct pass.
    run = runTool(dir.path(), {"walk", "--from=-160,-40,24.7", "--to=-160,10,24.7", "--json", "--svg", "walk.svg"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("\"command\":\"walk\""), std::string::npos);
    EXPECT_NE(run.out.find("\"markCount\":1,\"marks\":[[-160,10,24.7]]"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"reached\":true"), std::string::npos);
    EXPECT_NE(run.out.find("\"rays\":9"), std::string::npos);
    EXPECT_EQ(svgProblem(readFile(dir / "walk.svg")), "");
    const json walk = runJson(dir.path(), {"walk", "--from=-160,-40,24.7", "--to=-160,10,24.7", "--explain"});
    EXPECT_EQ(walk["end"], "direct");
    EXPECT_EQ(walk["passes"][0]["direct"], true);

    // No stored path near: the module answers none, both sides empty at once.
    run = runTool(dir.path(), {"route", "--from=0,0,500", "--to=10,0,500"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("no route"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("why      no stored path qualifies from either end: nearest miss: path "), std::string::npos);
    EXPECT_EQ(runJson(dir.path(), {"route", "--from=0,0,500", "--to=10,0,500", "--explain"})["end"], "both-empty");

    // Tuning reaches the module: a first join of 60 leaves the start side empty.
    const json tuned = runJson(dir.path(), {"route", "--from=0,0,24.7", "--to=150,150,44.7", "--first-join=60",
                                            "--explain"});
    EXPECT_EQ(tuned["passes"][0]["joinDist"], 60);
    EXPECT_EQ(tuned["passes"][0]["startSide"]["chosen"], nullptr);
}

TEST(ToolCommandLine, ExplainedRouteIsTheRouteAndSaysWhyItFailed)
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
                EXPECT_TRUE(c["verdict"] != "chosen" || c["path"] == pass[side]["chosen"]) << c.dump();
            }
        }
        EXPECT_TRUE(pass["closing"]["tested"]);
        EXPECT_FALSE(pass["closing"]["holds"]);
        reasons.insert(pass["closing"]["reason"].get<std::string>());
    }
    EXPECT_TRUE(reasons.count("length"));
    for (const char* v : {"excluded", "height", "direction", "goal-direction", "join", "scored", "chosen"})
        EXPECT_TRUE(verdicts.count(v)) << v;

    // The text: grouped reasons, best scored, the end and one line of advice.
    const ToolRun text = runTool(dir.path(), explained);
    for (const char* says : {"dropped, nearer end too far to join [join]: paths ", "best scored: path ",
                             "end: ten-passes", "to get through: the closing link failed: the open ends are ",
                             "length   ", "last mark to goal"})
        EXPECT_NE(text.out.find(says), std::string::npos) << says << "\n" << text.out;
}

TEST(ToolCommandLine, ShowAndGameDirectories)
{
    TempDir dir;
    ToolRun run = runTool(dir.path(), {"show"});
    ASSERT_EQ(run.code, 0) << run.err;
    // Path 0 has 9 marks and the first colour of the sequence; 12 paths in all.
    EXPECT_NE(lineWith(run.out, {"     0      9 ", " #d0abcb "}), "") << run.out;
    EXPECT_NE(lineWith(run.out, {"    11 "}), "");
    EXPECT_EQ(lineWith(run.out, {"    12 "}), "");
    const std::string svg = readFile(dir / "courtyard.svg");
    EXPECT_EQ(svgProblem(svg), "");
    EXPECT_EQ(countOf(svg, "<polyline"), 12);
    EXPECT_NE(svg.find("stroke=\"#d0abcb\""), std::string::npos);

    // The sample under the current directory is the default; --game is
    // taken relative to the current directory.
    makeGame(dir / "samples" / "courtyard", sampleDatabase());
    run = runTool(dir.path(), {"show", "--svg", "a.svg"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out.find("game      samples/courtyard\n"), 0u) << run.out;
    makeGame(dir / "other", markStatements(0, 0, 0, 0, 24.7f) + markStatements(0, 1, 0, 30, 24.7f));
    run = runTool(dir.path(), {"show", "--game", "other", "--svg", "b.svg", "--json"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("\"game\":\"other\""), std::string::npos);
    EXPECT_NE(run.out.find("\"paths\":1,\"marks\":2"), std::string::npos) << run.out;
}

TEST(ToolCommandLine, CheckReportsEachKindOfLoss)
{
    TempDir dir;
    ToolRun run = runTool(dir.path(), {"check"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("12 paths, 86 marks load; the file loads whole"), std::string::npos) << run.out;

    writeFile(dir / "gap.qzt", "Path0Mark0X = 1;\nPath0Mark0Y = 1;\nPath0Mark0Z = 1;\nPath2Mark0X = 1;\n");
    writeFile(dir / "coordinate.qzt",
              "Path0Mark0X = 1;\nPath0Mark0Y = 1;\nPath0Mark0Z = 1;\nPath0Mark1X = 1;\nPath0Mark1Z = 1;\n");
    writeFile(dir / "mark0.qzt", "Path0Mark0X = 1;\nPath0Mark0Y = 1;\nPath1Mark0X = 1;\nPath1Mark0Y = 1;\n"
                                 "Path1Mark0Z = 1;\n");
    writeFile(dir / "whole.qzt", "Path0Mark0X = 1;\r\nPath0Mark0Y = 1;\r\nPath0Mark0Z = 1;\r\n");
    const struct {
        const char* file;
        int code;
        const char* says;
    } cases[] = {
        {"gap.qzt", 1, "line 4: Path2Mark0X never reached: path 2 comes after the gap at path 1"},
        {"coordinate.qzt", 1, "line 4: Path0Mark1X never reached: path 0 ends at mark 0: mark 1 lacks Y"},
        {"mark0.qzt", 1, "line 1: Path0Mark0X never reached: mark 0 of path 0 lacks Z"},
        {"mark0.qzt", 1, "path 1: 1 mark, lines 3-5 (loads as path 0)"},
        {"whole.qzt", 0, "1 path, 1 mark load; the file loads whole"},
    };
    for (const auto& c : cases) {
        run = runTool(dir.path(), {"check", c.file});
        EXPECT_EQ(run.code, c.code) << c.file;
        EXPECT_NE(run.out.find(c.says), std::string::npos) << run.out;
    }

    // Several files: reported each, the worst exit code wins.
    run = runTool(dir.path(), {"check", "whole.qzt", "gap.qzt", "--json"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(countOf(run.out, "\"readable\":true"), 2);
    EXPECT_NE(run.out.find("\"exitCode\":1"), std::string::npos);
    run = runTool(dir.path(), {"check", "whole.qzt", "missing.qzt"});
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.out.find("whole.qzt"), std::string::npos);
    EXPECT_EQ(run.err, "zunai: cannot read path database missing.qzt\n");
}

std::string pathStatements(int path, const std::vector<std::array<float, 3>>& marks)
{
    std::string text;
    for (std::size_t m = 0; m < marks.size(); ++m)
        text += markStatements(path, int(m), marks[m][0], marks[m][1], marks[m][2]);
    return text;
}

TEST(ToolCommandLine, CheckAgainstTheLevelFindsEachPlantedDefectByLine)
{
    TempDir dir;
    const std::string level = (fs::path(ZUNAI_SAMPLE) / "data" / "levels" / "courtyard.obj").string();
    const json clean = runJson(dir.path(), {"check", "--level", level});
    EXPECT_EQ(clean["problems"].size(), 0u) << clean.dump();
    EXPECT_EQ(clean["groups"].size(), 1u);
    EXPECT_EQ(clean["paths"], 12);

    // After the sample's lines: mark 1 of path 12 too high, path 13 off the
    // level and path 14 through the monument, each mark on 3 lines.
    const int n = countOf(sampleDatabase(), "\n");
    writeFile(dir / "planted.qzt", sampleDatabase() + pathStatements(12, {{-150, -160, 24.7f}, {-150, -130, 27.7f}}) +
                                       pathStatements(13, {{500, 500, 24.7f}, {530, 500, 24.7f}}) +
                                       pathStatements(14, {{-30, 0, 24.7f}, {30, 0, 24.7f}}));
    const json report = runJson(dir.path(), {"check", "planted.qzt", "--level", level}, 1);
    const struct {
        const char* kind;
        int path, mark, line;
    } expected[] = {
        {"height", 12, 1, n + 4}, {"no-ground", 13, 0, n + 7}, {"no-ground", 13, 1, n + 10},
        {"isolated", 13, -1, n + 7}, {"blocked-link", 14, 0, n + 13},
    };
    ASSERT_EQ(report["problems"].size(), std::size(expected)) << report["problems"].dump();
    for (const auto& x : expected) {
        const auto found = std::find_if(report["problems"].begin(), report["problems"].end(), [&](const json& p) {
            return p["kind"] == x.kind && p["path"] == x.path && (x.mark < 0 ? !p.contains("mark") : p["mark"] == x.mark);
        });
        ASSERT_NE(found, report["problems"].end()) << x.kind << " path " << x.path;
        EXPECT_EQ((*found)["line"], x.line) << x.kind;
    }
    // Path 13 is a group of its own.
    EXPECT_NE(std::find(report["groups"].begin(), report["groups"].end(), json::array({13})), report["groups"].end());

    const ToolRun run = runTool(dir.path(), {"check", "planted.qzt", "--level", level});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.out.find("path 14 mark 0: blocked-link: "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("groups of paths that can chain into each other"), std::string::npos);
}

TEST(ToolCommandLine, BatchSummaryAndExitCodes)
{
    TempDir dir;
    writeFile(dir / "good.txt", "# the sample's routes\n"
                                "route -150,-178,24.7 140,158,44.7 expect=reach\n"
                                "\n"
                                "walk -160,-40 -160,10 expect=reach   # X,Y on the ground\n"
                                "route 0,0,500 10,0,500 expect=none\n"
                                "route 0,0,24.7 150,150,44.7 first-join=60 join=60 min-dot=-0.707 max-height-diff=4\n");
    const json good = runJson(dir.path(), {"batch", "good.txt"});
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
    expectError(runTool(dir.path(), {"batch", "broken.txt"}), "broken.txt, line 2: expected route or walk");
}

// Metres, y up: ground 4 x 4 at height 0, a platform 1 x 1 at 0.5 over
// x in [0, 1], z in [0, 1] (so y in [-100, 0] once turned and scaled).
TEST(ToolCommandLine, YUpLevelInMetresProbedAndShownWithoutDatabase)
{
    TempDir dir;
    fs::create_directories(dir / "game" / "bin");
    writeFile(dir / "game" / "data" / "levels" / "hall.obj", "o ground\nv -2 0 -2\nv 2 0 -2\nv 2 0 2\nv -2 0 2\n"
                                                             "f 1 2 3 4\no platform\nv 0 0.5 0\nv 1 0.5 0\n"
                                                             "v 1 0.5 1\nv 0 0.5 1\nf 5 6 7 8\n");
    auto run = [&](std::vector<std::string> args) {
        args.insert(args.end(), {"--game", "game", "--up", "y", "--scale", "100"});
        return runTool(dir.path(), args);
    };
    ToolRun r = run({"probe", "50,-50", "--json"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "{\"x\":50,\"y\":-50,\"floors\":[{\"ground\":50,\"mark\":74.7},{\"ground\":0,\"mark\":24.7}]}\n");
    r = run({"probe", "50,-50,60"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "zunai probe: warning: point 50,-50,60 is 10 above the floor below it (at 50); marks stand "
                     "24.7 above the ground (X,Y puts a point there)\n");

    r = run({"show", "--png", "hall.png", "--json"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("\"png\":\"hall.png\""), std::string::npos) << r.out;
    EXPECT_EQ(readFile(dir / "hall.png").substr(1, 3), "PNG");
    EXPECT_FALSE(fs::exists(dir / "hall.svg"));

    r = run({"show", "--region", "0,0,0,10"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "zunai show: --region: expected X0,Y0,X1,Y1 (two corners of an area), got '0,0,0,10'\n");
    r = run({"walk", "--from", "300,300", "--to", "0,0"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "zunai walk: --from: no ground at 300,300: a ray cast down there meets nothing\n");
}

TEST(ToolCommandLine, BadArgumentsAreOneLineAndExitTwo)
{
    TempDir dir;
    const std::string from = "--from=0,0,24.7", to = "--to=10,0,24.7";
    writeFile(dir / "bad.obj", "v 0 0 0\nv 1 0 zero\nf 1 2 3\n");
    fs::create_directories(dir / "nobin" / "data");
    makeGame(dir / "nolevel", sampleDatabase(), false);
    makeGame(dir / "twolevels", sampleDatabase());
    fs::copy_file(dir / "twolevels" / "data" / "levels" / "courtyard.obj", dir / "twolevels" / "data" / "levels" / "b.obj");
    makeGame(dir / "nodb", "");
    const struct {
        std::vector<std::string> args;
        std::string mentions;
    } cases[] = {
        {{}, "no command"},
        {{"fly"}, "unknown command 'fly'"},
        {{"--fast"}, "unknown option '--fast'"},
        {{"help", "fly"}, "unknown command 'fly'"},
        {{"demo", "--fast"}, "unknown option '--fast'"},
        {{"check", "--svg", "x.svg"}, "unknown option '--svg'"},
        {{"show", "--from", "1,2,3"}, "unknown option '--from'"},
        {{"demo", "extra"}, "unexpected argument 'extra'"},
        {{"route", to}, "--from X,Y[,Z] is required"},
        {{"walk", from}, "--to X,Y[,Z] is required"},
        {{"route", to, "--from"}, "--from needs a value"},
        {{"route", from, "--to="}, "--to needs a value"},
        {{"demo", "--json=yes"}, "--json takes no value"},
        // Files and folders.
        {{"demo", "--game", "nowhere"}, "game directory not found: nowhere"},
        {{"check", "--game", "nowhere"}, "nowhere"},
        {{"show", "--game", "nobin"}, "no bin/ folder"},
        {{"route", from, to, "--level", "none.obj"}, "cannot read level file none.obj"},
        {{"show", "--level", "bad.obj"}, "level file bad.obj, line 2: vertex 2 has a coordinate that is no number ('zero')"},
        {{"demo", "--game", "nolevel"}, "no level (*.obj, *.gltf, *.glb)"},
        {{"demo", "--game", "twolevels"}, "choose one with --level"},
        {{"route", "--game", "nodb", from, to}, "cannot read path database"},
        {{"check", "--game", "nodb"}, "cannot read path database"},
        {{"check", "."}, "cannot read path database ."},
        // Nothing half-written: no picture in a folder that isn't there,
        // and none when the run fails before drawing.
        {{"demo", "--svg", "no/such/folder/x.svg"}, "cannot write"},
        {{"demo", "--level", "bad.obj"}, "bad.obj"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mentions);
        expectError(runTool(dir.path(), c.args), c.mentions);
    }
    for (const char* bad : {"1", "1,2,3,4", "a,b,c", "1,,3", "1,2,", "nan,1,2", "1,inf,2", "1e99,0,0", "++1,0,0",
                            "1;2;3", "0x10,0,0"}) {
        expectError(runTool(dir.path(), {"route", std::string("--from=") + bad, to}), "--from");
        expectError(runTool(dir.path(), {"walk", from, "--to", bad}), std::string("got '") + bad + "'");
    }
    EXPECT_FALSE(fs::exists(dir / "no"));
    EXPECT_FALSE(fs::exists(dir / "courtyard.svg"));
    for (const auto& entry : fs::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
}

} // namespace
