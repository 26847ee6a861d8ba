#ifndef ZUNAI_DEMO_H
#define ZUNAI_DEMO_H

#include <vector>

#include "zunaiGame.h"
#include "zunaiRoutes.h"

// The requests of `zunai demo`: places of the sample courtyard, each asked
// for both ways. They are the sample's, whatever game directory is open.
std::vector<zunaiRequest> zunaiDemoRequests();

// Whether `game` is the sample (the game directory the tool falls back on).
bool zunaiIsSampleGame(const zunaiGame& game);

#endif
