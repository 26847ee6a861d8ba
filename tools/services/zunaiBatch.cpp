// Batches of route requests.

#include "zunaiBatch.h"

#include <chrono>
#include <cmath>
#include <sstream>

#include "zunaiError.h"
#include "zunaiGround.h"

namespace {

[[noreturn]] void fail(const std::string& file, int line, const std::string& what)
{
    throw zunaiError{file + ", line " + std::to_string(line) + ": " + what};
}

zunaiPoint readPoint(const std::string& text, const std::string& file, int line, const zunaiLevelMesh& level)
{
    zunaiPointInput input;
    if (!zunaiReadPointInput(text, input))
        fail(file, line, "expected a point X,Y,Z or X,Y, got '" + text + "'");
    try {
        return zunaiPlacePoint(level, input).at;
    } catch (const zunaiError& e) {
        fail(file, line, e.message);
    }
}

float readNumber(const std::string& text, const std::string& name, const std::string& file, int line)
{
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    float value = 0.0f;
    char extra = 0;
    if (!(in >> value) || (in >> extra) || !std::isfinite(value))
        fail(file, line, name + " needs a finite number, got '" + text + "'");
    return value;
}

} // namespace

std::vector<zunaiBatchRequest> zunaiReadBatch(const std::string& text, const std::string& file,
                                              const zunaiLevelMesh& level)
{
    std::vector<zunaiBatchRequest> requests;
    std::istringstream lines(text);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        if (const std::size_t hash = line.find('#'); hash != std::string::npos)
            line.erase(hash);
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string word; words >> word;)
            w.push_back(word);
        if (w.empty())
            continue;
        if (w[0] != "route" && w[0] != "walk")
            fail(file, number, "expected route or walk, got '" + w[0] + "'");
        if (w.size() < 3)
            fail(file, number, w[0] + " needs a start and a goal point");
        zunaiBatchRequest r;
        r.line = number;
        r.request.way = w[0] == "route" ? zunaiWay::Chained : zunaiWay::Walked;
        r.request.name = "line " + std::to_string(number);
        r.request.from = readPoint(w[1], file, number, level);
        r.request.to = readPoint(w[2], file, number, level);
        for (std::size_t i = 3; i < w.size(); ++i) {
            const std::size_t equals = w[i].find('=');
            const std::string key = w[i].substr(0, equals);
            const std::string value = equals == std::string::npos ? "" : w[i].substr(equals + 1);
            if (key == "expect" && (value == "reach" || value == "found" || value == "none"))
                r.expect = value;
            else if (key == "expect")
                fail(file, number, "expect= takes reach, found or none, got '" + value + "'");
            else if (key == "first-join" && r.request.way == zunaiWay::Chained)
                r.tuning.firstJoinDist = readNumber(value, key, file, number);
            else if (key == "join" && r.request.way == zunaiWay::Chained)
                r.tuning.joinDist = readNumber(value, key, file, number);
            else if (key == "min-dot" && r.request.way == zunaiWay::Chained)
                r.tuning.minDot = readNumber(value, key, file, number);
            else if (key == "max-height-diff" && r.request.way == zunaiWay::Chained)
                r.tuning.maxHeightDiff = readNumber(value, key, file, number);
            else
                fail(file, number, "unknown setting '" + w[i] + "' for " + w[0]);
        }
        requests.push_back(r);
    }
    return requests;
}

zunaiBatchReport zunaiRunBatch(zunaiSession& session, const std::vector<zunaiBatchRequest>& requests)
{
    zunaiBatchReport report;
    double ratios = 0.0;
    int measured = 0;
    for (const auto& asked : requests) {
        zunaiBatchResult r;
        r.asked = asked;
        zunAIPathMgr::pathInfo tuning = asked.tuning;
        const auto start = std::chrono::steady_clock::now();
        r.route = zunaiRunRequest(session, asked.request, &tuning);
        r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        session.routes.deleteAllPaths();   // each request stands alone
        r.route.pathIndex = -1;
        if (asked.expect == "reach")
            r.holds = r.route.found && r.route.reached;
        else if (asked.expect == "found")
            r.holds = r.route.found;
        else if (asked.expect == "none")
            r.holds = !r.route.found;
        r.straight = zunaiDistance(asked.request.from, asked.request.to);
        report.found += r.route.found;
        report.reached += r.route.found && r.route.reached;
        report.failedExpectations += !r.holds;
        report.rays += r.route.rays;
        report.seconds += r.seconds;
        if (r.route.found && !r.route.marks.empty() && r.straight > 0.0) {
            ratios += r.route.length / r.straight;
            ++measured;
        }
        report.results.push_back(std::move(r));
    }
    report.lengthOverStraight = measured ? ratios / measured : 0.0;
    return report;
}

zunaiJson zunaiBatchJson(const zunaiBatchReport& report)
{
    zunaiJson requests = zunaiJson::array();
    for (const auto& r : report.results) {
        zunaiJson one = zunaiRouteJson(r.route);
        one["line"] = r.asked.line;
        one["expect"] = r.asked.expect.empty() ? zunaiJson(nullptr) : zunaiJson(r.asked.expect);
        one["holds"] = r.holds;
        one["straight"] = zunaiJsonNumber(r.straight);
        one["seconds"] = r.seconds;
        requests.push_back(std::move(one));
    }
    const std::size_t n = report.results.size();
    return {{"requests", std::move(requests)},
            {"summary",
             {{"requests", n},
              {"found", report.found},
              {"reached", report.reached},
              {"failedExpectations", report.failedExpectations},
              {"rays", report.rays},
              {"seconds", report.seconds},
              {"secondsPerRequest", n ? report.seconds / double(n) : 0.0},
              {"lengthOverStraight", zunaiJsonNumber(report.lengthOverStraight)}}}};
}
