#ifndef ZUN_AI_PATH_COLOURS_H
#define ZUN_AI_PATH_COLOURS_H

#include <cstdint>

// The colour sequence that tells drawn paths apart (colours 0x00RRGGBB).
constexpr unsigned long pathColourSeed = 0xD0ABCBul;
constexpr std::uint64_t pathColourMul = 0x13DEC15577Bull;

// Bits 16 to 39 of c x pathColourMul; the 64-bit product keeps those bits.
inline unsigned long nextPathColour(unsigned long colour)
{
    std::uint64_t product = static_cast<std::uint64_t>(colour) * pathColourMul;
    return static_cast<unsigned long>((product >> 16) & 0xFFFFFFull);
}

#endif
