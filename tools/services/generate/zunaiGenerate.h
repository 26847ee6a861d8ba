#ifndef ZUNAI_GENERATE_H
#define ZUNAI_GENERATE_H

// A path database generated from a level's geometry: the walkable surface
// for the agent, the network of stored paths over it, written through the
// module so that the file is exactly what the game writes.

#include <filesystem>
#include <string>

#include "zunaiGame.h"
#include "zunaiNetwork.h"
#include "zunaiWalkable.h"

struct zunaiGenerateOptions {
    zunaiAgent agent;
    zunaiNetworkOptions network;
    std::string out;      // empty: the game directory's database
    bool force = false;   // replace an existing file (a backup is kept)
};

struct zunaiGenerateSummary {
    std::filesystem::path file;     // written
    std::filesystem::path backup;   // empty when there was nothing to keep
    int paths = 0, marks = 0;
    int nodes = 0, hubs = 0, islands = 0;
    int polygons = 0;
    double walkableArea = 0.0;
    double coverage = 0.0;          // share of sampled spots that can join a path end
    int droppedPaths = 0;
    double seconds = 0.0;
};

// Throws zunaiError: bad options, an unreadable level, no walkable surface,
// an agent too large for every part of it, an existing file without force,
// a failed save. Nothing is written then.
zunaiGenerateSummary zunaiGenerate(const zunaiGame& game, const zunaiGenerateOptions& options);

// The backup an existing file is moved to before it is replaced.
std::filesystem::path zunaiBackupName(const std::filesystem::path& file);

#endif
