// SVG rendering of a level with its paths and routes.

#include "zunaiSvg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>


namespace {

struct Rgb {
    double r, g, b;
};

// Ground to wall tops: pale stone, sand, grey-brown, dark slate.
const Rgb heightStops[] = {{0xef, 0xe9, 0xda}, {0xd6, 0xc3, 0x9c}, {0xa8, 0x9b, 0x8b}, {0x5e, 0x57, 0x66}};
const double heightStopAt[] = {0.0, 0.3, 0.6, 1.0};

std::string hex(const Rgb& c)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", int(std::lround(c.r)), int(std::lround(c.g)),
                  int(std::lround(c.b)));
    return buffer;
}

std::string heightColour(double t)
{
    t = std::clamp(t, 0.0, 1.0);
    for (int i = 1; i < 4; ++i) {
        if (t <= heightStopAt[i]) {
            const double u = (t - heightStopAt[i - 1]) / (heightStopAt[i] - heightStopAt[i - 1]);
            const Rgb& a = heightStops[i - 1];
            const Rgb& b = heightStops[i];
            return hex(Rgb{a.r + (b.r - a.r) * u, a.g + (b.g - a.g) * u, a.b + (b.b - a.b) * u});
        }
    }
    return hex(heightStops[3]);
}

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

struct View {
    double minX, maxY, scale, left, top;
    double x(double wx) const { return left + (wx - minX) * scale; }
    double y(double wy) const { return top + (maxY - wy) * scale; }
};

void extend(double& lo, double& hi, double v)
{
    if (std::isfinite(v)) {
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
}

} // namespace

