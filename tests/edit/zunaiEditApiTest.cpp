// The editor's API on a copy of the sample: each endpoint doing its work,
// and each kind of malformed request refused with its reason and without a
// change. The sample's 12 paths are drawn as runs of lines 0-11; a recording
// or a selection is drawn after them.

#include <fstream>

#include "zunaiEditTestServer.h"

using nlohmann::json;

TEST_F(zunaiEditTest, StateDescribesLevelDatabaseAndDrawingAndThePageIsServed)
{
    expectSteps({
        {"GET", "/api/state", "", 200,
         {{"/level", json::parse(R"({"triangles": 162, "min": [-200, -200, 0], "max": [200, 200, 60]})")},
          {"/paths/0/marks/0", json::parse("[-160, -168, 24.700003]")}, {"/paths/12", absent},
          {"/recording", nullptr}, {"/selected", nullptr}, {"/dirty", false},
          // Path 0 (9 marks) in the first colour, 4 lines per link: a 1 x 1
          // square 15 below the marks, corner after corner.
          {"/lines/0/colour", "#d0abcb"},
          {"/lines/0/lines/0", json::parse("[-160, -168, 9.700003, -172, -145, 9.700003]")},
          {"/lines/0/lines/2", json::parse("[-161, -169, 9.700003, -173, -146, 9.700003]")},
          {"/lines/0/lines/31", json::parse("[-178, 35, 9.700003, -169, 58, 9.700003]")}, {"/lines/0/lines/32", absent},
          {"/lines/12", absent}}},
        // The level: 3 corners of 3 coordinates for each triangle.
        {"GET", "/api/level", "", 200, {{"/triangles/0", -200}, {"/triangles/1457", 20}, {"/triangles/1458", absent}}},
    });
    for (const char* page : {"/", "/editor.js"}) {
        const auto r = client->Get(page);
        ASSERT_TRUE(r) << page;
        EXPECT_EQ(r->status, 200) << page;
        EXPECT_TRUE(page[1] || r->get_header_value("Content-Type").find("text/html") != std::string::npos);
    }
}

TEST_F(zunaiEditTest, RecordUndoCommitSelectDeleteSaveAndReload)
{
    const std::string before = fileText();
    expectSteps({
        // A point on the ground stands 24.7 above the floor; one with z is taken as given.
        {"POST", "/api/marks", R"({"at": [-150, -178]})", 200, {{"/done", true}, {"/recording/0/2", 24.7}}},
        {"POST", "/api/marks", R"({"at": [-150, -150, 30]})", 200, {{"/recording/1/2", 30}}},
        {"POST", "/api/marks", R"({"at": [-120, -150]})", 200,
         {{"/recording/2/2", 24.7}, {"/dirty", true}, {"/lines/12/role", "recording"},
          {"/lines/12/colour", "#ffffff"}, {"/lines/13", absent}}},
        {"POST", "/api/marks/undo", "", 200, {{"/recording/1/2", 30}, {"/recording/2", absent}}},
        {"POST", "/api/recording/commit", "", 200,
         {{"/done", true}, {"/recording", nullptr}, {"/paths/12/marks/1/2", 30}, {"/paths/13", absent}}},
        {"POST", "/api/recording/commit", "", 200, {{"/done", false}}},
        {"POST", "/api/select", R"({"at": [-151, -150, 30]})", 200,
         {{"/done", true}, {"/selected", 12}, {"/lines/13/role", "selected"}, {"/lines/13/colour", "#ffff00"}}},
        {"POST", "/api/selected/delete", "", 200, {{"/done", true}, {"/paths/12", absent}, {"/selected", nullptr}}},
        {"POST", "/api/selected/delete", "", 200, {{"/done", false}}},
    });
    // Nothing reaches the file before a save.
    EXPECT_EQ(fileText(), before);

    // Record again, commit and save: the file holds it, the old one is the backup.
    post("/api/marks", R"({"at": [-150, -178]})");
    post("/api/marks", R"({"at": [-120, -178]})");
    post("/api/recording/commit");
    expectSteps({{"POST", "/api/save", "", 200, {{"/dirty", false}}}});
    EXPECT_EQ(zunReadFile(scratch->database().string() + ".bak"), before);
    EXPECT_NE(fileText().find("Path12Mark1X = -120.000000;"), std::string::npos);

    // A file changed on disk since is not overwritten unless forced; saved
    // then, a plain save goes through again.
    post("/api/marks", R"({"at": [0, 0]})");
    post("/api/recording/commit");
    std::ofstream(scratch->database(), std::ios::app) << "Path99Mark0X = 1;\n";
    const std::string changed = fileText();
    expectSteps({
        {"POST", "/api/save", "", 409, {{"/error", "the path database changed on disk since it was loaded or saved"}}},
        {"GET", "/api/state", "", 200, {{"/dirty", true}}},
    });
    EXPECT_EQ(fileText(), changed);
    expectSteps({
        {"POST", "/api/save", R"({"force": true})", 200, {{"/dirty", false}}},
        {"POST", "/api/save", "", 200, {}},
    });
    EXPECT_EQ(fileText().find("Path99"), std::string::npos);

    // A reload gives back what was saved and drops the rest.
    const json saved = state()["paths"];
    post("/api/marks", R"({"at": [0, 0]})");
    expectSteps({{"POST", "/api/reload", "", 200, {{"/paths", saved}, {"/recording", nullptr}, {"/dirty", false}}}});
}

