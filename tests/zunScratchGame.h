#ifndef ZUN_SCRATCH_GAME_H
#define ZUN_SCRATCH_GAME_H

// A scratch game directory in the temporary folder for tests and benchmarks.
// While it lives, its bin/ is the working directory, so that the module's
// "..\data\memory\..." locations land inside it. It starts empty or as a copy
// of a game directory's level and path database.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>

class zunScratchGame {
public:
    explicit zunScratchGame(const std::string& prefix, const std::filesystem::path& copyOf = {})
    {
        namespace fs = std::filesystem;
        previous_ = fs::current_path();
        std::random_device device;
        std::mt19937_64 seed((static_cast<unsigned long long>(device()) << 32) ^
                             static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count()));
        root_ = fs::temp_directory_path() / (prefix + "-" + std::to_string(seed()));
        fs::create_directories(root_ / "bin");
        if (!copyOf.empty()) {
            fs::create_directories(level().parent_path());
            fs::create_directories(database().parent_path());
            fs::copy_file(copyOf / "data" / "levels" / "courtyard.obj", level());
            fs::copy_file(copyOf / "data" / "memory" / "levels" / "paths.qzt", database());
        }
        fs::current_path(root_ / "bin");
    }
    ~zunScratchGame()
    {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(root_, ignored);
    }
    zunScratchGame(const zunScratchGame&) = delete;
    zunScratchGame& operator=(const zunScratchGame&) = delete;

    const std::filesystem::path& dir() const { return root_; }
    std::filesystem::path memory() const { return root_ / "data" / "memory"; }
    std::filesystem::path database() const { return memory() / "levels" / "paths.qzt"; }
    std::filesystem::path level() const { return root_ / "data" / "levels" / "courtyard.obj"; }

private:
    std::filesystem::path previous_;
    std::filesystem::path root_;
};

// A file's bytes; empty when it cannot be read.
inline std::string zunReadFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void zunWriteFile(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

#endif
