#ifndef ZUNAI_PNG_H
#define ZUNAI_PNG_H

// Pictures as PNG: an SVG document rendered at its own size by the SVG
// library (librsvg).

#include <string>

// The PNG file's bytes. Throws zunaiError with the library's reason.
std::string zunaiSvgToPng(const std::string& svg);

#endif
