// Seeded random play for stress tests, the GNU Go comparison and benchmarks.
// Besides random points it retakes at the last captured point now and then,
// so ko fights and refusals come up often.
#pragma once

#include <cstdint>
#include <random>

#include "board/MoveNode.h"
#include "board/WeiQiGame.h"

namespace zemra::test {

struct RandomMove {
    bool pass = false;
    int i = 0;
    int j = 0;
};

class RandomPlayer {
public:
    explicit RandomPlayer(std::uint32_t seed, int passPercent = 2, int retakePercent = 25)
        : m_rng(seed), m_passPercent(passPercent), m_retakePercent(retakePercent)
    {
    }

    // A candidate move; it may be illegal.
    RandomMove propose(const WeiQiGame& game)
    {
        std::uniform_int_distribution<int> percent(0, 99);
        if (percent(m_rng) < m_passPercent) return {true, 0, 0};
        if (game.MoveCount() > 0 && percent(m_rng) < m_retakePercent) {
            const std::vector<MoveNode> caps = parseCaptureText(game.CaptureList().back());
            if (!caps.empty()) return {false, caps.front().i, caps.front().j};
        }
        std::uniform_int_distribution<int> coord(1, game.BoardSize());
        for (int tries = 0; tries < 40; ++tries) {
            const int i = coord(m_rng);
            const int j = coord(m_rng);
            if (game.pointCode(i, j) == PointCode::Empty) return {false, i, j};
        }
        return {true, 0, 0};
    }

    std::mt19937& rng() { return m_rng; }

private:
    std::mt19937 m_rng;
    int m_passPercent;
    int m_retakePercent;
};

} // namespace zemra::test
