// The path database file. Saving: the exact text, the number format and the
// messages. Loading: where reading stops, what it refuses and what it logs.
// Saved databases load back exactly: the fuzz checks (replayed by the
// reliability suite) and the allocation sweeps hold every save to it.
#include <array>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "zunAI.h"
#include "zunScratchGame.h"
#include "zunTestFixture.h"
#include "zunTestPaths.h"
#include "zunVectorChecks.h"

namespace {

namespace fs = std::filesystem;

// A fresh scratch game folder for each test.
class PathDbTest : public zunTest {
protected:
    // Writes `text` as data/memory/<name>.
    void writeMemoryFile(const std::string& name, const std::string& text) const
    {
        fs::create_directories(game.memory());
        zunWriteFile(game.memory() / name, text);
    }
    // Loads data/memory/<name> into `manager`.
    static int load(zunAIPathMgr& manager, const char* name)
    {
        std::string copy(name);
        return manager.loadPaths(&copy[0]);
    }
    zunScratchGame game{"zunai-pathdb"};
};

using PathFileSave = PathDbTest;

const std::string title = "KVR AI path database " + std::string(52, '-') + "\n\n";

std::string separator(int number)
{
    return "Path ID:" + std::to_string(number) + " " + std::string(28, '-') + "\n";
}

// The exact file text: the title, then per path its separator, three lines
// per mark and a blank line; a markless path keeps its separator, a null
// item ends the walk.
TEST_F(PathFileSave, DatabasesGiveTheExactFileText)
{
    const std::string twoPaths =
        separator(0) + "Path0Mark0X = 1.000000;\nPath0Mark0Y = 2.000000;\nPath0Mark0Z = 3.000000;\n" +
        "Path0Mark1X = -4.500000;\nPath0Mark1Y = 0.250000;\nPath0Mark1Z = 1000000.000000;\n\n" + separator(1) +
        "Path1Mark0X = 123456.789062;\nPath1Mark0Y = -0.000000;\nPath1Mark0Z = 0.007812;\n\n";
    const std::string markless = separator(0) + "\n" + separator(1) +
                                 "Path1Mark0X = 1.000000;\nPath1Mark0Y = 1.000000;\nPath1Mark0Z = 1.000000;\n\n";
    const struct {
        std::vector<zunAIPath*> paths;
        std::string text;
    } cases[] = {
        {{makePath({{1, 2, 3}, {-4.5f, 0.25f, 1000000}}), makePath({{123456.789f, -0.0f, 0.0078125f}})}, twoPaths},
        {{}, ""},
        {{new zunAIPath, makePath({{1, 1, 1}}), nullptr, makePath({{2, 2, 2}})}, markless},
    };
    for (const auto& c : cases) {
        zunAIPathMgr manager;
        for (zunAIPath* path : c.paths)
            manager.addPath(path);
        zunStandIn::clearCapture();
        EXPECT_EQ(manager.saveAllPaths(), 1);
        EXPECT_EQ(zunReadFile(game.database()), title + c.text);
        ASSERT_EQ(zunStandIn::texts().size(), 1u);
        EXPECT_EQ(zunStandIn::texts()[0].text, "Saved path database");
        EXPECT_EQ(zunStandIn::texts()[0].size, 12);
        EXPECT_EQ(zunStandIn::texts()[0].colour, 0xFFFFFFul);
    }
}

// Fixed six decimals exactly as "%f" gives them in the C locale: rounding
// half to even on the exact binary value, every digit of large values, the
// minus of negative values that round to zero.
TEST_F(PathFileSave, CoordinatesAreWrittenAsPercentF)
{
    const struct {
        float value;
        const char* text;
    } cases[] = {
        {0.0078125f, "0.007812"},          // tie, down to even
        {0.0234375f, "0.023438"},          // tie, up to even
        {2.5078125f, "2.507812"},
        {-2.5234375f, "-2.523438"},
        {7.5e-7f, "0.000001"},
        {-1e-30f, "-0.000000"},
        {-273.15f, "-273.149994"},
        {16777217.0f, "16777216.000000"},
        {1e10f, "10000000000.000000"},
        {3.4028234663852886e38f, "340282346638528859811704183484516925440.000000"},
        {-3.4028234663852886e38f, "-340282346638528859811704183484516925440.000000"},
        {1.4e-45f, "0.000000"},
    };
    std::vector<std::array<float, 3>> marks;
    std::vector<std::string> texts;
    for (const auto& c : cases) {
        marks.push_back({c.value, 0.0f, 0.0f});
        texts.insert(texts.end(), {c.text, "0.000000", "0.000000"});
    }
#if defined(__GLIBC__)
    // And the C library's own "%f" over many random bit patterns.
    std::mt19937 random(20240611);
    for (int m = 0; m < 3000; ++m) {
        std::array<float, 3> v;
        for (float& f : v) {
            std::uint32_t bits = random();
            if ((bits & 0x7F800000u) == 0x7F800000u)
                bits &= ~0x40000000u;   // no inf or nan
            std::memcpy(&f, &bits, sizeof f);
            char text[64];
            std::snprintf(text, sizeof text, "%f", double(f));
            texts.push_back(text);
        }
        marks.push_back(v);
    }
#endif
    zunAIPath* path = new zunAIPath;
    std::string expected = title + separator(0);
    for (std::size_t m = 0; m < marks.size(); ++m) {
        cVector4 at(marks[m][0], marks[m][1], marks[m][2]);
        path->addMark(at);
        for (std::size_t i = 0; i < 3; ++i)
            expected += "Path0Mark" + std::to_string(m) + "XYZ"[i] + " = " + texts[3 * m + i] + ";\n";
    }
    zunAIPathMgr manager;
    manager.addPath(path);
    manager.saveAllPaths();
    EXPECT_EQ(zunReadFile(game.database()), expected + "\n");
}

// Switches the process to a locale with a decimal comma while it lives,
// building one in `scratch` when none is installed; active() tells.
class CommaLocale {
public:
    explicit CommaLocale(const fs::path& scratch)
    {
        const char* previous = std::setlocale(LC_ALL, nullptr);
        saved = previous ? previous : "C";
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "German_Germany.1252", "de-DE"})
            if ((isActive = tryLocale(name)))
                return;
#if !defined(_WIN32)
        const fs::path folder = scratch / "locales";
        fs::create_directories(folder);
        const std::string command =
            "localedef -i de_DE -f UTF-8 '" + (folder / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
        usedLocPath = std::system(command.c_str()) == 0 && setenv("LOCPATH", folder.c_str(), 1) == 0;
        isActive = usedLocPath && tryLocale("de_DE.UTF-8");
#else
        (void)scratch;
#endif
    }
    ~CommaLocale()
    {
        std::setlocale(LC_ALL, saved.c_str());
#if !defined(_WIN32)
        if (usedLocPath)
            unsetenv("LOCPATH");
#endif
    }
    bool active() const { return isActive; }

private:
    static bool tryLocale(const char* name)
    {
        char probe[16];
        return std::setlocale(LC_ALL, name) && std::snprintf(probe, sizeof probe, "%.1f", 1.5) > 0 &&
               std::strcmp(probe, "1,5") == 0;
    }
    std::string saved;
    bool isActive = false;
    bool usedLocPath = false;
};

