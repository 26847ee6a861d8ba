// The pictures' colours and grid.

#include "zunaiPictureStyle.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Strong colours, none of them a pale or greyish one: candidates for routes.
const unsigned long routeCandidates[] = {
    0xE6007E, 0x0050FF, 0x00A651, 0xFF6A00, 0x8A00D4, 0x00B5E2, 0xC8102E, 0x6B8E00,
    0xFFB000, 0x003C78, 0xFF00FF, 0x00FFC0, 0x000000, 0x7A2E00, 0x3F7FBF, 0xB07AA1,
};

double channel(unsigned long c, int shift)
{
    return double((c >> shift) & 0xFF);
}

} // namespace

const std::vector<zunaiShadeStop>& zunaiHeightStops()
{
    static const std::vector<zunaiShadeStop> stops = {{0.0, {0xef, 0xe9, 0xda}},
                                                       {0.3, {0xd6, 0xc3, 0x9c}},
                                                       {0.6, {0xa8, 0x9b, 0x8b}},
                                                       {1.0, {0x5e, 0x57, 0x66}}};
    return stops;
}

zunaiRgb zunaiHeightShade(double t)
{
    const auto& stops = zunaiHeightStops();
    t = std::clamp(std::isfinite(t) ? t : 0.0, 0.0, 1.0);
    for (std::size_t i = 1; i < stops.size(); ++i)
        if (t <= stops[i].at) {
            const double u = (t - stops[i - 1].at) / (stops[i].at - stops[i - 1].at);
            const zunaiRgb& a = stops[i - 1].colour;
            const zunaiRgb& b = stops[i].colour;
            return zunaiRgb{a.r + (b.r - a.r) * u, a.g + (b.g - a.g) * u, a.b + (b.b - a.b) * u};
        }
    return stops.back().colour;
}

std::string zunaiHex(const zunaiRgb& c)
{
    char text[16];
    auto byte = [](double v) { return int(std::lround(std::clamp(v, 0.0, 255.0))); };
    std::snprintf(text, sizeof text, "#%02x%02x%02x", byte(c.r), byte(c.g), byte(c.b));
    return text;
}

std::string zunaiFormatColour(unsigned long colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", unsigned(colour & 0xFFFFFFul));
    return text;
}

double zunaiGridStep(double span, int lines)
{
    const double rough = span / std::max(lines, 1);
    if (!(rough > 0.0) || !std::isfinite(rough))
        return 1.0;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double step : {1.0, 2.0, 5.0, 10.0})
        if (step * power >= rough)
            return step * power;
    return 10.0 * power;
}

double zunaiColourDistance(unsigned long a, unsigned long b)
{
    // The "redmean" weighting: cheap and close to how different colours look.
    const double rm = (channel(a, 16) + channel(b, 16)) / 2.0;
    const double dr = channel(a, 16) - channel(b, 16), dg = channel(a, 8) - channel(b, 8),
                 db = channel(a, 0) - channel(b, 0);
    return std::sqrt((2.0 + rm / 256.0) * dr * dr + 4.0 * dg * dg + (2.0 + (255.0 - rm) / 256.0) * db * db);
}

std::vector<unsigned long> zunaiRouteColours(const std::vector<unsigned long>& storedColours, int count)
{
    std::vector<unsigned long> chosen;
    std::vector<unsigned long> taken = storedColours;
    for (int i = 0; i < count; ++i) {
        unsigned long best = routeCandidates[0];
        double bestDistance = -1.0;
        for (unsigned long candidate : routeCandidates) {
            double nearest = 1e9;
            for (unsigned long t : taken)
                nearest = std::min(nearest, zunaiColourDistance(candidate, t));
            if (nearest > bestDistance) {
                bestDistance = nearest;
                best = candidate;
            }
        }
        chosen.push_back(best);
        taken.push_back(best);
    }
    return chosen;
}
