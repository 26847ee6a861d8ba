// The built zunai program, end to end on the sample and on broken input:
// every command, its diagnostics, batches, levels made elsewhere and the
// generator's refusals, each run held to its exit code, its output and the
// files it leaves.

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "zunaiTestLevels.h"
#include "zunaiToolTestSupport.h"

namespace {

namespace fs = std::filesystem;
using namespace zunaiTestSupport;
using json = nlohmann::json;

const std::string sampleLevel = (fs::path(ZUNAI_SAMPLE) / "data" / "levels" / "courtyard.obj").string();
const json absent = "(absent)";

// One run of the program in the fixture folder (or `cwd` under it).
struct Call {
    std::vector<std::string> args;
    int code;
    std::vector<std::string> says;                        // in stdout; after a '^', at its start
    std::vector<std::pair<std::string, json>> fields = {};  // under --json: JSON pointer -> value
    std::set<std::string> writes = {};                    // the files it adds or changes, no other
    std::string err = "";                                 // stderr exactly
    std::string cwd = ".";
};

// A run that fails: exit code 2, `err` its one line on stderr, nothing on stdout.
Call fails(std::vector<std::string> args, std::string err)
{
    return Call{std::move(args), 2, {}, {}, {}, std::move(err)};
}

// Every file and folder under `dir`: its name, and a file's bytes.
std::set<std::pair<std::string, std::string>> contents(const fs::path& dir)
{
    std::set<std::pair<std::string, std::string>> all;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        const std::string name = fs::relative(entry.path(), dir).generic_string();
        all.emplace(name, entry.is_directory() ? "/" : zunReadFile(entry.path()));
    }
    return all;
}

void expectCall(const fs::path& dir, const Call& r)
{
    SCOPED_TRACE(testing::PrintToString(r.args));
    const auto before = contents(dir);
    const ToolRun run = runTool(dir / r.cwd, r.args);
    EXPECT_EQ(run.code, r.code) << run.err;
    EXPECT_EQ(run.err, r.err);
    // A failure prints nothing on stdout, unless under --json.
    if (r.code == 2 && r.says.empty() && r.fields.empty()) {
        EXPECT_EQ(run.out, "");
    }
    for (const auto& s : r.says)
        EXPECT_TRUE(s[0] == '^' ? run.out.rfind(s.substr(1), 0) == 0 : run.out.find(s) != std::string::npos)
            << s << "\n" << run.out;
    const json out = json::parse(run.out, nullptr, false);
    for (const auto& [pointer, value] : r.fields) {
        const json::json_pointer at(pointer);
        EXPECT_EQ(!out.is_discarded() && out.contains(at) ? out[at] : absent, value) << pointer;
    }
    std::vector<std::pair<std::string, std::string>> differ;
    const auto after = contents(dir);
    std::set_symmetric_difference(before.begin(), before.end(), after.begin(), after.end(), std::back_inserter(differ));
    std::set<std::string> changed;
    for (const auto& entry : differ)
        changed.insert(entry.first);
    EXPECT_EQ(changed, r.writes);
}

