// The editor's API on a copy of the sample: each endpoint doing its work,
// and each kind of malformed request refused without a change.

#include <fstream>

#include "zunaiEditTestServer.h"

using nlohmann::json;

TEST_F(zunaiEditTest, StateDescribesLevelDatabaseAndDrawing)
{
    const json s = state();
    EXPECT_GT(s["level"]["triangles"].get<int>(), 0);
    EXPECT_LT(s["level"]["min"][0].get<float>(), s["level"]["max"][0].get<float>());
    ASSERT_FALSE(s["paths"].empty());
    EXPECT_TRUE(s["recording"].is_null());
    EXPECT_TRUE(s["selected"].is_null());
    EXPECT_FALSE(s["dirty"].get<bool>());
    // Path 0 in the first colour, 4 lines per link: a 1 x 1 square 15 below the marks.
    const json &run = s["lines"][0], &marks = s["paths"][0]["marks"];
    EXPECT_EQ(run["colour"], "#d0abcb");
    ASSERT_EQ(run["lines"].size(), 4 * (marks.size() - 1));
    EXPECT_FLOAT_EQ(run["lines"][0][0].get<float>(), marks[0][0].get<float>());
    EXPECT_FLOAT_EQ(run["lines"][0][2].get<float>(), marks[0][2].get<float>() - 15.0f);

    const auto level = get("/api/level");
    ASSERT_EQ(level.status, 200);
    EXPECT_EQ(level.body["triangles"].size(), 9 * s["level"]["triangles"].get<std::size_t>());
}

TEST_F(zunaiEditTest, RecordUndoCommitSelectDeleteSaveAndReload)
{
    const std::string before = fileText();
    const std::size_t stored = state()["paths"].size();

    // A point on the ground stands 24.7 above the floor; one with z is taken as given.
    auto r = post("/api/marks", R"({"at": [-150, -178]})");
    ASSERT_EQ(r.status, 200);
    EXPECT_TRUE(r.body["done"].get<bool>());
    EXPECT_FLOAT_EQ(r.body["recording"][0][2].get<float>(), 24.7f);
    post("/api/marks", R"({"at": [-150, -150, 30]})");
    r = post("/api/marks", R"({"at": [-120, -150]})");
    ASSERT_EQ(r.body["recording"].size(), 3u);
    EXPECT_FLOAT_EQ(r.body["recording"][1][2].get<float>(), 30.0f);
    EXPECT_TRUE(r.body["dirty"].get<bool>());
    EXPECT_EQ(r.body["lines"].back()["role"], "recording");
    EXPECT_EQ(r.body["lines"].back()["colour"], "#ffffff");

    r = post("/api/marks/undo");
    ASSERT_EQ(r.body["recording"].size(), 2u);
    r = post("/api/recording/commit");
    EXPECT_TRUE(r.body["recording"].is_null());
    ASSERT_EQ(r.body["paths"].size(), stored + 1);
    EXPECT_FALSE(post("/api/recording/commit").body["done"].get<bool>());

    // Nothing reaches the file before a save.
    EXPECT_EQ(fileText(), before);

    r = post("/api/select", R"({"at": [-151, -150, 30]})");
    EXPECT_TRUE(r.body["done"].get<bool>());
    EXPECT_EQ(r.body["selected"], stored);
    EXPECT_EQ(r.body["lines"].back()["role"], "selected");
    EXPECT_EQ(r.body["lines"].back()["colour"], "#ffff00");
    r = post("/api/selected/delete");
    EXPECT_EQ(r.body["paths"].size(), stored);
    EXPECT_TRUE(r.body["selected"].is_null());
    EXPECT_FALSE(post("/api/selected/delete").body["done"].get<bool>());

    // Record again, commit and save: the file holds it, the old one is the backup.
    post("/api/marks", R"({"at": [-150, -178]})");
    post("/api/marks", R"({"at": [-120, -178]})");
    post("/api/recording/commit");
    r = post("/api/save");
    ASSERT_EQ(r.status, 200);
    EXPECT_FALSE(r.body["dirty"].get<bool>());
    EXPECT_EQ(zunReadFile(scratch->database().string() + ".bak"), before);
    EXPECT_NE(fileText().find("Path" + std::to_string(stored) + "Mark1X = -120.000000;"), std::string::npos);

    const json saved = state()["paths"];
    post("/api/marks", R"({"at": [0, 0]})");
    r = post("/api/reload");
    ASSERT_EQ(r.status, 200);
    EXPECT_EQ(r.body["paths"], saved);
    EXPECT_TRUE(r.body["recording"].is_null());
    EXPECT_FALSE(r.body["dirty"].get<bool>());
}

TEST_F(zunaiEditTest, SaveRefusedWhenFileChangedOnDiskUnlessForced)
{
    post("/api/marks", R"({"at": [-150, -178]})");
    post("/api/recording/commit");
    {
        std::ofstream out(scratch->database(), std::ios::app);
        out << "Path99Mark0X = 1;\n";
    }
    const std::string changed = fileText();
    auto r = post("/api/save");
    EXPECT_EQ(r.status, 409);
    EXPECT_TRUE(r.body.contains("error"));
    EXPECT_EQ(fileText(), changed);
    EXPECT_TRUE(state()["dirty"].get<bool>());

    r = post("/api/save", R"({"force": true})");
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(fileText().find("Path99"), std::string::npos);
    // Saved now, so a plain save goes through again.
    EXPECT_EQ(post("/api/save").status, 200);
}

