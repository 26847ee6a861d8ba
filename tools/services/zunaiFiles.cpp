// File access of the tool: whole reads, and writes that never leave a
// half-written file behind.

#include "zunaiFiles.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <system_error>

#include "zunaiError.h"

namespace fs = std::filesystem;

bool zunaiReadFile(const fs::path& path, std::string& text)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::string result((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return false;
    text.swap(result);
    return true;
}

void zunaiWriteFileWhole(const fs::path& path, const std::string& text)
{
    std::error_code ec;
    const fs::path parent = path.has_parent_path() ? path.parent_path() : fs::path(".");
    if (!fs::is_directory(parent, ec))
        throw zunaiError{"cannot write " + path.string() + ": no folder " + parent.string()};
    if (fs::is_directory(path, ec))
        throw zunaiError{"cannot write " + path.string() + ": it is a folder"};

    std::random_device seed;
    const fs::path temporary =
        parent / (path.filename().string() + ".tmp" + std::to_string(seed() % 1000000u));
    bool ok;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        ok = static_cast<bool>(out);
        if (ok) {
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
            out.flush();
            ok = static_cast<bool>(out);
        }
    }
    if (ok) {
        fs::rename(temporary, path, ec);
        ok = !ec;
    }
    if (!ok) {
        fs::remove(temporary, ec);
        throw zunaiError{"cannot write " + path.string()};
    }
}

std::string zunaiDisplayPath(const fs::path& path, const fs::path& base)
{
    const fs::path full = path.lexically_normal();
    const fs::path relative = full.lexically_relative(base.lexically_normal());
    if (relative.empty() || *relative.begin() == "..")
        return full.string();
    return relative.string();
}
