// The four game modes. Inside the program a mode is this enum; its word
// ("local", "open", "GNUGO", "network") and its display name appear only
// where they are shown or compared.
#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace zemra {

enum class GameModeId : std::uint8_t { Local, Open, GNUGO, Network };
inline constexpr std::array<GameModeId, 4> AllGameModes = {GameModeId::Local, GameModeId::Open, GameModeId::GNUGO,
                                                            GameModeId::Network};

// "local", "open", "GNUGO", "network"
inline QString modeWord(GameModeId mode)
{
    switch (mode) {
    case GameModeId::Local: return QStringLiteral("local");
    case GameModeId::Open: return QStringLiteral("open");
    case GameModeId::GNUGO: return QStringLiteral("GNUGO");
    case GameModeId::Network: break;
    }
    return QStringLiteral("network");
}

// The name in the mode notices: "本地对局", "欣赏棋谱", "人机对弈", "网络对局".
inline QString modeDisplayName(GameModeId mode)
{
    switch (mode) {
    case GameModeId::Local: return QStringLiteral("本地对局");
    case GameModeId::Open: return QStringLiteral("欣赏棋谱");
    case GameModeId::GNUGO: return QStringLiteral("人机对弈");
    case GameModeId::Network: break;
    }
    return QStringLiteral("网络对局");
}

} // namespace zemra
