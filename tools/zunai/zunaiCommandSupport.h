#ifndef ZUNAI_COMMAND_SUPPORT_H
#define ZUNAI_COMMAND_SUPPORT_H

// What several commands share: points given as options, output files,
// pictures, and the game's header in tables and JSON.

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "zunaiCli.h"
#include "zunaiGame.h"
#include "zunaiGround.h"
#include "zunaiJson.h"
#include "zunaiPoint.h"
#include "zunaiRoutes.h"

// "X,Y" (on the ground) or "X,Y,Z", finite numbers read independently of
// the locale. Throws zunaiError naming `option`.
zunaiPointInput zunaiParsePoint(const std::string& option, const std::string& text);

// A required point option of the command: `text` as given, empty when not.
zunaiPointInput zunaiPointOption(const zunaiRunContext& run, const std::string& option, const std::string& text);

// The point placed in the session's level (X,Y on the ground at the hover
// height); a warning about its height goes to stderr as one line.
zunaiPoint zunaiPlacePointOption(const zunaiRunContext& run, zunaiSession& session, const std::string& option,
                                 const zunaiPointInput& point);

// The tuning of a chained request (the request's pathInfo):
// --first-join D, --join D, --min-dot C, --max-height-diff H.
void zunaiAddTuningOptions(CLI::App& command, zunAIPathMgr::pathInfo& tuning);
// Throws zunaiError naming the option when a value isn't a finite number.
void zunaiCheckTuning(const zunaiRunContext& run, const zunAIPathMgr::pathInfo& tuning);

// An output file: `given`, or `fallback` when none was given, relative to
// where the tool was started.
std::filesystem::path zunaiOutputPath(const zunaiGame& game, const std::string& given, const std::string& fallback);

// The picture options of a command that draws: --svg, --png, --region, --floor.
struct zunaiPictureFlags {
    std::string svg, png, region, floor;
};
void zunaiAddPictureOptions(CLI::App& command, zunaiPictureFlags& flags, const std::string& svgHelp);

// The files a drawing command writes: the SVG (given, or `defaultSvg`
// unless empty) and the PNG; empty paths are not written.
struct zunaiPictureFiles {
    std::filesystem::path svg, png;
};
zunaiPictureFiles zunaiPictureFilesOf(const zunaiGame& game, const zunaiPictureFlags& flags,
                                      const std::string& defaultSvg);

// Draws the session (its level, stored paths and the routes asked for) into
// the files, as --region and --floor ask. Throws zunaiError.
void zunaiDrawSession(const zunaiRunContext& run, zunaiSession& session, const std::string& title,
                      const std::vector<zunaiRouteResult>& results, const zunaiPictureFlags& flags,
                      const zunaiPictureFiles& files);

// "wrote FILE" for each file written.
void zunaiPrintWritten(std::ostream& out, const zunaiGame& game, const zunaiPictureFiles& files);

// The game, level and database of a session.
void zunaiAddGameJson(zunaiJson& json, zunaiSession& session);
void zunaiPrintGame(std::ostream& out, zunaiSession& session);

#endif
