// The built zunai program, end to end on the sample and on broken input.

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "zunaiToolTestSupport.h"

namespace {

namespace fs = std::filesystem;
using namespace zunaiTestSupport;

// Points on the ground: they stand 24.7 above it (the terrace is 20 high).
const std::string floorStart = "-150,-178";
const std::string terraceGoal = "140,158";

// The first line of `text` that holds every one of `parts`, in order; empty if none.
std::string lineWith(const std::string& text, const std::vector<std::string>& parts)
{
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::size_t at = 0;
        bool all = true;
        for (const auto& part : parts) {
            at = line.find(part, at);
            if (at == std::string::npos) {
                all = false;
                break;
            }
            at += part.size();
        }
        if (all)
            return line;
    }
    return {};
}

// The number after `label` at the start of a line of `text`, or -1.
long numberAfter(const std::string& text, const std::string& label)
{
    const std::string line = lineWith(text, {label});
    if (line.compare(0, label.size(), label) != 0)
        return -1;
    return std::stol(line.substr(label.size()));
}

// A failure is one line on stderr, nothing on stdout, exit code 2.
void expectError(const ToolRun& run, const std::string& mentions)
{
    EXPECT_EQ(run.code, 2) << run.out << run.err;
    EXPECT_EQ(lineCount(run.err), 1) << run.err;
    EXPECT_EQ(run.err.compare(0, 5, "zunai"), 0) << run.err;
    EXPECT_NE(run.err.find(mentions), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
}

TEST(ToolCommandLine, HelpForTheToolAndEachCommand)
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
}

