// Best-path selection: the rules of which stored path is chosen and where it
// is joined. Choices on the sample level are pinned by the golden record.
#include "zunRouteTestSupport.h"

namespace {

class BestPath : public RouteTest {
protected:
    // findBestPath with the defaults of a route request's first pass.
    zunAIPath* find(cVector4 from, cVector4 to, float maxJoinDist = 150.0f, float minDot = -0.707f,
                    zunAIPath* exclude = nullptr)
    {
        return db.findBestPath(from, to, exitPoint, reversed, maxJoinDist, minDot, exclude, 4.0f);
    }
    cVector4 exitPoint{-1, -2, -3};
    int reversed = 7;
    const cVector4 origin{0, 0, 0}, ahead{100, 0, 0};
};

// Nothing to choose leaves the out parameters alone; an excluded path is never chosen.
TEST_F(BestPath, NothingChosenAndExcludedPaths)
{
    storePath(db, {});
    storePath(db, {cVector4(1, 0, 0)});
    EXPECT_EQ(find(origin, ahead), nullptr);
    EXPECT_VEC_EQ(exitPoint, cVector4(-1, -2, -3));
    EXPECT_EQ(reversed, 7);

    zunAIPath* best = storePath(db, {cVector4(0, 0, 0), cVector4(20, 0, 0)});
    zunAIPath* other = storePath(db, {cVector4(5, 5, 0), cVector4(25, 5, 0)});
    EXPECT_EQ(find(origin, ahead), best);
    EXPECT_EQ(find(origin, ahead, 150.0f, -0.707f, best), other);
    EXPECT_EQ(reversed, 0);
    EXPECT_VEC_EQ(exitPoint, cVector4(25, 5, 0));
}

// Equal end distances join at the last mark; equal scores go to the earlier
// path, a better score wins.
TEST_F(BestPath, TieBreaks)
{
    zunAIPath* path = storePath(db, {cVector4(5, 3, 0), cVector4(5, -3, 0)});
    EXPECT_EQ(find(origin, ahead), path);
    EXPECT_EQ(reversed, 1);
    EXPECT_VEC_EQ(exitPoint, cVector4(5, 3, 0));

    db.deleteAllPaths();
    zunAIPath* first = storePath(db, {cVector4(3, 0, 0), cVector4(30, 0, 0)});
    storePath(db, {cVector4(3, 0, 0), cVector4(30, 0, 0)});
    EXPECT_EQ(find(origin, ahead), first);
    zunAIPath* better = storePath(db, {cVector4(2, 0, 0), cVector4(30, 0, 0)});
    EXPECT_EQ(find(origin, ahead), better);
}

TEST_F(BestPath, ExactLimits)
{
    // The entry may lie half a unit beyond the join distance.
    zunAIPath* path = storePath(db, {cVector4(10, 0, 0), cVector4(20, 0, 0)});
    EXPECT_EQ(find(origin, ahead, 10.5f), path);
    EXPECT_EQ(find(origin, ahead, 10.499f), nullptr);

    // Height is tested at the entry mark only, 4 below still passing.
    db.deleteAllPaths();
    storePath(db, {cVector4(5, 0, 4.5f), cVector4(40, 0, 0)});
    zunAIPath* climbing = storePath(db, {cVector4(6, 3, -4), cVector4(40, 3, 10)});
    EXPECT_EQ(find(origin, ahead), climbing);

    // A path pointing away scores below 0 and is never chosen, unless it
    // climbs (or descends) toward the goal's height by more than 10.
    for (float height : {10.5f, -10.5f}) {
        db.deleteAllPaths();
        zunAIPath* up = storePath(db, {cVector4(-5, 0, 0), cVector4(-15, 0, height)});
        EXPECT_EQ(find(origin, cVector4(100, 0, height), 150.0f, -2.0f), up) << height;
        EXPECT_EQ(find(origin, cVector4(100, 0, height > 0 ? 10.0f : -10.0f), 150.0f, -2.0f), nullptr) << height;
    }
}

TEST_F(BestPath, CheapTestsDropPathsBeforeAnyRay)
{
    storePath(db, {cVector4(5, 0, 5), cVector4(15, 0, 5)});      // entry too high
    storePath(db, {cVector4(5, 0, 0), cVector4(-10, 0, 0)});     // runs backwards
    storePath(db, {cVector4(0, 30, 0), cVector4(10, 30, 0)});    // leads off to the side of the goal
    storePath(db, {cVector4(60, 0, 0), cVector4(70, 0, 0)});     // entry beyond the join distance
    storePath(db, {cVector4(5, 0, 0), cVector4(15, 0, -4)});     // descends toward a higher goal
    EXPECT_EQ(find(origin, cVector4(100, 0, 20), 50.0f, 0.5f), nullptr);
    EXPECT_EQ(zunStandIn::rayCount(), 0);
    // A level goal has no slope test: the descending path qualifies.
    EXPECT_NE(find(origin, ahead, 50.0f, 0.5f), nullptr);
    EXPECT_GT(zunStandIn::rayCount(), 0);
    // Standing on the entry mark casts nothing.
    db.deleteAllPaths();
    storePath(db, {cVector4(3, 4, 0), cVector4(30, 4, 0)});
    zunStandIn::clearCapture();
    EXPECT_NE(find(cVector4(3, 4, 0), ahead), nullptr);
    EXPECT_EQ(zunStandIn::rayCount(), 0);
}

TEST_F(BestPath, BlockedWaysToTheEntryDropThePath)
{
    zunAIPath* behindWall = storePath(db, {cVector4(10, 0, 0), cVector4(40, 0, 0)});
    zunAIPath* behindCurb = storePath(db, {cVector4(0, 10, 0), cVector4(30, 10, 0)});
    zunAIPath* open = storePath(db, {cVector4(0, -12, 0), cVector4(30, -12, 0)});
    EXPECT_EQ(find(origin, ahead), behindWall);
    wall(5, -2, -20, 6, 2, 20);      // across the line of sight
    EXPECT_EQ(find(origin, ahead), behindCurb);
    wall(-2, 5, -14, 2, 6, -10);     // low: only the ground probe meets it
    EXPECT_EQ(find(origin, ahead), open);
}

TEST_F(BestPath, FromAndExitPointMayBeOneObject)
{
    storePath(db, {cVector4(5, 3, 0), cVector4(40, 3, 0)});
    zunAIPath* chosen = storePath(db, {cVector4(4, -1, 0), cVector4(50, -10, 0)});
    ASSERT_EQ(find(origin, ahead), chosen);
    cVector4 shared = origin, target = ahead;
    int rev = 9;
    EXPECT_EQ(db.findBestPath(shared, target, shared, rev, 150.0f, -0.707f, nullptr, 4.0f), chosen);
    EXPECT_VEC_EQ(shared, exitPoint);
    EXPECT_EQ(rev, reversed);
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
    zunAIPath* whole = storePath(db, {cVector4(0, 5, 0), cVector4(20, 5, 0)});
    db.addPath(nullptr);
    storePath(db, {cVector4(0, 1, 0), cVector4(20, 1, 0)});   // nearer, behind the null path
    EXPECT_EQ(find(origin, ahead), whole);
}

} // namespace
