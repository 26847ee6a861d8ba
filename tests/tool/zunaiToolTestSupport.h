#ifndef ZUNAI_TOOL_TEST_SUPPORT_H
#define ZUNAI_TOOL_TEST_SUPPORT_H

// Scratch folders, files, level meshes, and runs of the built zunai program.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "zunScratchGame.h"
#include "zunTestPaths.h"
#include "zunaiError.h"
#include "zunaiLevelMesh.h"
#include "zunaiPng.h"

namespace zunaiTestSupport {

namespace fs = std::filesystem;

// A fresh folder (entered while it lives) under the temporary folder.
struct TempDir : zunScratchGame {
    TempDir() : zunScratchGame("zunai-test") {}
    fs::path operator/(const std::string& name) const { return dir() / name; }
};

inline void writeFile(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    zunWriteFile(path, text);
}

// A game directory: bin/, the sample's level unless `withLevel` is false,
// and `database` as its path database (none when empty).
inline void makeGame(const fs::path& dir, const std::string& database, bool withLevel = true)
{
    fs::create_directories(dir / "bin");
    if (withLevel)
        writeFile(dir / "data" / "levels" / "courtyard.obj",
                  zunReadFile(fs::path(ZUNAI_SAMPLE) / "data" / "levels" / "courtyard.obj"));
    if (!database.empty())
        writeFile(dir / "data" / "memory" / "levels" / "paths.qzt", database);
}

inline std::string sampleDatabase()
{
    return zunReadFile(fs::path(ZUNAI_SAMPLE) / "data" / "memory" / "levels" / "paths.qzt");
}

// Two triangles a b c and a c d.
inline void addQuad(zunaiLevelMesh& mesh, zunaiPoint a, zunaiPoint b, zunaiPoint c, zunaiPoint d)
{
    mesh.triangles.push_back(zunaiTriangle{{a, b, c}});
    mesh.triangles.push_back(zunaiTriangle{{a, c, d}});
}

struct ToolRun {
    int code = -1;
    std::string out, err;
};

inline std::string quote(const std::string& arg)
{
    std::string q = "'";
    for (char c : arg)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs the built tool in `cwd` with `args`.
inline ToolRun runTool(const fs::path& cwd, const std::vector<std::string>& args)
{
    TempDir capture;
    std::string command = "cd " + quote(cwd.string()) + " && " + quote(ZUNAI_TOOL);
    for (const auto& a : args)
        command += " " + quote(a);
    command += " >" + quote((capture / "out").string()) + " 2>" + quote((capture / "err").string()) + " </dev/null";
    const int status = std::system(command.c_str());
    return ToolRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, zunReadFile(capture / "out"),
                   zunReadFile(capture / "err")};
}

inline int countOf(const std::string& text, const std::string& what)
{
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size()))
        ++n;
    return n;
}

// Empty when the SVG library reads and draws `svg`, else its complaint (a
// document that isn't well-formed XML is refused with the place).
inline std::string svgProblem(const std::string& svg)
{
    try {
        zunaiSvgToPng(svg);
    } catch (const zunaiError& e) {
        return e.message;
    }
    return {};
}

} // namespace zunaiTestSupport

#endif
