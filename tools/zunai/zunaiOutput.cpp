// Tables and JSON.

#include "zunaiOutput.h"

#include <algorithm>
#include <charconv>
#include <cmath>
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

std::string shortest(double number)
{
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    return std::string(buffer, result.ptr);
}

std::string shortest(float number)
{
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    return std::string(buffer, result.ptr);
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

// ---- JSON ---------------------------------------------------------------

std::string zunaiJsonString(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20)
                out += format("\\u%04x", c);
            else
                out += char(c);
        }
    }
    return out + "\"";
}

void zunaiJson::separate()
{
    if (afterKey) {
        afterKey = false;
        return;
    }
    if (!first.empty()) {
        if (!first.back())
            out += ',';
        first.back() = false;
    }
}

zunaiJson& zunaiJson::beginObject()
{
    separate();
    out += '{';
    first.push_back(true);
    return *this;
}

zunaiJson& zunaiJson::endObject()
{
    out += '}';
    first.pop_back();
    return *this;
}

zunaiJson& zunaiJson::beginArray()
{
    separate();
    out += '[';
    first.push_back(true);
    return *this;
}

zunaiJson& zunaiJson::endArray()
{
    out += ']';
    first.pop_back();
    return *this;
}

zunaiJson& zunaiJson::key(const std::string& name)
{
    separate();
    out += zunaiJsonString(name);
    out += ':';
    afterKey = true;
    return *this;
}

zunaiJson& zunaiJson::value(const std::string& text)
{
    separate();
    out += zunaiJsonString(text);
    return *this;
}

zunaiJson& zunaiJson::value(const char* text)
{
    return value(std::string(text));
}

zunaiJson& zunaiJson::value(double number)
{
    separate();
    if (!std::isfinite(number)) {
        out += "null";
        return *this;
    }
    const double rounded = std::round(number * 1000.0) / 1000.0;
    out += shortest(rounded == 0.0 ? 0.0 : rounded);
    return *this;
}

zunaiJson& zunaiJson::value(long long number)
{
    separate();
    out += std::to_string(number);
    return *this;
}

zunaiJson& zunaiJson::value(bool flag)
{
    separate();
    out += flag ? "true" : "false";
    return *this;
}

zunaiJson& zunaiJson::null()
{
    separate();
    out += "null";
    return *this;
}

zunaiJson& zunaiJson::point(const zunaiPoint& p)
{
    beginArray();
    for (float c : {p.x, p.y, p.z}) {
        separate();
        out += std::isfinite(c) ? shortest(c) : std::string("null");
    }
    return endArray();
}

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
    out << format("  length   %.1f\n", r.length);
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

void zunaiJsonRoute(zunaiJson& json, const zunaiRouteResult& r)
{
    json.beginObject();
    if (!r.request.name.empty())
        json.key("name").value(r.request.name);
    json.key("way").value(zunaiWayName(r.request.way));
    json.key("from").point(r.request.from);
    json.key("to").point(r.request.to);
    json.key("found").value(r.found);
    json.key("markCount").value(static_cast<long long>(r.marks.size()));
    json.key("marks").beginArray();
    for (const auto& m : r.marks)
        json.point(m);
    json.endArray();
    json.key("length").value(r.length);
    json.key("reached").value(r.reached);
    json.key("goalDistance");
    if (r.marks.empty())
        json.null();
    else
        json.value(r.goalDistance);
    json.key("rays").value(r.rays);
    json.endObject();
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

void zunaiJsonPaths(zunaiJson& json, const std::vector<zunaiDrawnPath>& paths)
{
    json.beginArray();
    for (const auto& p : paths) {
        json.beginObject();
        json.key("number").value(p.number);
        json.key("colour").value(zunaiFormatColour(p.colour));
        json.key("marks").beginArray();
        for (const auto& m : p.marks)
            json.point(m);
        json.endArray();
        json.endObject();
    }
    json.endArray();
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

void zunaiJsonCheckReport(zunaiJson& json, const zunaiCheckReport& report)
{
    json.beginObject();
    json.key("file").value(report.file);
    json.key("readable").value(true);
    json.key("whole").value(report.whole());
    json.key("statements").value(report.statements);
    json.key("marks").value(report.marks);
    json.key("paths").beginArray();
    for (const auto& p : report.paths) {
        json.beginObject();
        json.key("number").value(p.number);
        json.key("loadsAs").value(p.loadsAs);
        json.key("markCount").value(static_cast<long long>(p.marks.size()));
        json.key("firstLine").value(p.firstLine);
        json.key("lastLine").value(p.lastLine);
        json.endObject();
    }
    json.endArray();
    json.key("lost").beginArray();
    for (const auto& l : report.lost) {
        json.beginObject();
        json.key("line").value(l.line);
        json.key("name").value(l.name);
        json.key("reason").value(l.reason);
        json.endObject();
    }
    json.endArray();
    json.key("notes").beginArray();
    for (const auto& n : report.notes) {
        json.beginObject();
        json.key("line").value(n.line);
        json.key("text").value(n.text);
        json.endObject();
    }
    json.endArray();
    json.endObject();
}
