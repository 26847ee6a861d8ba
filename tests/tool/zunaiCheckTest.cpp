// zunai check: what it says loads must be exactly what the module's
// loadPaths loads, and every statement it can't reach is named with its line.
// And when a route counts as reached.

#include <cstring>
#include <string>
#include <vector>

#include "zunAI.h"
#include "zunTestFixture.h"
#include "zunaiCheck.h"
#include "zunaiRoutes.h"
#include "zunaiToolTestSupport.h"

namespace {

using namespace zunaiTestSupport;
using ToolDatabaseCheck = zunTest;
const auto mark = markStatements;

// The lines of lost statements or of notes.
template <typename Found>
std::vector<int> linesOf(const std::vector<Found>& found)
{
    std::vector<int> lines;
    for (const auto& f : found)
        lines.push_back(f.line);
    return lines;
}

// The paths and marks it says load are those loadPaths loads; the lines it
// names lost and those it notes (the exact reasons are pinned end to end,
// through zunai check).
TEST_F(ToolDatabaseCheck, LoadsWhatTheModuleLoadsAndNamesTheLinesLost)
{
    const struct {
        std::string text;
        std::vector<int> lostLines;
        std::vector<int> noteLines = {};   // overwritten, foreign or unreadable statements
    } files[] = {
        {sampleDatabase(), {}},
        {"", {}},
        {mark(1, 0, 1, 2, 3), {1, 2, 3}},
        // Lines 1-6 are path 0; path 1 is missing: paths 2 and 3 (lines 7-12) are lost.
        {mark(0, 0, 1, 2, 3) + mark(0, 1, 4, 5, 6) + mark(2, 0, 7, 8, 9) + mark(3, 0, 1, 1, 1), {7, 8, 9, 10, 11, 12}},
        // Mark 1 of path 0 lacks Z: its X and Y and all of mark 2 are lost, path 1 still loads.
        {mark(0, 0, 1, 2, 3) + "Path0Mark1X = 4;\nPath0Mark1Y = 5;\n" + mark(0, 2, 7, 8, 9) + mark(1, 0, 1, 1, 1),
         {4, 5, 6, 7, 8}},
        // Mark 0 incomplete: no path 0, and loading goes on with path 1.
        {"Path0Mark0X = 1;\nPath0Mark0Z = 2;\n" + mark(0, 1, 1, 1, 1) + mark(1, 0, 4, 5, 6), {1, 2, 3, 4, 5}},
        // The script's syntax: CR LF, blanks and ';' optional, a plus sign,
        // a comma decimal, the last assignment winning, lines it skips.
        {"Path0Mark0X=1.5\r\nPath0Mark0Y =\t-2 ;\r\n  Path0Mark0Z = +3e1;\r\nPath0Mark1X = 2,5;\nPath0Mark1Y = 1\n"
         "Path0Mark1Z = 9;\nPath0Mark1Z = 10;\nPath0Mark2X = abc;\nPath0Mark2Y = 1;\nPath0Mark2Z = 1;\n",
         {9, 10}, {6, 8}},
        {"Path0Mark0X = 1;;\nPath0Mark0X = 2; x\nPath0Mark0Y = 1\nPath0Mark0Z = 1\nPath0Mark0X = ++1\n", {3, 4},
         {1, 2, 5}},
        // Names loading never asks for are lost; foreign ones are notes.
        {mark(0, 0, 1, 2, 3) + "Path01Mark0X = 1;\nPath1Mark00X = 1;\npath1mark0x = 1;\nFoo = 2;\n", {4, 5}, {6, 7}},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.text);
        const zunaiCheckReport report = zunaiCheckText(file.text);
        EXPECT_EQ(linesOf(report.lost), file.lostLines);
        EXPECT_EQ(linesOf(report.notes), file.noteLines);
        zunAIPathMgr mgr;
        {
            // Loaded as a game would, from its bin/.
            zunScratchGame game("zunai-check");
            writeFile(game.memory() / "db.qzt", file.text);
            char name[] = "db.qzt";
            EXPECT_EQ(mgr.loadPaths(name), 1);
        }
        ASSERT_EQ(mgr.getNumPaths(), int(report.paths.size()));
        int marks = 0;
        for (int p = 0; p < mgr.getNumPaths(); ++p) {
            const zunaiCheckedPath& checked = report.paths[std::size_t(p)];
            EXPECT_EQ(checked.loadsAs, p);
            ASSERT_EQ(mgr.getPath(p)->getNumMarks(), int(checked.marks.size())) << "path " << p;
            for (int m = 0; m < mgr.getPath(p)->getNumMarks(); ++m) {
                // Both read the numbers the same way: bit for bit equal.
                const cVector4& at = mgr.getPath(p)->getMark(m)->getPosition();
                const zunaiPoint& c = checked.marks[std::size_t(m)];
                const float module[] = {at.x, at.y, at.z}, check[] = {c.x, c.y, c.z};
                EXPECT_EQ(std::memcmp(module, check, sizeof module), 0) << "path " << p << " mark " << m;
            }
            marks += mgr.getPath(p)->getNumMarks();
        }
        EXPECT_EQ(report.marks, marks);
    }
}

// A walk is reached within the arrival radius (horizontally); a chained
// route also needs the goal in plain view.
using ToolReached = zunTest;
TEST_F(ToolReached, ArrivalRadiusAndPlainView)
{
    const zunaiPoint last{0, 0, 24.7f};
    const struct {
        zunaiWay way;
        zunaiPoint goal;
        bool reached;
    } cases[] = {
        {zunaiWay::Walked, {7, 0, 60}, true},
        {zunaiWay::Walked, {7.01f, 0, 24.7f}, false},
        {zunaiWay::Chained, {150, 0, 28.6f}, true},
        {zunaiWay::Chained, {150.01f, 0, 24.7f}, false},
        {zunaiWay::Chained, {100, 0, 28.7f}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(zunaiReaches(c.way, last, c.goal), c.reached) << c.goal.x << "," << c.goal.z;
    // A wall between them hides the goal, but not within the arrival radius.
    zunStandIn::addBox(cVector4(50, -10, 0), cVector4(51, 10, 100));
    EXPECT_FALSE(zunaiReaches(zunaiWay::Chained, last, {100, 0, 24.7f}));
    zunStandIn::addBox(cVector4(3, -10, 0), cVector4(4, 10, 100));
    EXPECT_TRUE(zunaiReaches(zunaiWay::Chained, last, {7, 0, 24.7f}));
}

} // namespace
