// The per-tick trace of a replay: one CSV row of the game's state after every scene tick.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

class GameApp;

class TraceWriter {
  public:
    static constexpr const char* HEADER =
        "tick,scene,bits,stage,lives,time,phase,playing,falling,goal,gameover,curtain,x,y,z,rx,rz";

    ~TraceWriter();
    bool Open(const std::string& fileName);
    // The row of tick `tick`, run by scene `scene` with the key bits `bits`.
    void WriteRow(int64_t tick, int scene, int bits, const GameApp& app);

    // The row as text, without its line end.
    static std::string Row(int64_t tick, int scene, int bits, const GameApp& app);

  private:
    std::FILE* file = nullptr;
};