TEST(ToolCommandLine, VersionBothOptionFormsAndJsonErrors)
{
    TempDir dir;
    ToolRun run = runTool(dir.path(), {"--version"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out.compare(0, 6, "zunai "), 0) << run.out;

    // --opt=value and --opt value name the same game.
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
        EXPECT_EQ(lineCount(run.out), 1);
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
    EXPECT_EQ(lineCount(json.out), 1);
    EXPECT_EQ(countOf(json.out, "\"way\":\"chained\""), 4);
    EXPECT_EQ(countOf(json.out, "\"way\":\"walked\""), 4);
    EXPECT_NE(json.out.find("\"svg\":\"pic.svg\""), std::string::npos);
    EXPECT_TRUE(fs::exists(dir / "pic.svg"));
}

TEST(ToolCommandLine, RouteAndWalk)
{
    TempDir dir;
    ToolRun run = runTool(dir.path(), {"route", "--from", floorStart, "--to", terraceGoal});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.find("chained route from (-150.0, -178.0, 24.7) to (140.0, 158.0, 44.7)"), 0u) << run.out;
    EXPECT_GT(numberAfter(run.out, "  marks "), 1);
    EXPECT_NE(run.out.find("reached  yes"), std::string::npos);
    EXPECT_GT(numberAfter(run.out, "  rays "), 0);
    EXPECT_TRUE(fs::is_empty(dir.path()));

    // A clear line: the walk's one mark is the goal at the start's height.
    run = runTool(dir.path(), {"walk", "--from=-160,-40,24.7", "--to=-160,10,24.7", "--json", "--svg", "walk.svg"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("\"command\":\"walk\""), std::string::npos);
    EXPECT_NE(run.out.find("\"markCount\":1,\"marks\":[[-160,10,24.7]]"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"reached\":true"), std::string::npos);
    EXPECT_NE(run.out.find("\"rays\":9"), std::string::npos);
    EXPECT_EQ(svgProblem(readFile(dir / "walk.svg")), "");

    // No stored path near: the module answers none.
    run = runTool(dir.path(), {"route", "--from", "0,0,500", "--to", "10,0,500"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("no route"), std::string::npos) << run.out;
}

TEST(ToolCommandLine, ShowListsAndDrawsTheStoredPaths)
{
    TempDir dir;
    const ToolRun run = runTool(dir.path(), {"show"});
    ASSERT_EQ(run.code, 0) << run.err;
    // Path 0 has 9 marks and the first colour of the sequence; 12 paths in all.
    EXPECT_NE(lineWith(run.out, {"     0      9 ", " #d0abcb "}), "") << run.out;
    EXPECT_NE(lineWith(run.out, {"    11 "}), "");
    EXPECT_EQ(lineWith(run.out, {"    12 "}), "");
    const std::string svg = readFile(dir / "courtyard.svg");
    EXPECT_EQ(svgProblem(svg), "");
    EXPECT_EQ(countOf(svg, "<polyline"), 12);
    EXPECT_NE(svg.find("stroke=\"#d0abcb\""), std::string::npos);
}

TEST(ToolCommandLine, GameDirectories)
{
    // The sample under the current directory is the default; --game is
    // taken relative to the current directory.
    TempDir dir;
    makeGame(dir / "samples" / "courtyard", sampleDatabase());
    ToolRun run = runTool(dir.path(), {"show", "--svg", "a.svg"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out.find("game      samples/courtyard\n"), 0u) << run.out;

    makeGame(dir / "other", "Path0Mark0X = 0;\nPath0Mark0Y = 0;\nPath0Mark0Z = 24.7;\n"
                            "Path0Mark1X = 0;\nPath0Mark1Y = 30;\nPath0Mark1Z = 24.7;\n");
    run = runTool(dir.path(), {"show", "--game", "other", "--svg", "b.svg", "--json"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("\"game\":\"other\""), std::string::npos);
    EXPECT_NE(run.out.find("\"paths\":1,\"marks\":2"), std::string::npos) << run.out;

    // The walk needs no database.
    makeGame(dir / "bare", "");
    run = runTool(dir.path(), {"walk", "--game", "bare", "--from", "0,-40,24.7", "--to", "0,-80,24.7"});
    EXPECT_EQ(run.code, 0) << run.err;
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
    struct Case {
        const char* file;
        int code;
        const char* says;
    } cases[] = {
        {"gap.qzt", 1, "line 4: Path2Mark0X never reached: path 2 comes after the gap at path 1"},
        {"coordinate.qzt", 1, "line 4: Path0Mark1X never reached: path 0 ends at mark 0: mark 1 lacks Y"},
        {"mark0.qzt", 1, "line 1: Path0Mark0X never reached: mark 0 of path 0 lacks Z"},
        {"whole.qzt", 0, "1 path, 1 mark load; the file loads whole"},
    };
    for (const Case& c : cases) {
        run = runTool(dir.path(), {"check", c.file});
        EXPECT_EQ(run.code, c.code) << c.file;
        EXPECT_NE(run.out.find(c.says), std::string::npos) << run.out;
    }
    run = runTool(dir.path(), {"check", "mark0.qzt"});
    EXPECT_NE(run.out.find("path 1: 1 mark, lines 3-5 (loads as path 0)"), std::string::npos) << run.out;

    // Several files: reported each, the worst exit code wins.
    run = runTool(dir.path(), {"check", "whole.qzt", "gap.qzt", "--json"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(countOf(run.out, "\"readable\":true"), 2);
    EXPECT_NE(run.out.find("\"exitCode\":1"), std::string::npos);

    run = runTool(dir.path(), {"check", "whole.qzt", "missing.qzt"});
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.out.find("whole.qzt"), std::string::npos);
    EXPECT_EQ(run.err, "zunai: cannot read path database missing.qzt\n");
    expectError(runTool(dir.path(), {"check", "."}), "cannot read path database .");
}

TEST(ToolCommandLine, BadArgumentsAreOneLineAndExitTwo)
{
    TempDir dir;
    const std::string from = "--from=0,0,24.7", to = "--to=10,0,24.7";
    expectError(runTool(dir.path(), {}), "no command");
    expectError(runTool(dir.path(), {"fly"}), "unknown command 'fly'");
    expectError(runTool(dir.path(), {"--fast"}), "unknown option '--fast'");
    expectError(runTool(dir.path(), {"help", "fly"}), "unknown command 'fly'");
    expectError(runTool(dir.path(), {"demo", "--fast"}), "unknown option '--fast'");
    expectError(runTool(dir.path(), {"check", "--svg", "x.svg"}), "unknown option '--svg'");
    expectError(runTool(dir.path(), {"show", "--from", "1,2,3"}), "unknown option '--from'");
    expectError(runTool(dir.path(), {"demo", "extra"}), "unexpected argument 'extra'");
    expectError(runTool(dir.path(), {"route", to}), "--from X,Y[,Z] is required");
    expectError(runTool(dir.path(), {"walk", from}), "--to X,Y[,Z] is required");
    expectError(runTool(dir.path(), {"route", to, "--from"}), "--from needs a value");
    expectError(runTool(dir.path(), {"route", from, "--to="}), "--to needs a value");
    expectError(runTool(dir.path(), {"demo", "--json=yes"}), "--json takes no value");
    for (const char* bad : {"1", "1,2,3,4", "a,b,c", "1,,3", "1,2,", "nan,1,2", "1,inf,2", "1e99,0,0", "++1,0,0",
                            "1;2;3", "0x10,0,0"}) {
        expectError(runTool(dir.path(), {"route", std::string("--from=") + bad, to}), "--from");
        expectError(runTool(dir.path(), {"walk", from, "--to", bad}), std::string("got '") + bad + "'");
    }
    // Files and folders.
    expectError(runTool(dir.path(), {"demo", "--game", "nowhere"}), "game directory not found: nowhere");
    fs::create_directories(dir / "nobin" / "data");
    expectError(runTool(dir.path(), {"show", "--game", "nobin"}), "no bin/ folder");
    expectError(runTool(dir.path(), {"route", from, to, "--level", "none.obj"}), "cannot read level file none.obj");
    writeFile(dir / "bad.obj", "v 0 0 0\nv 1 0 zero\nf 1 2 3\n");
    expectError(runTool(dir.path(), {"show", "--level", "bad.obj"}), "level file bad.obj, line 2: vertex 2 has a coordinate that is no number ('zero')");
    makeGame(dir / "nolevel", sampleDatabase(), false);
    expectError(runTool(dir.path(), {"demo", "--game", "nolevel"}), "no level (*.obj, *.gltf, *.glb)");
    makeGame(dir / "twolevels", sampleDatabase());
    fs::copy_file(dir / "twolevels" / "data" / "levels" / "courtyard.obj", dir / "twolevels" / "data" / "levels" / "b.obj");
    expectError(runTool(dir.path(), {"demo", "--game", "twolevels"}), "choose one with --level");
    makeGame(dir / "nodb", "");
    expectError(runTool(dir.path(), {"route", "--game", "nodb", from, to}), "cannot read path database");
    expectError(runTool(dir.path(), {"check", "--game", "nodb"}), "cannot read path database");
    expectError(runTool(dir.path(), {"check", "--game", "nowhere"}), "nowhere");

    // Nothing half-written: no picture in a folder that isn't there, and
    // none when the run fails before drawing.
    expectError(runTool(dir.path(), {"demo", "--svg", "no/such/folder/x.svg"}), "cannot write");
    EXPECT_FALSE(fs::exists(dir / "no"));
    expectError(runTool(dir.path(), {"demo", "--level", "bad.obj"}), "bad.obj");
    EXPECT_FALSE(fs::exists(dir / "courtyard.svg"));
    for (const auto& entry : fs::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
}

} // namespace
