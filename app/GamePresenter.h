// The one way from the game to the window: what the model reports, the
// record labels, the hint and the side to move become drawing on the board
// picture and updates of the player panel. The model reports through
// GameView; the mode controllers and the window call the rest.
#pragma once

#include <QString>

#include <functional>

#include "board/GameView.h"
#include "render/BoardRenderer.h"

namespace zemra {

class BoardWidget;
class InfoPanel;

class GamePresenter final : public GameView {
public:
    // Reads the game and writes the panel; owns neither.
    GamePresenter(const WeiQiGame& game, InfoPanel& panel);

    const BoardRenderer& renderer() const { return m_renderer; }

    // --- the window ------------------------------------------------------------
    // PaintBox1 on screen: it shows the picture where the layout places it.
    void setBoardWidget(BoardWidget* widget);
    // The board panel's size. Nothing is drawn before the first one: a
    // picture made for a window that has not got its size yet is thrown away.
    void setPanelSize(int width, int height);
    void setShowCoordinates(bool on) { m_renderer.setShowCoordinates(on); }
    // Re-lay the board and redraw every stone and dead mark.
    void FormResize();
    void BtnNumberClick() { m_renderer.BtnNumberClick(); }
    // Plays a stone sound ("Play", "Take"); the window applies the user's option.
    std::function<void(const QString& name)> playStoneSound;

    // --- the mode controllers ---------------------------------------------------
    // A record label (its first character) on the picture.
    void DrawLabel(int i, int j, const QString& text) { m_renderer.DrawLabel(i, j, text); }
    // Point (i, j) as the model has it: a label or a hint stone there goes.
    void redrawPoint(int i, int j);
    // The hint: a stone on the picture only, until redrawPoint.
    void showHintStone(int i, int j, Colour side);
    // Last-move marks are blue while a record is tried out.
    void setTrialPlay(bool on) { m_renderer.setMarksBlue(on); }

    // --- GameView -------------------------------------------------------------
    void ShowChessNumberAndFlag(int moveNumber) override { m_renderer.ShowChessNumberAndFlag(moveNumber); }
    void DeleteDeadChessFromImage(const std::string& captureText) override { m_renderer.DeleteDeadChessFromImage(captureText); }
    void ClearChessBoard(int i, int j) override { m_renderer.ClearChessBoard(i, j); }
    void DrawChess(int i, int j, Colour stone) override { m_renderer.DrawChess(i, j, stone); }
    void SendImageToFront(int i, int j) override { m_renderer.SendImageToFront(i, j); }
    void DrawSmallTriangle(int i, int j) override { m_renderer.DrawSmallTriangle(i, j); }
    void DrawBlock(int i, int j, Colour square) override { m_renderer.DrawBlock(i, j, square); }
    void InitChessBoard() override;
    void SetStoneLabelMode(StoneLabelMode mode) override { m_renderer.SetStoneLabelMode(mode); }
    void SetLabelBlackDead(const std::string& caption) override;
    void SetLabelWhiteDead(const std::string& caption) override;
    void ShowSideToMove(Colour side) override;
    void PlayStoneSound(std::string_view name) override;
    void SetHandicapCell(const std::string& text) override;

private:
    void placeWidget();

    const WeiQiGame& m_game;
    InfoPanel& m_panel;
    BoardRenderer m_renderer;
    BoardWidget* m_widget = nullptr;
    bool m_sized = false;
};

} // namespace zemra
