#include "zunaiPng.h"

#include <librsvg/rsvg.h>

#include <cmath>

#include "zunaiError.h"

namespace {

cairo_status_t append(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

std::string reasonOf(GError* error)
{
    std::string reason = error ? error->message : "unknown reason";
    if (error)
        g_error_free(error);
    return reason;
}

} // namespace

std::string zunaiSvgToPng(const std::string& svg)
{
    GError* error = nullptr;
    RsvgHandle* handle =
        rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()), gsize(svg.size()), &error);
    if (!handle)
        throw zunaiError{"cannot render the picture as PNG: " + reasonOf(error)};
    double width = 0, height = 0;
    if (!rsvg_handle_get_intrinsic_size_in_pixels(handle, &width, &height) || !(width >= 1) || !(height >= 1)) {
        g_object_unref(handle);
        throw zunaiError{"cannot render the picture as PNG: it has no size in pixels"};
    }
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(std::ceil(width)), int(std::ceil(height)));
    cairo_t* cr = cairo_create(surface);
    const RsvgRectangle viewport{0, 0, width, height};
    const bool drawn = rsvg_handle_render_document(handle, cr, &viewport, &error);
    cairo_destroy(cr);
    g_object_unref(handle);
    std::string png;
    const bool encoded = drawn && cairo_surface_write_to_png_stream(surface, append, &png) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    if (!drawn)
        throw zunaiError{"cannot render the picture as PNG: " + reasonOf(error)};
    if (!encoded)
        throw zunaiError{"cannot encode the picture as PNG"};
    return png;
}
