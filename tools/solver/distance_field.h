// How far the ball's centre has to roll to a target cell, around blocks and away from other holes.
#pragma once

#include <vector>

#include "play/stage_maps.h"

// Distances on a fine grid of ball-centre positions over the board. A position is open when the
// ball's square there overlaps no block and its centre is not caught by a hole or goal that is no
// target; a target catches the centre within 2.6 of its own on both axes.
class DistanceField {
  public:
    static constexpr float SPACING = 0.5f;
    static constexpr float UNREACHABLE = 1e9f;

    DistanceField(const StageMap& map, StageCell target);

    // The rolling distance from the grid point nearest (x, z); UNREACHABLE when none is open.
    float DistanceAt(float x, float z) const;
    bool IsOpen(float x, float z) const;

  private:
    int Index(int column, int row) const { return row * size + column; }
    int Nearest(float coordinate) const;

    int size;
    std::vector<float> distances;
    std::vector<char> open;
};
