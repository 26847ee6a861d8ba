// Best-path selection: the rules of which stored path is chosen and where it
// is joined. Choices on the sample level are pinned by the golden record.
#include "zunRouteTestSupport.h"

namespace {

class BestPath : public RouteTest {
protected:
    // findBestPath with the defaults of a route request's first pass.
    zunAIPath* find(cVector4 from, cVector4 to, float maxJoinDist = 150.0f, float minDot = -0.707f,
                    zunAIPath* exclude = nullptr, zunAIRouteObserver* observer = nullptr)
    {
        if (observer)
            return db.findBestPath(from, to, exitPoint, reversed, maxJoinDist, minDot, exclude, 4.0f, observer);
        return db.findBestPath(from, to, exitPoint, reversed, maxJoinDist, minDot, exclude, 4.0f);
    }
    cVector4 exitPoint{-1, -2, -3};
    int reversed = 7;
    const cVector4 origin{0, 0, 0}, ahead{100, 0, 0};
};

// Every verdict, in the order of the paths, as the observer is told; the
// observed search casts the same rays as the plain one.
TEST_F(BestPath, EveryVerdictInTheOrderOfThePaths)
{
    // The goal lies 10 higher, so the slope test applies.
    zunAIPath* excluded = storePath(db, {cVector4(5, -2, 0), cVector4(60, -2, 0)});
    storePath(db, {cVector4(1, 0, 0)});                                               // marks
    storePath(db, {cVector4(5, 0, 10), cVector4(60, 0, 10)});                         // height
    storePath(db, {cVector4(10, 0, 0), cVector4(-50, 0, 0)});                         // direction
    storePath(db, {cVector4(-2, 0, 0), cVector4(-60, 0, 0), cVector4(60, 300, 0)});   // goal-direction
    storePath(db, {cVector4(200, 0, 0), cVector4(300, 0, 0)});                        // join
    storePath(db, {cVector4(5, 10, 0), cVector4(50, 10, -30)});                       // slope
    storePath(db, {cVector4(0, -40, 0), cVector4(50, -40, 0)});                       // sight
    storePath(db, {cVector4(0, 40, 0), cVector4(50, 40, 0)});                         // probe
    zunAIPath* scored = storePath(db, {cVector4(5, 0, 0), cVector4(60, 0, 0)});
    wall(-10, -21, -20, 10, -20, 20);      // across the sight line to path 7
    wall(-5, 15, -11.5f, 5, 20, -10.5f);   // a kerb under the way to path 8, above the probe's centre ray

    const cVector4 goal(100, 0, 10);
    RouteWords words;
    EXPECT_EQ(find(origin, goal, 150.0f, -0.707f, excluded, &words), scored);
    EXPECT_EQ(words.said, (std::vector<std::string>{"0:excluded", "1:marks", "2:height", "3:direction",
                                                    "4:goal-direction", "5:join", "6:slope", "7:sight", "8:probe",
                                                    "9:scored", "chose 9"}));
    const std::vector<zunStandIn::Ray> observed = rays();
    zunStandIn::clearCapture();
    EXPECT_EQ(find(origin, goal, 150.0f, -0.707f, excluded), scored);
    ASSERT_EQ(rays().size(), observed.size());
    for (std::size_t i = 0; i < observed.size(); ++i) {
        EXPECT_VEC_EQ(rays()[i].origin, observed[i].origin);
        EXPECT_VEC_EQ(rays()[i].direction, observed[i].direction);
    }
}

// Equal end distances join at the last mark; equal scores go to the earlier
// path, a better score wins; the excluded path gives way to the next best.
TEST_F(BestPath, TieBreaksAndExclusion)
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
    zunAIPath* other = storePath(db, {cVector4(5, 5, 0), cVector4(25, 5, 0)});
    EXPECT_EQ(find(origin, ahead, 150.0f, -0.707f, better), first);
    EXPECT_EQ(reversed, 0);
    EXPECT_VEC_EQ(exitPoint, cVector4(30, 0, 0));
    db.deletePath(first);
    db.deletePath(db.getPath(0));
    EXPECT_EQ(find(origin, ahead, 150.0f, -0.707f, better), other);
}

TEST_F(BestPath, ExactLimits)
{
    // The entry may lie half a unit beyond the join distance.
    zunAIPath* path = storePath(db, {cVector4(10, 0, 0), cVector4(20, 0, 0)});
    EXPECT_EQ(find(origin, ahead, 10.499f), nullptr);
    EXPECT_VEC_EQ(exitPoint, cVector4(-1, -2, -3)) << "nothing chosen: the out parameters stay";
    EXPECT_EQ(reversed, 7);
    EXPECT_EQ(find(origin, ahead, 10.5f), path);

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

// `from` and `exitPoint` may be one object; the walk ends at a null path; a
// path whose end mark was never allocated (its node holds null) is passed over.
TEST_F(BestPath, AliasedOutputNullPathsAndNullEndMarks)
{
    zunAIPath* broken = storePath(db, {cVector4(0, 0, 0), cVector4(20, 0, 0)});
    cVector4 third(30, 0, 0);
    zunStandIn::failAllocations(0, 1);
    broken->addMark(third);
    zunAIPath* whole = storePath(db, {cVector4(4, -1, 0), cVector4(50, -10, 0)});
    db.addPath(nullptr);
    storePath(db, {cVector4(0, 1, 0), cVector4(20, 1, 0)});   // nearer, behind the null path
    ASSERT_EQ(find(origin, ahead), whole);
    cVector4 shared = origin, target = ahead;
    int rev = 9;
    EXPECT_EQ(db.findBestPath(shared, target, shared, rev, 150.0f, -0.707f, nullptr, 4.0f), whole);
    EXPECT_VEC_EQ(shared, exitPoint);
    EXPECT_EQ(rev, reversed);
}

} // namespace
