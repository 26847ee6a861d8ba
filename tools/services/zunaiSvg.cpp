// SVG rendering of a level with its paths and routes.

#include "zunaiSvg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "zunaiBase64.h"
#include "zunaiGround.h"
#include "zunaiHeightMap.h"

namespace {

std::string num(double v)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", v);
    std::string s = buffer;
    // Trim trailing zeros: "12.50" -> "12.5", "12.00" -> "12".
    while (!s.empty() && s.back() == '0')
        s.pop_back();
    if (!s.empty() && s.back() == '.')
        s.pop_back();
    if (s == "-0")
        s = "0";
    return s;
}

std::string pointText(const zunaiPoint& p)
{
    return num(p.x) + ", " + num(p.y) + ", " + num(p.z);
}

// A nice length for the scale bar: 1, 2 or 5 times a power of ten, at most `limit`.
double niceLength(double limit)
{
    if (!(limit > 0.0))
        return 1.0;
    const double power = std::pow(10.0, std::floor(std::log10(limit)));
    for (double step : {5.0, 2.0, 1.0})
        if (step * power <= limit)
            return step * power;
    return power;
}

struct Bounds {
    double minX = std::numeric_limits<double>::infinity(), maxX = -minX, minY = minX, maxY = -minX;
    void add(double x, double y)
    {
        if (!std::isfinite(x) || !std::isfinite(y))
            return;
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    bool empty() const { return !(minX <= maxX); }
};

struct View {
    double minX, maxX, minY, maxY, scale, left, top;
    double x(double wx) const { return left + (wx - minX) * scale; }
    double y(double wy) const { return top + (maxY - wy) * scale; }
    double width() const { return (maxX - minX) * scale; }
    double height() const { return (maxY - minY) * scale; }
};

constexpr double kMapSize = 760.0;   // the map's longer side, in pixels
constexpr double kMapLeft = 64.0;    // room for the y labels
constexpr double kMapTop = 62.0;

bool onFloor(const zunaiSvgScene& scene, double low, double high)
{
    return !scene.floor || (high >= *scene.floor - zunaiFloorBelow && low <= *scene.floor + zunaiFloorAbove);
}

// Stored paths of the floor shown: those with a mark standing on it.
std::vector<const zunaiDrawnPath*> storedShown(const zunaiSvgScene& scene)
{
    std::vector<const zunaiDrawnPath*> shown;
    for (const auto& p : scene.stored) {
        bool keep = !scene.floor;
        for (const auto& m : p.marks)
            keep = keep || onFloor(scene, m.z - zunaiHoverHeight, m.z - zunaiHoverHeight);
        if (keep && p.points.size() >= 2)
            shown.push_back(&p);
    }
    return shown;
}

// The faces seen from above on the floor shown: edge-on walls left out.
std::vector<const zunaiTriangle*> facesShown(const zunaiSvgScene& scene, double& minZ, double& maxZ)
{
    std::vector<const zunaiTriangle*> faces;
    minZ = std::numeric_limits<double>::infinity();
    maxZ = -minZ;
    if (!scene.mesh)
        return faces;
    for (const auto& t : scene.mesh->triangles) {
        const zunaiPoint& a = t.corner[0];
        const zunaiPoint& b = t.corner[1];
        const zunaiPoint& c = t.corner[2];
        const double area = (double(b.x) - a.x) * (double(c.y) - a.y) - (double(b.y) - a.y) * (double(c.x) - a.x);
        if (!(std::fabs(area) > 1e-6))
            continue;
        const double low = std::min({a.z, b.z, c.z}), high = std::max({a.z, b.z, c.z});
        if (!onFloor(scene, low, high))
            continue;
        minZ = std::min(minZ, low);
        maxZ = std::max(maxZ, high);
        faces.push_back(&t);
    }
    if (faces.empty())
        minZ = maxZ = 0.0;
    return faces;
}

// The faces that reach into the view.
std::vector<const zunaiTriangle*> facesInView(const std::vector<const zunaiTriangle*>& faces, const View& view)
{
    std::vector<const zunaiTriangle*> inside;
    for (const zunaiTriangle* t : faces) {
        const auto& c = t->corner;
        if (std::max({c[0].x, c[1].x, c[2].x}) >= view.minX && std::min({c[0].x, c[1].x, c[2].x}) <= view.maxX &&
            std::max({c[0].y, c[1].y, c[2].y}) >= view.minY && std::min({c[0].y, c[1].y, c[2].y}) <= view.maxY)
            inside.push_back(t);
    }
    return inside;
}

View makeView(const zunaiSvgScene& scene, const std::vector<const zunaiTriangle*>& faces,
              const std::vector<const zunaiDrawnPath*>& stored)
{
    Bounds b;
    if (scene.region) {
        b.add(scene.region->x0, scene.region->y0);
        b.add(scene.region->x1, scene.region->y1);
    } else {
        for (const zunaiTriangle* t : faces)
            for (const auto& c : t->corner)
                b.add(c.x, c.y);
        for (const zunaiDrawnPath* p : stored)
            for (const auto& m : p->marks)
                b.add(m.x, m.y);
        for (const auto& r : scene.routes)
            for (const auto& m : r.drawn.marks)
                b.add(m.x, m.y);
        for (const auto& e : scene.ends)
            b.add(e.at.x, e.at.y);
        if (b.empty()) {
            b.add(-100, -100);
            b.add(100, 100);
        }
        const double pad = 0.03 * std::max({b.maxX - b.minX, b.maxY - b.minY, 1.0});
        b.add(b.minX - pad, b.minY - pad);
        b.add(b.maxX + pad, b.maxY + pad);
    }
    const double spanX = std::max(b.maxX - b.minX, 1.0), spanY = std::max(b.maxY - b.minY, 1.0);
    return View{b.minX, b.minX + spanX, b.minY, b.minY + spanY, kMapSize / std::max(spanX, spanY), kMapLeft, kMapTop};
}

class Writer {
public:
    std::string svg;
    void add(const std::string& s) { svg += s; }
};

void drawFaces(Writer& out, const View& view, std::vector<const zunaiTriangle*> faces, double minZ, double maxZ)
{
    // Lower faces first, so that higher ones cover them.
    std::stable_sort(faces.begin(), faces.end(), [](const zunaiTriangle* l, const zunaiTriangle* r) {
        const double kl = double(l->corner[0].z) + l->corner[1].z + l->corner[2].z;
        const double kr = double(r->corner[0].z) + r->corner[1].z + r->corner[2].z;
        return kl < kr;
    });
    const double span = maxZ - minZ;
    for (const zunaiTriangle* t : faces) {
        const double key = (double(t->corner[0].z) + t->corner[1].z + t->corner[2].z) / 3.0;
        const std::string colour = zunaiHex(zunaiHeightShade(span > 0.0 ? (key - minZ) / span : 0.0));
        std::string points;
        for (const auto& c : t->corner)
            points += num(view.x(c.x)) + "," + num(view.y(c.y)) + " ";
        points.pop_back();
        out.add("<polygon class=\"level-face\" points=\"" + points + "\" fill=\"" + colour + "\" stroke=\"" + colour +
                "\" stroke-width=\"0.6\" stroke-linejoin=\"round\"/>\n");
    }
}

void drawHeightMap(Writer& out, const View& view, const std::vector<const zunaiTriangle*>& faces, double minZ,
                   double maxZ)
{
    // Two pixels of raster for three of the picture: sharp enough, small enough.
    zunaiRasterWindow window;
    window.unitsPerPixel = 1.0 / (view.scale * 1.5);
    window.minX = view.minX;
    window.maxY = view.maxY;
    window.width = std::max(1, int(std::ceil(view.width() * 1.5)));
    window.height = std::max(1, int(std::ceil(view.height() * 1.5)));
    window.minZ = minZ;
    window.maxZ = maxZ;
    const std::string png = zunaiHeightMapPng(faces, window);
    out.add("<image class=\"height-map\" x=\"" + num(view.left) + "\" y=\"" + num(view.top) + "\" width=\"" +
            num(window.width / 1.5) + "\" height=\"" + num(window.height / 1.5) +
            "\" preserveAspectRatio=\"none\" xlink:href=\"data:image/png;base64," + zunaiBase64(png) + "\"/>\n");
}

// Grid lines into `out`, their labels (outside the map) into `labels`.
void drawGrid(Writer& out, Writer& labelsOut, const View& view)
{
    const double step = zunaiGridStep(std::max(view.maxX - view.minX, view.maxY - view.minY));
    const double bottom = view.top + view.height(), right = view.left + view.width();
    out.add("<g id=\"grid\" stroke=\"#000000\" stroke-opacity=\"0.14\" stroke-width=\"0.7\">\n");
    std::string labels;
    for (double x = std::ceil(view.minX / step) * step; x <= view.maxX + 1e-9; x += step) {
        const double sx = view.x(x);
        out.add("<line class=\"grid-line\" x1=\"" + num(sx) + "\" y1=\"" + num(view.top) + "\" x2=\"" + num(sx) +
                "\" y2=\"" + num(bottom) + "\"/>\n");
        labels += "<text class=\"grid-label\" data-axis=\"x\" x=\"" + num(sx) + "\" y=\"" + num(bottom + 14) +
                  "\" text-anchor=\"middle\">" + num(x) + "</text>\n";
    }
    for (double y = std::ceil(view.minY / step) * step; y <= view.maxY + 1e-9; y += step) {
        const double sy = view.y(y);
        out.add("<line class=\"grid-line\" x1=\"" + num(view.left) + "\" y1=\"" + num(sy) + "\" x2=\"" + num(right) +
                "\" y2=\"" + num(sy) + "\"/>\n");
        labels += "<text class=\"grid-label\" data-axis=\"y\" x=\"" + num(view.left - 5) + "\" y=\"" + num(sy + 4) +
                  "\" text-anchor=\"end\">" + num(y) + "</text>\n";
    }
    out.add("</g>\n");
    labelsOut.add("<g id=\"grid-labels\" font-size=\"11\" fill=\"#444444\">\n" + labels);
    labelsOut.add("<text x=\"" + num(right) + "\" y=\"" + num(bottom + 28) +
                  "\" text-anchor=\"end\" font-style=\"italic\">x</text>\n");
    labelsOut.add("<text x=\"" + num(view.left - 5) + "\" y=\"" + num(view.top - 6) +
                  "\" text-anchor=\"end\" font-style=\"italic\">y</text>\n</g>\n");
}

// Arrowheads halfway along each link long enough to carry one, pointing
// from a mark to the next.
void drawArrows(Writer& out, const View& view, const std::vector<zunaiPoint>& marks, const std::string& colour)
{
    for (std::size_t i = 1; i < marks.size(); ++i) {
        const double x0 = view.x(marks[i - 1].x), y0 = view.y(marks[i - 1].y);
        const double x1 = view.x(marks[i].x), y1 = view.y(marks[i].y);
        const double dx = x1 - x0, dy = y1 - y0, length = std::hypot(dx, dy);
        if (length < 16.0)
            continue;
        const double ux = dx / length, uy = dy / length, mx = (x0 + x1) / 2, my = (y0 + y1) / 2;
        const double tipX = mx + ux * 4.5, tipY = my + uy * 4.5, baseX = mx - ux * 4.5, baseY = my - uy * 4.5;
        out.add("<path class=\"arrow\" d=\"M" + num(tipX) + "," + num(tipY) + " L" + num(baseX - uy * 4) + "," +
                num(baseY + ux * 4) + " L" + num(baseX + uy * 4) + "," + num(baseY - ux * 4) + " Z\" fill=\"" +
                colour + "\" stroke=\"#222222\" stroke-width=\"0.6\"/>\n");
    }
}

void drawMark(Writer& out, const View& view, const zunaiPoint& m, double radius, const std::string& fill,
              const std::string& stroke, double strokeWidth, const std::string& title)
{
    out.add("<circle class=\"mark\" cx=\"" + num(view.x(m.x)) + "\" cy=\"" + num(view.y(m.y)) + "\" r=\"" +
            num(radius) + "\" fill=\"" + fill + "\" stroke=\"" + stroke + "\" stroke-width=\"" + num(strokeWidth) +
            "\"><title>" + zunaiXmlEscape(title + ": " + pointText(m)) + "</title></circle>\n");
}

std::string polyline(const View& view, const zunaiDrawnPath& p, const std::string& cls, const std::string& colour,
                     const std::string& attributes)
{
    std::string points;
    for (const auto& q : p.points)
        points += num(view.x(q.x)) + "," + num(view.y(q.y)) + " ";
    if (!points.empty())
        points.pop_back();
    return "<polyline class=\"" + cls + "\" data-number=\"" + std::to_string(p.number) + "\" points=\"" + points +
           "\" fill=\"none\" stroke=\"" + colour + "\" " + attributes + "/>\n";
}

void drawStored(Writer& out, const View& view, const std::vector<const zunaiDrawnPath*>& stored)
{
    out.add("<g id=\"stored-paths\">\n");
    for (const zunaiDrawnPath* p : stored)
        out.add(polyline(view, *p, "stored-path", zunaiFormatColour(p->colour),
                         "stroke-width=\"2.4\" stroke-linejoin=\"round\" stroke-linecap=\"round\""));
    for (const zunaiDrawnPath* p : stored)
        drawArrows(out, view, p->marks, zunaiFormatColour(p->colour));
    for (const zunaiDrawnPath* p : stored)
        for (std::size_t i = 0; i < p->marks.size(); ++i)
            drawMark(out, view, p->marks[i], 2.6, zunaiFormatColour(p->colour), "#333333", 0.6,
                     "path " + std::to_string(p->number) + ", mark " + std::to_string(i));
    for (const zunaiDrawnPath* p : stored) {
        const zunaiPoint& first = p->marks.front();
        out.add("<text class=\"path-number\" data-number=\"" + std::to_string(p->number) + "\" x=\"" +
                num(view.x(first.x) + 5) + "\" y=\"" + num(view.y(first.y) - 5) +
                "\" font-size=\"11\" font-weight=\"bold\" fill=\"#111111\" stroke=\"#ffffff\" stroke-width=\"3\" "
                "paint-order=\"stroke\">" +
                std::to_string(p->number) + "</text>\n");
    }
    out.add("</g>\n");
}

std::string dash(zunaiWay way)
{
    return way == zunaiWay::Walked ? " stroke-dasharray=\"10 6\"" : "";
}

void drawRoutes(Writer& out, const View& view, const zunaiSvgScene& scene, const std::vector<unsigned long>& colours)
{
    out.add("<g id=\"routes\">\n");
    // A dark casing under every route sets it off from the stored paths.
    for (const auto& r : scene.routes) {
        if (r.drawn.points.size() < 2)
            continue;
        std::string d;
        for (const auto& q : r.drawn.points)
            d += (d.empty() ? "M" : " L") + num(view.x(q.x)) + "," + num(view.y(q.y));
        out.add("<path class=\"route-casing\" d=\"" + d +
                "\" fill=\"none\" stroke=\"#1a1a1a\" stroke-opacity=\"0.45\" stroke-width=\"8\" "
                "stroke-linejoin=\"round\" stroke-linecap=\"round\"/>\n");
    }
    for (std::size_t i = 0; i < scene.routes.size(); ++i) {
        const zunaiSvgRoute& r = scene.routes[i];
        const std::string colour = zunaiFormatColour(colours[i]);
        if (r.drawn.points.size() >= 2)
            out.add(polyline(view, r.drawn, r.way == zunaiWay::Chained ? "route chained" : "route walked", colour,
                             "stroke-width=\"5\" stroke-linejoin=\"round\" stroke-linecap=\"round\"" + dash(r.way)));
        if (r.drawn.marks.empty())
            continue;
        // Start to first mark and last mark to goal: the legs the route
        // leaves to the character, dotted.
        auto leg = [&](const zunaiPoint& a, const zunaiPoint& b) {
            out.add("<line class=\"route-leg\" x1=\"" + num(view.x(a.x)) + "\" y1=\"" + num(view.y(a.y)) +
                    "\" x2=\"" + num(view.x(b.x)) + "\" y2=\"" + num(view.y(b.y)) + "\" stroke=\"" + colour +
                    "\" stroke-width=\"3\" stroke-dasharray=\"1 5\" stroke-linecap=\"round\"/>\n");
        };
        if (r.from)
            leg(*r.from, r.drawn.marks.front());
        if (r.to)
            leg(r.drawn.marks.back(), *r.to);
    }
    for (std::size_t i = 0; i < scene.routes.size(); ++i) {
        const zunaiSvgRoute& r = scene.routes[i];
        for (std::size_t m = 0; m < r.drawn.marks.size(); ++m)
            drawMark(out, view, r.drawn.marks[m], 3.2, "#ffffff", zunaiFormatColour(colours[i]), 1.6,
                     "route " + std::to_string(r.request) + " " + zunaiWayName(r.way) + ", mark " + std::to_string(m));
    }
    out.add("</g>\n");
}

// Starts are green dots, goals red rings, so that a start and a goal at
// one place both show; their labels are joined.
void drawEnds(Writer& out, const View& view, const std::vector<zunaiSvgEnd>& ends)
{
    out.add("<g id=\"ends\">\n");
    std::vector<bool> done(ends.size(), false);
    for (std::size_t i = 0; i < ends.size(); ++i) {
        if (done[i])
            continue;
        const double x = view.x(ends[i].at.x), y = view.y(ends[i].at.y);
        std::string label, marks;
        for (int goals = 1; goals >= 0; --goals) {
            for (std::size_t j = i; j < ends.size(); ++j) {
                const zunaiSvgEnd& e = ends[j];
                if (done[j] || e.goal != bool(goals) || std::fabs(view.x(e.at.x) - x) > 0.5 ||
                    std::fabs(view.y(e.at.y) - y) > 0.5)
                    continue;
                done[j] = true;
                label += std::string(label.empty() ? "" : " ") + (e.goal ? "G" : "S") + std::to_string(e.request);
                marks += e.goal ? "<circle cx=\"" + num(x) + "\" cy=\"" + num(y) +
                                      "\" r=\"8\" fill=\"#ffffff\" stroke=\"#c8312b\" stroke-width=\"3.5\"/>\n"
                                : "<circle cx=\"" + num(x) + "\" cy=\"" + num(y) +
                                      "\" r=\"5\" fill=\"#2e9d3a\" stroke=\"#ffffff\" stroke-width=\"1\"/>\n";
            }
        }
        out.add(marks);
        out.add("<text x=\"" + num(x + 11) + "\" y=\"" + num(y - 9) +
                "\" font-size=\"12\" font-weight=\"bold\" fill=\"#222222\" stroke=\"#ffffff\" stroke-width=\"3\" "
                "paint-order=\"stroke\">" +
                label + "</text>\n");
    }
    out.add("</g>\n");
}

void drawScaleBar(Writer& out, const View& view)
{
    const double length = niceLength((view.maxX - view.minX) / 4.0);
    const double x0 = view.left, x1 = view.left + length * view.scale, y = view.top + view.height() + 44.0;
    out.add("<g id=\"scale-bar\" stroke=\"#222222\" stroke-width=\"2\">\n");
    out.add("<line x1=\"" + num(x0) + "\" y1=\"" + num(y) + "\" x2=\"" + num(x1) + "\" y2=\"" + num(y) + "\"/>\n");
    for (int i = 0; i <= 4; ++i) {
        const double x = x0 + (x1 - x0) * i / 4.0;
        out.add("<line x1=\"" + num(x) + "\" y1=\"" + num(y - (i % 4 ? 4 : 7)) + "\" x2=\"" + num(x) + "\" y2=\"" +
                num(y) + "\"/>\n");
    }
    out.add("<text x=\"" + num(x0) + "\" y=\"" + num(y + 18) + "\" stroke=\"none\" fill=\"#222222\">0</text>\n");
    out.add("<text x=\"" + num(x1) + "\" y=\"" + num(y + 18) +
            "\" stroke=\"none\" fill=\"#222222\" text-anchor=\"middle\">" + num(length) + " units</text>\n");
    out.add("</g>\n");
}

void drawLegend(Writer& out, const zunaiSvgScene& scene, double legendX, double top, double minZ, double maxZ,
                std::size_t storedCount, const std::vector<unsigned long>& colours)
{
    out.add("<g id=\"legend\">\n");
    double y = top + 4.0;
    const double sx = legendX, tx = legendX + 44.0;
    out.add("<text x=\"" + num(sx) + "\" y=\"" + num(y + 10) + "\" font-size=\"15\" font-weight=\"bold\">Legend</text>\n");
    y += 32.0;
    auto row = [&](const std::string& sample, const std::string& text) {
        out.add(sample);
        out.add("<text x=\"" + num(tx) + "\" y=\"" + num(y + 4) + "\">" + zunaiXmlEscape(text) + "</text>\n");
        y += 22.0;
    };
    auto line = [&](const std::string& colour, const std::string& extra) {
        return "<line x1=\"" + num(sx) + "\" y1=\"" + num(y) + "\" x2=\"" + num(sx + 34) + "\" y2=\"" + num(y) +
               "\" stroke=\"" + colour + "\" " + extra + "/>\n";
    };
    {
        std::string sample;
        unsigned long c = pathColourSeed;
        for (int i = 0; i < 3; ++i, c = nextPathColour(c))
            sample += "<line x1=\"" + num(sx + 12 * i) + "\" y1=\"" + num(y) + "\" x2=\"" + num(sx + 12 * i + 10) +
                      "\" y2=\"" + num(y) + "\" stroke=\"" + zunaiFormatColour(c) + "\" stroke-width=\"2.4\"/>\n";
        row(sample, "stored path N, arrows along (" + std::to_string(storedCount) + " drawn)");
    }
    row("<circle cx=\"" + num(sx + 17) + "\" cy=\"" + num(y) + "\" r=\"2.6\" fill=\"" +
            zunaiFormatColour(pathColourSeed) + "\" stroke=\"#333333\" stroke-width=\"0.6\"/>\n",
        "mark (its position on hover)");
    const std::string routeColour = zunaiFormatColour(colours.empty() ? zunaiRouteColours({}, 1)[0] : colours[0]);
    row(line(routeColour, "stroke-width=\"5\""), "chained route");
    row(line(routeColour, "stroke-width=\"5\" stroke-dasharray=\"10 6\""), "walked route");
    row(line(routeColour, "stroke-width=\"3\" stroke-dasharray=\"1 5\" stroke-linecap=\"round\""),
        "start to route, route to goal");
    row("<circle cx=\"" + num(sx + 17) + "\" cy=\"" + num(y) + "\" r=\"5\" fill=\"#2e9d3a\"/>\n", "start (S1 = request 1)");
    row("<circle cx=\"" + num(sx + 17) + "\" cy=\"" + num(y) +
            "\" r=\"8\" fill=\"#ffffff\" stroke=\"#c8312b\" stroke-width=\"3.5\"/>\n",
        "goal (G1 = request 1)");
    y += 6.0;
    out.add("<text x=\"" + num(sx) + "\" y=\"" + num(y + 4) + "\" font-weight=\"bold\">height</text>\n");
    y += 14.0;
    const double barH = 90.0;
    out.add("<rect x=\"" + num(sx) + "\" y=\"" + num(y) + "\" width=\"22\" height=\"" + num(barH) +
            "\" fill=\"url(#height-scale)\" stroke=\"#777777\" stroke-width=\"0.5\"/>\n");
    for (int i = 0; i <= 2; ++i)
        out.add("<text x=\"" + num(sx + 30) + "\" y=\"" + num(y + barH * i / 2.0 + 4) + "\" font-size=\"12\">" +
                num(maxZ - (maxZ - minZ) * i / 2.0) + "</text>\n");
    y += barH + 30.0;
    if (!scene.routes.empty()) {
        out.add("<text x=\"" + num(sx) + "\" y=\"" + num(y) + "\" font-weight=\"bold\">routes</text>\n");
        y += 20.0;
        for (std::size_t i = 0; i < scene.routes.size(); ++i)
            row(line(zunaiFormatColour(colours[i]), "stroke-width=\"5\"" + dash(scene.routes[i].way)),
                scene.routes[i].label);
    }
    out.add("</g>\n");
}

std::string subtitle(const zunaiSvgScene& scene, bool raster)
{
    std::string text = "top view, x to the right, y up; shaded by height";
    if (raster)
        text += " (as a height map)";
    if (scene.floor)
        text += "; the floor at " + num(*scene.floor) + " (" + num(*scene.floor - zunaiFloorBelow) + " to " +
                num(*scene.floor + zunaiFloorAbove) + ")";
    return text;
}

} // namespace