TEST_F(PathFileSave, SavingAndLoadingIgnoreTheProcessLocale)
{
    zunAIPathMgr manager;
    manager.addPath(makePath({{-1.5f, 2.25f, 1000.125f}}));
    CommaLocale comma(game.dir());
    if (!comma.active())
        GTEST_SKIP() << "no locale with a decimal comma can be set here";
    ASSERT_EQ(manager.saveAllPaths(), 1);
    EXPECT_EQ(zunReadFile(game.database()), title + separator(0) +
                                                 "Path0Mark0X = -1.500000;\nPath0Mark0Y = 2.250000;\n"
                                                 "Path0Mark0Z = 1000.125000;\n\n");
    zunAIPathMgr loaded;
    ASSERT_EQ(load(loaded, "levels\\paths.qzt"), 1);
    EXPECT_EQ(loaded.getPath(0)->getMark(0)->position.z, 1000.125f);
}

// A database whose folder cannot be made is reported; once it can be made
// the same manager saves.
TEST_F(PathFileSave, FailedSaveIsReported)
{
    fs::create_directories(game.memory());
    zunWriteFile(game.memory() / "levels", "not a folder");
    zunAIPathMgr manager;
    manager.addPath(makePath({{1, 2, 3}}));
    EXPECT_EQ(manager.saveAllPaths(), 0);
    fs::remove(game.memory() / "levels");
    EXPECT_EQ(manager.saveAllPaths(), 1);
    ASSERT_EQ(zunStandIn::texts().size(), 2u);
    EXPECT_EQ(zunStandIn::texts()[0].text, "Failed to save path database");
    EXPECT_EQ(zunStandIn::texts()[1].text, "Saved path database");
}

using PathFileLoad = PathDbTest;
using Xs = std::vector<std::vector<float>>;

const char successMessage[] = "AI: PathMgr->Loaded paths successfully.";
const char noPathMessage[] = "AI: PathMgr->Failed to load paths.";
const char unreadableMessage[] = "PathMgr: Failed to load paths.";

const auto mark = markStatements;

