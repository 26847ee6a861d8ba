#ifndef ZUNAI_NETWORK_H
#define ZUNAI_NETWORK_H

// A network of stored paths over a walkable surface, made for the way the
// module chains them. Every spot of the surface has, within the first
// pass's join distance (150), a path end it can join: less than 4 higher or
// lower, in plain view and clear under the module's ground probe. Those ends
// are the network's nodes. A few nodes of each island are hubs, and every
// node has one path to every hub of its island, following the surface's
// shortest way. A chained request then joins a path from the goal side that
// leads to a hub towards the start, and from the start side a path to that
// same hub, where the two chains meet with nothing between them. Short
// resting places at every node, first in the list, let the two sides meet
// wherever one has come to the other's end.
//
// Marks hover where the module's hover rule puts them (24.7 above the
// ground below), and every link between consecutive marks is clear under
// the module's ground probe, the nine-ray grid from 12 below.

#include <vector>

#include "zunaiPoint.h"

class zunaiWalkable;

struct zunaiNetworkOptions {
    float cover = 100.0f;         // horizontal reach of a node over the spots it serves
    float sampleSpacing = 20.0f;  // spacing of the spots sampled on the surface
    int hubs = 4;                 // hubs per island (fewer on small islands)
};

struct zunaiNetwork {
    std::vector<std::vector<zunaiPoint>> paths;
    int nodes = 0;
    int hubs = 0;
    int islands = 0;             // islands with at least one node
    int spots = 0;               // spots sampled on the surface
    int coveredSpots = 0;        // spots that can join a node
    int droppedPaths = 0;        // node-to-hub ways no clear chain of links could follow
};

// Needs the level loaded into the ray test the module casts against.
zunaiNetwork zunaiBuildNetwork(const zunaiWalkable& surface, const zunaiNetworkOptions& options);

#endif
