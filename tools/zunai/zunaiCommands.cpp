// The commands of zunai.

#include "zunaiCommands.h"

#include <exception>
#include <filesystem>

#include "zunaiCapture.h"
#include "zunaiCheck.h"
#include "zunaiError.h"
#include "zunaiFiles.h"
#include "zunaiGame.h"
#include "zunaiOutput.h"
#include "zunaiSvg.h"

namespace fs = std::filesystem;

std::vector<zunaiRequest> zunaiDemoRequests()
{
    // Marks hover 24.7 above the ground (44.7 on the terrace, which is 20 high).
    const float floor = 24.7f, terrace = 44.7f;
    return {
        {"gate yard -> terrace", {-150.0f, -178.0f, floor}, {140.0f, 158.0f, terrace}, zunaiWay::Chained},
        {"hall door -> barn yard", {-140.0f, 76.0f, floor}, {95.0f, -95.0f, floor}, zunaiWay::Chained},
        {"terrace -> gate yard", {86.0f, 138.0f, terrace}, {-150.0f, -178.0f, floor}, zunaiWay::Chained},
        {"plaza -> north lane", {5.0f, -45.0f, floor}, {-5.0f, 115.0f, floor}, zunaiWay::Chained},
    };
}

namespace {

zunaiGameOptions gameOptions(const zunaiOptions& options)
{
    return zunaiGameOptions{options.game, options.level};
}

fs::path outputPath(const zunaiGame& game, const std::string& given, const std::string& fallback)
{
    const fs::path path = given.empty() ? fs::path(fallback) : fs::path(given);
    return path.is_absolute() ? path : (game.startDir / path).lexically_normal();
}

// Draws the scene of a session: its stored paths and the routes it was asked for.
std::string picture(zunaiSession& session, const std::string& title, const std::vector<zunaiRouteResult>& results)
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

void jsonGame(zunaiJson& json, zunaiSession& session)
{
    const zunaiGame& game = session.game;
    json.key("game").value(game.show(game.dir));
    json.key("level").value(game.show(game.level));
    json.key("triangles").value(static_cast<long long>(session.mesh.triangles.size()));
    json.key("database").beginObject();
    json.key("file").value(game.show(game.database));
    json.key("loaded").value(session.databaseLoaded);
    json.key("paths").value(session.database.getNumPaths());
    json.key("marks").value(session.databaseMarks);
    json.endObject();
}

void printGame(std::ostream& out, zunaiSession& session)
{
    const zunaiGame& game = session.game;
    out << "game      " << game.show(game.dir) << "\n";
    out << "level     " << game.show(game.level) << " (" << session.mesh.triangles.size() << " triangles)\n";
    out << "database  " << game.show(game.database);
    if (session.databaseLoaded)
        out << ": " << session.database.getNumPaths() << " paths, "
            << session.databaseMarks << " marks\n";
    else
        out << ": none\n";
}

int runDemo(const zunaiOptions& options, std::ostream& out)
{
    const zunaiGame game = zunaiFindGame(gameOptions(options), true);
    const fs::path svg = outputPath(game, options.svg, "courtyard.svg");
    zunaiSession session(game, true);
    std::vector<zunaiRouteResult> results;
    for (zunaiRequest request : zunaiDemoRequests()) {
        for (zunaiWay way : {zunaiWay::Chained, zunaiWay::Walked}) {
            request.way = way;
            results.push_back(zunaiRunRequest(session, request));
        }
    }
    zunaiWriteFileWhole(svg, picture(session, "zunai demo: " + game.level.filename().string(), results));

    if (options.json) {
        zunaiJson json;
        json.beginObject().key("command").value("demo");
        jsonGame(json, session);
        json.key("routes").beginArray();
        for (const auto& r : results)
            zunaiJsonRoute(json, r);
        json.endArray();
        json.key("svg").value(game.show(svg));
        json.endObject();
        out << json.text() << "\n";
        return zunaiExitOk;
    }
    printGame(out, session);
    out << "\n";
    zunaiPrintRouteTable(out, results);
    out << "\nreached: last mark within 7 units of the goal, or (chained) the goal in plain view of it\n";
    out << "wrote " << game.show(svg) << "\n";
    return zunaiExitOk;
}

int runRoute(const zunaiOptions& options, std::ostream& out, zunaiWay way)
{
    const zunaiGame game = zunaiFindGame(gameOptions(options), true);
    const fs::path svg = options.svg.empty() ? fs::path() : outputPath(game, options.svg, "");
    zunaiSession session(game, way == zunaiWay::Chained);
    zunaiRequest request;
    request.from = *options.from;
    request.to = *options.to;
    request.way = way;
    const zunaiRouteResult result = zunaiRunRequest(session, request);
    if (!svg.empty())
        zunaiWriteFileWhole(svg, picture(session,
                                         std::string("zunai ") + (way == zunaiWay::Chained ? "route" : "walk") +
                                             ": " + game.level.filename().string(),
                                         {result}));

    if (options.json) {
        zunaiJson json;
        json.beginObject().key("command").value(way == zunaiWay::Chained ? "route" : "walk");
        jsonGame(json, session);
        json.key("route");
        zunaiJsonRoute(json, result);
        json.key("svg");
        if (svg.empty())
            json.null();
        else
            json.value(game.show(svg));
        json.endObject();
        out << json.text() << "\n";
        return zunaiExitOk;
    }
    zunaiPrintRouteBlock(out, result);
    if (!svg.empty())
        out << "wrote " << game.show(svg) << "\n";
    return zunaiExitOk;
}

int runShow(const zunaiOptions& options, std::ostream& out)
{
    const zunaiGame game = zunaiFindGame(gameOptions(options), true);
    const fs::path svg = outputPath(game, options.svg, game.level.stem().string() + ".svg");
    zunaiSession session(game, true);
    const std::vector<zunaiDrawnPath> stored = zunaiDrawStoredPaths(session.database);
    zunaiWriteFileWhole(svg, picture(session, "zunai show: " + game.level.filename().string(), {}));

    if (options.json) {
        zunaiJson json;
        json.beginObject().key("command").value("show");
        jsonGame(json, session);
        json.key("drawn");
        zunaiJsonPaths(json, stored);
        json.key("svg").value(game.show(svg));
        json.endObject();
        out << json.text() << "\n";
        return zunaiExitOk;
    }
    printGame(out, session);
    out << "\n";
    zunaiPrintPathTable(out, stored, session.database.getNumPaths());
    out << "wrote " << game.show(svg) << "\n";
    return zunaiExitOk;
}

int runCheck(const zunaiOptions& options, std::ostream& out, std::ostream& err)
{
    std::vector<std::pair<fs::path, std::string>> files;   // path, as shown
    if (options.files.empty()) {
        const zunaiGame game = zunaiFindGame(gameOptions(options), false);
        files.emplace_back(game.database, game.show(game.database));
    } else {
        for (const auto& f : options.files)
            files.emplace_back(fs::absolute(f), f);
    }

    int code = zunaiExitOk;
    zunaiJson json;
    json.beginObject().key("command").value("check").key("files").beginArray();
    for (const auto& [path, shown] : files) {
        zunaiCheckReport report;
        if (!zunaiCheckFile(path, report)) {
            err << "zunai: cannot read path database " << shown << "\n";
            code = zunaiExitError;
            json.beginObject().key("file").value(shown).key("readable").value(false).endObject();
            continue;
        }
        report.file = shown;
        if (!report.whole() && code == zunaiExitOk)
            code = zunaiExitLoss;
        if (options.json)
            zunaiJsonCheckReport(json, report);
        else
            zunaiPrintCheckReport(out, report);
    }
    json.endArray().key("exitCode").value(code).endObject();
    if (options.json)
        out << json.text() << "\n";
    return code;
}

} // namespace

