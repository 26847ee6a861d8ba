// A bounded run of random API calls, sensible and not: no answer outside
// the API's statuses, and the database reloads to what was last saved.

#include <functional>
#include <random>
#include <vector>

#include "zunaiEditTestServer.h"

using nlohmann::json;

TEST_F(zunaiEditTest, ThousandsOfRandomCallsLeaveTheLastSaveIntact)
{
    std::mt19937 random{20261208};
    const auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    const auto number = [&](double lo, double hi) {
        return std::to_string(std::uniform_real_distribution<double>(lo, hi)(random));
    };
    // Mostly a point of the courtyard, sometimes something that isn't a point.
    const auto point = [&] {
        const std::string xy = number(-200, 200) + ", " + number(-200, 200);
        const std::string odd[] = {"\"x\"", "[1e39, 0]", "[" + number(-1e7, 1e7) + ", 0]", "[1]",
                                   "[" + xy + ", " + number(-50, 100) + "]"};
        const int pick = below(12);
        return pick < 5 ? odd[pick] : "[" + xy + "]";
    };
    // Mostly {"at": point}, sometimes cut short or not an object.
    const auto at = [&] {
        const int pick = below(10);
        return pick == 1 ? std::string("[]") : "{\"at\": " + point() + (pick == 0 ? "" : "}");
    };

    json lastSaved = state()["paths"];
    int saves = 0;
    const auto mark = [&] { return post("/api/marks", at()); };
    const auto commit = [&] { return post("/api/recording/commit"); };
    // Marks most often, then commits; a reload must give back what was last saved.
    const std::vector<std::function<zunaiEditReply()>> calls = {
        mark, mark, mark, mark, commit, commit,
        [&] { return post("/api/marks/undo"); },
        [&] { return post("/api/select", at()); },
        [&] { return post("/api/selected/delete"); },
        [&] {
            zunaiEditReply r = post("/api/save", below(2) ? "{}" : "{\"force\": 1}");
            if (r.status == 200) {
                lastSaved = r.body["paths"];
                ++saves;
            }
            return r;
        },
        [&] {
            if (below(20))
                return get("/api/state");
            const std::string kind = below(2) ? "\"walked\"" : "\"chained\"";
            return post("/api/route", "{\"from\": " + point() + ", \"to\": " + point() + ", \"kind\": " + kind + "}");
        },
        [&] { return get("/api/probe?x=" + number(-300, 300) + "&y=" + (below(5) ? "10" : "z")); },
        [&] {
            if (below(4))
                return get("/api/state");
            zunaiEditReply r = post("/api/reload");
            EXPECT_EQ(r.body["paths"], lastSaved);
            return r;
        },
        [&] { return post("/api/nowhere", "{}"); },
    };
    for (int n = 0; n < 2000; ++n) {
        const zunaiEditReply r = calls[std::size_t(below(int(calls.size())))]();
        ASSERT_TRUE(r.status == 200 || r.status == 400 || r.status == 404) << "call " << n << ": " << r.status;
        ASSERT_TRUE(r.body.is_object()) << "call " << n;
    }
    EXPECT_GT(saves, 10);
    const auto r = post("/api/reload");
    ASSERT_EQ(r.status, 200);
    EXPECT_EQ(r.body["paths"], lastSaved);
}
