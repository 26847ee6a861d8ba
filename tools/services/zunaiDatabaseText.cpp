// The module saves its database to a fixed name relative to the game's
// working directory; a scratch game folder gives it one to write to.

#include "zunaiDatabaseText.h"

#include <filesystem>
#include <random>
#include <system_error>

#include "zunaiError.h"
#include "zunaiFiles.h"

namespace fs = std::filesystem;

namespace {

// A fresh game folder under the system's temporary folder, its bin/ the
// working directory while it lives; then the old one again, and the folder
// removed.
struct ScratchGame {
    fs::path dir, back;

    ScratchGame()
    {
        std::error_code ec;
        std::random_device seed;
        const fs::path base = fs::temp_directory_path(ec);
        for (int attempt = 0; attempt < 8 && dir.empty(); ++attempt) {
            const fs::path candidate = base / ("zunai-save-" + std::to_string(seed() % 100000000u));
            if (fs::create_directory(candidate, ec))
                dir = candidate;
        }
        if (dir.empty())
            throw zunaiError{"cannot make a scratch folder under " + base.string()};
        back = fs::current_path(ec);
        if (!ec)
            fs::create_directories(dir / "bin", ec);
        if (!ec)
            fs::create_directories(dir / "data" / "memory" / "levels", ec);
        if (!ec)
            fs::current_path(dir / "bin", ec);
        if (ec) {
            fs::remove_all(dir, ec);
            throw zunaiError{"cannot make a scratch game folder in " + dir.string()};
        }
    }
    ~ScratchGame()
    {
        std::error_code ignored;
        fs::current_path(back, ignored);
        fs::remove_all(dir, ignored);
    }
    ScratchGame(const ScratchGame&) = delete;
    ScratchGame& operator=(const ScratchGame&) = delete;
};

} // namespace

std::string zunaiDatabaseText(zunAIPathMgr& database)
{
    const ScratchGame scratch;
    std::string text;
    if (!database.saveAllPaths() ||
        !zunaiReadFile(scratch.dir / "data" / "memory" / "levels" / "paths.qzt", text))
        throw zunaiError{"the module could not save the path database in " + scratch.dir.string()};
    return text;
}
