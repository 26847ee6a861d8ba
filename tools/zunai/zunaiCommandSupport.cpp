// What several commands share.

#include "zunaiCommandSupport.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "zunaiCapture.h"
#include "zunaiError.h"
#include "zunaiSvg.h"

namespace fs = std::filesystem;

namespace {

bool readNumber(const std::string& text, float& value)
{
    std::size_t b = 0, e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t'))
        ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t'))
        --e;
    bool plus = false;
    if (b < e && text[b] == '+') {
        ++b;
        plus = true;
    }
    if (b == e || (plus && (text[b] == '+' || text[b] == '-')))
        return false;
    const char* first = text.data() + b;
    const char* last = text.data() + e;
    auto result = std::from_chars(first, last, value);
    return result.ec == std::errc() && result.ptr == last && std::isfinite(value);
}

} // namespace

zunaiPoint zunaiParsePoint(const std::string& option, const std::string& text)
{
    float values[3];
    std::size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        const std::size_t comma = text.find(',', start);
        const bool last = i == 2;
        if (last != (comma == std::string::npos) ||
            !readNumber(text.substr(start, last ? std::string::npos : comma - start), values[i]))
            throw zunaiError{option + ": expected X,Y,Z (three numbers), got '" + text + "'"};
        start = comma + 1;
    }
    return zunaiPoint{values[0], values[1], values[2]};
}

zunaiPoint zunaiPointOption(const zunaiRunContext& run, const std::string& option, const std::string& text)
{
    if (text.empty())
        run.fail(option + " X,Y,Z is required");
    return zunaiParsePoint(run.where + ": " + option, text);
}

fs::path zunaiOutputPath(const zunaiGame& game, const std::string& given, const std::string& fallback)
{
    const fs::path path = given.empty() ? fs::path(fallback) : fs::path(given);
    return path.is_absolute() ? path : (game.startDir / path).lexically_normal();
}

std::string zunaiPicture(zunaiSession& session, const std::string& title, const std::vector<zunaiRouteResult>& results)
{
    zunaiSvgScene scene;
    scene.title = title;
    scene.mesh = &session.mesh;
    scene.stored = zunaiDrawStoredPaths(session.database);
    const std::vector<zunaiDrawnPath> drawn = zunaiDrawActivePaths(session.routes);
    int request = 0;
    const zunaiRouteResult* previous = nullptr;
    for (const auto& r : results) {
        // A request asked both ways shares its start and goal marks.
        const bool sameRequest = previous && previous->request.name == r.request.name &&
                                 previous->request.from.x == r.request.from.x &&
                                 previous->request.from.y == r.request.from.y &&
                                 previous->request.to.x == r.request.to.x && previous->request.to.y == r.request.to.y;
        if (!sameRequest) {
            ++request;
            scene.ends.push_back(zunaiSvgEnd{r.request.from, request, false});
            scene.ends.push_back(zunaiSvgEnd{r.request.to, request, true});
        }
        previous = &r;
        zunaiSvgRoute route;
        route.way = r.request.way;
        route.request = request;
        route.label = std::to_string(request) + " " + zunaiWayName(r.request.way) +
                      (r.found ? (r.reached ? ", reached" : ", not reached") : ", no route");
        for (const auto& d : drawn)
            if (r.found && d.number == r.pathIndex)
                route.drawn = d;
        if (route.drawn.marks.empty()) {
            route.drawn.number = r.pathIndex;
            route.drawn.marks = r.marks;
        }
        scene.routes.push_back(std::move(route));
    }
    return zunaiRenderSvg(scene);
}

void zunaiAddGameJson(zunaiJson& json, zunaiSession& session)
{
    const zunaiGame& game = session.game;
    json["game"] = game.show(game.dir);
    json["level"] = game.show(game.level);
    json["triangles"] = session.mesh.triangles.size();
    json["database"] = {{"file", game.show(game.database)},
                        {"loaded", session.databaseLoaded},
                        {"paths", session.database.getNumPaths()},
                        {"marks", session.databaseMarks}};
}

void zunaiPrintGame(std::ostream& out, zunaiSession& session)
{
    const zunaiGame& game = session.game;
    out << "game      " << game.show(game.dir) << "\n";
    out << "level     " << game.show(game.level) << " (" << session.mesh.triangles.size() << " triangles)\n";
    out << "database  " << game.show(game.database);
    if (session.databaseLoaded)
        out << ": " << session.database.getNumPaths() << " paths, " << session.databaseMarks << " marks\n";
    else
        out << ": none\n";
}
