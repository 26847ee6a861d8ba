// What several commands share.

#include "zunaiCommandSupport.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "zunaiCapture.h"
#include "zunaiError.h"
#include "zunaiPicture.h"

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

zunaiPointInput zunaiParsePoint(const std::string& option, const std::string& text)
{
    float values[3];
    int count = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        if (count == 3 || !readNumber(text.substr(start, comma == std::string::npos ? comma : comma - start),
                                      values[count]))
            throw zunaiError{option + ": expected X,Y (on the ground) or X,Y,Z, got '" + text + "'"};
        ++count;
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    if (count < 2)
        throw zunaiError{option + ": expected X,Y (on the ground) or X,Y,Z, got '" + text + "'"};
    zunaiPointInput point;
    point.x = values[0];
    point.y = values[1];
    if (count == 3)
        point.z = values[2];
    return point;
}

zunaiPointInput zunaiPointOption(const zunaiRunContext& run, const std::string& option, const std::string& text)
{
    if (text.empty())
        run.fail(option + " X,Y[,Z] is required");
    return zunaiParsePoint(run.where + ": " + option, text);
}

zunaiPoint zunaiPlacePointOption(const zunaiRunContext& run, zunaiSession& session, const std::string& option,
                                 const zunaiPointInput& point)
{
    try {
        const zunaiPlacedPoint placed = zunaiPlacePoint(session.mesh, point);
        if (!placed.warning.empty())
            run.err << run.where << ": warning: " << option << ": " << placed.warning << "\n";
        return placed.at;
    } catch (const zunaiError& e) {
        run.fail(option + ": " + e.message);
    }
}

void zunaiAddTuningOptions(CLI::App& command, zunAIPathMgr::pathInfo& tuning)
{
    command.add_option("--first-join", tuning.firstJoinDist, "join distance of the first pass (default 150)")
        ->type_name("D");
    command.add_option("--join", tuning.joinDist,
                       "join distance of later passes, and the closing link's limit (default 60)")
        ->type_name("D");
    command.add_option("--min-dot", tuning.minDot,
                       "least cosine between the travel and a path's direction (default -0.707)")
        ->type_name("C");
    command.add_option("--max-height-diff", tuning.maxHeightDiff,
                       "greatest height step onto a path (default 4)")
        ->type_name("H");
}

void zunaiCheckTuning(const zunaiRunContext& run, const zunAIPathMgr::pathInfo& tuning)
{
    const std::pair<const char*, float> values[] = {{"--first-join", tuning.firstJoinDist},
                                                    {"--join", tuning.joinDist},
                                                    {"--min-dot", tuning.minDot},
                                                    {"--max-height-diff", tuning.maxHeightDiff}};
    for (const auto& [option, value] : values)
        if (!std::isfinite(value))
            run.fail(std::string(option) + " must be a finite number");
}

fs::path zunaiOutputPath(const zunaiGame& game, const std::string& given, const std::string& fallback)
{
    const fs::path path = given.empty() ? fs::path(fallback) : fs::path(given);
    return path.is_absolute() ? path : (game.startDir / path).lexically_normal();
}

void zunaiAddPictureOptions(CLI::App& command, zunaiPictureFlags& flags, const std::string& svgHelp)
{
    command.add_option("--svg", flags.svg, svgHelp)->type_name("FILE");
    command.add_option("--png", flags.png, "also (or only, for show) draw it as PNG")->type_name("FILE");
    command.add_option("--region", flags.region, "draw only this part of the world (corners)")
        ->type_name("X0,Y0,X1,Y1");
    command.add_option("--floor", flags.floor,
                       "draw only the geometry and paths of the floor at height Z (10 below to 40 above it)")
        ->type_name("Z");
}

zunaiPictureFiles zunaiPictureFilesOf(const zunaiGame& game, const zunaiPictureFlags& flags,
                                      const std::string& defaultSvg)
{
    zunaiPictureFiles files;
    const bool pngOnly = flags.svg.empty() && !flags.png.empty();
    if (!flags.svg.empty() || (!defaultSvg.empty() && !pngOnly))
        files.svg = zunaiOutputPath(game, flags.svg, defaultSvg);
    if (!flags.png.empty())
        files.png = zunaiOutputPath(game, flags.png, "");
    return files;
}

void zunaiDrawSession(const zunaiRunContext& run, zunaiSession& session, const std::string& title,
                      const std::vector<zunaiRouteResult>& results, const zunaiPictureFlags& flags,
                      const zunaiPictureFiles& files)
{
    zunaiPictureOptions options;
    if (!flags.region.empty()) {
        zunaiRegion region;
        if (!zunaiReadRegion(flags.region, region))
            run.fail("--region: expected X0,Y0,X1,Y1 (two corners of an area), got '" + flags.region + "'");
        options.region = region;
    }
    if (!flags.floor.empty()) {
        float height = 0.0f;
        if (!readNumber(flags.floor, height))
            run.fail("--floor: expected a height Z, got '" + flags.floor + "'");
        options.floor = height;
    }
    if (files.svg.empty() && files.png.empty())
        return;
    zunaiWritePicture(zunaiSessionScene(session, title, results, options), files.svg, files.png);
}

void zunaiPrintWritten(std::ostream& out, const zunaiGame& game, const zunaiPictureFiles& files)
{
    for (const fs::path* file : {&files.svg, &files.png})
        if (!file->empty())
            out << "wrote " << game.show(*file) << "\n";
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
