// Levels made elsewhere on the command line: a y-up level in metres probed
// and shown with --up y --scale 100 and without a database.

#include <string>

#include <gtest/gtest.h>

#include "zunaiToolTestSupport.h"

namespace {

using namespace zunaiTestSupport;

// Metres, y up: ground 4 x 4 at height 0, a platform 1 x 1 at 0.5 over
// x in [0, 1], z in [0, 1] (so y in [-100, 0] once turned and scaled).
const char* yUpLevel = "o ground\n"
                       "v -2 0 -2\nv 2 0 -2\nv 2 0 2\nv -2 0 2\n"
                       "f 1 2 3 4\n"
                       "o platform\n"
                       "v 0 0.5 0\nv 1 0.5 0\nv 1 0.5 1\nv 0 0.5 1\n"
                       "f 5 6 7 8\n";

TEST(ToolLevelCommands, YUpLevelInMetresProbedAndShownWithoutDatabase)
{
    TempDir dir;
    fs::create_directories(dir / "game" / "bin");
    writeFile(dir / "game" / "data" / "levels" / "hall.obj", yUpLevel);
    const std::vector<std::string> level = {"--game", "game", "--up", "y", "--scale", "100"};

    auto args = [&](std::vector<std::string> command) {
        command.insert(command.end(), level.begin(), level.end());
        return command;
    };
    ToolRun run = runTool(dir.path(), args({"probe", "50,-50", "--json"}));
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "{\"x\":50,\"y\":-50,\"floors\":[{\"ground\":50,\"mark\":74.7},{\"ground\":0,\"mark\":24.7}]}\n");
    // As given (z up) the level stands on its side: nothing below the point.
    run = runTool(dir.path(), {"probe", "50,-50", "--game", "game", "--json"});
    EXPECT_EQ(run.out, "{\"x\":50,\"y\":-50,\"floors\":[]}\n");

    run = runTool(dir.path(), args({"probe", "50,-50,60"}));
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, "zunai probe: warning: point 50,-50,60 is 10 above the floor below it (at 50); marks stand "
                       "24.7 above the ground (X,Y puts a point there)\n");

    run = runTool(dir.path(), args({"show", "--png", "hall.png", "--json"}));
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("\"png\":\"hall.png\""), std::string::npos) << run.out;
    EXPECT_EQ(readFile(dir / "hall.png").substr(1, 3), "PNG");
    EXPECT_FALSE(fs::exists(dir / "hall.svg"));

    run = runTool(dir.path(), args({"show", "--region", "0,0,0,10"}));
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err, "zunai show: --region: expected X0,Y0,X1,Y1 (two corners of an area), got '0,0,0,10'\n");
    run = runTool(dir.path(), args({"walk", "--from", "300,300", "--to", "0,0"}));
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err, "zunai walk: --from: no ground at 300,300: a ray cast down there meets nothing\n");
}

} // namespace
