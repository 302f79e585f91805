// The main window: owns the game state and every piece of the window, lays
// them out, carries the toolbar and its menus, switches between the four
// modes and turns board clicks into the current mode's operations. A mode's
// own logic lives in its class (LocalGame, ...); this class only dispatches.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/LocalGame.h"
#include "board/WeiQiGame.h"

class QAction;
class QMenu;
class QLabel;

namespace zemra {

class BoardRenderer;
class BoardWidget;
class ChatLine;
class InfoPanel;
class MessageLog;
class TMyImage;
class FormView;

class TFormMain : public QMainWindow, public LocalGameHost {
    Q_OBJECT
public:
    // args: the command-line arguments after the program name.
    explicit TFormMain(const QStringList& args = {}, QWidget* parent = nullptr);
    ~TFormMain() override;

    // --- state of the window ----------------------------------------------
    QString GameMode;
    QString ProgramDir; // with a trailing separator
    bool StoneSoundOn = true;
    bool InfoSoundOn = true;
    bool ShowCoordinates = true;
    bool BoardMouseDown = false;
    bool MouseOverBoard = false;
    int TickCount = 0;
    bool Closing = false;
    bool ResizerDragging = false;
    int ResizerLastY = 0;
    bool HintBlinking = false;
    QString LocalNickName;
    QString LocalRank;
    // Network values; the connection itself comes with network play.
    QString NetworkRole;
    QString NetworkColor;
    bool PeerConnected = false;

    WeiQiGame& game() { return m_game; }
    BoardRenderer& renderer();
    MessageLog* messageLog() const { return m_log; }
    ChatLine* chatLine() const { return m_chat; }
    InfoPanel& infoPanel() { return *m_info; }
    BoardWidget* PaintBox1() const { return m_paintBox; }
    LocalGame& localGame() { return *m_local; }

    // The six toolbar menus and their items by caption.
    QMenu* menuGameMode() const { return m_menuMode; }
    QMenu* menuLocal() const { return m_menuLocal; }
    QMenu* menuOpen() const { return m_menuOpen; }
    QMenu* menuGNUGO() const { return m_menuGNUGO; }
    QMenu* menuNetwork() const { return m_menuNetwork; }
    QMenu* menuOption() const { return m_menuOption; }
    static QAction* item(QMenu* menu, const QString& caption);

    // --- modes --------------------------------------------------------------
    // Leave the current mode before `mode` is entered; false refuses the switch.
    bool SwitchToGameMode(const QString& mode);
    void Menu_Mode_LocalClick();
    void Menu_Mode_OpenClick();
    void Menu_Mode_GNUGOClick();
    void Menu_Mode_NetworkClick();

    // --- board mouse --------------------------------------------------------
    void PaintBox1MouseDown(Qt::MouseButton button);
    void PaintBox1MouseUp(Qt::MouseButton button, int x, int y);
    void PaintBox1MouseEnter();
    void PaintBox1MouseLeave();
    // True when the wheel was used here (stepping through a record).
    bool FormMouseWheel(int delta);

    void BtnNumberClick();

    // --- options and the game-mode menu's extras ------------------------------
    void Menu_Option_SGFClick();
    void Menu_Option_NOSGFClick();
    void Menu_Option_GIBClick();
    void Menu_Option_NOGIBClick();
    void N1Click();
    void Menu_HomePageClick();
    // Where a toolbar menu pops up for a button at this screen position.
    QPoint menuPopupPoint(QMenu* menu, const QPoint& buttonTopLeft) const;

    // --- waiting, sounds, the log ---------------------------------------------
    void Timer1Timer() { ++TickCount; }
    // Keeps handling events for about bound × 100 ms, or until stop() says so.
    void WaitTicks(int bound, const std::function<bool()>& stop = {});
    void SendOutMessage(const QString& kind, const QString& text) override;

    // The close question; tests answer it themselves.
    std::function<bool()> confirmClose;
    // Short refusals; tests collect them.
    std::function<void(const QString&)> informationSink;

    // LocalGameHost
    void ShowInformation(const QString& text) override;
    void SetFlagDeadChecked(bool checked) override;
    void SetLocalIdentity(const QString& nickName, const QString& rank) override;
    std::optional<LocalNewGameChoice> AskLocalNewGame() override;

    // The five banner lines written at start-up.
    static QStringList bannerLines();

    // Lays out the lower side area: grid, splitter, log (height H).
    struct LowerLayout {
        int splitterTop = 0;
        int gridHeight = 0;
        int logHeight = 0;
    };
    static LowerLayout splitLowerArea(int height);

    // Re-lay the board after the panel changed size (unless closing).
    void FormResize();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    friend class FormView;
    void FormCreate(const QStringList& args);
    void buildWindow();
    void buildToolbar();
    void buildMenus();
    void layoutWindow();
    void layoutLowerArea(int splitterTop);
    void placePaintBox();
    bool enterMode(const QString& mode);
    void showModeButton(const QString& mode);
    void checkModeItem(const QString& mode, bool checked);
    void popUp(QMenu* menu, TMyImage* button);
    void ImageResize1MouseDown(int y);
    void ImageResize1MouseMove(int y);
    void ImageResize1MouseUp();
    void leaveNetworkMode();
    void setCoordinates(bool on);
    void setFullScreen(bool on);
    QString dataFile(const QString& name) const;
    bool engineGameRunning() const;

    WeiQiGame m_game;
    std::unique_ptr<FormView> m_view;
    std::unique_ptr<InfoPanel> m_info;
    std::unique_ptr<LocalGame> m_local;

    QWidget* m_central = nullptr;
    QWidget* m_boardPanel = nullptr;
    QWidget* m_toolPanel = nullptr;
    QWidget* m_lowerArea = nullptr;
    QWidget* m_buttonBar = nullptr;
    BoardWidget* m_paintBox = nullptr;
    MessageLog* m_log = nullptr;
    ChatLine* m_chat = nullptr;
    TMyImage* m_splitter = nullptr;
    TMyImage* m_dragBar = nullptr;
    QList<TMyImage*> m_frames;
    TMyImage* m_header = nullptr;
    TMyImage* m_footer = nullptr;

    TMyImage* BtnGameMode = nullptr;
    TMyImage* BtnLocal = nullptr;
    TMyImage* BtnOpen = nullptr;
    TMyImage* BtnGNUGO = nullptr;
    TMyImage* BtnNetwork = nullptr;
    TMyImage* BtnNumber = nullptr;
    TMyImage* BtnOption = nullptr;
    TMyImage* BtnExit = nullptr;

    QMenu* m_menuMode = nullptr;
    QMenu* m_menuLocal = nullptr;
    QMenu* m_menuOpen = nullptr;
    QMenu* m_menuGNUGO = nullptr;
    QMenu* m_menuNetwork = nullptr;
    QMenu* m_menuOption = nullptr;

    QTimer Timer1;
};

} // namespace zemra
