// Explanations in words, for a designer.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <map>
#include <sstream>

#include "zunaiExplain.h"

namespace {

std::string number(double v)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", v);
    return buffer;
}

// The order in which the module runs its tests, for grouping.
const char* const testOrder[] = {"excluded", "marks", "height", "direction", "goal-direction",
                                 "join",     "slope", "sight",  "probe"};

int rank(const std::string& verdict)
{
    for (int i = 0; i < 9; ++i)
        if (verdict == testOrder[i])
            return i;
    return 9;   // scored, chosen
}

const char* reasonText(const std::string& verdict)
{
    if (verdict == "excluded") return "excluded (the side's previous path)";
    if (verdict == "marks") return "fewer than two marks";
    if (verdict == "height") return "nearer end too high or low";
    if (verdict == "direction") return "runs against the way";
    if (verdict == "goal-direction") return "its mark nearest the goal lies behind";
    if (verdict == "join") return "nearer end too far to join";
    if (verdict == "slope") return "climbs or falls against the goal";
    if (verdict == "sight") return "sight ray to its nearer end blocked";
    if (verdict == "probe") return "ground probe to its nearer end blocked";
    return "";
}

// "3, 5, 7-12": path numbers, runs shortened.
std::string pathList(std::vector<int> paths)
{
    std::sort(paths.begin(), paths.end());
    std::string out;
    for (std::size_t i = 0; i < paths.size();) {
        std::size_t j = i;
        while (j + 1 < paths.size() && paths[j + 1] == paths[j] + 1)
            ++j;
        if (!out.empty())
            out += ", ";
        out += std::to_string(paths[i]);
        if (j > i)
            out += (j == i + 1 ? ", " : "-") + std::to_string(paths[j]);
        i = j + 1;
    }
    return out;
}

void describeSearch(std::ostream& out, const char* side, const zunaiSearchExplained& s)
{
    out << "  " << side << ": ";
    if (s.chosen < 0)
        out << "no path qualifies\n";
    else
        out << "chose path " << s.chosen << "\n";
    std::vector<const zunaiCandidateExplained*> scored;
    std::map<int, std::vector<int>> dropped;   // by test, in the module's order
    for (const auto& c : s.candidates) {
        if (c.verdict == "scored" || c.verdict == "chosen")
            scored.push_back(&c);
        else
            dropped[rank(c.verdict)].push_back(c.path);
    }
    std::sort(scored.begin(), scored.end(),
              [](const zunaiCandidateExplained* a, const zunaiCandidateExplained* b) { return a->score > b->score; });
    if (!scored.empty()) {
        out << "    best scored:";
        for (std::size_t i = 0; i < scored.size() && i < 3; ++i)
            out << (i ? "," : "") << " path " << scored[i]->path << " " << number(scored[i]->score)
                << (scored[i]->verdict == "chosen" ? " (chosen)" : "");
        if (scored.size() > 3)
            out << " (" << scored.size() - 3 << " more scored)";
        out << "\n";
    }
    for (const auto& [r, paths] : dropped)
        out << "    dropped, " << reasonText(testOrder[r]) << " [" << testOrder[r] << "]: "
            << (paths.size() == 1 ? "path " : "paths ") << pathList(paths) << "\n";
}

// Why a closing test failed.
std::string closingWhy(const zunaiClosingExplained& c, float joinDist)
{
    const double apart = zunaiDistance(c.startEnd, c.goalEnd);
    const double rise = double(c.goalEnd.z) - c.startEnd.z;
    if (c.reason == "length")
        return "the open ends are " + number(apart) + " apart; the link must be shorter than " + number(joinDist) +
               " (--join)";
    if (c.reason == "height")
        return "the open ends differ by " + number(std::fabs(rise)) + " in height; the link must rise or fall less than 4";
    if (c.reason == "sight")
        return "a ray along the link from 12 below the start side's end meets the level";
    return "the ground probe along the link (nine rays from 12 below) is blocked";
}

std::string closingText(const zunaiClosingExplained& c, float joinDist)
{
    if (!c.tested)
        return "not made";
    if (c.holds)
        return "holds";
    return "fails [" + c.reason + "]: " + closingWhy(c, joinDist);
}

// The most promising dropped candidate of a pass: the one that got furthest
// through the tests, the nearest of those.
struct Miss {
    const zunaiCandidateExplained* candidate = nullptr;
    const char* side = "";
    explicit operator bool() const { return candidate != nullptr; }
};

Miss nearestMiss(const zunaiPassExplained& p, bool goalSide, bool startSide)
{
    Miss miss;
    const zunaiCandidateExplained*& best = miss.candidate;
    for (const zunaiSearchExplained* s : {&p.goalSide, &p.startSide}) {
        const bool isGoal = s == &p.goalSide;
        if ((isGoal && !goalSide) || (!isGoal && !startSide))
            continue;
        for (const auto& c : s->candidates) {
            const int r = rank(c.verdict);
            if (r < 2 || r > 8)
                continue;
            if (!best || r > rank(best->verdict) ||
                (r == rank(best->verdict) && c.entryDistance < best->entryDistance)) {
                best = &c;
                miss.side = isGoal ? "the goal side's end" : "the start side's end";
            }
        }
    }
    return miss;
}