std::string zunaiFormatColour(unsigned long colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", unsigned(colour & 0xFFFFFFul));
    return text;
}

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
    const double inf = std::numeric_limits<double>::infinity();
    double minX = inf, maxX = -inf, minY = inf, maxY = -inf, minZ = inf, maxZ = -inf;
    if (scene.mesh)
        for (const auto& t : scene.mesh->triangles)
            for (const auto& c : t.corner) {
                extend(minX, maxX, c.x);
                extend(minY, maxY, c.y);
                extend(minZ, maxZ, c.z);
            }
    auto include = [&](const zunaiPoint& p) {
        extend(minX, maxX, p.x);
        extend(minY, maxY, p.y);
    };
    for (const auto& p : scene.stored)
        for (const auto& m : p.marks)
            include(m);
    for (const auto& r : scene.routes)
        for (const auto& m : r.drawn.marks)
            include(m);
    for (const auto& e : scene.ends)
        include(e.at);
    if (!(minX <= maxX)) {
        minX = minY = -100.0;
        maxX = maxY = 100.0;
    }
    if (!(minZ <= maxZ))
        minZ = maxZ = 0.0;
    double spanX = std::max(maxX - minX, 1.0), spanY = std::max(maxY - minY, 1.0);
    const double pad = 0.03 * std::max(spanX, spanY);
    minX -= pad;
    maxX += pad;
    minY -= pad;
    maxY += pad;
    spanX += 2 * pad;
    spanY += 2 * pad;

    const double mapSize = 760.0;
    View view{minX, maxY, mapSize / std::max(spanX, spanY), 20.0, 56.0};
    const double mapW = spanX * view.scale, mapH = spanY * view.scale;
    const double legendX = view.left + mapW + 24.0, legendW = 250.0;
    const double legendRows = 12.0 + double(scene.routes.size());
    const double width = legendX + legendW + 20.0;
    const double height = std::max(view.top + mapH + 64.0, view.top + 40.0 + legendRows * 22.0 + 120.0);

    std::string svg;
    svg.reserve(1 << 16);
    auto add = [&](const std::string& s) { svg += s; };

    add("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    add("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + num(width) + "\" height=\"" + num(height) +
        "\" viewBox=\"0 0 " + num(width) + " " + num(height) +
        "\" font-family=\"DejaVu Sans, Arial, sans-serif\" font-size=\"13\">\n");
    add("<title>" + zunaiXmlEscape(scene.title) + "</title>\n");
    add("<defs>\n<linearGradient id=\"height-scale\" x1=\"0\" y1=\"1\" x2=\"0\" y2=\"0\">\n");
    for (int i = 0; i < 4; ++i)
        add("<stop offset=\"" + num(heightStopAt[i]) + "\" stop-color=\"" + hex(heightStops[i]) + "\"/>\n");
    add("</linearGradient>\n</defs>\n");
    add("<rect x=\"0\" y=\"0\" width=\"" + num(width) + "\" height=\"" + num(height) + "\" fill=\"#ffffff\"/>\n");
    add("<text x=\"" + num(view.left) + "\" y=\"30\" font-size=\"18\" font-weight=\"bold\">" +
        zunaiXmlEscape(scene.title) + "</text>\n");
    add("<text x=\"" + num(view.left) + "\" y=\"48\" font-size=\"12\" fill=\"#555555\">top view, x to the right, y up; "
        "shaded by height</text>\n");

    // The level: upward views of the triangles, lower ones first.
    add("<g id=\"level\">\n");
    add("<rect x=\"" + num(view.left) + "\" y=\"" + num(view.top) + "\" width=\"" + num(mapW) + "\" height=\"" +
        num(mapH) + "\" fill=\"#fbfaf6\" stroke=\"#999999\" stroke-width=\"0.5\"/>\n");
    if (scene.mesh) {
        struct Face {
            double key, top;
            const zunaiTriangle* t;
        };
        std::vector<Face> faces;
        for (const auto& t : scene.mesh->triangles) {
            const zunaiPoint& a = t.corner[0];
            const zunaiPoint& b = t.corner[1];
            const zunaiPoint& c = t.corner[2];
            const double area = (double(b.x) - a.x) * (double(c.y) - a.y) - (double(b.y) - a.y) * (double(c.x) - a.x);
            if (!(std::fabs(area) > 1e-6))
                continue;   // seen edge-on from above: a wall's side
            faces.push_back(Face{(double(a.z) + b.z + c.z) / 3.0, std::max({a.z, b.z, c.z}), &t});
        }
        std::stable_sort(faces.begin(), faces.end(), [](const Face& l, const Face& r) {
            return l.key < r.key || (l.key == r.key && l.top < r.top);
        });
        const double zSpan = maxZ - minZ;
        for (const Face& f : faces) {
            const std::string colour = heightColour(zSpan > 0.0 ? (f.key - minZ) / zSpan : 0.0);
            std::string points;
            for (const auto& c : f.t->corner)
                points += num(view.x(c.x)) + "," + num(view.y(c.y)) + " ";
            points.pop_back();
            add("<polygon points=\"" + points + "\" fill=\"" + colour + "\" stroke=\"" + colour +
                "\" stroke-width=\"0.6\" stroke-linejoin=\"round\"/>\n");
        }
    }
    add("</g>\n");

    auto polyline = [&](const zunaiDrawnPath& p, const std::string& cls, const std::string& attributes) {
        std::string points;
        for (const auto& q : p.points)
            points += num(view.x(q.x)) + "," + num(view.y(q.y)) + " ";
        if (!points.empty())
            points.pop_back();
        add("<polyline class=\"" + cls + "\" data-number=\"" + std::to_string(p.number) + "\" points=\"" + points +
            "\" fill=\"none\" stroke=\"" + zunaiFormatColour(p.colour) + "\" " + attributes + "/>\n");
    };

    add("<g id=\"stored-paths\">\n");
    for (const auto& p : scene.stored)
        if (p.points.size() >= 2)
            polyline(p, "stored-path", "stroke-width=\"2.4\" stroke-linejoin=\"round\" stroke-linecap=\"round\"");
    for (const auto& p : scene.stored)
        for (const auto& m : p.marks)
            add("<circle cx=\"" + num(view.x(m.x)) + "\" cy=\"" + num(view.y(m.y)) + "\" r=\"2.6\" fill=\"" +
                zunaiFormatColour(p.colour) + "\" stroke=\"#333333\" stroke-width=\"0.6\"/>\n");
    add("</g>\n");

    add("<g id=\"routes\">\n");
    // A dark casing under every route sets it off from the stored paths.
    for (const auto& r : scene.routes) {
        if (r.drawn.points.size() < 2)
            continue;
        std::string d;
        for (const auto& q : r.drawn.points)
            d += (d.empty() ? "M" : " L") + num(view.x(q.x)) + "," + num(view.y(q.y));
        add("<path class=\"route-casing\" d=\"" + d +
            "\" fill=\"none\" stroke=\"#1a1a1a\" stroke-opacity=\"0.35\" stroke-width=\"8\" "
            "stroke-linejoin=\"round\" stroke-linecap=\"round\"/>\n");
    }
    for (const auto& r : scene.routes)
        if (r.drawn.points.size() >= 2)
            polyline(r.drawn, r.way == zunaiWay::Chained ? "route chained" : "route walked",
                     std::string("stroke-width=\"5\" stroke-opacity=\"0.85\" stroke-linejoin=\"round\" "
                                 "stroke-linecap=\"round\"") +
                         (r.way == zunaiWay::Walked ? " stroke-dasharray=\"10 6\"" : ""));
    for (const auto& r : scene.routes)
        for (const auto& m : r.drawn.marks)
            add("<circle cx=\"" + num(view.x(m.x)) + "\" cy=\"" + num(view.y(m.y)) +
                "\" r=\"3.2\" fill=\"#ffffff\" stroke=\"" + zunaiFormatColour(r.drawn.colour) +
                "\" stroke-width=\"1.6\"/>\n");
    add("</g>\n");

    // Starts are green dots, goals red rings, so that a start and a goal at
    // one place both show; their labels are joined.
    add("<g id=\"ends\">\n");
    std::vector<bool> done(scene.ends.size(), false);
    for (std::size_t i = 0; i < scene.ends.size(); ++i) {
        if (done[i])
            continue;
        const double x = view.x(scene.ends[i].at.x), y = view.y(scene.ends[i].at.y);
        std::string label;
        std::string marks;
        for (int goals = 1; goals >= 0; --goals) {
            for (std::size_t j = i; j < scene.ends.size(); ++j) {
                const zunaiSvgEnd& e = scene.ends[j];
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
        add(marks);
        add("<text x=\"" + num(x + 11) + "\" y=\"" + num(y - 9) +
            "\" font-size=\"12\" font-weight=\"bold\" fill=\"#222222\" stroke=\"#ffffff\" stroke-width=\"3\" "
            "paint-order=\"stroke\">" +
            label + "</text>\n");
    }
    add("</g>\n");

    // Scale bar under the map.
    {
        const double length = niceLength(spanX / 4.0);
        const double x0 = view.left, x1 = view.left + length * view.scale, y = view.top + mapH + 26.0;
        add("<g id=\"scale-bar\" stroke=\"#222222\" stroke-width=\"2\">\n");
        add("<line x1=\"" + num(x0) + "\" y1=\"" + num(y) + "\" x2=\"" + num(x1) + "\" y2=\"" + num(y) + "\"/>\n");
        for (int i = 0; i <= 4; ++i) {
            const double x = x0 + (x1 - x0) * i / 4.0;
            add("<line x1=\"" + num(x) + "\" y1=\"" + num(y - (i % 4 ? 4 : 7)) + "\" x2=\"" + num(x) + "\" y2=\"" +
                num(y) + "\"/>\n");
        }
        add("<text x=\"" + num(x0) + "\" y=\"" + num(y + 18) + "\" stroke=\"none\" fill=\"#222222\">0</text>\n");
        add("<text x=\"" + num(x1) + "\" y=\"" + num(y + 18) +
            "\" stroke=\"none\" fill=\"#222222\" text-anchor=\"middle\">" + num(length) + " units</text>\n");
        add("</g>\n");
    }

    // Legend.
    add("<g id=\"legend\">\n");
    double y = view.top + 4.0;
    const double sx = legendX, tx = legendX + 44.0;
    add("<text x=\"" + num(sx) + "\" y=\"" + num(y + 10) + "\" font-size=\"15\" font-weight=\"bold\">Legend</text>\n");
    y += 32.0;
    auto row = [&](const std::string& sample, const std::string& text) {
        add(sample);
        add("<text x=\"" + num(tx) + "\" y=\"" + num(y + 4) + "\">" + zunaiXmlEscape(text) + "</text>\n");
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
        row(sample, "stored path (" + std::to_string(scene.stored.size()) + " drawn)");
    }
    row("<circle cx=\"" + num(sx + 17) + "\" cy=\"" + num(y) + "\" r=\"2.6\" fill=\"" +
            zunaiFormatColour(pathColourSeed) + "\" stroke=\"#333333\" stroke-width=\"0.6\"/>\n",
        "mark");
    row(line("#5a7bd8", "stroke-width=\"5\" stroke-opacity=\"0.85\""), "chained route");
    row(line("#5a7bd8", "stroke-width=\"5\" stroke-opacity=\"0.85\" stroke-dasharray=\"10 6\""), "walked route");
    row("<circle cx=\"" + num(sx + 17) + "\" cy=\"" + num(y) + "\" r=\"5\" fill=\"#2e9d3a\"/>\n", "start (S1 = request 1)");
    row("<circle cx=\"" + num(sx + 17) + "\" cy=\"" + num(y) +
            "\" r=\"8\" fill=\"#ffffff\" stroke=\"#c8312b\" stroke-width=\"3.5\"/>\n",
        "goal (G1 = request 1)");
    y += 6.0;
    add("<text x=\"" + num(sx) + "\" y=\"" + num(y + 4) + "\" font-weight=\"bold\">height</text>\n");
    y += 14.0;
    const double barH = 90.0;
    add("<rect x=\"" + num(sx) + "\" y=\"" + num(y) + "\" width=\"22\" height=\"" + num(barH) +
        "\" fill=\"url(#height-scale)\" stroke=\"#777777\" stroke-width=\"0.5\"/>\n");
    for (int i = 0; i <= 2; ++i) {
        const double z = maxZ - (maxZ - minZ) * i / 2.0;
        add("<text x=\"" + num(sx + 30) + "\" y=\"" + num(y + barH * i / 2.0 + 4) + "\" font-size=\"12\">" +
            num(z) + "</text>\n");
    }
    y += barH + 30.0;
    if (!scene.routes.empty()) {
        add("<text x=\"" + num(sx) + "\" y=\"" + num(y) + "\" font-weight=\"bold\">routes</text>\n");
        y += 20.0;
        for (const auto& r : scene.routes)
            row(line(zunaiFormatColour(r.drawn.colour),
                     std::string("stroke-width=\"5\" stroke-opacity=\"0.85\"") +
                         (r.way == zunaiWay::Walked ? " stroke-dasharray=\"10 6\"" : "")),
                r.label);
    }
    add("</g>\n");
    add("</svg>\n");
    return svg;
}
