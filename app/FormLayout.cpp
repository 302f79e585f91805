// The pieces of the main window and where they go: the board panel with
// PaintBox1, the frame strips, the side panel with its player area, grid,
// splitter, log and chat line, and the toolbar with its pop-up menus.
#include "app/FormMain.h"

#include <QMenu>
#include <QWindow>

#include "app/Artwork.h"
#include "app/BoardWidget.h"
#include "app/ChatLine.h"
#include "app/InfoPanel.h"
#include "app/MessageLog.h"
#include "app/MyImageUnit.h"
#include "app/ZemraApplication.h"

namespace zemra {

namespace {

constexpr int Strip = 12;           // decorative frame strips
constexpr int ToolPanelWidth = 282; // 270 content + the right strip
constexpr int ContentWidth = 270;
constexpr int SideBar = 8;
constexpr int HeaderHeight = 19;
constexpr int FooterHeight = 20;
constexpr int ButtonBarHeight = 66;
constexpr int SplitterHeight = 11;
const QColor WindowColour(239, 239, 247);

} // namespace

void TFormMain::buildWindow()
{
    m_central = new QWidget(this);
    m_central->setAutoFillBackground(true);
    QPalette pal = m_central->palette();
    pal.setColor(QPalette::Window, WindowColour);
    m_central->setPalette(pal);
    setCentralWidget(m_central);

    m_boardPanel = new QWidget(m_central);
    m_boardPanel->setObjectName(QStringLiteral("BoardPanel"));
    m_paintBox = new BoardWidget(m_boardPanel);
    connect(m_paintBox, &TMyImage::mousePressed, this,
            [this](TMyImage*, Qt::MouseButton b, QPoint) { runGuarded([&] { PaintBox1MouseDown(b); }); });
    connect(m_paintBox, &TMyImage::mouseReleased, this,
            [this](TMyImage*, Qt::MouseButton b, QPoint p) { runGuarded([&] { PaintBox1MouseUp(b, p.x(), p.y()); }); });
    connect(m_paintBox, &TMyImage::mouseEntered, this, [this] { PaintBox1MouseEnter(); });
    connect(m_paintBox, &TMyImage::mouseLeft, this, [this] { PaintBox1MouseLeave(); });

    m_toolPanel = new QWidget(m_central);

    // Frame strips; the right one runs inside the tool panel.
    const char* frameNames[] = {"FrameTopLeft", "FrameTop",         "FrameTopRight", "FrameBottomLeft",
                                "FrameBottom",  "FrameBottomRight", "FrameLeft",     "FrameRight"};
    for (const char* name : frameNames) {
        const QString frame = QString::fromLatin1(name);
        auto* piece = new TMyImage(frame == QLatin1String("FrameRight") ? m_toolPanel : m_central);
        piece->setPicture(artworkPixmap(frame));
        piece->setStretch(true);
        piece->setObjectName(frame);
        m_frames << piece;
    }
    m_header = new TMyImage(m_toolPanel);
    m_header->setPicture(artworkPixmap(QStringLiteral("ToolHeader")));
    m_header->setStretch(true);
    m_footer = new TMyImage(m_toolPanel);
    m_footer->setPicture(artworkPixmap(QStringLiteral("ToolFooter")));
    m_footer->setStretch(true);
    for (int k = 0; k < 2; ++k) {
        auto* bar = new TMyImage(m_toolPanel);
        bar->setPicture(artworkPixmap(QStringLiteral("PanelSide")));
        bar->setStretch(true);
        bar->setObjectName(k == 0 ? QStringLiteral("PanelSideLeft") : QStringLiteral("PanelSideRight"));
        m_frames << bar;
    }

    m_lowerArea = new QWidget(m_toolPanel);

    m_splitter = new TMyImage(m_lowerArea);
    m_splitter->setObjectName(QStringLiteral("ImageResize1"));
    m_splitter->setPicture(artworkPixmap(QStringLiteral("ImageResize")));
    m_splitter->setCursor(Qt::SplitVCursor);
    m_dragBar = new TMyImage(m_lowerArea);
    m_dragBar->setPicture(artworkPixmap(QStringLiteral("ImageResize")));
    m_dragBar->hide();
    connect(m_splitter, &TMyImage::mousePressed, this,
            [this](TMyImage*, Qt::MouseButton, QPoint p) { ImageResize1MouseDown(p.y()); });
    connect(m_splitter, &TMyImage::mouseMoved, this,
            [this](TMyImage*, Qt::MouseButtons, QPoint p) { ImageResize1MouseMove(p.y()); });
    connect(m_splitter, &TMyImage::mouseReleased, this, [this](TMyImage*, Qt::MouseButton, QPoint) { ImageResize1MouseUp(); });

    m_buttonBar = new QWidget(m_toolPanel);
}

void TFormMain::buildPanels()
{
    if (m_log) return;
    m_info->build();

    PendingLog pending = std::exchange(m_pendingLog, {});
    m_log = new MessageLog(m_lowerArea);
    if (pending.cleared) m_log->clearLog();
    // Chat lines carry the name the current mode knows the user by.
    m_log->setLocalHeader([this] { return m_mode ? m_mode->chatName() : QString(); });
    for (const auto& [kind, text] : pending.entries)
        m_log->SendOutMessage(kind, text);

    m_chat = new ChatLine(m_buttonBar);
    connect(m_chat, &ChatLine::lineSent, this, [this](const QString& text) { runGuarded([&] { chatLineSent(text); }); });

    layoutWindow();
    // Made under parents that may be shown already.
    m_log->show();
    m_chat->show();
}


void TFormMain::buildToolbar()
{
    struct ToolbarButton {
        TMyImage** button;
        const char* strip;
        int x;
        std::function<void()> click;
    };
    const ToolbarButton buttons[] = {
        {&BtnGameMode, "ImageGameMode", 12, [this] { popUp(MenuId::GameMode, BtnGameMode); }},
        {&m_modeButtons[0], "ImageLocal", 65, [this] { popUp(MenuId::Local, m_modeButtons[0]); }},
        {&m_modeButtons[1], "ImageOpen", 65, [this] { popUp(MenuId::Open, m_modeButtons[1]); }},
        {&m_modeButtons[2], "ImageGNUGO", 65, [this] { popUp(MenuId::GNUGO, m_modeButtons[2]); }},
        {&m_modeButtons[3], "ImageNetwork", 65, [this] { popUp(MenuId::Network, m_modeButtons[3]); }},
        {&BtnNumber, "ImageNumber", 117, [this] { BtnNumberClick(); }},
        {&BtnOption, "ImageOption", 163, [this] { popUp(MenuId::Option, BtnOption); }},
        {&BtnExit, "ImageExit", 208, [this] { close(); }},
    };
    for (const ToolbarButton& b : buttons) {
        auto* button = new TMyImage(m_buttonBar);
        const QString strip = QString::fromLatin1(b.strip);
        button->setObjectName(QStringLiteral("Btn") + strip.mid(5));
        button->setPicture(buttonFrame(strip, ButtonFrame::Normal));
        button->setGeometry(b.x, 35, ButtonWidth, ButtonHeight);
        button->setCursor(Qt::PointingHandCursor);
        connect(button, &TMyImage::mouseEntered, this,
                [button, strip] { button->setPicture(buttonFrame(strip, ButtonFrame::Hover)); });
        connect(button, &TMyImage::mouseLeft, this,
                [button, strip] { button->setPicture(buttonFrame(strip, ButtonFrame::Normal)); });
        connect(button, &TMyImage::mousePressed, this,
                [button, strip] { button->setPicture(buttonFrame(strip, ButtonFrame::Pressed)); });
        connect(button, &TMyImage::mouseReleased, this,
                [button, strip] { button->setPicture(buttonFrame(strip, ButtonFrame::Normal)); });
        connect(button, &TMyImage::clicked, this, [click = b.click] { runGuarded(click); });
        *b.button = button;
    }
    showModeButton(std::nullopt);
}

QPoint TFormMain::menuPopupPoint(QMenu* menu, const QPoint& buttonTopLeft) const
{
    const int h = GetMenuHeight(menu);
    if (menu == menuOption()) return {buttonTopLeft.x() + 25 - menu->sizeHint().width() / 2, buttonTopLeft.y() - h - 5};
    return {buttonTopLeft.x() - 20, buttonTopLeft.y() - h - 5};
}

void TFormMain::popUp(MenuId id, TMyImage* button)
{
    QMenu* m = menu(id);
    // Styled on first use: the style makes the height rule the real height.
    if (m->styleSheet().isEmpty()) m->setStyleSheet(menuStyleSheet());
    m->popup(menuPopupPoint(m, button->mapToGlobal(QPoint(0, 0))));
}

TFormMain::LowerLayout TFormMain::splitLowerArea(int height)
{
    LowerLayout l;
    if (height <= 8) return l;
    l.splitterTop = (height - 8) / 2 + 8;
    l.gridHeight = std::max(l.splitterTop - 8, 0);
    l.logHeight = std::max(height - l.splitterTop - SplitterHeight, 0);
    return l;
}

void TFormMain::layoutWindow()
{
    if (!m_central) return;
    const int w = std::max(m_central->width(), ToolPanelWidth + 2 * Strip + 50);
    const int h = std::max(m_central->height(), 2 * Strip + HeaderHeight + 198 + ButtonBarHeight + FooterHeight + 40);

    // Frame strips: corners, then stretched middles.
    m_frames[0]->setGeometry(0, 0, 16, Strip);
    m_frames[1]->setGeometry(16, 0, w - 32, Strip);
    m_frames[2]->setGeometry(w - 16, 0, 16, Strip);
    m_frames[3]->setGeometry(0, h - Strip, 16, Strip);
    m_frames[4]->setGeometry(16, h - Strip, w - 32, Strip);
    m_frames[5]->setGeometry(w - 16, h - Strip, 16, Strip);
    m_frames[6]->setGeometry(0, Strip, Strip, h - 2 * Strip);

    m_boardPanel->setGeometry(Strip, Strip, w - Strip - ToolPanelWidth, h - 2 * Strip);
    const int panelHeight = h - 2 * Strip;
    m_toolPanel->setGeometry(w - ToolPanelWidth, Strip, ToolPanelWidth, panelHeight);
    m_frames[7]->setGeometry(ContentWidth, 0, Strip, panelHeight);

    m_header->setGeometry(0, 0, ContentWidth, HeaderHeight);
    m_footer->setGeometry(0, panelHeight - FooterHeight, ContentWidth, FooterHeight);
    const int contentTop = HeaderHeight;
    const int contentBottom = panelHeight - FooterHeight;
    m_frames[8]->setGeometry(0, contentTop, SideBar, contentBottom - contentTop);
    m_frames[9]->setGeometry(ContentWidth - SideBar, contentTop, SideBar, contentBottom - contentTop);

    if (m_info->built()) m_info->playerArea()->setGeometry(SideBar, contentTop, PlayerArea::Width, PlayerArea::Height);
    const int lowerTop = contentTop + PlayerArea::Height;
    const int lowerHeight = std::max(contentBottom - ButtonBarHeight - lowerTop, 20);
    m_lowerArea->setGeometry(SideBar, lowerTop, 254, lowerHeight);
    m_buttonBar->setGeometry(0, lowerTop + lowerHeight, ContentWidth, ButtonBarHeight);
    if (m_chat) m_chat->setGeometry(SideBar, 6, 254, 22);

    layoutLowerArea(splitLowerArea(lowerHeight).splitterTop);
}

void TFormMain::layoutLowerArea(int splitterTop)
{
    const int h = m_lowerArea->height();
    if (h <= 8) return;
    if (splitterTop - 8 >= 0 && m_info->built()) m_info->StringGrid1()->setGeometry(0, 8, 254, splitterTop - 8);
    m_splitter->setGeometry(0, splitterTop, 254, SplitterHeight);
    m_dragBar->setGeometry(0, splitterTop, 254, SplitterHeight);
    if (m_log) m_log->setGeometry(0, splitterTop + SplitterHeight, 254, std::max(h - splitterTop - SplitterHeight, 0));
}

void TFormMain::ImageResize1MouseDown(int y)
{
    ResizerLastY = y;
    ResizerDragging = true;
    m_dragBar->move(m_splitter->pos());
    m_dragBar->show();
    m_dragBar->raise();
}

void TFormMain::ImageResize1MouseMove(int y)
{
    if (!ResizerDragging) return;
    const int h = m_lowerArea->height();
    const int n = y + m_dragBar->y() - ResizerLastY;
    if (n > 3 && n < h - 6) {
        m_dragBar->move(0, n);
        if (n - 8 >= 0) m_info->StringGrid1()->setGeometry(0, 8, 254, n - 8);
        messageLog()->setGeometry(0, n + SplitterHeight, 254, std::max(h - n - SplitterHeight, 0));
    }
    ResizerLastY = y;
}

void TFormMain::ImageResize1MouseUp()
{
    ResizerDragging = false;
    m_dragBar->hide();
    m_splitter->move(0, m_dragBar->y());
}

void TFormMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // A window being shown takes its own size and then, maximised, the
    // screen's; by the time it is first exposed it has the last one.
    if (m_shown != Shown::Hidden || !windowHandle()) return;
    m_shown = Shown::Showing;
    windowHandle()->installEventFilter(this);
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event)
{
    if (m_shown == Shown::Showing && watched == windowHandle() && event->type() == QEvent::Expose &&
        windowHandle()->isExposed()) {
        windowHandle()->removeEventFilter(this);
        firstShown(); // before the window's first paint
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFormMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    layoutWindow();
    if (m_shown == Shown::Shown) FormResize();
}

} // namespace zemra