std::string missText(const Miss& miss, const zunaiPassExplained& p, const zunAIPathMgr::pathInfo& t)
{
    const zunaiCandidateExplained& c = *miss.candidate;
    const std::string path = "path " + std::to_string(c.path);
    const std::string from = std::string(" from ") + miss.side;
    const char* passes = p.pass == 0 ? "the first pass joins" : "later passes join";
    if (c.verdict == "join")
        return path + "'s nearest end is " + number(c.entryDistance) + " away" + from + "; " + passes + " within " +
               number(p.joinDist - 0.5f);
    if (c.verdict == "height")
        return path + "'s nearest end is " + number(std::fabs(c.entryRise)) + (c.entryRise > 0 ? " higher" : " lower") + " than" + from +
               "; a path is joined at most " + number(t.maxHeightDiff) + " higher or lower (--max-height-diff)";
    if (c.verdict == "direction")
        return path + " runs against the way to the goal; it would need --min-dot below " + number(t.minDot);
    if (c.verdict == "goal-direction")
        return path + "'s mark nearest the goal lies behind; it would need --min-dot below " + number(t.minDot);
    if (c.verdict == "slope")
        return path + " climbs where the goal lies lower, or falls where it lies higher";
    if (c.verdict == "sight")
        return "the level blocks the straight line to " + path + "'s nearest end, " + number(c.entryDistance) + " away";
    return "the ground probe toward " + path + "'s nearest end, " + number(c.entryDistance) +
           " away, is blocked (a step or kerb 11 to 13 below the marks)";
}

} // namespace

std::string zunaiExplanationHint(const zunaiExplanation& e)
{
    const zunaiRouteResult& r = e.route;
    if (r.found && r.reached)
        return {};
    if (r.request.way == zunaiWay::Walked) {
        if (e.end == "hemmed-in")
            return "every direction of the sweep was blocked within 9: the walker had no room to step";
        if (e.end == "thirty-passes")
            return "the walk stops after 30 passes; the goal was still " + number(r.goalDistance) + " away";
        return "the walk ended " + number(r.goalDistance) + " from the goal";
    }
    if (e.end == "empty-database")
        return "the path database holds no path";
    if (e.passes.empty())
        return {};
    const zunaiPassExplained& first = e.passes.front();
    const zunaiPassExplained& last = e.passes.back();
    bool startSideFound = false;
    for (const auto& p : e.passes)
        startSideFound = startSideFound || p.startSide.chosen >= 0;
    if (e.end == "both-empty" && e.passes.size() == 1) {
        const Miss miss = nearestMiss(first, true, true);
        return "no stored path qualifies from either end" +
               (miss ? ": nearest miss: " + missText(miss, first, e.tuning) : std::string());
    }
    if (!startSideFound) {
        const Miss miss = nearestMiss(first, false, true);
        return "no stored path ever qualified from the start" +
               (miss ? ": nearest miss: " + missText(miss, first, e.tuning) : std::string());
    }
    // The closing test that failed last, if any.
    for (auto p = e.passes.rbegin(); p != e.passes.rend(); ++p)
        if (p->closing.tested && !p->closing.holds) {
            std::string hint = "the closing link failed: " + closingWhy(p->closing, e.tuning.joinDist);
            if (e.end == "both-empty")
                if (const Miss miss = nearestMiss(last, true, true))
                    hint += "; and no further path qualifies: nearest miss: " + missText(miss, last, e.tuning);
            return hint;
        }
    return "the route ended (" + e.end + ") " + number(r.goalDistance) + " from the goal";
}

std::string zunaiExplanationText(const zunaiExplanation& e)
{
    std::ostringstream out;
    if (e.route.request.way == zunaiWay::Chained) {
        for (const auto& p : e.passes) {
            out << "pass " << p.pass << " (paths joined within " << number(p.joinDist - 0.5f) << ")\n";
            describeSearch(out, "goal side ", p.goalSide);
            describeSearch(out, "start side", p.startSide);
            out << "  closing test: " << closingText(p.closing, e.tuning.joinDist) << "\n";
        }
        static const std::map<std::string, std::string> ends = {
            {"closed", "the closing test joined the two chains"},
            {"same-path", "both sides chose the same stored path"},
            {"swap", "the two sides took each other's paths; the route ends with the start side's chain"},
            {"both-empty", "neither side found a path; the route is what the start side had"},
            {"ten-passes", "ten passes without a join; the route is the start side's chain"},
            {"empty-database", "the path database holds no path"},
        };
        const auto end = ends.find(e.end);
        out << "end: " << e.end << (end != ends.end() ? " (" + end->second + ")" : std::string()) << "\n";
    } else {
        for (const auto& p : e.walkPasses) {
            out << "pass " << p.pass << ": ";
            if (p.direct)
                out << "the way to the goal is clear\n";
            else
                out << "best direction " << number(p.angle) << " degrees off the heading, clearance "
                    << number(p.clearance) << ", score " << number(p.score) << ", "
                    << (p.step.empty() ? "no step" : p.step + " step") << "\n";
        }
        out << "end: " << e.end << "\n";
    }
    const std::string hint = zunaiExplanationHint(e);
    if (!hint.empty())
        out << "to get through: " << hint << "\n";
    return out.str();
}
