// Level import: the importer library does the reading; the tool turns,
// scales and checks what it cannot tell the user itself.

#include "zunaiLevelImport.h"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>
#include <system_error>

#include "zunaiError.h"
#include "zunaiFiles.h"

namespace fs = std::filesystem;

namespace {

std::string lowerExtension(const fs::path& file)
{
    std::string ext = file.extension().string();
    for (char& c : ext)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

// One line of OBJ text split into words, without comments.
struct ObjLine {
    const char* at;
    const char* end;

    bool nextWord(std::string_view& word)
    {
        while (at < end && (*at == ' ' || *at == '\t' || *at == '\r'))
            ++at;
        const char* start = at;
        while (at < end && *at != ' ' && *at != '\t' && *at != '\r')
            ++at;
        word = std::string_view(start, std::size_t(at - start));
        return !word.empty();
    }
};

template <class Visit>
void forEachObjLine(const std::string& text, Visit visit)
{
    const char* p = text.data();
    const char* end = p + text.size();
    long long number = 0;
    while (p < end) {
        const char* stop = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)));
        if (!stop)
            stop = end;
        const char* hash = static_cast<const char*>(std::memchr(p, '#', std::size_t(stop - p)));
        ObjLine line{p, hash ? hash : stop};
        if (!visit(++number, line))
            return;
        p = stop + 1;
    }
}

bool isNumber(std::string_view word)
{
    const char* b = word.data();
    const char* e = b + word.size();
    if (b < e && *b == '+')
        ++b;
    float value = 0.0f;
    const auto result = std::from_chars(b, e, value);
    return b < e && result.ec == std::errc() && result.ptr == e && std::isfinite(value);
}

std::string at(long long line, const std::string& reason)
{
    return "line " + std::to_string(line) + ": " + reason;
}

// Checks one face's corners; empty when they all name vertices of the file.
std::string checkFace(long long lineNumber, ObjLine& line, long long face, long long verticesSoFar,
                      long long vertices)
{
    std::string_view word;
    int corners = 0;
    while (line.nextWord(word)) {
        ++corners;
        const std::string_view head = word.substr(0, word.find('/'));
        long long index = 0;
        const auto result = std::from_chars(head.data(), head.data() + head.size(), index);
        if (head.empty() || result.ec != std::errc() || result.ptr != head.data() + head.size())
            return at(lineNumber, "face " + zunaiGroupDigits(face) + " has a corner that is no vertex index ('" +
                                      std::string(word) + "')");
        if (index == 0)
            return at(lineNumber, "face " + zunaiGroupDigits(face) + " refers to vertex 0; vertices count from 1");
        if (index > vertices)
            return at(lineNumber, "face " + zunaiGroupDigits(face) + " refers to vertex " + zunaiGroupDigits(index) +
                                      "; the file has " + zunaiGroupDigits(vertices));
        if (index < 0 && -index > verticesSoFar)
            return at(lineNumber, "face " + zunaiGroupDigits(face) + " refers to vertex " + std::to_string(index) +
                                      ", counted back from the " + zunaiGroupDigits(verticesSoFar) +
                                      " vertices before it");
    }
    if (corners < 3)
        return at(lineNumber, "face " + zunaiGroupDigits(face) + " has " + std::to_string(corners) +
                                  (corners == 1 ? " corner" : " corners") + "; a face needs 3 or more");
    return {};
}

std::string checkVertex(long long lineNumber, ObjLine& line, long long vertex)
{
    std::string_view word;
    for (int i = 0; i < 3; ++i) {
        if (!line.nextWord(word))
            return at(lineNumber, "vertex " + zunaiGroupDigits(vertex) + " has " + std::to_string(i) +
                                      " coordinates; it needs 3");
        if (!isNumber(word))
            return at(lineNumber, "vertex " + zunaiGroupDigits(vertex) + " has a coordinate that is no number ('" +
                                      std::string(word) + "')");
    }
    return {};
}

zunaiPoint place(const aiVector3D& v, const zunaiImportOptions& options)
{
    const double s = options.scale;
    if (options.up == zunaiUp::Y)
        return zunaiPoint{float(v.x * s), float(-v.z * s), float(v.y * s)};
    return zunaiPoint{float(v.x * s), float(v.y * s), float(v.z * s)};
}