// The games and files the runs use, in `dir`.
void makeFixtures(const fs::path& dir)
{
    // Game directories: one under local/ where the default looks first,
    // one with a path of 2 marks, broken ones.
    makeGame(dir / "local" / "samples" / "courtyard", sampleDatabase());
    makeGame(dir / "other", markStatements(0, 0, 0, 0, 24.7f) + markStatements(0, 1, 0, 30, 24.7f));
    makeGame(dir / "nodb", "");
    makeGame(dir / "nolevel", sampleDatabase(), false);
    makeGame(dir / "twolevels", sampleDatabase());
    fs::copy_file(sampleLevel, dir / "twolevels" / "data" / "levels" / "b.obj");
    fs::create_directories(dir / "nobin" / "data");
    writeFile(dir / "bad.obj", "v 0 0 0\nv 1 0 zero\nf 1 2 3\n");
    // Metres, y up: ground 4 x 4 at height 0, a platform 1 x 1 at 0.5 over
    // x in [0, 1], z in [0, 1] (so y in [-100, 0] once turned and scaled).
    fs::create_directories(dir / "hall" / "bin");
    writeFile(dir / "hall" / "data" / "levels" / "hall.obj", "o ground\nv -2 0 -2\nv 2 0 -2\nv 2 0 2\nv -2 0 2\n"
                                                             "f 1 2 3 4\no platform\nv 0 0.5 0\nv 1 0.5 0\n"
                                                             "v 1 0.5 1\nv 0 0.5 1\nf 5 6 7 8\n");
    // A generated level with a database in the way; a level with nothing
    // to stand on, one upright wall.
    zunaiWriteTestGame(dir / "maze", zunaiMakeTestLevel(zunaiTestLevelKind::Maze));
    writeFile(dir / "maze" / "data" / "memory" / "levels" / "paths.qzt", "old = 1;\n");
    fs::create_directories(dir / "bare" / "bin");
    writeFile(dir / "bare" / "data" / "levels" / "wall.obj", "v 0 0 0\nv 100 0 0\nv 100 0 100\nv 0 0 100\nf 1 2 3 4\n");

    // Databases, each with one kind of loss.
    writeFile(dir / "gap.qzt", "Path0Mark0X = 1;\nPath0Mark0Y = 1;\nPath0Mark0Z = 1;\nPath2Mark0X = 1;\n");
    writeFile(dir / "coordinate.qzt",
              "Path0Mark0X = 1;\nPath0Mark0Y = 1;\nPath0Mark0Z = 1;\nPath0Mark1X = 1;\nPath0Mark1Z = 1;\n");
    writeFile(dir / "mark0.qzt", "Path0Mark0X = 1;\nPath0Mark0Y = 1;\nPath1Mark0X = 1;\nPath1Mark0Y = 1;\n"
                                 "Path1Mark0Z = 1;\n");
    writeFile(dir / "whole.qzt", "Path0Mark0X = 1;\r\nPath0Mark0Y = 1;\r\nPath0Mark0Z = 1;\r\n");
    // After the sample's lines: mark 1 of path 12 too high, path 13 off the
    // level and path 14 through the monument, each mark on 3 lines.
    writeFile(dir / "planted.qzt",
              sampleDatabase() + markStatements(12, 0, -150, -160, 24.7f) + markStatements(12, 1, -150, -130, 27.7f) +
                  markStatements(13, 0, 500, 500, 24.7f) + markStatements(13, 1, 530, 500, 24.7f) +
                  markStatements(14, 0, -30, 0, 24.7f) + markStatements(14, 1, 30, 0, 24.7f));

    writeFile(dir / "good.txt", "# the sample's routes\n"
                                "route -150,-178,24.7 140,158,44.7 expect=reach\n"
                                "\n"
                                "walk -160,-40 -160,10 expect=reach   # X,Y on the ground\n"
                                "route 0,0,500 10,0,500 expect=none\n"
                                "route 0,0,24.7 150,150,44.7 first-join=60 join=60 min-dot=-0.707 max-height-diff=4\n");
    writeFile(dir / "bad.txt", "route 0,0,24.7 150,150,44.7 first-join=60 expect=found\n");
    writeFile(dir / "broken.txt", "route 1,2,3 4,5,6\nfly 1,2 3,4\n");
}

