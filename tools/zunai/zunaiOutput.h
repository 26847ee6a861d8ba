#ifndef ZUNAI_OUTPUT_H
#define ZUNAI_OUTPUT_H

// The tool's tables for people (JSON for programs comes from the services'
// zunaiJson.h).

#include <ostream>
#include <string>
#include <vector>

#include "zunaiCapture.h"
#include "zunaiCheck.h"
#include "zunaiLevelCheck.h"
#include "zunaiPoint.h"
#include "zunaiRoutes.h"
#include "zunaiSvg.h"

std::string zunaiFormatPoint(const zunaiPoint& p);      // "(x, y, z)", one decimal

// Route results.
void zunaiPrintRouteBlock(std::ostream& out, const zunaiRouteResult& result);
void zunaiPrintRouteTable(std::ostream& out, const std::vector<zunaiRouteResult>& results);

// Stored paths, as drawn.
void zunaiPrintPathTable(std::ostream& out, const std::vector<zunaiDrawnPath>& paths, int storedPaths);

// Database checks.
void zunaiPrintCheckReport(std::ostream& out, const zunaiCheckReport& report);
void zunaiPrintLevelCheck(std::ostream& out, const std::string& level, const zunaiLevelCheckReport& report);

// What "reached" means, for the help of the route commands.
extern const char* const zunaiReachedHelp;

#endif
