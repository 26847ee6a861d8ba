// Pictures of a session, and their files.

#include "zunaiPicture.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

#include "zunaiCapture.h"
#include "zunaiFiles.h"
#include "zunaiPng.h"

namespace fs = std::filesystem;

namespace {

bool sameEnds(const zunaiRequest& a, const zunaiRequest& b)
{
    return a.name == b.name && a.from.x == b.from.x && a.from.y == b.from.y && a.to.x == b.to.x && a.to.y == b.to.y;
}

} // namespace

bool zunaiReadRegion(const std::string& text, zunaiRegion& region)
{
    double v[4];
    const char* at = text.data();
    const char* end = at + text.size();
    for (int i = 0; i < 4; ++i) {
        if (i > 0 && (at == end || *at++ != ','))
            return false;
        if (at < end && *at == '+')
            ++at;
        const auto result = std::from_chars(at, end, v[i]);
        if (result.ec != std::errc() || result.ptr == at || !std::isfinite(v[i]))
            return false;
        at = result.ptr;
    }
    if (at != end || v[0] == v[2] || v[1] == v[3])
        return false;
    region = zunaiRegion{std::min(v[0], v[2]), std::min(v[1], v[3]), std::max(v[0], v[2]), std::max(v[1], v[3])};
    return true;
}

zunaiSvgScene zunaiSessionScene(zunaiSession& session, const std::string& title,
                                const std::vector<zunaiRouteResult>& results, const zunaiPictureOptions& options)
{
    zunaiSvgScene scene;
    scene.title = title;
    scene.mesh = &session.mesh;
    scene.region = options.region;
    scene.floor = options.floor;
    scene.stored = zunaiDrawStoredPaths(session.database);
    const std::vector<zunaiDrawnPath> drawn = zunaiDrawActivePaths(session.routes);
    int request = 0;
    const zunaiRouteResult* previous = nullptr;
    for (const auto& r : results) {
        if (!previous || !sameEnds(previous->request, r.request)) {
            ++request;
            scene.ends.push_back(zunaiSvgEnd{r.request.from, request, false});
            scene.ends.push_back(zunaiSvgEnd{r.request.to, request, true});
        }
        previous = &r;
        zunaiSvgRoute route;
        route.way = r.request.way;
        route.request = request;
        route.from = r.request.from;
        route.to = r.request.to;
        route.label = std::to_string(request) + " " + zunaiWayName(r.request.way) +
                      (r.found ? (r.reached ? ", reached" : ", not reached") : ", no route");
        for (const auto& d : drawn)
            if (r.found && d.number == r.pathIndex)
                route.drawn = d;
        if (route.drawn.marks.empty()) {
            route.drawn.number = r.pathIndex;
            route.drawn.marks = r.marks;
        }
        scene.routes.push_back(std::move(route));
    }
    return scene;
}

void zunaiWritePicture(const zunaiSvgScene& scene, const fs::path& svg, const fs::path& png)
{
    const std::string text = zunaiRenderSvg(scene);
    // Both made before either is written: a failure leaves neither.
    const std::string pngBytes = png.empty() ? std::string() : zunaiSvgToPng(text);
    if (!svg.empty())
        zunaiWriteFileWhole(svg, text);
    if (!png.empty())
        zunaiWriteFileWhole(png, pngBytes);
}
