// The board picture as the window shows it: the renderer, plus what the
// model says about the player panel, the handicap cell and stone sounds,
// which belong to the window.
#pragma once

#include <string>
#include <string_view>

#include "app/FormMain.h"
#include "app/InfoPanel.h"
#include "app/Sounds.h"
#include "render/BoardRenderer.h"

namespace zemra {

// The model speaks UTF-8 std::string; the panel takes QString.
inline QString modelText(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

class FormView final : public BoardRenderer {
public:
    FormView(const WeiQiGame& game, TFormMain& form) : BoardRenderer(game), m_form(form) {}

    void InitChessBoard() override
    {
        BoardRenderer::InitChessBoard();
        m_form.placePaintBox();
    }
    void SetLabelBlackDead(const std::string& caption) override { m_form.m_info->SetLabelBlackDead(modelText(caption)); }
    void SetLabelWhiteDead(const std::string& caption) override { m_form.m_info->SetLabelWhiteDead(modelText(caption)); }
    void ShowSideToMove(Colour side) override { m_form.m_info->ShowSideToMove(side); }
    void PlayStoneSound(std::string_view name) override
    {
        if (m_form.StoneSoundOn) PlayResourceSound(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    }
    void SetHandicapCell(const std::string& text) override { m_form.m_info->SetHandicapCell(modelText(text)); }

private:
    TFormMain& m_form;
};

} // namespace zemra
