// The solver's search: inputs found on a real stage really end where they were aimed.
#include "tools/solver/stage_search.h"

#include <gtest/gtest.h>

namespace {

TEST(StageSearch, FindsInputsThatRollStageTenToAGoal) {
    BoardProbe probe(10);
    const DistanceField field(probe.Map(), Goal);
    const SearchResult result = SearchInputs(probe, field, Outcome::Goal, SearchLimits{});
    ASSERT_TRUE(result.found);
    EXPECT_EQ(ReplayInputs(probe, result.bits), Outcome::Goal);
    // No input sequence shorter by a tick ends on the goal: the last tick is the catch.
    std::vector<int> shorter(result.bits.begin(), result.bits.end() - 1);
    EXPECT_EQ(ReplayInputs(probe, shorter), Outcome::Rolling);
}

TEST(StageSearch, FindsInputsThatRollStageTwoIntoAHole) {
    BoardProbe probe(2);
    const DistanceField field(probe.Map(), Hole);
    const SearchResult result = SearchInputs(probe, field, Outcome::Fell, SearchLimits{});
    ASSERT_TRUE(result.found);
    EXPECT_EQ(ReplayInputs(probe, result.bits), Outcome::Fell);
}

TEST(StageSearch, GivesUpWithinItsStateBudget) {
    BoardProbe probe(1);
    const DistanceField field(probe.Map(), Goal);
    SearchLimits limits;
    limits.maxStates = 1000;  // stage 1 is a long winding path: far too few
    const SearchResult result = SearchInputs(probe, field, Outcome::Goal, limits);
    EXPECT_FALSE(result.found);
    EXPECT_LE(result.nodesExpanded, limits.maxStates);
}

}  // namespace
