// Weighted A* over exact ball states, stepped by the game's own code.
#include "tools/solver/stage_search.h"

#include <cmath>
#include <queue>

#include "tools/solver/state_table.h"

namespace {

// The fastest roll: ten degrees less one of friction, at 0.15 a degree.
constexpr float MAX_ROLL_PER_TICK = 1.35f;
// The grid distances run up to about 8 % longer than the shortest roll; this share of the estimate
// is surely no more ticks than the ball still needs.
constexpr float SURE_SHARE_OF_ESTIMATE = 0.9f;

// Every combination of at most one key of each tilt pair.
constexpr int INPUTS[] = {
    0,
    KEY_BIT_UP,
    KEY_BIT_DOWN,
    KEY_BIT_RIGHT,
    KEY_BIT_LEFT,
    KEY_BIT_UP | KEY_BIT_RIGHT,
    KEY_BIT_UP | KEY_BIT_LEFT,
    KEY_BIT_DOWN | KEY_BIT_RIGHT,
    KEY_BIT_DOWN | KEY_BIT_LEFT,
};

struct Node {
    BallState state;
    int32_t parent;
    int32_t ticks;
    int32_t bits;
};

struct Frontier {
    float priority;
    float estimate;
    int32_t node;

    // The smallest priority first; among equals the one closer to the target.
    bool operator<(const Frontier& other) const {
        if (priority != other.priority) {
            return priority > other.priority;
        }
        return estimate > other.estimate;
    }
};

std::vector<int> PathTo(const std::vector<Node>& nodes, int32_t node, int lastBits) {
    std::vector<int> bits{lastBits};
    for (; nodes[node].parent >= 0; node = nodes[node].parent) {
        bits.push_back(nodes[node].bits);
    }
    return {bits.rbegin(), bits.rend()};
}

}  // namespace

SearchResult SearchInputs(BoardProbe& probe, const DistanceField& field, Outcome target,
                          const SearchLimits& limits) {
    SearchResult result;
    std::vector<Node> nodes;
    StateTable seen(static_cast<size_t>(limits.maxStates));
    std::priority_queue<Frontier> frontier;

    auto estimate = [&field](const BallState& state) {
        return field.DistanceAt(state.x, state.z) / MAX_ROLL_PER_TICK;
    };
    nodes.push_back({probe.Start(), -1, 0, 0});
    seen.Improve(StateKey(probe.Start()), 0);
    frontier.push({limits.weight * estimate(probe.Start()), estimate(probe.Start()), 0});

    while (!frontier.empty() && !seen.Full()) {
        const Frontier top = frontier.top();
        frontier.pop();
        const Node node = nodes[top.node];
        if (seen.Ticks(StateKey(node.state)) < node.ticks || node.ticks >= limits.maxTicks) {
            continue;
        }
        ++result.nodesExpanded;
        for (int bits : INPUTS) {
            BallState next;
            const Outcome outcome = probe.Step(node.state, bits, next);
            if (outcome == target) {
                result.found = true;
                result.bits = PathTo(nodes, top.node, bits);
                return result;
            }
            if (outcome != Outcome::Rolling) {
                continue;
            }
            const float toGo = estimate(next);
            if (toGo >= DistanceField::UNREACHABLE / MAX_ROLL_PER_TICK ||
                node.ticks + 1 + SURE_SHARE_OF_ESTIMATE * toGo > limits.maxTicks ||
                !seen.Improve(StateKey(next), node.ticks + 1)) {
                continue;
            }
            nodes.push_back({next, top.node, node.ticks + 1, bits});
            frontier.push({node.ticks + 1 + limits.weight * toGo, toGo,
                           static_cast<int32_t>(nodes.size() - 1)});
        }
    }
    return result;
}

Outcome ReplayInputs(BoardProbe& probe, const std::vector<int>& bits) {
    BallState state = probe.Start();
    for (size_t tick = 0; tick < bits.size(); ++tick) {
        BallState next;
        const Outcome outcome = probe.Step(state, bits[tick], next);
        if (outcome != Outcome::Rolling) {
            return tick + 1 == bits.size() ? outcome : Outcome::Rolling;
        }
        state = next;
    }
    return Outcome::Rolling;
}
