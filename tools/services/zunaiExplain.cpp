// Explanations: the module's decisions for one request, written down by an
// observer while the request runs.

#include "zunaiExplain.h"

#include <cmath>

namespace {

const char* const verdictNames[] = {"excluded", "marks", "height", "direction", "goal-direction",
                                    "join",     "slope", "sight",  "probe",     "scored"};
const char* const closingNames[] = {"", "length", "height", "sight", "probe"};
const char* const routeEndNames[] = {"closed", "same-path", "swap", "both-empty", "ten-passes", "empty-database"};
const char* const walkEndNames[] = {"direct", "near", "arrived", "thirty-passes", "hemmed-in"};

zunaiPoint pointOf(const cVector4& v)
{
    return zunaiPoint{v.x, v.y, v.z};
}

// Writes down what the module tells, into an explanation.
class Recorder : public zunAIRouteObserver {
public:
    explicit Recorder(zunaiExplanation& out) : out(out) {}

    void passBegan(int pass, float joinDist) override
    {
        zunaiPassExplained p;
        p.pass = pass;
        p.joinDist = joinDist;
        out.passes.push_back(p);
    }
    void searchBegan(int side, const cVector4& from) override
    {
        if (out.passes.empty())
            return;
        search = side == sideGoal ? &out.passes.back().goalSide : &out.passes.back().startSide;
        searchFrom = from;
    }
    void candidateJudged(int index, zunAIPath* path, int verdict, float score) override
    {
        if (!search)
            return;
        zunaiCandidateExplained c;
        c.path = index;
        c.verdict = verdictNames[verdict];
        c.score = verdict == verdictScored ? score : 0.0f;
        if (path->getNumMarks() > 0) {
            // Measured as the module measures (the path's own distances).
            cVector4 from = searchFrom;
            const float dStart = path->getDistanceToStart(from);
            const float dEnd = path->getDistanceToEnd(from);
            const zunAIMark* entry = dStart < dEnd ? path->getMark(0) : path->getMark(path->getNumMarks() - 1);
            c.entryDistance = std::fmin(dStart, dEnd);
            c.entryRise = entry ? entry->position.z - from.z : 0.0f;
        }
        search->candidates.push_back(c);
    }
    void searchEnded(int chosenIndex, zunAIPath*, const cVector4&) override
    {
        if (!search)
            return;
        search->chosen = chosenIndex;
        for (auto& c : search->candidates)
            if (c.path == chosenIndex)
                c.verdict = "chosen";
        search = nullptr;
    }
    void closingTested(int reason, const cVector4& a, const cVector4& b) override
    {
        if (out.passes.empty())
            return;
        zunaiClosingExplained& c = out.passes.back().closing;
        c.tested = true;
        c.holds = reason == closingHolds;
        c.reason = closingNames[reason];
        c.startEnd = pointOf(a);
        c.goalEnd = pointOf(b);
    }
    void routeEnded(int end) override { out.end = routeEndNames[end]; }

    void walkDirectClear(int pass) override
    {
        zunaiWalkPassExplained p;
        p.pass = pass;
        p.direct = true;
        out.walkPasses.push_back(p);
    }
    void walkSwept(int pass, float angle, float clearance, float score, int step) override
    {
        zunaiWalkPassExplained p;
        p.pass = pass;
        p.angle = angle * 57.2957795f;
        p.clearance = clearance;
        p.score = score;
        p.step = step == stepLong ? "long" : step == stepShort ? "short" : "";
        out.walkPasses.push_back(p);
    }
    void walkEnded(int end) override { out.end = walkEndNames[end]; }

private:
    zunaiExplanation& out;
    zunaiSearchExplained* search = nullptr;
    cVector4 searchFrom;
};

zunaiJson searchJson(const zunaiSearchExplained& s)
{
    zunaiJson candidates = zunaiJson::array();
    for (const auto& c : s.candidates) {
        zunaiJson one = {{"path", c.path}, {"verdict", c.verdict}};
        if (c.verdict == "scored" || c.verdict == "chosen")
            one["score"] = zunaiJsonNumber(c.score);
        candidates.push_back(std::move(one));
    }
    return {{"chosen", s.chosen < 0 ? zunaiJson(nullptr) : zunaiJson(s.chosen)}, {"candidates", std::move(candidates)}};
}

} // namespace

zunaiExplanation zunaiExplainRequest(zunaiSession& session, const zunaiRequest& request,
                                     const zunAIPathMgr::pathInfo& tuning)
{
    zunaiExplanation explanation;
    explanation.tuning = tuning;
    Recorder recorder(explanation);
    zunAIPathMgr::pathInfo info = tuning;
    explanation.route = zunaiRunRequest(session, request, &info, &recorder);
    return explanation;
}

zunaiJson zunaiExplanationJson(const zunaiExplanation& e)
{
    zunaiJson json = zunaiRouteJson(e.route);
    zunaiJson passes = zunaiJson::array();
    if (e.route.request.way == zunaiWay::Chained) {
        for (const auto& p : e.passes) {
            zunaiJson closing = {{"tested", p.closing.tested},
                                 {"holds", p.closing.holds},
                                 {"reason", p.closing.reason.empty() ? zunaiJson(nullptr) : zunaiJson(p.closing.reason)}};
            passes.push_back({{"pass", p.pass},
                              {"joinDist", zunaiJsonNumber(p.joinDist)},
                              {"goalSide", searchJson(p.goalSide)},
                              {"startSide", searchJson(p.startSide)},
                              {"closing", std::move(closing)}});
        }
    } else {
        for (const auto& p : e.walkPasses) {
            zunaiJson chosen = nullptr;
            if (!p.direct)
                chosen = {{"angle", zunaiJsonNumber(p.angle)},
                          {"clearance", zunaiJsonNumber(p.clearance)},
                          {"score", zunaiJsonNumber(p.score)}};
            passes.push_back({{"pass", p.pass},
                              {"direct", p.direct},
                              {"chosen", std::move(chosen)},
                              {"step", p.step.empty() ? zunaiJson(nullptr) : zunaiJson(p.step)}});
        }
    }
    json["passes"] = std::move(passes);
    json["end"] = e.end;
    return json;
}