int zunaiRun(const zunaiOptions& options, std::ostream& out, std::ostream& err)
{
    if (options.help) {
        out << zunaiHelpText(options.command);
        return zunaiExitOk;
    }
    switch (options.command) {
    case zunaiCommand::Demo: return runDemo(options, out);
    case zunaiCommand::Route: return runRoute(options, out, zunaiWay::Chained);
    case zunaiCommand::Walk: return runRoute(options, out, zunaiWay::Walked);
    case zunaiCommand::Show: return runShow(options, out);
    case zunaiCommand::Check: return runCheck(options, out, err);
    case zunaiCommand::None: break;
    }
    out << zunaiHelpText(zunaiCommand::None);
    return zunaiExitOk;
}

int zunaiMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    try {
        const zunaiOptions options = zunaiParseArguments(args);
        return zunaiRun(options, out, err);
    } catch (const zunaiError& e) {
        // Messages about a command's arguments already begin "zunai COMMAND".
        err << (e.message.compare(0, 6, "zunai ") == 0 ? "" : "zunai: ") << e.message << "\n";
    } catch (const fs::filesystem_error& e) {
        err << "zunai: " << e.path1().string() << ": " << e.code().message() << "\n";
    } catch (const std::exception& e) {
        err << "zunai: " << e.what() << "\n";
    }
    return zunaiExitError;
}
