// A bounded run of random API calls, sensible and not: no answer outside
// the API's statuses, and the database reloads to what was last saved.

#include <random>

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
    for (int call = 0; call < 2000; ++call) {
        zunaiEditReply r;
        switch (random.below(14)) {
        case 0:
        case 1:
        case 2:
        case 3:
            r = post("/api/marks", random.body("at"));
            break;
        case 4:
            r = post("/api/marks/undo");
            break;
        case 5:
        case 6:
            r = post("/api/recording/commit");
            break;
        case 7:
            r = post("/api/select", random.body("at"));
            break;
        case 8:
            r = post("/api/selected/delete");
            break;
        case 9:
            r = post("/api/save", random.below(2) ? "{}" : "{\"force\": 1}");
            if (r.status == 200) {
                lastSaved = r.body["paths"];
                ++saves;
            }
            break;
        case 10:
            r = random.below(20) == 0
                    ? post("/api/route", "{\"from\": " + random.point() + ", \"to\": " + random.point() +
                                             ", \"kind\": \"" + (random.below(2) ? "walked" : "chained") + "\"}")
                    : get("/api/state");
            break;
        case 11:
            r = get("/api/probe?x=" + std::to_string(random.within(-300, 300)) + "&y=" + (random.below(5) ? "10" : "z"));
            break;
        case 12:
            if (random.below(4) == 0) {
                r = post("/api/reload");
                ASSERT_EQ(r.body["paths"], lastSaved) << "call " << call;
            } else {
                r = get("/api/state");
            }
            break;
        default:
            r = post("/api/nowhere", "{}");
            break;
        }
        ASSERT_TRUE(r.status == 200 || r.status == 400 || r.status == 404) << "call " << call << ": " << r.status;
        ASSERT_TRUE(r.body.is_object()) << "call " << call;
    }
    EXPECT_GT(saves, 10);
    const auto r = post("/api/reload");
    ASSERT_EQ(r.status, 200);
    EXPECT_EQ(r.body["paths"], lastSaved);
}
