// The path database file: every mark of every path as three numbered
// assignments "PathPMarkMX = ...;", read back by asking for the numbered
// names until the numbering runs out.
//
// Numbers are formatted here rather than with sprintf: "%f" would follow the
// process locale's decimal mark, and the per-statement cost of the runtime's
// formatter dominates saving and loading large databases.
#include <cstdint>
#include <cstring>

#include "engine/zunVector.h"
#include "host/zunCore.h"
#include "host/zunRender.h"
#include "host/zunScript.h"
#include "paths/zunAIPathMgr.h"

namespace {

typedef zunList<zunAIMark>::Node MarkNode;
typedef zunList<zunAIPath>::Node PathNode;

// "..\data\memory\" and the longest caller's name that fits with it into
// the 256-byte path buffer.
const char memoryFolder[] = "..\\data\\memory\\";
const std::size_t memoryFolderLength = sizeof memoryFolder - 1;
const std::size_t locationSize = 256;
const std::size_t longestName = locationSize - 1 - memoryFolderLength;
static_assert(longestName == 240, "a caller's name may have up to 240 characters");

const int messageSize = 12;
const unsigned long messageColour = 0xFFFFFFul;

// Writes the decimal digits of `value` at `out`; answers the end.
char* putUnsigned(char* out, std::uint32_t value)
{
    char digits[10];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10u);
        value /= 10u;
    } while (value != 0);
    while (n > 0)
        *out++ = digits[--n];
    return out;
}

// As "%d".
char* putInt(char* out, int value)
{
    std::uint32_t magnitude = static_cast<std::uint32_t>(value);
    if (value < 0) {
        *out++ = '-';
        magnitude = 0u - magnitude;
    }
    return putUnsigned(out, magnitude);
}

// Writes `value` with exactly `width` digits, leading zeros included.
char* putPadded(char* out, std::uint32_t value, int width)
{
    for (int i = width - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10u);
        value /= 10u;
    }
    return out + width;
}

// The integer mant * 2^shift (mant below 2^24, shift up to 104) in decimal.
char* putBigInteger(char* out, std::uint32_t mant, int shift)
{
    std::uint32_t limbs[4] = {0, 0, 0, 0};   // little-endian, 128 bits
    const int word = shift / 32;
    const std::uint64_t shifted = static_cast<std::uint64_t>(mant) << (shift % 32);
    limbs[word] = static_cast<std::uint32_t>(shifted);
    if (word + 1 < 4)
        limbs[word + 1] = static_cast<std::uint32_t>(shifted >> 32);

    // Chunks of nine digits, least significant first; 2^128 has 39 digits.
    std::uint32_t chunks[5];
    int n = 0;
    for (;;) {
        std::uint64_t rest = 0;
        bool zero = true;
        for (int i = 3; i >= 0; --i) {
            const std::uint64_t current = (rest << 32) | limbs[i];
            limbs[i] = static_cast<std::uint32_t>(current / 1000000000u);
            rest = current % 1000000000u;
            zero = zero && limbs[i] == 0;
        }
        chunks[n++] = static_cast<std::uint32_t>(rest);
        if (zero)
            break;
    }
    out = putUnsigned(out, chunks[--n]);
    while (n > 0)
        out = putPadded(out, chunks[--n], 9);
    return out;
}

// As printf("%f") of the float (promoted to double) in the C locale: fixed
// notation, six decimals, rounded half to even on the exact binary value, a
// minus for every value with the sign bit set ("-0.000000" included).
// Writes at most 48 characters; answers the end.
char* putFixed6(char* out, float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const bool negative = (bits >> 31) != 0;
    const std::uint32_t exponent = (bits >> 23) & 0xFFu;
    const std::uint32_t fraction = bits & 0x7FFFFFu;

    if (negative)
        *out++ = '-';
    if (exponent == 0xFFu) {
        const char* word = fraction ? "nan" : "inf";
        while (*word)
            *out++ = *word++;
        return out;
    }

    // value = mant * 2^power
    const std::uint32_t mant = exponent ? (fraction | 0x800000u) : fraction;
    const int power = exponent ? static_cast<int>(exponent) - 150 : -149;

    if (power >= 0) {
        out = putBigInteger(out, mant, power);
        std::memcpy(out, ".000000", 7);
        return out + 7;
    }

    // Millionths: mant * 10^6 / 2^-power, rounded half to even. The product
    // stays below 2^44, so from 2^45 on the quotient rounds to 0.
    const int shift = -power;
    const std::uint64_t scaled = static_cast<std::uint64_t>(mant) * 1000000u;
    std::uint64_t millionths = 0;
    if (shift < 64) {
        millionths = scaled >> shift;
        const std::uint64_t rest = scaled & ((std::uint64_t(1) << shift) - 1u);
        const std::uint64_t half = std::uint64_t(1) << (shift - 1);
        if (rest > half || (rest == half && (millionths & 1u)))
            ++millionths;
    }
    out = putUnsigned(out, static_cast<std::uint32_t>(millionths / 1000000u));
    *out++ = '.';
    return putPadded(out, static_cast<std::uint32_t>(millionths % 1000000u), 6);
}

