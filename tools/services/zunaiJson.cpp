// The services' results as JSON.

#include "zunaiJson.h"

#include <charconv>
#include <cmath>

#include "zunaiGround.h"
#include "zunaiSvg.h"

namespace {

// Integral values print without a fraction ("-160", not "-160.0").
zunaiJson numberValue(double number)
{
    if (!std::isfinite(number))
        return nullptr;
    if (number == 0.0)
        return 0;
    if (std::trunc(number) == number && std::fabs(number) < 9.0e15)
        return static_cast<long long>(number);
    return number;
}

} // namespace

zunaiJson zunaiJsonNumber(double number)
{
    if (!std::isfinite(number))
        return nullptr;
    return numberValue(std::round(number * 1000.0) / 1000.0);
}

zunaiJson zunaiJsonFloat(float number)
{
    if (!std::isfinite(number))
        return nullptr;
    // The double nearest the float's shortest decimal prints as that decimal.
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, number);
    double shortest = 0.0;
    std::from_chars(buffer, written.ptr, shortest);
    return numberValue(shortest);
}

zunaiJson zunaiJsonPoint(const zunaiPoint& p)
{
    return zunaiJson::array({zunaiJsonFloat(p.x), zunaiJsonFloat(p.y), zunaiJsonFloat(p.z)});
}

std::string zunaiJsonText(const zunaiJson& json)
{
    return json.dump(-1, ' ', false, zunaiJson::error_handler_t::replace);
}

zunaiJson zunaiJsonError(const std::string& message)
{
    return zunaiJson{{"error", message}};
}

zunaiJson zunaiRouteJson(const zunaiRouteResult& r)
{
    zunaiJson json = zunaiJson::object();
    if (!r.request.name.empty())
        json["name"] = r.request.name;
    json["way"] = zunaiWayName(r.request.way);
    json["from"] = zunaiJsonPoint(r.request.from);
    json["to"] = zunaiJsonPoint(r.request.to);
    json["found"] = r.found;
    json["markCount"] = r.marks.size();
    zunaiJson& marks = json["marks"] = zunaiJson::array();
    for (const auto& m : r.marks)
        marks.push_back(zunaiJsonPoint(m));
    // The length counts the legs from the start and to the goal as well.
    json["length"] = zunaiJsonNumber(r.length);
    json["lengthLegs"] = {{"start", zunaiJsonNumber(r.startLeg)},
                          {"marks", zunaiJsonNumber(r.alongMarks)},
                          {"goal", zunaiJsonNumber(r.goalLeg)}};
    json["reached"] = r.reached;
    json["goalDistance"] = r.marks.empty() ? zunaiJson(nullptr) : zunaiJsonNumber(r.goalDistance);
    json["rays"] = r.rays;
    return json;
}

zunaiJson zunaiDrawnPathsJson(const std::vector<zunaiDrawnPath>& paths)
{
    zunaiJson json = zunaiJson::array();
    for (const auto& p : paths) {
        zunaiJson marks = zunaiJson::array();
        for (const auto& m : p.marks)
            marks.push_back(zunaiJsonPoint(m));
        json.push_back({{"number", p.number}, {"colour", zunaiFormatColour(p.colour)}, {"marks", std::move(marks)}});
    }
    return json;
}

zunaiJson zunaiCheckReportJson(const zunaiCheckReport& report)
{
    zunaiJson json = zunaiJson::object();
    json["file"] = report.file;
    json["readable"] = true;
    json["whole"] = report.whole();
    json["paths"] = report.paths.size();
    json["marks"] = report.marks;
    json["statements"] = report.statements;
    zunaiJson& paths = json["pathDetails"] = zunaiJson::array();
    for (const auto& p : report.paths)
        paths.push_back({{"number", p.number},
                         {"loadsAs", p.loadsAs},
                         {"markCount", p.marks.size()},
                         {"firstLine", p.firstLine},
                         {"lastLine", p.lastLine}});
    zunaiJson& lost = json["lost"] = zunaiJson::array();
    for (const auto& l : report.lost)
        lost.push_back({{"line", l.line}, {"name", l.name}, {"reason", l.reason}});
    zunaiJson& notes = json["notes"] = zunaiJson::array();
    for (const auto& n : report.notes)
        notes.push_back({{"line", n.line}, {"text", n.text}});
    return json;
}

zunaiJson zunaiProbeJson(const zunaiProbe& probe)
{
    zunaiJson json = {{"x", zunaiJsonFloat(probe.point.x)}, {"y", zunaiJsonFloat(probe.point.y)}};
    if (probe.point.z)
        json["z"] = zunaiJsonFloat(*probe.point.z);
    zunaiJson& floors = json["floors"] = zunaiJson::array();
    for (const zunaiFloor& f : probe.floors)
        floors.push_back({{"ground", zunaiJsonNumber(f.ground)}, {"mark", zunaiJsonNumber(f.mark)}});
    if (!probe.warning.empty())
        json["warning"] = probe.warning;
    return json;
}
