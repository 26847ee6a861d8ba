// The editor's JSON, both ways.

#include "zunaiEditJson.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "zunaiError.h"
#include "zunaiSvg.h"

using json = zunaiJson;

namespace {

float readNumber(const json& value, const std::string& what)
{
    if (!value.is_number())
        throw zunaiError{what + " must be a number"};
    const double v = value.get<double>();
    if (!std::isfinite(v) || std::fabs(v) > zunaiEditMaxCoordinate)
        throw zunaiError{what + " must be a finite number within +-1000000"};
    return static_cast<float>(v);
}

float readTuning(const json& body, const char* field, float fallback)
{
    if (!body.contains(field))
        return fallback;
    return readNumber(body[field], std::string("\"") + field + "\"");
}

const char* roleName(zunaiDrawnRun::Role role)
{
    switch (role) {
    case zunaiDrawnRun::Role::Recording:
        return "recording";
    case zunaiDrawnRun::Role::Selected:
        return "selected";
    default:
        return "stored";
    }
}

json marksJson(const std::vector<zunaiPoint>& marks)
{
    json list = json::array();
    for (const auto& m : marks)
        list.push_back(zunaiJsonPoint(m));
    return list;
}

} // namespace

json zunaiEditBody(const std::string& body)
{
    if (body.find_first_not_of(" \t\r\n") == std::string::npos)
        return json::object();
    json parsed = json::parse(body, nullptr, false);
    if (parsed.is_discarded())
        throw zunaiError{"the request body is not valid JSON"};
    if (!parsed.is_object())
        throw zunaiError{"the request body must be a JSON object"};
    return parsed;
}

zunaiPointInput zunaiEditReadPoint(const json& body, const char* field)
{
    const std::string name = std::string("\"") + field + "\"";
    if (!body.contains(field))
        throw zunaiError{"missing " + name + ": a point [x, y] or [x, y, z]"};
    const json& value = body[field];
    if (!value.is_array() || value.size() < 2 || value.size() > 3)
        throw zunaiError{name + " must be a point [x, y] or [x, y, z]"};
    zunaiPointInput p;
    p.x = readNumber(value[0], name + "'s x");
    p.y = readNumber(value[1], name + "'s y");
    if (value.size() == 3)
        p.z = readNumber(value[2], name + "'s z");
    return p;
}

zunaiEditRoute zunaiEditReadRoute(const json& body)
{
    zunaiEditRoute route;
    route.from = zunaiEditReadPoint(body, "from");
    route.to = zunaiEditReadPoint(body, "to");
    const json kind = body.contains("kind") ? body["kind"] : json("chained");
    if (kind == "chained")
        route.way = zunaiWay::Chained;
    else if (kind == "walked")
        route.way = zunaiWay::Walked;
    else
        throw zunaiError{"\"kind\" must be \"chained\" or \"walked\""};
    route.tuning.firstJoinDist = readTuning(body, "firstJoin", route.tuning.firstJoinDist);
    route.tuning.joinDist = readTuning(body, "join", route.tuning.joinDist);
    route.tuning.minDot = readTuning(body, "minDot", route.tuning.minDot);
    route.tuning.maxHeightDiff = readTuning(body, "maxHeightDiff", route.tuning.maxHeightDiff);
    return route;
}

bool zunaiEditReadFlag(const json& body, const char* field, bool fallback)
{
    if (!body.contains(field))
        return fallback;
    if (!body[field].is_boolean())
        throw zunaiError{std::string("\"") + field + "\" must be true or false"};
    return body[field].get<bool>();
}

json zunaiEditJsonState(const zunaiEditorState& s)
{
    json paths = json::array();
    for (std::size_t i = 0; i < s.paths.size(); ++i)
        paths.push_back({{"number", i}, {"marks", marksJson(s.paths[i])}});
    json lines = json::array();
    for (const auto& run : s.drawn) {
        json segments = json::array();
        for (const auto& l : run.lines)
            segments.push_back({zunaiJsonFloat(l.from.x), zunaiJsonFloat(l.from.y), zunaiJsonFloat(l.from.z), zunaiJsonFloat(l.to.x),
                                zunaiJsonFloat(l.to.y), zunaiJsonFloat(l.to.z)});
        lines.push_back({{"role", roleName(run.role)},
                         {"path", run.path < 0 ? json(nullptr) : json(run.path)},
                         {"colour", zunaiFormatColour(run.colour)},
                         {"lines", std::move(segments)}});
    }
    return {
        {"level",
         {{"triangles", s.triangles}, {"min", zunaiJsonPoint(s.levelMin)}, {"max", zunaiJsonPoint(s.levelMax)}}},
        {"paths", std::move(paths)},
        {"recording", s.recording ? marksJson(s.recordingMarks) : json(nullptr)},
        {"selected", s.selected < 0 ? json(nullptr) : json(s.selected)},
        {"dirty", s.dirty},
        {"lines", std::move(lines)},
    };
}

json zunaiEditJsonRoute(const zunaiExplanation& route)
{
    json answer = zunaiExplanationJson(route);
    answer["kind"] = zunaiWayName(route.route.request.way);
    answer["text"] = zunaiExplanationText(route);
    answer["hint"] = zunaiExplanationHint(route);
    return answer;
}

json zunaiEditJsonCheck(const zunaiEditor::Check& check)
{
    json answer = zunaiCheckReportJson(check.file);
    zunaiAddLevelCheckJson(answer, check.level);
    json& problems = answer["problems"];
    for (std::size_t i = 0; i < check.level.problems.size() && i < problems.size(); ++i) {
        const zunaiProblem& problem = check.level.problems[i];
        problems[i]["at"] = nullptr;
        for (const auto& path : check.file.paths) {
            const int mark = problem.mark < 0 ? 0 : problem.mark;
            if (path.number == problem.path && mark < static_cast<int>(path.marks.size()))
                problems[i]["at"] = zunaiJsonPoint(path.marks[static_cast<std::size_t>(mark)]);
        }
    }
    return answer;
}

std::string zunaiEditLevelText(const zunaiLevelMesh& level)
{
    std::string text = "{\"triangles\":[";
    text.reserve(level.triangles.size() * 9 * 10 + 32);
    char number[32];
    bool first = true;
    for (const auto& triangle : level.triangles)
        for (const auto& c : triangle.corner)
            for (float v : {c.x, c.y, c.z}) {
                if (!first)
                    text += ',';
                first = false;
                text.append(number, std::to_chars(number, number + sizeof number, v).ptr);
            }
    text += "]}";
    return text;
}
