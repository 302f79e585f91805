// The three ways to save the position: an SGF record of the moves, a text
// diagram in GBK box characters, and (in the window) a bitmap. Here are the
// file contents, the proposed names and the one safe way to write a file.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

#include "board/WeiQiGame.h"
#include "records/GameInfo.h"

namespace zemra {

// The SGF lines without line ends: the root (ending in CA[GBK]), the set-up
// line when there is one, one line per MoveList entry, ")". Values are escaped.
QStringList sgfRecordLines(const WeiQiGame& game, const GameInfo& info);

// The set-up line: the fixed "AB[dp][pd]..." line when the stones the game
// started with are the standard handicap layout for HandicapCount, otherwise
// AB/AW of the stones it really started with; empty when it had none.
QString setupLine(const WeiQiGame& game);

// The whole SGF file: GBK, every line ended by CR LF.
QByteArray sgfRecordBytes(const WeiQiGame& game, const GameInfo& info);

// The text diagram: BoardSize + 2 lines of 2 × BoardSize + 3 bytes, GBK, CR LF.
QByteArray boardDiagramBytes(const WeiQiGame& game);

// Whether the diagram draws a star at the empty inner point (i, j).
bool diagramStarPoint(int boardSize, int i, int j);

// "Game 2026-12-07_01.sgf": the counter with a leading zero below 10.
QString proposedSgfName(const QDate& today, int saveCounter);
QString proposedTxtName(const QDate& today); // "Game 2026-12-07.txt"
QString proposedBmpName(const QDate& today); // "Game 2026-12-07.bmp"

// Side of the square the bitmap copies from the board picture.
constexpr int bitmapSide(int chessSize, int boardSize, int boardMargin)
{
    return chessSize * boardSize + 2 * boardMargin;
}

// Writes the whole file with writeFileAtomically, so a failure never leaves a
// cut or empty file where a good one was. Returns "" or a Chinese sentence
// naming the file and the reason.
QString writeFileSafely(const QString& path, const QByteArray& bytes);

} // namespace zemra