TEST_F(zunaiEditTest, RoutesExplainedProbeAndCheck)
{
    const std::string route = R"({"from": [-150, -178], "to": [-140, 76], "join": 60, "minDot": -0.707, "kind": )";
    expectSteps({
        {"POST", "/api/route", route + R"("chained"})", 200,
         {{"/kind", "chained"}, {"/found", true}, {"/markCount", 9}, {"/rays", 61}, {"/end", "same-path"},
          {"/passes/0/goalSide/chosen", 0}}},
        {"POST", "/api/route", route + R"("walked"})", 200,
         {{"/kind", "walked"}, {"/found", true}, {"/markCount", 1}, {"/rays", 9}, {"/end", "direct"},
          {"/text", "pass 0: the way to the goal is clear\nend: direct\n"}}},
        {"GET", "/api/probe?x=-150&y=-178", "", 200, {{"/floors", json::parse(R"([{"ground": 0, "mark": 24.7}])")}}},
        {"GET", "/api/check", "", 200, {{"/paths", 12}, {"/problems", json::array()}}},
        // An unsaved path through the monument is checked as the file it would be saved as.
        {"POST", "/api/marks", R"({"at": [-30, 0]})", 200, {}},
        {"POST", "/api/marks", R"({"at": [30, 0]})", 200, {}},
        {"POST", "/api/recording/commit", "", 200, {}},
        {"GET", "/api/check", "", 200,
         {{"/paths", 13}, {"/problems/0/kind", "blocked-link"}, {"/problems/0/path", 12}, {"/problems/0/line", 286},
          {"/problems/0/at", json::parse("[-30, 0, 24.7]")}, {"/problems/1", absent}}},
    });
}

TEST_F(zunaiEditTest, MalformedRequestsAreRefusedAndChangeNothing)
{
    post("/api/marks", R"({"at": [-150, -178]})");   // a recording under way
    const json before = state();
    const std::string file = fileText();
    const std::string notPoint = R"("at" must be a point [x, y] or [x, y, z])";
    const std::string notFinite = "x must be a finite number within +-1000000";
    const auto refused = [](std::string method, std::string path, std::string body, int status, std::string error) {
        return Step{std::move(method), std::move(path), std::move(body), status, {{"/error", std::move(error)}}};
    };
    expectSteps({
        refused("POST", "/api/marks", "not json", 400, "the request body is not valid JSON"),
        refused("POST", "/api/marks", "[1, 2]", 400, "the request body must be a JSON object"),
        refused("POST", "/api/marks", "{}", 400, R"(missing "at": a point [x, y] or [x, y, z])"),
        refused("POST", "/api/marks", R"({"at": "here"})", 400, notPoint),
        refused("POST", "/api/marks", R"({"at": [1]})", 400, notPoint),
        refused("POST", "/api/marks", R"({"at": [1, 2, 3, 4]})", 400, notPoint),
        refused("POST", "/api/marks", R"({"at": ["1", 2]})", 400, R"("at"'s x must be a number)"),
        refused("POST", "/api/marks", R"({"at": [NaN, 2]})", 400, "the request body is not valid JSON"),
        refused("POST", "/api/marks", R"({"at": [1e400, 2]})", 400, "the request body is not valid JSON"),
        refused("POST", "/api/marks", R"({"at": [1e30, 2, 3]})", 400, R"("at"'s )" + notFinite),
        refused("POST", "/api/marks", R"({"at": [90000, 90000]})", 400,
                "no ground at 90000,90000: a ray cast down there meets nothing"),
        refused("POST", "/api/select", R"({"at": [null, 0]})", 400, R"("at"'s x must be a number)"),
        refused("POST", "/api/save", R"({"force": "yes"})", 400, R"("force" must be true or false)"),
        refused("POST", "/api/route", R"({"from": [-150, -178]})", 400, R"(missing "to": a point [x, y] or [x, y, z])"),
        refused("POST", "/api/route", R"({"from": [-150, -178], "to": [0, 0], "kind": "flown"})", 400,
                R"("kind" must be "chained" or "walked")"),
        refused("POST", "/api/route", R"({"from": [-150, -178], "to": [0, 0], "join": "far"})", 400,
                R"("join" must be a number)"),
        refused("GET", "/api/probe?x=abc&y=1", "", 400, "query parameter " + notFinite),
        refused("GET", "/api/probe?x=1", "", 400, "missing query parameter y"),
        refused("GET", "/api/probe?x=nan&y=1", "", 400, "query parameter " + notFinite),
        refused("GET", "/api/nothing", "", 404, "no such path: /api/nothing"),
        refused("GET", "/nothing.js", "", 404, "no such path: /nothing.js"),
        refused("DELETE", "/api/state", "", 405, "method DELETE not allowed on /api/state"),
        refused("GET", "/api/marks", "", 405, "method GET not allowed on /api/marks"),
        refused("PUT", "/api/save", "{}", 405, "method PUT not allowed on /api/save"),
        refused("POST", "/api/marks", std::string(1024 * 1024 + 1, ' '), 413, "request body larger than 1 MB"),
    });
    EXPECT_EQ(state(), before);
    EXPECT_EQ(fileText(), file);
}
