#include "app/GamePresenter.h"

#include "app/BoardWidget.h"
#include "app/InfoPanel.h"
#include "text/Utf8.h"

namespace zemra {

namespace {

} // namespace

GamePresenter::GamePresenter(const WeiQiGame& game, InfoPanel& panel) : m_game(game), m_panel(panel), m_renderer(game) {}

void GamePresenter::setBoardWidget(BoardWidget* widget)
{
    m_widget = widget;
    widget->setBoardPicture(&m_renderer.PaintBox1());
    m_renderer.setScreenChanged([widget](const QRect& r) { widget->update(r); });
}

void GamePresenter::setPanelSize(int width, int height)
{
    m_renderer.setPanelSize(width, height);
    m_sized = true;
}

void GamePresenter::placeWidget()
{
    if (!m_widget) return;
    const int size = m_renderer.BoardImageSize();
    m_widget->setGeometry(QRect(m_renderer.paintBoxPos(), QSize(size, size)));
    m_widget->update();
}

void GamePresenter::InitChessBoard()
{
    if (!m_sized) return;
    m_renderer.InitChessBoard();
    placeWidget();
}

void GamePresenter::FormResize()
{
    if (!m_sized) return;
    m_renderer.FormResize();
    placeWidget();
}

void GamePresenter::redrawPoint(int i, int j)
{
    if (!WeiQiGame::inArray(i, j)) return;
    m_renderer.ClearChessBoard(i, j);
    if (m_game.hasStone(i, j)) {
        const int number = m_game.pointNumber(i, j);
        if (number != 0) {
            m_renderer.ShowChessNumberAndFlag(number); // copies the point itself
            return;
        }
        m_renderer.DrawChess(i, j, m_game.pointCode(i, j));
    }
    m_renderer.SendImageToFront(i, j);
}

void GamePresenter::showHintStone(int i, int j, Colour side)
{
    m_renderer.DrawChess(i, j, side);
    m_renderer.SendImageToFront(i, j);
}

void GamePresenter::SetLabelBlackDead(const std::string& caption)
{
    m_panel.SetLabelBlackDead(fromUtf8(caption));
}

void GamePresenter::SetLabelWhiteDead(const std::string& caption)
{
    m_panel.SetLabelWhiteDead(fromUtf8(caption));
}

void GamePresenter::ShowSideToMove(Colour side)
{
    m_panel.ShowSideToMove(side);
}

void GamePresenter::PlayStoneSound(std::string_view name)
{
    if (playStoneSound) playStoneSound(fromUtf8(name));
}

void GamePresenter::SetHandicapCell(const std::string& text)
{
    m_panel.SetHandicapCell(fromUtf8(text));
}

} // namespace zemra
