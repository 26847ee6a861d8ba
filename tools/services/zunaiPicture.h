#ifndef ZUNAI_PICTURE_H
#define ZUNAI_PICTURE_H

// Pictures of a session: the scene (level, stored paths, routes asked for)
// as the commands draw it, and the files it is written to.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "zunaiGame.h"
#include "zunaiRoutes.h"
#include "zunaiSvg.h"

struct zunaiPictureOptions {
    std::optional<zunaiRegion> region;   // --region X0,Y0,X1,Y1
    std::optional<double> floor;         // --floor Z
};

// Reads "X0,Y0,X1,Y1" (corners in either order, with an area); false otherwise.
bool zunaiReadRegion(const std::string& text, zunaiRegion& region);

// The session's level and stored paths (as drawPaths draws them), and the
// routes of `results` (as drawActivePaths draws them) with their starts
// and goals; a request asked both ways shares its start and goal.
zunaiSvgScene zunaiSessionScene(zunaiSession& session, const std::string& title,
                                const std::vector<zunaiRouteResult>& results, const zunaiPictureOptions& options);

// The picture as SVG and/or PNG (empty paths: not wanted); each file
// whole or not at all. Throws zunaiError.
void zunaiWritePicture(const zunaiSvgScene& scene, const std::filesystem::path& svg,
                       const std::filesystem::path& png);

#endif
