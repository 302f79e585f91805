// The board picture: lays the board out for the panel, draws the empty board,
// stones, move numbers and marks into BoardImage and copies finished squares
// to the screen picture PaintBox1. The model drives it through GameView (in
// the window, through the GamePresenter); the window owns the panel and shows
// PaintBox1 where it is told it changed.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <array>
#include <functional>
#include <string>
#include <unordered_map>

#include "board/GameView.h"
#include "board/WeiQiGame.h"
#include "render/BoardArt.h"
#include "render/BoardGeometry.h"
#include "render/PictureMemory.h"

class QPainter;

namespace zemra {

class BoardRenderer : public GameView {
public:
    // Told the part of PaintBox1 that changed.
    using ScreenChanged = std::function<void(const QRect&)>;

    // Reads the model; does not own it. Nothing is drawn before InitChessBoard.
    explicit BoardRenderer(const WeiQiGame& game);

    // --- inputs owned by the window -------------------------------------
    void setPanelSize(int width, int height);
    // A change re-runs the full layout at the next InitChessBoard.
    void setShowCoordinates(bool on);
    bool showCoordinates() const { return m_showCoordinates; }
    // Last-move marks are red, or blue (while a record is tried out).
    void setMarksBlue(bool on) { m_marksBlue = on; }
    void setScreenChanged(ScreenChanged callback) { m_screenChanged = std::move(callback); }

    // --- geometry -------------------------------------------------------
    int ChessSize() const { return m_layout.chessSize; }
    int BoardMargin() const { return m_layout.margin; }
    int BoardImageSize() const { return m_imageSize; }
    const BoardLayout& layout() const { return m_layout; }
    // Where PaintBox1 sits in the board panel; negative when it does not fit.
    QPoint paintBoxPos() const { return m_paintBoxPos; }

    const QImage& BoardImage() const { return m_board; }
    const QImage& PaintBox1() const { return m_screen; }
    // The ink (grid, frame, star dot) of one kind of empty point, black on white.
    const QImage& boardPiece(PieceKind kind) const { return m_pieces[static_cast<std::size_t>(kind)]; }
    zemra::StoneLabelMode StoneLabelMode() const { return m_stoneLabelMode; }

    // The work done so far: whole empty boards drawn, and stones drawn.
    struct DrawCounts {
        int emptyBoards = 0;
        int stones = 0;
    };
    const DrawCounts& drawCounts() const { return m_drawCounts; }

    // --- the board ----------------------------------------------------------
    void SetChessSize();
    // Draws nothing when the picture already shows this empty board.
    void InitChessBoard() override;
    void DrawChessBoard();
    void DrawStar(int a, int b);
    void DrawCoordinate();
    void ClearChessBoard(int i, int j) override;
    void SendImageToFront(int i, int j) override;
    // Re-lay the board and redraw every stone and dead mark. Record labels
    // are the viewer's to redraw.
    void FormResize();

    // --- stones and marks -------------------------------------------------
    void DrawChess(int i, int j, Colour stone) override;
    // By state code: only "BlackChess" and "WhiteChess" draw anything.
    void DrawChess(int i, int j, PointCode code);
    void ShowChessNumber(int i, int j, int number);
    void ShowChessNumberAndFlag(int moveNumber) override;
    void DrawLargeTriangle(int i, int j);
    void DrawSmallTriangle(int i, int j) override;
    void DrawBlock(int i, int j, Colour square) override;
    void DrawLabel(int i, int j, const QString& text);
    void DeleteDeadChessFromImage(const std::string& captureText) override;
    // The number button: 1 -> 2 -> 3 -> 1 and relabel every stone; nothing
    // while dead stones are being marked.
    void BtnNumberClick();
    void SetStoneLabelMode(zemra::StoneLabelMode mode) override { m_stoneLabelMode = mode; }

    // The player panel is the window's; it overrides these.
    void SetLabelBlackDead(const std::string&) override {}
    void SetLabelWhiteDead(const std::string&) override {}
    void ShowSideToMove(Colour) override {}
    void PlayStoneSound(std::string_view) override {}
    void SetHandicapCell(const std::string&) override {}

private:
    // Only points of the picture as last laid out: the pixel work below trusts
    // the pieces, the stones and the picture to be of the layout's sizes.
    bool drawable(int i, int j) const
    {
        return m_layout.chessSize > 0 && m_layout.chessSize == m_drawnChessSize && m_layout.onBoard(i, j);
    }
    QRgb markColour() const;
    void paintWood(const QRect& area);
    void clearCell(int i, int j);
    void drawStone(int i, int j, Colour stone);
    void drawNumber(QPainter& painter, int i, int j, int number);
    void drawLargeTriangle(int i, int j);
    void drawSmallTriangle(int i, int j);
    void drawStarDot(int a, int b);
    // A move number laid out once per font: shaping the digits is most of
    // what drawing them costs.
    struct ShapedNumber {
        QList<QGlyphRun> glyphs; // placed from the baseline's left end
        int width = 0;           // the measured width that centres it
    };
    const ShapedNumber& shapedNumber(int number);
    void drawCentredText(QPainter& painter, int i, int j, const QString& text, const QFont& font, const QFontMetrics& metrics,
                         QRgb colour);
    void cutPieces();
    void copyToScreen(const QRect& area);

    const WeiQiGame& m_game;
    int m_panelWidth = 0;
    int m_panelHeight = 0;
    bool m_showCoordinates = false;
    bool m_coordinatesChanged = false;
    bool m_marksBlue = false;
    ScreenChanged m_screenChanged;

    BoardLayout m_layout;
    // The cell size the picture, pieces and stones were last made for.
    int m_drawnChessSize = 0;
    // The picture is the empty board as last laid out, nothing drawn on it
    // since: laying out the same board again would draw the same pixels.
    // Whatever draws into the picture must clear it.
    bool m_blank = false;
    int m_imageSize = 0;
    QPoint m_paintBoxPos;
    int m_textHeightA = 0;  // hA
    int m_textWidth19 = 0;  // w19
    int m_numberPoints = 0; // the sizes of the two fonts below
    int m_labelPoints = 0;
    QFont m_numberFont;
    QFont m_labelFont;
    QFontMetrics m_numberMetrics{m_numberFont};
    QFontMetrics m_labelMetrics{m_labelFont};
    std::unordered_map<int, ShapedNumber> m_shapedNumbers;
    zemra::StoneLabelMode m_stoneLabelMode = zemra::StoneLabelMode::LastMoveMark;

    QImage m_board;
    QImage m_screen;
    PictureMemory m_boardMemory;
    PictureMemory m_screenMemory;
    std::array<QImage, PieceKindCount> m_pieces;
    const StoneImages* m_stones = nullptr;
    DrawCounts m_drawCounts;
};

} // namespace zemra
