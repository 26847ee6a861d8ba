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
#include "zunaiJson.h"
#include "zunaiPoint.h"
#include "zunaiRoutes.h"

// "X,Y,Z" as three finite numbers, read independently of the locale.
// Throws zunaiError naming `option`.
zunaiPoint zunaiParsePoint(const std::string& option, const std::string& text);

// A required point option of the command: `text` as given, empty when not.
zunaiPoint zunaiPointOption(const zunaiRunContext& run, const std::string& option, const std::string& text);

// An output file: `given`, or `fallback` when none was given, relative to
// where the tool was started.
std::filesystem::path zunaiOutputPath(const zunaiGame& game, const std::string& given, const std::string& fallback);

// The scene of a session: its level, its stored paths and the routes asked for.
std::string zunaiPicture(zunaiSession& session, const std::string& title, const std::vector<zunaiRouteResult>& results);

// The game, level and database of a session.
void zunaiAddGameJson(zunaiJson& json, zunaiSession& session);
void zunaiPrintGame(std::ostream& out, zunaiSession& session);

#endif
