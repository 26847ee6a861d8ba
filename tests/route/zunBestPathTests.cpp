// Best-path selection: which stored path is chosen, where it is joined, and
// which paths cost rays.
#include "zunRouteTestSupport.h"
#include "zunTestFixture.h"

namespace {

class BestPath : public zunTest {
protected:
    // findBestPath with the defaults of a route request's first pass.
    zunAIPath* find(cVector4 from, cVector4 to, float maxJoinDist = 150.0f, float minDot = -0.707f,
                    zunAIPath* exclude = nullptr, float maxHeightDiff = 4.0f)
    {
        return db.findBestPath(from, to, exitPoint, reversed, maxJoinDist, minDot, exclude, maxHeightDiff);
    }
    void TearDown() override
    {
        db.deleteAllPaths();
        zunTest::TearDown();
    }
    zunAIPathMgr db;
    cVector4 exitPoint{-1, -2, -3};
    int reversed = 7;
};

TEST_F(BestPath, NothingToChooseLeavesTheOutParametersAlone)
{
    EXPECT_EQ(find(cVector4(0, 0, 0), cVector4(100, 0, 0)), nullptr);
    storePath(db, {});
    storePath(db, {cVector4(1, 0, 0)});
    EXPECT_EQ(find(cVector4(0, 0, 0), cVector4(100, 0, 0)), nullptr);
    EXPECT_VEC_EQ(exitPoint, cVector4(-1, -2, -3));
    EXPECT_EQ(reversed, 7);
}

TEST_F(BestPath, EqualEndDistancesJoinAtTheLastMark)
{
    zunAIPath* path = storePath(db, {cVector4(5, 3, 0), cVector4(5, -3, 0)});
    EXPECT_EQ(find(cVector4(0, 0, 0), cVector4(100, 0, 0)), path);
    EXPECT_EQ(reversed, 1);
    EXPECT_VEC_EQ(exitPoint, cVector4(5, 3, 0));
}

TEST_F(BestPath, ExcludedPathIsNeverChosen)
{
    zunAIPath* best = storePath(db, {cVector4(0, 0, 0), cVector4(20, 0, 0)});
    zunAIPath* other = storePath(db, {cVector4(5, 5, 0), cVector4(25, 5, 0)});
    const cVector4 from(0, 0, 0), to(100, 0, 0);
    EXPECT_EQ(find(from, to), best);
    EXPECT_EQ(find(from, to, 150.0f, -0.707f, best), other);
    EXPECT_EQ(reversed, 0);
    EXPECT_VEC_EQ(exitPoint, cVector4(25, 5, 0));
}

TEST_F(BestPath, EqualScoresGoToTheEarlierPathButBetterScoresWin)
{
    zunAIPath* first = storePath(db, {cVector4(3, 0, 0), cVector4(30, 0, 0)});
    storePath(db, {cVector4(3, 0, 0), cVector4(30, 0, 0)});
    const cVector4 from(0, 0, 0), to(100, 0, 0);
    EXPECT_EQ(find(from, to), first);
    zunAIPath* better = storePath(db, {cVector4(2, 0, 0), cVector4(30, 0, 0)});
    EXPECT_EQ(find(from, to), better);
}

TEST_F(BestPath, EntryExactlyHalfAUnitInsideTheJoinDistanceStays)
{
    zunAIPath* path = storePath(db, {cVector4(10, 0, 0), cVector4(20, 0, 0)});
    const cVector4 from(0, 0, 0), to(100, 0, 0);
    EXPECT_EQ(find(from, to, 10.5f), path);
    EXPECT_EQ(find(from, to, 10.499f), nullptr);
}

TEST_F(BestPath, HeightIsTestedAtTheEntryMarkOnly)
{
    storePath(db, {cVector4(5, 0, 4.5f), cVector4(40, 0, 0)});             // entry too high
    zunAIPath* climbing = storePath(db, {cVector4(6, 3, -4), cVector4(40, 3, 10)});   // exactly 4 below
    EXPECT_EQ(find(cVector4(0, 0, 0), cVector4(100, 0, 0)), climbing);
}

TEST_F(BestPath, NonPositiveScoreIsNeverChosen)
{
    // Behind `from`, pointing away from `to`: every test passes, the score is below 0.
    storePath(db, {cVector4(-10, 0, 0), cVector4(-20, 0, 0)});
    EXPECT_EQ(find(cVector4(0, 0, 0), cVector4(100, 0, 0), 150.0f, -2.0f), nullptr);
    EXPECT_EQ(zunStandIn::rayCount(), 10) << "it got as far as the probes";
    EXPECT_EQ(reversed, 7);
}

TEST_F(BestPath, ClimbBonusNeedsMoreThan10OfHeight)
{
    // Joined at its low end and climbing to 10.5: only the bonus lifts its score above 0.
    zunAIPath* up = storePath(db, {cVector4(-5, 0, 0), cVector4(-15, 0, 10.5f)});
    EXPECT_EQ(find(cVector4(0, 0, 0), cVector4(100, 0, 10.5f), 150.0f, -2.0f), up);
    EXPECT_EQ(find(cVector4(0, 0, 0), cVector4(100, 0, 10.0f), 150.0f, -2.0f), nullptr);
    db.deleteAllPaths();
    zunAIPath* down = storePath(db, {cVector4(-5, 0, 0), cVector4(-15, 0, -10.5f)});
    EXPECT_EQ(find(cVector4(0, 0, 0), cVector4(100, 0, -10.5f), 150.0f, -2.0f), down);
    EXPECT_EQ(find(cVector4(0, 0, 0), cVector4(100, 0, -10.0f), 150.0f, -2.0f), nullptr);
}

TEST_F(BestPath, CheapTestsDropPathsBeforeAnyRay)
{
    storePath(db, {cVector4(5, 0, 5), cVector4(15, 0, 5)});      // entry too high
    storePath(db, {cVector4(5, 0, 0), cVector4(-10, 0, 0)});     // runs backwards
    storePath(db, {cVector4(0, 30, 0), cVector4(10, 30, 0)});    // leads off to the side of the goal
    storePath(db, {cVector4(60, 0, 0), cVector4(70, 0, 0)});     // entry beyond the join distance
    storePath(db, {cVector4(5, 0, 0), cVector4(15, 0, -4)});     // descends toward a higher goal
    EXPECT_EQ(find(cVector4(0, 0, 0), cVector4(100, 0, 20), 50.0f, 0.5f), nullptr);
    EXPECT_EQ(zunStandIn::rayCount(), 0);

    // A level goal has no slope test: the descending path qualifies and costs its probes.
    EXPECT_NE(find(cVector4(0, 0, 0), cVector4(100, 0, 0), 50.0f, 0.5f), nullptr);
    EXPECT_GT(zunStandIn::rayCount(), 0);
}

TEST_F(BestPath, ProbesRunFromFromAndTwelveBelowIt)
{
    zunStandIn::recordRays(true);
    storePath(db, {cVector4(3, 4, 0), cVector4(30, 4, 0)});
    ASSERT_NE(find(cVector4(0, 0, 0), cVector4(100, 0, 0)), nullptr);
    const auto& rays = zunStandIn::rays();
    ASSERT_EQ(rays.size(), 10u);
    EXPECT_VEC_EQ(rays[0].origin, cVector4(0, 0, 0));
    EXPECT_VEC_NEAR(rays[0].direction, 0.6f, 0.8f, 0.0f, 1e-6f);
    EXPECT_FLOAT_EQ(rays[0].length, 7.0f);
    EXPECT_VEC_NEAR(rays[5].origin, 0.0f, 0.0f, -12.0f, 1e-6f) << "centre of the grid";
    EXPECT_FLOAT_EQ(rays[5].length, 7.0f);

    // Standing on the entry mark casts nothing.
    zunStandIn::clearCapture();
    ASSERT_NE(find(cVector4(3, 4, 0), cVector4(100, 0, 0)), nullptr);
    EXPECT_EQ(zunStandIn::rayCount(), 0);
}

TEST_F(BestPath, BlockedWaysToTheEntryDropThePath)
{
    zunAIPath* behindWall = storePath(db, {cVector4(10, 0, 0), cVector4(40, 0, 0)});
    zunAIPath* behindCurb = storePath(db, {cVector4(0, 10, 0), cVector4(30, 10, 0)});
    zunAIPath* open = storePath(db, {cVector4(0, -12, 0), cVector4(30, -12, 0)});
    const cVector4 from(0, 0, 0), to(100, 0, 0);
    EXPECT_EQ(find(from, to), behindWall);
    wall(5, -2, -20, 6, 2, 20);      // across the line of sight
    EXPECT_EQ(find(from, to), behindCurb);
    wall(-2, 5, -14, 2, 6, -10);     // low: only the ground probe meets it
    EXPECT_EQ(find(from, to), open);
}

TEST_F(BestPath, FromAndExitPointMayBeOneObject)
{
    storePath(db, {cVector4(5, 3, 0), cVector4(40, 3, 0)});
    zunAIPath* chosen = storePath(db, {cVector4(4, -1, 0), cVector4(50, -10, 0)});
    const cVector4 to(100, 0, 0);
    ASSERT_EQ(find(cVector4(0, 0, 0), to), chosen);
    const cVector4 separateExit = exitPoint;
    const int separateReversed = reversed;

    cVector4 shared(0, 0, 0), target = to;
    int rev = 9;
    EXPECT_EQ(db.findBestPath(shared, target, shared, rev, 150.0f, -0.707f, nullptr, 4.0f), chosen);
    EXPECT_VEC_EQ(shared, separateExit);
    EXPECT_EQ(rev, separateReversed);
}

// The walk ends at a null path; a path whose end mark was never allocated
// (its node holds null) is passed over.
TEST_F(BestPath, NullPathsEndTheWalkAndNullEndMarksAreSkipped)
{
    zunAIPath* broken = storePath(db, {cVector4(0, 0, 0), cVector4(20, 0, 0)});
    cVector4 third(30, 0, 0);
    zunStandIn::failAllocations(0, 1);   // the mark: its node holds null
    broken->addMark(third);
    zunStandIn::stopFailing();
    ASSERT_EQ(broken->getNumMarks(), 3);
    zunAIPath* whole = storePath(db, {cVector4(0, 5, 0), cVector4(20, 5, 0)});
    db.addPath(nullptr);
    storePath(db, {cVector4(0, 1, 0), cVector4(20, 1, 0)});   // nearer, behind the null path
    EXPECT_EQ(find(cVector4(0, 0, 0), cVector4(100, 0, 0)), whole);
}

} // namespace
