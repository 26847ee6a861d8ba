#ifndef ZUN_FUZZ_CHECKS_H
#define ZUN_FUZZ_CHECKS_H

// The checks behind the fuzz targets, shared with the regression test that
// replays kept inputs natively. Each runs in a scratch game directory of its
// own and answers an empty string when everything held, else what went wrong.

#include <cstddef>
#include <cstdint>
#include <string>

namespace zunFuzz {

// `data` as a path database file, loaded with loadPaths: the manager is sound,
// every mark is whole, saveAllPaths and a load of what it wrote give the same
// marks, saving those again writes the same bytes, and every block comes back.
std::string checkPathDatabase(const std::uint8_t* data, std::size_t size);

// `data` as an OBJ level for zunStandIn::loadLevel. A refused file leaves the
// level as it was; an accepted one holds the file's triangles, and rays hit
// only within their length, agree with the ray test without the hierarchy
// and, on levels of moderate size, with the exact geometry: every hit lies on
// a triangle, no triangle that a ray meets squarely is missed. Rays that
// cannot hit (zero direction, negative length) don't.
std::string checkLevel(const std::uint8_t* data, std::size_t size);

} // namespace zunFuzz

#endif
