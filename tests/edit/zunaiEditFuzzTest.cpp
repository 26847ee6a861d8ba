// A bounded run of random API calls, sensible and not: no answer outside
// the API's statuses, and the database reloads to what was last saved.

#include <functional>
#include <random>
#include <utility>
#include <vector>

#include "zunaiEditTestServer.h"

using nlohmann::json;

namespace {

struct RandomCalls {
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    double within(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random); }
    std::string number(double lo, double hi) { return std::to_string(within(lo, hi)); }

    // Mostly a point of the courtyard, sometimes something that isn't a point.
    std::string point()
    {
        const std::string xy = number(-200, 200) + ", " + number(-200, 200);
        const std::string odd[] = {"\"x\"", "[1e39, 0]", "[" + number(-1e7, 1e7) + ", 0]", "[1]",
                                   "[" + xy + ", " + number(-50, 100) + "]"};
        const int pick = below(12);
        return pick < 5 ? odd[pick] : "[" + xy + "]";
    }

    // Mostly {"field": point}, sometimes cut short or not an object.
    std::string body(const std::string& field)
    {
        const int pick = below(10);
        return pick == 1 ? "[]" : "{\"" + field + "\": " + point() + (pick == 0 ? "" : "}");
    }

    std::mt19937 random{20261208};
};

} // namespace

TEST_F(zunaiEditTest, ThousandsOfRandomCallsLeaveTheLastSaveIntact)
{
    RandomCalls random;
    json lastSaved = state()["paths"];
    int saves = 0;
    // Calls by weight: marks most often, then commits; a reload must give
    // back what was last saved.
    const std::vector<std::pair<int, std::function<zunaiEditReply()>>> calls = {
        {4, [&] { return post("/api/marks", random.body("at")); }},
        {1, [&] { return post("/api/marks/undo"); }},
        {2, [&] { return post("/api/recording/commit"); }},
        {1, [&] { return post("/api/select", random.body("at")); }},
        {1, [&] { return post("/api/selected/delete"); }},
        {1, [&] {
             zunaiEditReply r = post("/api/save", random.below(2) ? "{}" : "{\"force\": 1}");
             if (r.status == 200) {
                 lastSaved = r.body["paths"];
                 ++saves;
             }
             return r;
         }},
        {1, [&] {
             return random.below(20) ? get("/api/state")
                                     : post("/api/route", "{\"from\": " + random.point() + ", \"to\": " + random.point() +
                                                              ", \"kind\": \"" + (random.below(2) ? "walked" : "chained") + "\"}");
         }},
        {1, [&] {
             return get("/api/probe?x=" + std::to_string(random.within(-300, 300)) + "&y=" + (random.below(5) ? "10" : "z"));
         }},
        {1, [&] {
             if (random.below(4))
                 return get("/api/state");
             zunaiEditReply r = post("/api/reload");
             EXPECT_EQ(r.body["paths"], lastSaved);
             return r;
         }},
        {1, [&] { return post("/api/nowhere", "{}"); }},
    };
    int total = 0;
    for (const auto& call : calls)
        total += call.first;
    for (int n = 0; n < 2000; ++n) {
        int pick = random.below(total);
        std::size_t i = 0;
        while (pick >= calls[i].first)
            pick -= calls[i++].first;
        const zunaiEditReply r = calls[i].second();
        ASSERT_TRUE(r.status == 200 || r.status == 400 || r.status == 404) << "call " << n << ": " << r.status;
        ASSERT_TRUE(r.body.is_object()) << "call " << n;
    }
    EXPECT_GT(saves, 10);
    const auto r = post("/api/reload");
    ASSERT_EQ(r.status, 200);
    EXPECT_EQ(r.body["paths"], lastSaved);
}