std::string zunaiXmlEscape(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default:
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n')
                out += c;
        }
    }
    return out;
}

std::string zunaiRenderSvg(const zunaiSvgScene& scene)
{
    double minZ = 0, maxZ = 0;
    std::vector<const zunaiTriangle*> faces = facesShown(scene, minZ, maxZ);
    const std::vector<const zunaiDrawnPath*> stored = storedShown(scene);
    const View view = makeView(scene, faces, stored);
    if (scene.region)
        faces = facesInView(faces, view);
    std::vector<unsigned long> storedColours;
    for (const zunaiDrawnPath* p : stored)
        storedColours.push_back(p->colour);
    const std::vector<unsigned long> routeColours = zunaiRouteColours(storedColours, int(scene.routes.size()));
    const bool raster = faces.size() > scene.rasterAbove;

    const double legendX = view.left + view.width() + 28.0, legendW = 290.0;
    const double legendRows = 13.0 + double(scene.routes.size());
    const double width = legendX + legendW + 20.0;
    const double height = std::max(view.top + view.height() + 80.0, view.top + 40.0 + legendRows * 22.0 + 120.0);

    Writer out;
    out.svg.reserve(1 << 16);
    out.add("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    out.add("<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"" +
            num(width) + "\" height=\"" + num(height) + "\" viewBox=\"0 0 " + num(width) + " " + num(height) +
            "\" font-family=\"DejaVu Sans, Arial, sans-serif\" font-size=\"13\">\n");
    out.add("<title>" + zunaiXmlEscape(scene.title) + "</title>\n");
    out.add("<defs>\n<linearGradient id=\"height-scale\" x1=\"0\" y1=\"1\" x2=\"0\" y2=\"0\">\n");
    for (const zunaiShadeStop& stop : zunaiHeightStops())
        out.add("<stop offset=\"" + num(stop.at) + "\" stop-color=\"" + zunaiHex(stop.colour) + "\"/>\n");
    out.add("</linearGradient>\n<clipPath id=\"map-clip\"><rect x=\"" + num(view.left) + "\" y=\"" + num(view.top) +
            "\" width=\"" + num(view.width()) + "\" height=\"" + num(view.height()) + "\"/></clipPath>\n</defs>\n");
    out.add("<rect x=\"0\" y=\"0\" width=\"" + num(width) + "\" height=\"" + num(height) + "\" fill=\"#ffffff\"/>\n");
    out.add("<text x=\"" + num(view.left) + "\" y=\"30\" font-size=\"18\" font-weight=\"bold\">" +
            zunaiXmlEscape(scene.title) + "</text>\n");
    out.add("<text x=\"" + num(view.left) + "\" y=\"48\" font-size=\"12\" fill=\"#555555\">" +
            zunaiXmlEscape(subtitle(scene, raster)) + "</text>\n");

    out.add("<g id=\"map\" clip-path=\"url(#map-clip)\">\n<g id=\"level\">\n");
    out.add("<rect x=\"" + num(view.left) + "\" y=\"" + num(view.top) + "\" width=\"" + num(view.width()) +
            "\" height=\"" + num(view.height()) + "\" fill=\"#fbfaf6\"/>\n");
    if (raster)
        drawHeightMap(out, view, faces, minZ, maxZ);
    else
        drawFaces(out, view, faces, minZ, maxZ);
    out.add("</g>\n");
    Writer gridLabels;
    drawGrid(out, gridLabels, view);
    drawStored(out, view, stored);
    drawRoutes(out, view, scene, routeColours);
    drawEnds(out, view, scene.ends);
    out.add("</g>\n");
    out.add("<rect x=\"" + num(view.left) + "\" y=\"" + num(view.top) + "\" width=\"" + num(view.width()) +
            "\" height=\"" + num(view.height()) + "\" fill=\"none\" stroke=\"#999999\" stroke-width=\"0.5\"/>\n");
    out.add(gridLabels.svg);
    drawScaleBar(out, view);
    drawLegend(out, scene, legendX, view.top, minZ, maxZ, stored.size(), routeColours);
    out.add("</svg>\n");
    return out.svg;
}