void collect(const aiScene& scene, const aiNode& node, const aiMatrix4x4& parent, const zunaiImportOptions& options,
             std::vector<zunaiTriangle>& out)
{
    const aiMatrix4x4 transform = parent * node.mTransformation;
    for (unsigned m = 0; m < node.mNumMeshes; ++m) {
        const aiMesh& mesh = *scene.mMeshes[node.mMeshes[m]];
        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            const aiFace& face = mesh.mFaces[f];
            if (face.mNumIndices != 3)
                continue;   // points and lines are no ground
            zunaiTriangle t;
            for (int c = 0; c < 3; ++c)
                t.corner[c] = place(transform * mesh.mVertices[face.mIndices[c]], options);
            out.push_back(t);
        }
    }
    for (unsigned i = 0; i < node.mNumChildren; ++i)
        collect(scene, *node.mChildren[i], transform, options, out);
}

// The importer's reason, with the file named as the user named it; its
// "no reader" for a file of a known kind says what the file failed to be.
std::string importerReason(std::string reason, const fs::path& file, const std::string& shown)
{
    const std::string ext = lowerExtension(file);
    if (reason.empty() || reason.find("No suitable reader") != std::string::npos) {
        if (ext == ".gltf")
            return "not glTF 2.0 (malformed JSON, or no asset with version \"2.0\")";
        if (ext == ".glb")
            return "not binary glTF 2.0 (no \"glTF\" header of version 2)";
        return reason.empty() ? "not a level file the importer can read" : "no reader for files like it";
    }
    for (std::size_t at = reason.find(file.string()); at != std::string::npos; at = reason.find(file.string()))
        reason.replace(at, file.string().size(), shown);
    return reason;
}

} // namespace

std::string zunaiGroupDigits(long long value)
{
    std::string digits = std::to_string(value < 0 ? -value : value);
    for (int i = int(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(std::size_t(i), ",");
    return value < 0 ? "-" + digits : digits;
}

bool zunaiIsLevelFile(const fs::path& file)
{
    const std::string ext = lowerExtension(file);
    return ext == ".obj" || ext == ".gltf" || ext == ".glb";
}

std::string zunaiCheckObjText(const std::string& text)
{
    long long vertices = 0;
    forEachObjLine(text, [&](long long, ObjLine& line) {
        std::string_view word;
        if (line.nextWord(word) && word == "v")
            ++vertices;
        return true;
    });
    std::string problem;
    long long verticesSoFar = 0, faces = 0;
    forEachObjLine(text, [&](long long number, ObjLine& line) {
        std::string_view word;
        if (!line.nextWord(word))
            return true;
        if (word == "v")
            problem = checkVertex(number, line, ++verticesSoFar);
        else if (word == "f")
            problem = checkFace(number, line, ++faces, verticesSoFar, vertices);
        return problem.empty();
    });
    return problem;
}

zunaiLevelMesh zunaiImportLevel(const fs::path& file, const std::string& shown, const zunaiImportOptions& options)
{
    if (!(options.scale > 0.0) || !std::isfinite(options.scale))
        throw zunaiError{"--scale must be a positive number"};
    std::error_code ec;
    if (!fs::is_regular_file(file, ec))
        throw zunaiError{"cannot read level file " + shown};
    if (lowerExtension(file) == ".obj") {
        std::string text;
        if (!zunaiReadFile(file, text))
            throw zunaiError{"cannot read level file " + shown};
        const std::string problem = zunaiCheckObjText(text);
        if (!problem.empty())
            throw zunaiError{"level file " + shown + ", " + problem};
    }

    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(file.string(), aiProcess_Triangulate);
    if (!scene || !scene->mRootNode) {
        throw zunaiError{"level file " + shown + ": " + importerReason(importer.GetErrorString(), file, shown)};
    }
    zunaiLevelMesh mesh;
    collect(*scene, *scene->mRootNode, aiMatrix4x4(), options, mesh.triangles);
    if (mesh.triangles.empty())
        throw zunaiError{"level file " + shown + ": no triangles in it"};
    zunaiMeasureMesh(mesh);
    return mesh;
}
