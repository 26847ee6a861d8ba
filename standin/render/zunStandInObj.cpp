// Wavefront OBJ reading for the stand-in's level: vertices and faces only,
// z up as the file has it, numbers independent of the process locale.

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "standin/render/zunStandInLevel.h"

namespace zunStandIn {

namespace {

struct Vertex { float x, y, z; };

inline bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// Splits one line (without its line end) into whitespace-separated tokens,
// dropping everything from a '#' on.
void tokenize(const char* begin, const char* end, std::vector<std::string_view>& tokens) {
    tokens.clear();
    const char* p = begin;
    while (p < end) {
        while (p < end && isSpace(*p)) ++p;
        if (p == end || *p == '#') return;
        const char* start = p;
        while (p < end && !isSpace(*p) && *p != '#') ++p;
        tokens.emplace_back(start, static_cast<std::size_t>(p - start));
    }
}

bool parseFloat(std::string_view text, float& value) {
    const char* b = text.data();
    const char* e = b + text.size();
    const bool plus = b < e && *b == '+';   // from_chars takes no leading plus
    if (plus) ++b;
    if (b == e || (plus && *b == '-')) return false;
    auto result = std::from_chars(b, e, value);
    return result.ec == std::errc() && result.ptr == e && std::isfinite(value);
}

bool parseInt(std::string_view text, long& value) {
    const char* b = text.data();
    const char* e = b + text.size();
    const bool plus = b < e && *b == '+';
    if (plus) ++b;
    if (b == e || (plus && *b == '-')) return false;
    auto result = std::from_chars(b, e, value);
    return result.ec == std::errc() && result.ptr == e;
}

// One face corner: "i", "i/t", "i//n" or "i/t/n"; only i is used. A
// positive index counts from 1, a negative one back from the last vertex
// read so far.
bool parseCorner(std::string_view token, std::size_t vertexCount, std::size_t& index) {
    const std::size_t slash = token.find('/');
    long i;
    if (!parseInt(token.substr(0, slash), i)) return false;
    if (slash != std::string_view::npos) {
        std::string_view rest = token.substr(slash + 1);
        const std::size_t second = rest.find('/');
        std::string_view texture = rest.substr(0, second);
        long ignored;
        if (!texture.empty() && !parseInt(texture, ignored)) return false;
        if (second != std::string_view::npos) {
            std::string_view normal = rest.substr(second + 1);
            if (!normal.empty() && !parseInt(normal, ignored)) return false;
        }
    }
    const long count = static_cast<long>(vertexCount);
    if (i > 0 && i <= count) {
        index = static_cast<std::size_t>(i - 1);
        return true;
    }
    if (i < 0 && -i <= count) {
        index = static_cast<std::size_t>(count + i);
        return true;
    }
    return false;   // 0 or out of range
}

}  // namespace

bool parseObjText(const std::string& text, std::vector<LevelTriangle>& triangles) {
    std::vector<Vertex> vertices;
    std::vector<LevelTriangle> result;
    std::vector<std::string_view> tokens;
    std::vector<std::size_t> corners;

    const char* p = text.data();
    const char* end = p + text.size();
    if (end - p >= 3 && static_cast<unsigned char>(p[0]) == 0xEF && static_cast<unsigned char>(p[1]) == 0xBB &&
        static_cast<unsigned char>(p[2]) == 0xBF)
        p += 3;   // byte order mark
    while (p < end) {
        const char* lineEnd = p;
        while (lineEnd < end && *lineEnd != '\n') ++lineEnd;
        const char* next = lineEnd < end ? lineEnd + 1 : end;
        if (lineEnd > p && lineEnd[-1] == '\r') --lineEnd;
        tokenize(p, lineEnd, tokens);
        p = next;
        if (tokens.empty()) continue;

        if (tokens[0] == "v") {
            if (tokens.size() < 4) return false;
            float values[3];
            for (std::size_t i = 1; i < tokens.size(); ++i) {
                float value;
                if (!parseFloat(tokens[i], value)) return false;   // also checks w and vertex colours
                if (i <= 3) values[i - 1] = value;
            }
            vertices.push_back(Vertex{values[0], values[1], values[2]});
        } else if (tokens[0] == "f") {
            if (tokens.size() < 4) return false;
            corners.clear();
            for (std::size_t i = 1; i < tokens.size(); ++i) {
                std::size_t index;
                if (!parseCorner(tokens[i], vertices.size(), index)) return false;
                corners.push_back(index);
            }
            // Fan the polygon from its first corner.
            for (std::size_t i = 1; i + 1 < corners.size(); ++i) {
                const Vertex& a = vertices[corners[0]];
                const Vertex& b = vertices[corners[i]];
                const Vertex& c = vertices[corners[i + 1]];
                result.push_back(LevelTriangle{{{a.x, a.y, a.z}, {b.x, b.y, b.z}, {c.x, c.y, c.z}}});
            }
        }
        // Anything else (normals, texture coordinates, groups, materials,
        // smoothing, lines) does not shape the level.
    }
    triangles = std::move(result);
    return true;
}

bool parseObjFile(const char* path, std::vector<LevelTriangle>& triangles) {
    if (path == nullptr || *path == '\0') return false;
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    std::string text;
    char buffer[65536];
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file);
        text.append(buffer, got);
        if (got < sizeof buffer) break;
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return false;   // a folder, or a read error part way
    return parseObjText(text, triangles);
}

}  // namespace zunStandIn