TEST(ToolCommandLine, EveryCommandEndToEnd)
{
    TempDir dir;
    makeFixtures(dir.dir());
    const std::string from = "--from=0,0,24.7", to = "--to=10,0,24.7";
    const std::string high = "zunai route: warning: --from: point 0,0,500 is 440 above the floor below it (at 60); "
                             "marks stand 24.7 above the ground (X,Y puts a point there)\n"
                             "zunai route: warning: --to: point 10,0,500 is 440 above the floor below it (at 60); "
                             "marks stand 24.7 above the ground (X,Y puts a point there)\n";
    const std::string badObj = "level file bad.obj, line 2: vertex 2 has a coordinate that is no number ('zero')\n";
    const std::string folder = (dir / "no/such/folder").string();
    const std::string noDatabase = "cannot read path database nodb/data/memory/levels/paths.qzt\n";
    const std::vector<std::pair<std::string, json>> tenPasses = {
        {"/found", true}, {"/reached", false}, {"/rays", 174}, {"/length", 2393.694}, {"/markCount", 80},
        {"/marks/79", json::array({-145, -175, 24.700003})}};
    // Explained: ten passes that never meet, every stored path judged on each
    // side with its verdict, the closing link tested and failing each time.
    std::vector<std::pair<std::string, json>> explained = tenPasses;
    explained.insert(explained.end(),
                     {{"/end", "ten-passes"}, {"/passes/10", absent},
                      {"/passes/9/closing", json::parse(R"({"tested": true, "holds": false, "reason": "length"})")},
                      {"/passes/0/goalSide/chosen", nullptr},
                      {"/passes/0/goalSide/candidates",
                       json::parse(R"([{"path": 0, "verdict": "join"}, {"path": 1, "verdict": "join"},)"
                                   R"({"path": 2, "verdict": "join"}, {"path": 3, "verdict": "sight"},)"
                                   R"({"path": 4, "verdict": "join"}, {"path": 5, "verdict": "sight"},)"
                                   R"({"path": 6, "verdict": "sight"}, {"path": 7, "verdict": "height"},)"
                                   R"({"path": 8, "verdict": "join"}, {"path": 9, "verdict": "join"},)"
                                   R"({"path": 10, "verdict": "join"}, {"path": 11, "verdict": "sight"}])")},
                      {"/passes/2/startSide/chosen", 3},
                      {"/passes/2/startSide/candidates",
                       json::parse(R"([{"path": 0, "verdict": "join"}, {"path": 1, "verdict": "direction"},)"
                                   R"({"path": 2, "verdict": "excluded"},)"
                                   R"({"path": 3, "verdict": "chosen", "score": 2110.537},)"
                                   R"({"path": 4, "verdict": "scored", "score": 624.317},)"
                                   R"({"path": 5, "verdict": "join"}, {"path": 6, "verdict": "join"},)"
                                   R"({"path": 7, "verdict": "height"},)"
                                   R"({"path": 8, "verdict": "scored", "score": -771.978},)"
                                   R"({"path": 9, "verdict": "goal-direction"}, {"path": 10, "verdict": "join"},)"
                                   R"({"path": 11, "verdict": "join"}])")}});
    const auto hall = [](std::vector<std::string> args) {
        args.insert(args.end(), {"--game", "hall", "--up", "y", "--scale", "100"});
        return args;
    };
    std::vector<Call> calls = {
        {{"--version"}, 0, {"^zunai "}},
        // --opt=value and --opt value name the same game; the walk needs no database.
        {{"walk", "--from=0,-40,24.7", "--to", "0,-80,24.7", "--json", "--game=nodb"}, 0, {}, {{"/game", "nodb"}}},
        {{"walk", "--from=0,-40,24.7", "--to", "0,-80,24.7", "--json", "--game", "nodb"}, 0, {}, {{"/game", "nodb"}}},
        // Under --json an error is one JSON object on stdout, nothing on stderr.
        {{"route", "--json", "--from=1,2"}, 2, {}, {{"/error", "zunai route: --to X,Y[,Z] is required"}}},
        {{"fly", "--json"}, 2, {}, {{"/error", "zunai: unknown command 'fly' (try zunai --help)"}}},
        {{"show", "--json", "--game", "nowhere"}, 2, {}, {{"/error", "zunai: game directory not found: nowhere"}}},

        // The demo: each request both ways, every chained route of the
        // sample arrives; only the picture is left, no temporary file.
        {{"demo"}, 0,
         {"  gate yard -> terrace    chained     20    541.8  yes (45.6)       60\n",
          "  gate yard -> terrace    walked      31    446.9  no (206.0)     9211\n",
          "  hall door -> barn yard  chained     12    340.9  yes (29.2)       95\n",
          "  hall door -> barn yard  walked      27    297.1  yes (0.0)      7991\n",
          "  terrace -> gate yard    chained     24    617.9  yes (16.0)       90\n",
          "  terrace -> gate yard    walked      31    402.2  no (161.0)     9211\n",
          "  plaza -> north lane     chained      6    176.1  yes (7.6)        74\n",
          "  plaza -> north lane     walked       8    161.9  yes (0.0)      2158\n", "12 paths",
          "wrote courtyard.svg"},
         {}, {"courtyard.svg"}},
        {{"demo", "--json", "--svg", "pic.svg"}, 0, {},
         {{"/svg", "pic.svg"}, {"/routes/6/way", "chained"}, {"/routes/7/way", "walked"}, {"/routes/8", absent}},
         {"pic.svg"}},

        // Points on the ground stand 24.7 above it (the terrace is 20 high).
        {{"route", "--from", "-150,-178", "--to", "140,158"}, 0,
         {"^chained route from (-150.0, -178.0, 24.7) to (140.0, 158.0, 44.7)", "reached  yes"}},
        // A clear line: the walk's one mark is the goal at the start's height, a direct pass.
        {{"walk", "--from=-160,-40,24.7", "--to=-160,10,24.7", "--json", "--svg", "walk.svg", "--explain"}, 0, {},
         {{"/command", "walk"}, {"/markCount", 1}, {"/marks", json::array({json::array({-160, 10, 24.7})})},
          {"/reached", true}, {"/rays", 9}, {"/end", "direct"}, {"/passes/0/direct", true}},
         {"walk.svg"}},
        // No stored path near: the module answers none, both sides empty at once.
        {{"route", "--from=0,0,500", "--to=10,0,500"}, 0,
         {"no route", "why      no stored path qualifies from either end: nearest miss: path "}, {}, {}, high},
        {{"route", "--from=0,0,500", "--to=10,0,500", "--explain", "--json"}, 0, {}, {{"/end", "both-empty"}}, {},
         high},
        // Tuning reaches the module: a first join of 60 leaves the start side empty.
        {{"route", "--from=0,0,24.7", "--to=150,150,44.7", "--first-join=60", "--explain", "--json"}, 0, {},
         {{"/passes/0/joinDist", 60}, {"/passes/0/startSide/chosen", nullptr}}, {},
         "zunai route: warning: --from: point 0,0,24.7 lies inside the level's geometry (1 surface above it)\n"},
        // Explained, the route is the same; the text gives grouped reasons,
        // best scored, the end and one line of advice.
        {{"route", "--from=-180,180,24.7", "--to=180,-180,24.7", "--json"}, 0, {}, tenPasses},
        {{"route", "--from=-180,180,24.7", "--to=180,-180,24.7", "--json", "--explain"}, 0, {}, explained},
        {{"route", "--from=-180,180,24.7", "--to=180,-180,24.7", "--explain"}, 0,
         {"dropped, nearer end too far to join [join]: paths ",
          "best scored: path 3 2110.5 (chosen), path 4 624.3, path 8 -772.0\n", "end: ten-passes",
          "to get through: the closing link failed: the open ends are ", "length   ", "last mark to goal"}},

        // The sample under the current directory is the default: path 0
        // has 9 marks and the first colour of the sequence. --game is taken
        // relative to the current directory.
        {{"show"}, 0,
         {"^game      samples/courtyard\n",
          "\n     0      9    231.1  #d0abcb  (-160.0, -168.0, 24.7)  (-168.0, 58.0, 24.7)\n",
          "\n    11      8    211.9  #d577f8  (104.0, -90.0, 24.7)  (168.0, 50.0, 24.7)\n"},
         {}, {"local/courtyard.svg"}, "", "local"},
        {{"show", "--game", "other", "--svg", "b.svg", "--json"}, 0, {},
         {{"/game", "other"}, {"/database/paths", 1}, {"/database/marks", 2}}, {"b.svg"}},

        // The database check, one run per kind of loss.
        {{"check"}, 0, {"12 paths, 86 marks load; the file loads whole"}},
        {{"check", "gap.qzt"}, 1, {"line 4: Path2Mark0X never reached: path 2 comes after the gap at path 1"}},
        {{"check", "coordinate.qzt"}, 1, {"line 4: Path0Mark1X never reached: path 0 ends at mark 0: mark 1 lacks Y"}},
        {{"check", "mark0.qzt"}, 1,
         {"line 1: Path0Mark0X never reached: mark 0 of path 0 lacks Z",
          "path 1: 1 mark, lines 3-5 (loads as path 0)"}},
        {{"check", "whole.qzt"}, 0, {"1 path, 1 mark load; the file loads whole"}},
        // Several files: reported each, the worst exit code wins.
        {{"check", "whole.qzt", "gap.qzt", "--json"}, 1, {},
         {{"/files/0/readable", true}, {"/files/1/readable", true}, {"/exitCode", 1}}},
        {{"check", "whole.qzt", "missing.qzt"}, 2, {"whole.qzt"}, {}, {},
         "zunai: cannot read path database missing.qzt\n"},
        // Against the level.
        {{"check", "--level", sampleLevel, "--json"}, 0, {},
         {{"/problems", json::array()}, {"/paths", 12}, {"/groups/1", absent}}},
        // Each planted defect by line, path, mark and kind (the sample has 284
        // lines); path 13 is a group of its own.
        {{"check", "planted.qzt", "--level", sampleLevel}, 1,
         {"line 288: path 12 mark 1: height: mark 1 stands 27.7 above the ground; the module would move it 3.0 down to "
          "24.7",
          "line 291: path 13 mark 0: no-ground: no ground within 30 below mark 0",
          "line 294: path 13 mark 1: no-ground: no ground within 30 below mark 1",
          "line 291: path 13: isolated: no other path's end can be joined from either end of this path, nor join it "
          "(within 60, 4 higher or lower, sight and ground probe clear)",
          "line 297: path 14 mark 0: blocked-link: the link from mark 0 to mark 1 is blocked for the ground probe (12 "
          "below)",
          "5 problems",
          "2 groups of paths that can chain into each other: paths 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14; "
          "paths 13"}},

        // Batches: the summary, a failed expectation, a broken line.
        {{"batch", "good.txt", "--json"}, 0, {},
         {{"/requests/1/line", 4}, {"/requests/4", absent}, {"/summary/requests", 4}, {"/summary/found", 2},
          {"/summary/reached", 2}, {"/summary/failedExpectations", 0}, {"/summary/rays", 264}}},
        {{"batch", "bad.txt"}, 1, {"EXPECTATION FAILED"}},
        {{"batch", "bad.txt", "--json"}, 1, {}, {{"/summary/failedExpectations", 1}}},
        fails({"batch", "broken.txt"}, "zunai: broken.txt, line 2: expected route or walk, got 'fly'\n"),

        // A y-up level in metres, probed and shown without a database.
        {hall({"probe", "50,-50", "--json"}), 0,
         {"^{\"x\":50,\"y\":-50,\"floors\":[{\"ground\":50,\"mark\":74.7},{\"ground\":0,\"mark\":24.7}]}\n"}},
        // A sign and an exponent are read, the point given back plainly.
        {hall({"probe", "+50,-50,6e1"}), 0, {}, {}, {},
         "zunai probe: warning: point 50,-50,60 is 10 above the floor below it (at 50); marks stand 24.7 above the "
         "ground (X,Y puts a point there)\n"},
        {hall({"show", "--png", "hall.png", "--json"}), 0, {}, {{"/png", "hall.png"}}, {"hall.png"}},
        fails(hall({"show", "--region", "0,0,0,10"}),
              "zunai show: --region: expected X0,Y0,X1,Y1 (two corners of an area), got '0,0,0,10'\n"),
        fails(hall({"walk", "--from", "300,300", "--to", "0,0"}),
              "zunai walk: --from: no ground at 300,300: a ray cast down there meets nothing\n"),

        // The generator: refusals change nothing; an existing database is
        // kept unless forced, then backed up; --out elsewhere.
        fails({"generate", "--game", "maze"},
              "zunai generate: maze/data/memory/levels/paths.qzt exists; give --force to replace it "
              "(a backup is kept)\n"),
        fails({"generate", "--game", "maze", "--force", "--radius", "400"},
              "zunai generate: empty network: an agent of radius 400 fits nowhere on the walkable surface of "
              "maze/data/levels/maze.obj; nothing generated (give a smaller --radius)\n"),
        fails({"generate", "--game", "maze", "--force", "--height", "-1"},
              "zunai generate: agent height must be from 1 to 1000\n"),
        fails({"generate", "--game", "maze", "--force", "--slope", "90"},
              "zunai generate: slope must be from 0 to 89 degrees\n"),
        fails({"generate", "--game", "maze", "--force", "--hubs", "0"}, "zunai generate: hubs must be from 1 to 32\n"),
        fails({"generate", "--game", "maze", "--force", "--out", "nowhere/x.qzt"},
              "zunai generate: no folder for nowhere/x.qzt\n"),
        {{"generate", "--game", "maze", "--force", "--json"}, 0, {},
         {{"/backup", "maze/data/memory/levels/paths.qzt.bak"}},
         {"maze/data/memory/levels/paths.qzt", "maze/data/memory/levels/paths.qzt.bak"}},
        {{"generate", "--game", "maze", "--out", "copy.qzt"}, 0, {}, {}, {"copy.qzt"}},
        fails({"generate", "--game", "bare"},
              "zunai generate: no walkable surface in bare/data/levels/wall.obj for an agent 50 tall that steps 8; "
              "nothing generated\n"),

        // Bad arguments: one line on stderr, nothing written.
        fails({}, "zunai: no command given (try zunai --help)\n"),
        fails({"fly"}, "zunai: unknown command 'fly' (try zunai --help)\n"),
        fails({"--fast"}, "zunai: unknown option '--fast' (try zunai --help)\n"),
        fails({"help", "fly"}, "zunai: unknown command 'fly' (try zunai --help)\n"),
        fails({"demo", "--fast"}, "zunai demo: unknown option '--fast' (try zunai demo --help)\n"),
        fails({"check", "--svg", "x.svg"}, "zunai check: unknown option '--svg' (try zunai check --help)\n"),
        fails({"show", "--from", "1,2,3"}, "zunai show: unknown option '--from' (try zunai show --help)\n"),
        fails({"demo", "extra"}, "zunai demo: unexpected argument 'extra'\n"),
        fails({"route", to}, "zunai route: --from X,Y[,Z] is required\n"),
        fails({"walk", from}, "zunai walk: --to X,Y[,Z] is required\n"),
        fails({"route", to, "--from"}, "zunai route: --from needs a value X,Y[,Z]\n"),
        fails({"route", from, "--to="}, "zunai route: --to needs a value X,Y[,Z]\n"),
        fails({"demo", "--json=yes"}, "zunai demo: --json takes no value\n"),
        // Files and folders.
        fails({"demo", "--game", "nowhere"}, "zunai: game directory not found: nowhere\n"),
        fails({"check", "--game", "nowhere"}, "zunai: game directory not found: nowhere\n"),
        fails({"show", "--game", "nobin"}, "zunai: not a game directory (no bin/ folder): nobin\n"),
        fails({"route", from, to, "--level", "none.obj"}, "zunai: cannot read level file none.obj\n"),
        fails({"show", "--level", "bad.obj"}, "zunai: " + badObj),
        fails({"demo", "--game", "nolevel"},
              "zunai: no level (*.obj, *.gltf, *.glb) in nolevel/data/levels; give one with --level FILE\n"),
        fails({"demo", "--game", "twolevels"},
              "zunai: 2 levels in twolevels/data/levels; choose one with --level FILE\n"),
        fails({"route", "--game", "nodb", from, to}, "zunai: " + noDatabase),
        fails({"check", "--game", "nodb"}, "zunai: " + noDatabase),
        fails({"check", "."}, "zunai: cannot read path database .\n"),
        // Nothing half-written: no picture in a folder that isn't there,
        // and none when the run fails before drawing.
        fails({"demo", "--svg", "no/such/folder/x.svg"},
              "zunai: cannot write " + folder + "/x.svg: no folder " + folder + "\n"),
        fails({"demo", "--level", "bad.obj"}, "zunai: " + badObj),
    };
    for (const std::string help : {"--help", "-h", "help"})
        calls.push_back({{help}, 0, {"  demo ", "  route ", "  walk ", "  check ", "  show "}});
    for (const std::string command : {"demo", "route", "walk", "check", "show"})
        calls.push_back({{command, "--help"}, 0, {"^usage: zunai " + command}});
    for (const std::string bad : {"1", "1,", "1,2,3,4", "a,b,c", "1,,3", "1,2,", "nan,1,2", "1,inf,2", "1e99,0,0",
                                  "++1,0,0", "1;2;3", "0x10,0,0"}) {
        const std::string expected = ": expected X,Y (on the ground) or X,Y,Z, got '" + bad + "'\n";
        calls.push_back(fails({"route", "--from=" + bad, to}, "zunai route: --from" + expected));
        calls.push_back(fails({"walk", from, "--to", bad}, "zunai walk: --to" + expected));
    }
    for (const Call& call : calls)
        expectCall(dir.dir(), call);

    // Twelve stored paths, eight routes of which the walks and the chains all draw.
    const std::string demo = zunReadFile(dir / "courtyard.svg");
    EXPECT_EQ(svgProblem(demo), "");
    EXPECT_EQ(countOf(demo, "class=\"stored-path\""), 12);
    EXPECT_EQ(countOf(demo, "<polyline class=\"route"), 8);
    EXPECT_EQ(countOf(demo, "<polyline"), 20);
    const std::string shown = zunReadFile(dir / "local" / "courtyard.svg");
    EXPECT_EQ(svgProblem(shown), "");
    EXPECT_EQ(countOf(shown, "<polyline"), 12);
    EXPECT_NE(shown.find("stroke=\"#d0abcb\""), std::string::npos);
    EXPECT_EQ(svgProblem(zunReadFile(dir / "walk.svg")), "");
    EXPECT_EQ(zunReadFile(dir / "hall.png").substr(1, 3), "PNG");
    // The forced generator backed the old file up; --out wrote the same bytes.
    const std::string generated = zunReadFile(dir / "maze" / "data" / "memory" / "levels" / "paths.qzt");
    EXPECT_EQ(zunReadFile(dir / "maze" / "data" / "memory" / "levels" / "paths.qzt.bak"), "old = 1;\n");
    EXPECT_NE(generated.find("Path0Mark0X"), std::string::npos);
    EXPECT_EQ(zunReadFile(dir / "copy.qzt"), generated);
}

} // namespace
