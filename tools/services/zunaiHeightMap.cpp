// Height map raster: a z-buffer of the level seen from above, shaded.

#include "zunaiHeightMap.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "zunaiError.h"
#include "zunaiPictureStyle.h"

namespace {

constexpr float kEmpty = -std::numeric_limits<float>::infinity();

// The highest surface over each pixel's centre.
std::vector<float> topHeights(const std::vector<const zunaiTriangle*>& faces, const zunaiRasterWindow& w)
{
    std::vector<float> top(std::size_t(w.width) * std::size_t(w.height), kEmpty);
    const double inv = 1.0 / w.unitsPerPixel;
    for (const zunaiTriangle* t : faces) {
        double px[3], py[3], pz[3];
        for (int c = 0; c < 3; ++c) {
            px[c] = (t->corner[c].x - w.minX) * inv;
            py[c] = (w.maxY - t->corner[c].y) * inv;
            pz[c] = t->corner[c].z;
        }
        const double area = (px[1] - px[0]) * (py[2] - py[0]) - (py[1] - py[0]) * (px[2] - px[0]);
        if (!(std::fabs(area) > 1e-12))
            continue;
        const int x0 = std::max(0, int(std::floor(std::min({px[0], px[1], px[2]}) - 0.5)));
        const int x1 = std::min(w.width - 1, int(std::ceil(std::max({px[0], px[1], px[2]}) - 0.5)));
        const int y0 = std::max(0, int(std::floor(std::min({py[0], py[1], py[2]}) - 0.5)));
        const int y1 = std::min(w.height - 1, int(std::ceil(std::max({py[0], py[1], py[2]}) - 0.5)));
        for (int y = y0; y <= y1; ++y) {
            const double cy = y + 0.5;
            for (int x = x0; x <= x1; ++x) {
                const double cx = x + 0.5;
                // Barycentric weights of the pixel's centre; edges count as inside.
                const double w0 = ((px[1] - cx) * (py[2] - cy) - (py[1] - cy) * (px[2] - cx)) / area;
                const double w1 = ((px[2] - cx) * (py[0] - cy) - (py[2] - cy) * (px[0] - cx)) / area;
                const double w2 = 1.0 - w0 - w1;
                if (w0 < -1e-9 || w1 < -1e-9 || w2 < -1e-9)
                    continue;
                const float z = float(w0 * pz[0] + w1 * pz[1] + w2 * pz[2]);
                float& slot = top[std::size_t(y) * std::size_t(w.width) + std::size_t(x)];
                slot = std::max(slot, z);
            }
        }
    }
    return top;
}

// Light from the north-west and above: 1 on flat ground, darker on slopes
// facing away, lighter on those facing the light.
double lighting(const std::vector<float>& top, const zunaiRasterWindow& w, int x, int y)
{
    auto at = [&](int i, int j) {
        i = std::clamp(i, 0, w.width - 1);
        j = std::clamp(j, 0, w.height - 1);
        const float z = top[std::size_t(j) * std::size_t(w.width) + std::size_t(i)];
        return z == kEmpty ? top[std::size_t(y) * std::size_t(w.width) + std::size_t(x)] : z;
    };
    const double dzdx = (at(x + 1, y) - at(x - 1, y)) / (2.0 * w.unitsPerPixel);
    const double dzdy = (at(x, y - 1) - at(x, y + 1)) / (2.0 * w.unitsPerPixel);   // rows run south
    const double length = std::sqrt(dzdx * dzdx + dzdy * dzdy + 1.0);
    const double lx = -0.5, ly = 0.5, lz = 0.707;
    const double facing = (-dzdx * lx - dzdy * ly + lz) / length;
    return std::clamp(0.55 + 0.45 * facing / lz, 0.45, 1.15);
}

cairo_status_t append(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

} // namespace

std::string zunaiHeightMapPng(const std::vector<const zunaiTriangle*>& faces, const zunaiRasterWindow& w)
{
    if (w.width <= 0 || w.height <= 0)
        throw zunaiError{"height map of no size"};
    const std::vector<float> top = topHeights(faces, w);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w.width, w.height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        throw zunaiError{"cannot make a height map of " + std::to_string(w.width) + " x " + std::to_string(w.height)};
    }
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const double span = w.maxZ - w.minZ;
    for (int y = 0; y < w.height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + std::ptrdiff_t(y) * stride);
        for (int x = 0; x < w.width; ++x) {
            const float z = top[std::size_t(y) * std::size_t(w.width) + std::size_t(x)];
            if (z == kEmpty) {
                row[x] = 0;
                continue;
            }
            // Shades and light in steps, so that the image compresses well.
            const double t = std::round((span > 0 ? (z - w.minZ) / span : 0.0) * 48.0) / 48.0;
            const double light = std::round(lighting(top, w, x, y) * 64.0) / 64.0;
            const zunaiRgb c = zunaiHeightShade(t);
            auto byte = [&](double v) { return std::uint32_t(std::clamp(std::lround(v * light), 0L, 255L)); };
            row[x] = 0xFF000000u | byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b);
        }
    }
    cairo_surface_mark_dirty(surface);
    std::string png;
    const cairo_status_t status = cairo_surface_write_to_png_stream(surface, append, &png);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS)
        throw zunaiError{std::string("cannot encode the height map: ") + cairo_status_to_string(status)};
    return png;
}
