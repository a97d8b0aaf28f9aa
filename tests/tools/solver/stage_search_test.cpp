// The solver's search: inputs found on a real stage really end where they were aimed.
#include "tools/solver/stage_search.h"

#include <gtest/gtest.h>

namespace {

// Searches the probe's stage for inputs that reach a `cell` with the `outcome` it brings.
SearchResult Search(BoardProbe& probe, StageCell cell, Outcome outcome, SearchLimits limits = {}) {
    const DistanceField field(probe.Map(), cell);
    return SearchInputs(probe, field, outcome, limits);
}

TEST(StageSearch, FindsInputsThatRollStageTenToAGoal) {
    BoardProbe probe(10);
    const SearchResult result = Search(probe, Goal, Outcome::Goal);
    ASSERT_TRUE(result.found);
    EXPECT_EQ(ReplayInputs(probe, result.bits), Outcome::Goal);
    // No input sequence shorter by a tick ends on the goal: the last tick is the catch.
    std::vector<int> shorter(result.bits.begin(), result.bits.end() - 1);
    EXPECT_EQ(ReplayInputs(probe, shorter), Outcome::Rolling);
}

TEST(StageSearch, FindsInputsThatRollStageTwoIntoAHole) {
    BoardProbe probe(2);
    const SearchResult result = Search(probe, Hole, Outcome::Fell);
    ASSERT_TRUE(result.found);
    EXPECT_EQ(ReplayInputs(probe, result.bits), Outcome::Fell);
}

TEST(StageSearch, GivesUpWithinItsStateBudget) {
    BoardProbe probe(1);
    SearchLimits limits;
    limits.maxStates = 1000;  // stage 1 is a long winding path: far too few
    const SearchResult result = Search(probe, Goal, Outcome::Goal, limits);
    EXPECT_FALSE(result.found);
    EXPECT_LE(result.nodesExpanded, limits.maxStates);
}

}  // namespace