// "Path%dMark%d" at `out`; answers the end, where the axis letter goes.
char* putMarkName(char* out, int pathNumber, int markNumber)
{
    std::memcpy(out, "Path", 4);
    out = putInt(out + 4, pathNumber);
    std::memcpy(out, "Mark", 4);
    return putInt(out + 4, markNumber);
}

// Asks the script for "Path%dMark%d" followed by `axis`; `end` is the end of
// the name's stem in `name`.
int evalAxis(zunScript& script, char* name, char* end, char axis, float& value)
{
    end[0] = axis;
    end[1] = '\0';
    return script.evalStatement(name, &value, 0);
}

void logMessage(const char* text)
{
    char message[64];
    std::size_t length = std::strlen(text);
    if (length >= sizeof message)
        length = sizeof message - 1;
    std::memcpy(message, text, length);
    message[length] = '\0';
    theCore.dump(message);
}

// Moves the path being built into `paths`; a path that cannot be appended
// is destroyed.
void closeNewPath(zunAIPathMgr& manager)
{
    if (!manager.newPath)
        return;
    manager.addPath(manager.newPath);
    manager.newPath = nullptr;
}

} // namespace

int zunAIPath::dumpToScript(int pathNumber, zunScript& script)
{
    if (marks.count == 0)
        return 0;
    // Longest statement: "Path-2147483648Mark-2147483648X = " (34) + 48 + ";".
    char statement[96];
    int markNumber = 0;
    for (MarkNode* node = marks.head; node && node->item; node = node->next, ++markNumber) {
        const cVector4& position = node->item->position;
        char* stem = putMarkName(statement, pathNumber, markNumber);
        const float values[3] = {position.x, position.y, position.z};
        const char axes[3] = {'X', 'Y', 'Z'};
        for (int i = 0; i < 3; ++i) {
            char* out = stem;
            *out++ = axes[i];
            std::memcpy(out, " = ", 3);
            out = putFixed6(out + 3, values[i]);
            *out++ = ';';
            *out = '\0';
            script.addStatement(statement);
        }
    }
    return 1;
}

int zunAIPathMgr::saveAllPaths()
{
    char title[] = "KVR AI path database ----------------------------------------------------\n\n";
    char blankLine[] = "\n";
    char location[] = "..\\data\\memory\\levels\\paths.qzt";
    static const char separatorTail[] = " ----------------------------\n";

    zunScript script(title);
    char separator[64];
    int pathNumber = 0;
    for (PathNode* node = paths.head; node && node->item; node = node->next, ++pathNumber) {
        std::memcpy(separator, "Path ID:", 8);
        char* out = putInt(separator + 8, pathNumber);
        std::memcpy(out, separatorTail, sizeof separatorTail);
        script.addStatement(separator);
        node->item->dumpToScript(pathNumber, script);
        script.addStatement(blankLine);
    }

    if (!script.save(location, 0)) {
        zunAddSystemText("Failed to save path database", messageSize, messageColour);
        return 0;
    }
    zunAddSystemText("Saved path database", messageSize, messageColour);
    return 1;
}

int zunAIPathMgr::loadPaths(char* name)
{
    zunScript script(nullptr);
    if (!name) {
        logMessage("AI: PathMgr->Failed to load paths (NULL filename).");
        return 0;
    }

    // A name that doesn't fit into the path buffer is refused, not cut.
    const std::size_t nameLength = std::strlen(name);
    if (nameLength > longestName) {
        logMessage("PathMgr: Failed to load paths.");
        return 0;
    }
    char location[locationSize];
    std::memcpy(location, memoryFolder, memoryFolderLength);
    std::memcpy(location + memoryFolderLength, name, nameLength + 1);
    if (!script.load(location)) {
        logMessage("PathMgr: Failed to load paths.");
        return 0;
    }

    // Longest name: "Path-2147483648Mark-2147483648" (30) + axis + NUL.
    char variable[48];
    int pathNumber = 0;
    for (;;) {
        int markNumber = 0;
        bool over = false;
        for (;;) {
            char* stem = putMarkName(variable, pathNumber, markNumber);
            float x, y, z;
            if (!evalAxis(script, variable, stem, 'X', x)) {
                over = markNumber == 0;
                break;
            }
            if (!evalAxis(script, variable, stem, 'Y', y) || !evalAxis(script, variable, stem, 'Z', z))
                break;
            if (!newPath)
                newPath = new zunAIPath;
            if (newPath) {
                cVector4 position = zunVector(x, y, z);
                newPath->addMark(position);
            }
            ++markNumber;
        }
        if (over)
            break;
        closeNewPath(*this);
        ++pathNumber;
    }
    closeNewPath(*this);

    if (pathNumber == 0)
        logMessage("AI: PathMgr->Failed to load paths.");
    else
        logMessage("AI: PathMgr->Loaded paths successfully.");
    return 1;
}
