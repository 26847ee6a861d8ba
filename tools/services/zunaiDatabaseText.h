#ifndef ZUNAI_DATABASE_TEXT_H
#define ZUNAI_DATABASE_TEXT_H

// A path database as the module's saveAllPaths writes it, without touching
// the game's file: the module saves into a scratch game folder under the
// system's temporary folder, and the file it wrote is read back.

#include <string>

#include "zunAI.h"

// The text saveAllPaths writes for `database`. Throws zunaiError when the
// scratch folder can't be made or the module's save fails.
std::string zunaiDatabaseText(zunAIPathMgr& database);

#endif
