// Tables and JSON.

#include "zunaiOutput.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace {

#if defined(__GNUC__)
std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));
#endif

std::string format(const char* pattern, ...)
{
    char buffer[512];
    va_list args;
    va_start(args, pattern);
    std::vsnprintf(buffer, sizeof buffer, pattern, args);
    va_end(args);
    return buffer;
}

std::string count(std::size_t n, const char* thing)
{
    return std::to_string(n) + " " + thing + (n == 1 ? "" : "s");
}

std::string reachedText(const zunaiRouteResult& r)
{
    if (r.marks.empty())
        return "no";
    return format("%s (%.1f)", r.reached ? "yes" : "no", r.goalDistance);
}

} // namespace

// ---- formatting ---------------------------------------------------------

std::string zunaiFormatPoint(const zunaiPoint& p)
{
    return format("(%.1f, %.1f, %.1f)", p.x, p.y, p.z);
}


// ---- routes -------------------------------------------------------------

void zunaiPrintRouteBlock(std::ostream& out, const zunaiRouteResult& r)
{
    out << zunaiWayName(r.request.way) << " route from " << zunaiFormatPoint(r.request.from) << " to "
        << zunaiFormatPoint(r.request.to) << "\n";
    if (!r.found) {
        out << "  no route: the module answered none\n";
        out << format("  rays     %s\n", std::to_string(r.rays).c_str());
        return;
    }
    out << format("  marks    %s\n", std::to_string(r.marks.size()).c_str());
    if (r.marks.empty())
        out << "  length   0\n";
    else
        out << format("  length   %.1f (start to first mark %.1f + along the marks %.1f + last mark to goal %.1f)\n",
                      r.length, r.startLeg, r.alongMarks, r.goalLeg);
    if (r.marks.empty())
        out << "  reached  no (the route has no marks)\n";
    else
        out << format("  reached  %s (last mark %s, %.1f from the goal)\n", r.reached ? "yes" : "no",
                      zunaiFormatPoint(r.marks.back()).c_str(), r.goalDistance);
    out << format("  rays     %s\n", std::to_string(r.rays).c_str());
}

void zunaiPrintRouteTable(std::ostream& out, const std::vector<zunaiRouteResult>& results)
{
    std::size_t nameWidth = 7;
    for (const auto& r : results)
        nameWidth = std::max(nameWidth, r.request.name.size());
    out << format("  %-*s  %-7s  %5s  %7s  %-11s  %6s\n", int(nameWidth), "request", "way", "marks", "length",
                  "reached", "rays");
    for (const auto& r : results) {
        const std::string marks = r.found ? std::to_string(r.marks.size()) : "-";
        const std::string length = r.found ? format("%.1f", r.length) : "-";
        const std::string reached = r.found ? reachedText(r) : "no route";
        out << format("  %-*s  %-7s  %5s  %7s  %-11s  %6s\n", int(nameWidth), r.request.name.c_str(),
                      zunaiWayName(r.request.way), marks.c_str(), length.c_str(), reached.c_str(),
                      std::to_string(r.rays).c_str());
    }
}

// ---- stored paths -------------------------------------------------------

void zunaiPrintPathTable(std::ostream& out, const std::vector<zunaiDrawnPath>& paths, int storedPaths)
{
    out << format("  %4s  %5s  %7s  %-7s  %-20s  %s\n", "path", "marks", "length", "colour", "first mark",
                  "last mark");
    for (const auto& p : paths) {
        double length = 0.0;
        for (std::size_t i = 1; i < p.marks.size(); ++i)
            length += zunaiDistance(p.marks[i - 1], p.marks[i]);
        out << format("  %4d  %5s  %7.1f  %-7s  %-20s  %s\n", p.number, std::to_string(p.marks.size()).c_str(), length,
                      zunaiFormatColour(p.colour).c_str(), zunaiFormatPoint(p.marks.front()).c_str(),
                      zunaiFormatPoint(p.marks.back()).c_str());
    }
    if (int(paths.size()) < storedPaths)
        out << format("  (%d stored paths have fewer than two marks and draw nothing)\n",
                      storedPaths - int(paths.size()));
}

// ---- checks -------------------------------------------------------------

void zunaiPrintCheckReport(std::ostream& out, const zunaiCheckReport& report)
{
    out << report.file << ": " << count(report.paths.size(), "path") << ", " << count(std::size_t(report.marks), "mark")
        << " load";
    if (report.whole())
        out << "; the file loads whole\n";
    else
        out << "; " << count(report.lost.size(), "statement") << (report.lost.size() == 1 ? " is" : " are")
            << " never reached\n";
    for (const auto& p : report.paths) {
        out << format("  path %d: %s, lines %d-%d", p.number, count(p.marks.size(), "mark").c_str(), p.firstLine,
                      p.lastLine);
        if (p.loadsAs != p.number)
            out << format(" (loads as path %d)", p.loadsAs);
        out << "\n";
    }
    for (const auto& l : report.lost)
        out << format("  line %d: %s never reached: ", l.line, l.name.c_str()) << l.reason << "\n";
    for (const auto& n : report.notes)
        out << format("  line %d: note: ", n.line) << n.text << "\n";
}

void zunaiPrintLevelCheck(std::ostream& out, const std::string& level, const zunaiLevelCheckReport& report)
{
    out << "  against " << level << ": ";
    if (report.problems.empty())
        out << "no problems\n";
    else
        out << count(report.problems.size(), "problem") << "\n";
    for (const auto& p : report.problems) {
        out << format("  line %d: path %d", p.line, p.path);
        if (p.mark >= 0)
            out << format(" mark %d", p.mark);
        out << ": " << p.kind << ": " << p.message << "\n";
    }
    out << "  " << count(report.groups.size(), "group") << " of paths that can chain into each other:";
    for (std::size_t g = 0; g < report.groups.size(); ++g) {
        out << (g ? ";" : "") << " paths";
        for (std::size_t i = 0; i < report.groups[g].size(); ++i)
            out << (i ? ", " : " ") << report.groups[g][i];
    }
    out << "\n";
}

const char* const zunaiReachedHelp =
    "A route reaches its goal when its last mark lies within 7 units of the goal horizontally, or, for a chained "
    "route (which ends at the stored mark where it left the database), when the goal is in plain view of the last "
    "mark: at most 150 units away, less than 4 units higher or lower, and a straight ray between them meets "
    "nothing.";
