// States no operation of the game makes, for the tests that must see them:
// the invariant check, the count with given captures, the drawing of
// numbers and of damaged nodes.
#pragma once

#include <string>
#include <vector>

#include "board/WeiQiGame.h"

namespace zemra {

struct WeiQiGameTestAccess {
    static void setCaptured(WeiQiGame& g, int black, int white)
    {
        g.m_blackCaptured = black;
        g.m_whiteCaptured = white;
    }
    // The move list replaced; every capture text empty.
    static void setMoves(WeiQiGame& g, std::vector<std::string> moves)
    {
        g.m_moveCount = static_cast<std::int32_t>(moves.size());
        g.m_captureList.assign(moves.size(), std::string());
        g.m_moveList = std::move(moves);
    }
    static void setMove(WeiQiGame& g, std::size_t index, const std::string& node) { g.m_moveList.at(index) = node; }
    static void appendMove(WeiQiGame& g, const std::string& move, const std::string& captures)
    {
        g.m_moveList.push_back(move);
        g.m_captureList.push_back(captures);
        ++g.m_moveCount;
    }
};

} // namespace zemra
