#ifndef ZUNAI_EDIT_PAGE_H
#define ZUNAI_EDIT_PAGE_H

// The editor's page, built into the program from tools/edit/page/, so that
// it works without network and without files beside the program.

#include <cstddef>
#include <string>

struct zunaiEditAsset {
    const char* path;               // as requested: "/", "/editor.js", ...
    const char* type;               // its content type
    const unsigned char* data;
    std::size_t size;
};

// The asset served at `path`, or null.
const zunaiEditAsset* zunaiEditFindAsset(const std::string& path);

#endif
