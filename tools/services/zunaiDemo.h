#ifndef ZUNAI_DEMO_H
#define ZUNAI_DEMO_H

#include <vector>

#include "zunaiRoutes.h"

// The requests of `zunai demo`: places of the sample courtyard, each asked
// for both ways. They are the sample's, whatever game directory is open.
std::vector<zunaiRequest> zunaiDemoRequests();

#endif