// A null name, a file that cannot be read and a name longer than 240
// characters are refused, with their messages; 240 characters still fit.
TEST_F(PathFileLoad, RefusedNames)
{
    writeMemoryFile("a.qzt", mark(0, 0, 1, 2, 3));
    zunAIPathMgr manager;
    std::string name;   // "./" repeated, then the file: 241 characters
    while (name.size() + 5 < 241)
        name += "./";
    name.resize(241 - 5, '/');
    name += "a.qzt";
    EXPECT_EQ(manager.loadPaths(nullptr), 0);
    EXPECT_EQ(load(manager, "levels\\missing.qzt"), 0);
    EXPECT_EQ(load(manager, name.c_str()), 0);
    EXPECT_EQ(load(manager, std::string(100000, 'x').c_str()), 0);
    EXPECT_EQ(zunStandIn::log(), (std::vector<std::string>{"AI: PathMgr->Failed to load paths (NULL filename).",
                                                           unreadableMessage, unreadableMessage, unreadableMessage}));
    EXPECT_EQ(manager.getNumPaths(), 0);
#if !defined(_WIN32)
    name.erase(0, 1);
    zunStandIn::clearLog();
    EXPECT_EQ(load(manager, name.c_str()), 1);
    EXPECT_EQ(manager.getNumPaths(), 1);
    EXPECT_EQ(zunStandIn::log(), std::vector<std::string>{successMessage});
#endif
}

// A mark lacking a coordinate ends its path, a path number without mark 0
// ends the load; "Failed" only when no path was read. Junk lines, CR LF and
// a last line without ';' or line end are read; a non-number ends its path.
TEST_F(PathFileLoad, WhereReadingStops)
{
    const struct {
        std::string text;
        Xs xs;
        const char* message;
    } cases[] = {
        {mark(0, 0, 10, 0, 0) + "Path0Mark1X = 11;\nPath0Mark1Y = 0;\n" + mark(0, 2, 12, 0, 0) + mark(1, 0, 20, 0, 0),
         {{10}, {20}}, successMessage},                                     // mark 1 lacks Z
        {mark(1, 0, 1, 2, 3), {}, noPathMessage},                           // no path 0
        {"Path0Mark0X = 1;\nPath0Mark0Y = 2;\n" + mark(1, 0, 5, 5, 5) + mark(1, 1, 6, 6, 6), {{5, 6}},
         successMessage},                                                   // path 0's mark 0 incomplete
        {mark(0, 0, 1, 0, 0) + mark(0, 2, 3, 0, 0) + mark(1, 0, 4, 0, 0) + mark(3, 0, 5, 0, 0), {{1}, {4}},
         successMessage},                                                   // gaps in marks and paths
        {"KVR AI path database ---\r\n\r\nPath ID:0 ---\r\n"
         "Path0Mark0X = 1.5;\r\nPath0Mark0Y=2;\r\n  Path0Mark0Z = -3 ;\r\n"
         "garbage line without equals\r\n"
         "Path0Mark1X = abc;\r\nPath0Mark1Y = 1;\r\nPath0Mark1Z = 1;\r\n"
         "Path1Mark0X = 7;\nPath1Mark0Y = 7;\nPath1Mark0Z = 7",
         {{1.5f}, {7}}, successMessage},
    };
    for (const auto& c : cases) {
        writeMemoryFile("db.qzt", c.text);
        zunStandIn::clearLog();
        zunAIPathMgr manager;
        EXPECT_EQ(load(manager, "db.qzt"), 1);
        EXPECT_EQ(xsOf(manager), c.xs) << c.text;
        EXPECT_EQ(zunStandIn::log(), std::vector<std::string>{c.message}) << c.text;
        if (c.xs.size() == 2 && c.xs[0][0] == 1.5f) {
            EXPECT_VEC_EQ(manager.getPath(0)->getMark(0)->position, cVector4(1.5f, 2, -3));
            EXPECT_EQ(manager.getPath(1)->getMark(0)->position.z, 7.0f);
        }
    }
}

// Loading appends; a recording under way receives the first path read, and
// is stored even when the file holds no path. (That loaded paths are fresh,
// cursor 0, inactive and w 1.0, the fuzz checks hold every load to.)
TEST_F(PathFileLoad, LoadingAppendsAndARecordingReceivesTheFirstPath)
{
    writeMemoryFile("db.qzt", mark(0, 0, 1, 0, 0) + mark(0, 1, 2, 0, 0) + mark(1, 0, 3, 0, 0));
    writeMemoryFile("empty.qzt", "nothing here\n");
    zunAIPathMgr manager;
    manager.addPath(makePath({{9, 9, 9}}));
    load(manager, "db.qzt");
    EXPECT_EQ(xsOf(manager), (Xs{{9}, {1, 2}, {3}}));

    for (const char* file : {"db.qzt", "empty.qzt"}) {
        zunAIPathMgr recording;
        cVector4 at(-5, 0, 0);
        recording.addNewMark(at);
        EXPECT_EQ(load(recording, file), 1);
        EXPECT_EQ(recording.newPath, nullptr);
        EXPECT_EQ(xsOf(recording), (file[0] == 'd' ? Xs{{-5, 1, 2}, {3}} : Xs{{-5}}));
    }
}

} // namespace