TEST_F(zunaiEditTest, RoutesExplainedProbeAndCheck)
{
    for (const char* kind : {"chained", "walked"}) {
        const auto r = post("/api/route", std::string(R"({"from": [-150, -178], "to": [-140, 76], "kind": ")") + kind +
                                              R"(", "join": 60, "minDot": -0.707})");
        ASSERT_EQ(r.status, 200) << kind;
        EXPECT_EQ(r.body["kind"], kind);
        EXPECT_TRUE(r.body["found"].get<bool>()) << kind;
        EXPECT_FALSE(r.body["marks"].empty());
        EXPECT_GT(r.body["rays"].get<long long>(), 0);
        EXPECT_FALSE(r.body["passes"].empty()) << kind;
        EXPECT_TRUE(r.body["end"].is_string()) << kind;
        EXPECT_FALSE(r.body["text"].get<std::string>().empty()) << kind;
    }
    // The database checked against the level: every problem placed; an
    // unsaved path is checked too, as the file it would be saved as.
    const auto check = get("/api/check");
    ASSERT_EQ(check.status, 200);
    ASSERT_TRUE(check.body["problems"].is_array());
    for (const auto& problem : check.body["problems"])
        EXPECT_EQ(problem["at"].size(), 3u) << problem.dump();
    post("/api/marks", R"({"at": [-150, -178]})");
    post("/api/marks", R"({"at": [-150, -120]})");
    post("/api/recording/commit");
    EXPECT_EQ(get("/api/check").body["paths"], check.body["paths"].get<int>() + 1);
    const auto p = get("/api/probe?x=-150&y=-178");
    ASSERT_EQ(p.status, 200);
    ASSERT_FALSE(p.body["floors"].empty());
    EXPECT_FLOAT_EQ(p.body["floors"][0]["mark"].get<float>(), p.body["floors"][0]["ground"].get<float>() + 24.7f);
}

TEST_F(zunaiEditTest, MalformedRequestsAreRefusedAndChangeNothing)
{
    post("/api/marks", R"({"at": [-150, -178]})");   // a recording under way
    const json before = state();
    const std::string file = fileText();

    struct Case {
        const char* method;
        const char* path;
        std::string body;
        int status;
    };
    const Case cases[] = {
        {"POST", "/api/marks", "not json", 400},
        {"POST", "/api/marks", "[1, 2]", 400},
        {"POST", "/api/marks", "{}", 400},
        {"POST", "/api/marks", R"({"at": "here"})", 400},
        {"POST", "/api/marks", R"({"at": [1]})", 400},
        {"POST", "/api/marks", R"({"at": [1, 2, 3, 4]})", 400},
        {"POST", "/api/marks", R"({"at": ["1", 2]})", 400},
        {"POST", "/api/marks", R"({"at": [NaN, 2]})", 400},
        {"POST", "/api/marks", R"({"at": [1e400, 2]})", 400},
        {"POST", "/api/marks", R"({"at": [1e30, 2, 3]})", 400},
        {"POST", "/api/marks", R"({"at": [90000, 90000]})", 400},   // no ground there
        {"POST", "/api/select", R"({"at": [null, 0]})", 400},
        {"POST", "/api/save", R"({"force": "yes"})", 400},
        {"POST", "/api/route", R"({"from": [-150, -178]})", 400},
        {"POST", "/api/route", R"({"from": [-150, -178], "to": [0, 0], "kind": "flown"})", 400},
        {"POST", "/api/route", R"({"from": [-150, -178], "to": [0, 0], "join": "far"})", 400},
        {"GET", "/api/probe?x=abc&y=1", "", 400},
        {"GET", "/api/probe?x=1", "", 400},
        {"GET", "/api/probe?x=nan&y=1", "", 400},
        {"GET", "/api/nothing", "", 404},
        {"GET", "/nothing.js", "", 404},
        {"DELETE", "/api/state", "", 405},
        {"GET", "/api/marks", "", 405},
        {"PUT", "/api/save", "{}", 405},
        {"POST", "/api/marks", std::string(1024 * 1024 + 1, ' '), 413},
    };
    for (const auto& c : cases) {
        httplib::Result r = std::string(c.method) == "GET"      ? client->Get(c.path)
                            : std::string(c.method) == "DELETE" ? client->Delete(c.path)
                            : std::string(c.method) == "PUT"    ? client->Put(c.path, c.body, "application/json")
                                                                : client->Post(c.path, c.body, "application/json");
        ASSERT_TRUE(r) << c.method << " " << c.path;
        EXPECT_EQ(r->status, c.status) << c.method << " " << c.path << " " << c.body.substr(0, 60);
        const json body = json::parse(r->body, nullptr, false);
        EXPECT_TRUE(body.is_object() && body["error"].is_string()) << c.path << ": " << r->body.substr(0, 80);
    }
    EXPECT_EQ(state(), before);
    EXPECT_EQ(fileText(), file);
}

TEST_F(zunaiEditTest, ServesThePage)
{
    for (const char* page : {"/", "/editor.js"}) {
        const auto r = client->Get(page);
        ASSERT_TRUE(r) << page;
        EXPECT_EQ(r->status, 200) << page;
        EXPECT_TRUE(page[1] || r->get_header_value("Content-Type").find("text/html") != std::string::npos);
    }
}
