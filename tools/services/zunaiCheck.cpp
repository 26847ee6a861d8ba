// The database check: the script's reading of the file, then the module's
// loading loop run over the names it found.

#include "zunaiCheck.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <map>
#include <unordered_map>

#include "standin/core/zunScriptSyntax.h"
#include "zunaiFiles.h"

namespace {

struct Assignment {
    int line;
    std::string name;
    float value;
};

// The assignments of the text, in order, with their line numbers (from 1),
// read as the script reads them. `unread` collects lines that look like
// assignments but that the script skips (a number it can't read, something
// after the ';').
void readAssignments(const std::string& text, std::vector<Assignment>& out, std::vector<zunaiCheckNote>& unread)
{
    using zunScriptSyntax::Line;
    zunScriptSyntax::readLines(text.data(), text.data() + text.size(), [&](const Line& line, int number) {
        if (line.kind == Line::other)
            return;
        std::string name(line.nameBegin, line.nameEnd);
        if (line.kind == Line::assignment)
            out.push_back(Assignment{number, std::move(name), line.value});
        else
            unread.push_back(zunaiCheckNote{number, name + ": the script can't read this assignment and skips the line"});
    });
}

// A path variable's parts. `canonical` is false for a name of the same shape
// that loading never asks for (a leading zero, a number beyond int).
struct PathName {
    bool isPathName = false;
    bool canonical = false;
    int path = 0, mark = 0;
    int coordinate = 0;   // 0 X, 1 Y, 2 Z
};

bool readCount(const std::string& s, std::size_t& at, int& value, bool& canonical)
{
    const std::size_t start = at;
    while (at < s.size() && s[at] >= '0' && s[at] <= '9')
        ++at;
    if (at == start)
        return false;
    if (s[start] == '0' && at - start > 1)
        canonical = false;
    long long v = 0;
    for (std::size_t i = start; i < at; ++i) {
        v = v * 10 + (s[i] - '0');
        if (v > INT_MAX) {
            canonical = false;
            v = INT_MAX;
        }
    }
    value = int(v);
    return true;
}

PathName parseName(const std::string& name)
{
    PathName result;
    if (name.compare(0, 4, "Path") != 0)
        return result;
    std::size_t at = 4;
    bool canonical = true;
    int path, mark;
    if (!readCount(name, at, path, canonical) || name.compare(at, 4, "Mark") != 0)
        return result;
    at += 4;
    if (!readCount(name, at, mark, canonical) || at + 1 != name.size())
        return result;
    const char c = name[at];
    if (c != 'X' && c != 'Y' && c != 'Z')
        return result;
    result.isPathName = true;
    result.canonical = canonical;
    result.path = path;
    result.mark = mark;
    result.coordinate = c - 'X';
    return result;
}

const char* const coordinateNames[3] = {"X", "Y", "Z"};

std::string variable(int path, int mark, int coordinate)
{
    return "Path" + std::to_string(path) + "Mark" + std::to_string(mark) + coordinateNames[coordinate];
}

// Why the marks of one file path stop where they stop.
struct PathEnd {
    int keptMarks = 0;    // marks loaded
    int missing = -1;     // the coordinate that mark keptMarks lacks
};

} // namespace

