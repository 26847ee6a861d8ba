// A bounded run of random API calls, sensible and not: no answer outside
// the API's statuses, and the database reloads to what was last saved.

#include <functional>
#include <random>
#include <utility>
#include <vector>

#include "zunaiEditTestServer.h"

using nlohmann::json;

namespace {

class RandomCalls {
public:
    explicit RandomCalls(unsigned seed) : random_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    double within(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random_); }

    // Mostly a point of the courtyard, sometimes something that isn't a point.
    std::string point()
    {
        switch (below(12)) {
        case 0:
            return "\"x\"";
        case 1:
            return "[1e39, 0]";
        case 2:
            return "[" + std::to_string(within(-1e7, 1e7)) + ", 0]";
        case 3:
            return "[1]";
        case 4:
            return "[" + std::to_string(within(-200, 200)) + ", " + std::to_string(within(-200, 200)) + ", " +
                   std::to_string(within(-50, 100)) + "]";
        default:
            return "[" + std::to_string(within(-200, 200)) + ", " + std::to_string(within(-200, 200)) + "]";
        }
    }

    std::string body(const std::string& field)
    {
        switch (below(10)) {
        case 0:
            return "{\"" + field + "\": " + point();   // cut short
        case 1:
            return "[]";
        default:
            return "{\"" + field + "\": " + point() + "}";
        }
    }

private:
    std::mt19937 random_;
};

} // namespace

TEST_F(zunaiEditTest, ThousandsOfRandomCallsLeaveTheLastSaveIntact)
{
    RandomCalls random(20261208);
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
