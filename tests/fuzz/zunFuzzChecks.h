#ifndef ZUN_FUZZ_CHECKS_H
#define ZUN_FUZZ_CHECKS_H

// The checks behind the fuzz targets, shared with the regression test that
// replays kept inputs natively. Each answers an empty string when everything
// held, else what went wrong.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace zunFuzz {

// A game directory in the temporary folder: bin/ and data/memory/, removed
// at the end. The checks enter bin/ while they run, so that the module's
// "..\data\memory\..." lands inside it, and return to the working
// directory they found (where libFuzzer keeps its relative paths).
class FuzzGame {
public:
    FuzzGame();
    ~FuzzGame();
    FuzzGame(const FuzzGame&) = delete;
    FuzzGame& operator=(const FuzzGame&) = delete;
    const std::filesystem::path& dir() const { return dir_; }

private:
    std::filesystem::path dir_;
};

// `data` as the file data/memory/fuzz.qzt, loaded with loadPaths: the
// managers' lists are sound, every loaded mark is whole, saveAllPaths and a
// load of what it wrote give the same paths and marks, saving those again
// writes the same bytes, and every block comes back.
std::string checkPathDatabase(const FuzzGame& game, const std::uint8_t* data, std::size_t size);

// `data` as an OBJ file handed to zunStandIn::loadLevel. On refusal the level
// that was there before stays; on success the level holds the file's
// triangles, and rays cast with zunHitScan hit only within their length of
// their origin, agree with the ray test without the hierarchy and, on levels
// of moderate size, with the exact geometry: every hit lies on a triangle,
// and no triangle that a ray meets squarely is missed. Rays that cannot hit
// (zero direction, negative length) don't.
std::string checkLevel(const FuzzGame& game, const std::uint8_t* data, std::size_t size);

} // namespace zunFuzz

#endif
