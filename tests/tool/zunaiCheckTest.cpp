// zunai check: what it says loads must be exactly what the module's
// loadPaths loads, and every statement it can't reach is named with its line.

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "zunAI.h"
#include "zunTestFixture.h"
#include "zunaiCheck.h"
#include "zunaiToolTestSupport.h"

namespace {

namespace fs = std::filesystem;
using namespace zunaiTestSupport;

class ToolDatabaseCheck : public zunTest {
protected:
    // Loads `text` with the module, as a game would from DIR/bin, and
    // compares the paths and marks with the check's report of the same text.
    void expectSameAsModule(const std::string& text)
    {
        SCOPED_TRACE(text);
        const zunaiCheckReport report = zunaiCheckText(text);

        TempDir game;
        writeFile(game / "data" / "memory" / "db.qzt", text);
        fs::create_directories(game / "bin");
        const fs::path back = fs::current_path();
        fs::current_path(game / "bin");
        zunAIPathMgr mgr;
        char name[] = "db.qzt";
        EXPECT_EQ(mgr.loadPaths(name), 1);
        fs::current_path(back);

        ASSERT_EQ(mgr.getNumPaths(), int(report.paths.size()));
        int marks = 0;
        for (int p = 0; p < mgr.getNumPaths(); ++p) {
            zunAIPath* path = mgr.getPath(p);
            const zunaiCheckedPath& checked = report.paths[std::size_t(p)];
            EXPECT_EQ(checked.loadsAs, p);
            ASSERT_EQ(path->getNumMarks(), int(checked.marks.size())) << "path " << p;
            for (int m = 0; m < path->getNumMarks(); ++m) {
                const cVector4& at = path->getMark(m)->getPosition();
                // Both read the numbers the same way: bit for bit equal.
                EXPECT_EQ(std::memcmp(&at.x, &checked.marks[std::size_t(m)].x, sizeof(float)), 0);
                EXPECT_EQ(std::memcmp(&at.y, &checked.marks[std::size_t(m)].y, sizeof(float)), 0);
                EXPECT_EQ(std::memcmp(&at.z, &checked.marks[std::size_t(m)].z, sizeof(float)), 0);
            }
            marks += path->getNumMarks();
        }
        EXPECT_EQ(report.marks, marks);
    }

    static std::vector<int> lostLines(const zunaiCheckReport& report)
    {
        std::vector<int> lines;
        for (const auto& l : report.lost)
            lines.push_back(l.line);
        return lines;
    }
};

const auto mark = markStatements;

TEST_F(ToolDatabaseCheck, LoadsWhatTheModuleLoads)
{
    const std::vector<std::string> files = {
        // The sample, as the module saved it.
        sampleDatabase(),
        // Empty, and without path 0.
        "",
        mark(1, 0, 1, 2, 3),
        // Each kind of loss.
        mark(0, 0, 1, 2, 3) + mark(0, 1, 4, 5, 6) + mark(2, 0, 7, 8, 9),
        mark(0, 0, 1, 2, 3) + "Path0Mark1X = 4;\nPath0Mark1Y = 5;\n" + mark(0, 2, 7, 8, 9) + mark(1, 0, 1, 1, 1),
        "Path0Mark0X = 1;\nPath0Mark0Y = 2;\n" + mark(1, 0, 4, 5, 6) + mark(1, 1, 7, 8, 9),
        // The script's syntax: CR LF, blanks and ';' optional, a plus sign,
        // a comma decimal, the last assignment winning, lines it skips.
        "Path0Mark0X=1.5\r\nPath0Mark0Y =\t-2 ;\r\n  Path0Mark0Z = +3e1;\r\nPath0Mark1X = 2,5;\nPath0Mark1Y = 1\n"
        "Path0Mark1Z = 9;\nPath0Mark1Z = 10;\nPath0Mark2X = abc;\nPath0Mark2Y = 1;\nPath0Mark2Z = 1;\n",
        "Path0Mark0X = 1;;\nPath0Mark0X = 2; x\nPath0Mark0Y = 1\nPath0Mark0Z = 1\nPath0Mark0X = ++1\n",
        // Names loading never asks for, and foreign ones.
        mark(0, 0, 1, 2, 3) + "Path01Mark0X = 1;\nPath1Mark00X = 1;\npath1mark0x = 1;\nFoo = 2;\n",
    };
    for (const auto& text : files)
        expectSameAsModule(text);
}

TEST_F(ToolDatabaseCheck, EachLossNamedByLineAndReason)
{
    const struct {
        std::string text;
        std::vector<int> pathNumbers;     // file numbers of the paths that load
        std::vector<int> lostLines;
        const char* reason;               // of the first lost statement
    } cases[] = {
        // Lines 1-6 are path 0; path 1 is missing: paths 2 and 3 (lines 7-12) are lost.
        {mark(0, 0, 1, 2, 3) + mark(0, 1, 4, 5, 6) + mark(2, 0, 7, 8, 9) + mark(3, 0, 1, 1, 1), {0},
         {7, 8, 9, 10, 11, 12}, "gap at path 1"},
        // Mark 1 of path 0 lacks Z: its X and Y and all of mark 2 are lost, path 1 still loads.
        {mark(0, 0, 1, 2, 3) + "Path0Mark1X = 4;\nPath0Mark1Y = 5;\n" + mark(0, 2, 7, 8, 9) + mark(1, 0, 1, 1, 1),
         {0, 1}, {4, 5, 6, 7, 8}, "mark 1 lacks Z"},
        // Mark 0 incomplete: no path 0, and loading goes on with path 1.
        {"Path0Mark0X = 1;\nPath0Mark0Z = 2;\n" + mark(0, 1, 1, 1, 1) + mark(1, 0, 4, 5, 6), {1}, {1, 2, 3, 4, 5},
         "mark 0 of path 0 lacks Y"},
    };
    for (const auto& c : cases) {
        const auto report = zunaiCheckText(c.text);
        SCOPED_TRACE(c.text);
        std::vector<int> numbers;
        for (const auto& path : report.paths)
            numbers.push_back(path.number);
        EXPECT_EQ(numbers, c.pathNumbers);
        EXPECT_EQ(lostLines(report), c.lostLines);
        ASSERT_FALSE(report.lost.empty());
        EXPECT_NE(report.lost[0].reason.find(c.reason), std::string::npos) << report.lost[0].reason;
    }
    EXPECT_EQ(zunaiCheckText(mark(0, 0, 1, 2, 3) + mark(0, 1, 4, 5, 6)).paths[0].lastLine, 6);

    // Names loading never asks for are lost; foreign ones and overwritten
    // assignments are notes, and the last assignment wins.
    const auto report = zunaiCheckText(mark(0, 0, 1, 2, 3) + "Path00Mark1X = 1;\nSpeed = 2;\nPath0Mark0X = 7;\n");
    EXPECT_EQ(lostLines(report), (std::vector<int>{4}));
    ASSERT_EQ(report.notes.size(), 2u);
    EXPECT_EQ(report.notes[0].line, 1);
    EXPECT_EQ(report.notes[1].line, 5);
    EXPECT_EQ(report.paths[0].marks[0].x, 7.0f);
}

} // namespace
