// The database checked against the level with the module's probes.

#include "zunaiLevelCheck.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

#include "zunAI.h"

namespace {

// The hover rule is a protected member: a manager of our own opens it.
struct ProbeMgr : zunAIPathMgr {
    using zunAIPathMgr::validateHeight;
};

constexpr float groundRay = 30.0f;
constexpr float probeDrop = 12.0f;
constexpr float raySlack = 2.0f;
constexpr float hoverTolerance = 0.01f;
// Joins as the passes after the first make them.
constexpr float laterJoin = 60.0f;
constexpr float heightStep = 4.0f;
constexpr float anyDirection = -2.0f;

std::string number(double v)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", v);
    return buffer;
}

// Collects the paths a search could join.
struct Joinable : zunAIRouteObserver {
    std::vector<int> paths;
    void candidateJudged(int index, zunAIPath*, int verdict, float) override
    {
        if (verdict == verdictScored)
            paths.push_back(index);
    }
};

int findRoot(std::vector<int>& parent, int i)
{
    while (parent[i] != i)
        i = parent[i] = parent[parent[i]];
    return i;
}

void markProblems(ProbeMgr& db, const zunaiCheckedPath& p, std::vector<zunaiProblem>& out)
{
    for (std::size_t k = 0; k < p.marks.size(); ++k) {
        cVector4 mark(p.marks[k].x, p.marks[k].y, p.marks[k].z);
        const int markNumber = int(k);
        const int line = p.markLines[k];
        cVector4 down(0.0f, 0.0f, -1.0f);
        if (!db.isBlocked(mark, down, groundRay, 0)) {
            out.push_back({"no-ground", p.number, markNumber, line,
                           "no ground within 30 below mark " + std::to_string(markNumber)});
        } else {
            const cVector4 placed = db.validateHeight(mark);
            const float moved = placed.z - mark.z;
            if (std::fabs(moved) > hoverTolerance)
                out.push_back({"height", p.number, markNumber, line,
                               "mark " + std::to_string(markNumber) + " stands " + number(24.7f - moved) +
                                   " above the ground; the module would move it " + number(std::fabs(moved)) +
                                   (moved > 0 ? " up" : " down") + " to 24.7"});
        }
        if (k + 1 < p.marks.size()) {
            cVector4 next(p.marks[k + 1].x, p.marks[k + 1].y, p.marks[k + 1].z);
            cVector4 link = next - mark;
            cVector4 below(mark.x, mark.y, mark.z - probeDrop);
            cVector4 scratch;
            if (db.isBlockedArrayScan(below, 2.0f, 2.0f, link, link.len() + raySlack, 0.0f, 2, 2, &scratch))
                out.push_back({"blocked-link", p.number, markNumber, line,
                               "the link from mark " + std::to_string(markNumber) + " to mark " +
                                   std::to_string(markNumber + 1) + " is blocked for the ground probe (12 below)"});
        }
    }
}

} // namespace

zunaiLevelCheckReport zunaiCheckLevel(const zunaiCheckReport& report)
{
    zunaiLevelCheckReport out;
    ProbeMgr db;
    for (const auto& p : report.paths) {
        zunAIPath* path = new zunAIPath;
        for (const auto& m : p.marks) {
            cVector4 at(m.x, m.y, m.z);
            path->addMark(at);
        }
        db.addPath(path);
    }

    for (const auto& p : report.paths)
        markProblems(db, p, out.problems);

    // Joins from every end of every path, as path selection makes them.
    const int n = int(report.paths.size());
    std::vector<int> parent(n);
    std::iota(parent.begin(), parent.end(), 0);
    std::vector<bool> linked(n, false);
    for (int i = 0; i < n; ++i) {
        zunAIPath* self = db.getPath(i);
        if (!self || self->getNumMarks() < 2)
            continue;
        for (int end : {0, self->getNumMarks() - 1}) {
            cVector4 from = self->getMark(end)->position;
            cVector4 to = from;
            cVector4 exitPoint;
            int reversed = 0;
            Joinable joinable;
            db.findBestPath(from, to, exitPoint, reversed, laterJoin, anyDirection, self, heightStep, &joinable);
            for (int j : joinable.paths) {
                linked[i] = linked[j] = true;
                parent[findRoot(parent, i)] = findRoot(parent, j);
            }
        }
    }
    for (int i = 0; i < n; ++i)
        if (!linked[i] && report.paths[i].marks.size() >= 2)
            out.problems.push_back({"isolated", report.paths[i].number, -1, report.paths[i].firstLine,
                                    "no other path's end can be joined from either end of this path, nor join it "
                                    "(within 60, 4 higher or lower, sight and ground probe clear)"});

    std::vector<std::vector<int>> byRoot(n);
    for (int i = 0; i < n; ++i)
        byRoot[findRoot(parent, i)].push_back(report.paths[i].number);
    for (auto& g : byRoot)
        if (!g.empty())
            out.groups.push_back(g);
    std::sort(out.groups.begin(), out.groups.end());
    std::stable_sort(out.problems.begin(), out.problems.end(),
                     [](const zunaiProblem& a, const zunaiProblem& b) { return a.path < b.path; });
    db.deleteAllPaths();
    return out;
}

void zunaiAddLevelCheckJson(zunaiJson& json, const zunaiLevelCheckReport& level)
{
    zunaiJson problems = zunaiJson::array();
    for (const auto& p : level.problems) {
        zunaiJson one = {{"kind", p.kind}, {"path", p.path}};
        if (p.mark >= 0)
            one["mark"] = p.mark;
        one["line"] = p.line;
        one["message"] = p.message;
        problems.push_back(std::move(one));
    }
    json["problems"] = std::move(problems);
    json["groups"] = level.groups;
}
