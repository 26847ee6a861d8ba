// Wavefront OBJ reading for the tool's pictures: "v" and "f" lines only.

#include "zunaiLevelMesh.h"

#include <charconv>
#include <cmath>
#include <sstream>
#include <system_error>

namespace {

bool readFloat(const std::string& token, float& value)
{
    const char* b = token.data();
    const char* e = b + token.size();
    if (b < e && *b == '+')
        ++b;
    auto result = std::from_chars(b, e, value);
    return b < e && result.ec == std::errc() && result.ptr == e && std::isfinite(value);
}

// "i", "i/t", "i//n" or "i/t/n": the vertex index i, 1-based or negative.
bool readCorner(const std::string& token, std::size_t vertexCount, std::size_t& index)
{
    const std::string head = token.substr(0, token.find('/'));
    const char* b = head.data();
    const char* e = b + head.size();
    long i = 0;
    auto result = std::from_chars(b, e, i);
    if (b == e || result.ec != std::errc() || result.ptr != e)
        return false;
    const long count = static_cast<long>(vertexCount);
    if (i > 0 && i <= count)
        index = std::size_t(i - 1);
    else if (i < 0 && -i <= count)
        index = std::size_t(count + i);
    else
        return false;
    return true;
}

} // namespace

bool zunaiParseObj(const std::string& text, zunaiLevelMesh& mesh)
{
    std::vector<zunaiPoint> vertices;
    std::vector<zunaiTriangle> triangles;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t hash = line.find('#');
        if (hash != std::string::npos)
            line.erase(hash);
        std::istringstream words(line);
        std::string kind;
        if (!(words >> kind))
            continue;
        if (kind == "v") {
            float v[3];
            std::string token;
            for (float& c : v)
                if (!(words >> token) || !readFloat(token, c))
                    return false;
            vertices.push_back(zunaiPoint{v[0], v[1], v[2]});
        } else if (kind == "f") {
            std::vector<std::size_t> corners;
            std::string token;
            while (words >> token) {
                std::size_t index;
                if (!readCorner(token, vertices.size(), index))
                    return false;
                corners.push_back(index);
            }
            if (corners.size() < 3)
                return false;
            for (std::size_t i = 1; i + 1 < corners.size(); ++i)
                triangles.push_back(zunaiTriangle{{vertices[corners[0]], vertices[corners[i]], vertices[corners[i + 1]]}});
        }
    }
    mesh.triangles = std::move(triangles);
    return true;
}