zunaiCheckReport zunaiCheckText(const std::string& text)
{
    zunaiCheckReport report;
    std::vector<Assignment> assignments;
    readAssignments(text, assignments, report.notes);
    report.statements = int(assignments.size());

    // The last assignment wins; earlier ones are overwritten.
    std::unordered_map<std::string, std::size_t> last;
    for (std::size_t i = 0; i < assignments.size(); ++i) {
        auto found = last.find(assignments[i].name);
        if (found != last.end())
            report.notes.push_back(zunaiCheckNote{assignments[found->second].line,
                                                  assignments[i].name + ": assigned again on line " +
                                                      std::to_string(assignments[i].line) + ", which wins"});
        last[assignments[i].name] = i;
    }
    auto lookup = [&](int path, int mark, int coordinate) -> const Assignment* {
        auto found = last.find(variable(path, mark, coordinate));
        return found == last.end() ? nullptr : &assignments[found->second];
    };

    // The loading loop.
    std::map<int, PathEnd> ends;   // every file path the loop reads
    int stopPath = 0;
    for (int p = 0;; ++p) {
        PathEnd end;
        int m = 0;
        for (;; ++m) {
            const Assignment* x = lookup(p, m, 0);
            if (!x) {
                end.missing = 0;
                break;
            }
            const Assignment* y = lookup(p, m, 1);
            const Assignment* z = y ? lookup(p, m, 2) : nullptr;
            if (!y || !z) {
                end.missing = y ? 2 : 1;
                break;
            }
        }
        if (m == 0 && end.missing == 0) {
            stopPath = p;
            break;
        }
        end.keptMarks = m;
        ends[p] = end;
        if (m > 0) {
            zunaiCheckedPath path;
            path.number = p;
            path.loadsAs = int(report.paths.size());
            path.firstLine = INT_MAX;
            for (int k = 0; k < m; ++k) {
                const Assignment* c[3] = {lookup(p, k, 0), lookup(p, k, 1), lookup(p, k, 2)};
                path.marks.push_back(zunaiPoint{c[0]->value, c[1]->value, c[2]->value});
                path.markLines.push_back(c[0]->line);
                for (const Assignment* a : c) {
                    path.firstLine = std::min(path.firstLine, a->line);
                    path.lastLine = std::max(path.lastLine, a->line);
                }
            }
            report.marks += m;
            report.paths.push_back(std::move(path));
        }
    }

    // Every path variable's winning statement that no loaded mark took.
    for (const auto& entry : last) {
        const Assignment& a = assignments[entry.second];
        const PathName n = parseName(a.name);
        if (!n.isPathName) {
            report.notes.push_back(zunaiCheckNote{a.line, a.name + ": not a path variable; loading ignores it"});
            continue;
        }
        std::string reason;
        if (!n.canonical) {
            reason = "loading never asks for this name (it asks for " + variable(n.path, n.mark, n.coordinate) + ")";
        } else if (n.path >= stopPath) {
            reason = n.path == stopPath
                         ? "path " + std::to_string(stopPath) + " has no " + variable(stopPath, 0, 0) +
                               ", so loading stops before it"
                         : "path " + std::to_string(n.path) + " comes after the gap at path " +
                               std::to_string(stopPath) + " (no " + variable(stopPath, 0, 0) +
                               "), where loading stops";
        } else {
            const PathEnd& end = ends[n.path];
            if (end.keptMarks == 0) {
                reason = "mark 0 of path " + std::to_string(n.path) + " lacks " + coordinateNames[end.missing] +
                         ", so path " + std::to_string(n.path) + " gives no path";
            } else if (n.mark >= end.keptMarks) {
                reason = "path " + std::to_string(n.path) + " ends at mark " + std::to_string(end.keptMarks - 1) +
                         ": mark " + std::to_string(end.keptMarks) + " lacks " + coordinateNames[end.missing];
            } else {
                if (!std::isfinite(a.value))
                    report.notes.push_back(zunaiCheckNote{a.line, a.name + ": the value is not a finite number"});
                continue;   // loaded
            }
        }
        report.lost.push_back(zunaiLostStatement{a.line, a.name, reason});
    }

    // Overwritten statements are never reached either, but lose nothing:
    // they stay notes. Order everything by line.
    std::sort(report.lost.begin(), report.lost.end(),
              [](const zunaiLostStatement& a, const zunaiLostStatement& b) { return a.line < b.line; });
    std::stable_sort(report.notes.begin(), report.notes.end(),
                     [](const zunaiCheckNote& a, const zunaiCheckNote& b) { return a.line < b.line; });
    return report;
}

bool zunaiCheckFile(const std::filesystem::path& path, zunaiCheckReport& report)
{
    std::string text;
    if (!zunaiReadFile(path, text))
        return false;
    report = zunaiCheckText(text);
    return true;
}
