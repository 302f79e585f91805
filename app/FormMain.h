// The main window: owns the game state, the game information and every piece
// of the window, lays them out, carries the toolbar and its menus, and hands
// mode switches, board clicks, the wheel, closing and menu commands to the
// current mode's controller. A mode's own logic lives in its controller.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <utility>

#include "app/CommandTable.h"
#include "app/ModeController.h"
#include "app/ToolbarMenus.h"
#include "board/WeiQiGame.h"
#include "records/GameInfo.h"

class QAction;
class QMenu;

namespace zemra {

class BoardWidget;
class ChatLine;
class InfoPanel;
class MessageLog;
class TMyImage;
class SaveCommands;

class TFormMain : public QMainWindow, public ModeHost {
    Q_OBJECT
public:
    // recordPath: the record named on the command line, as the system names it.
    explicit TFormMain(const QByteArray& recordPath = {}, QWidget* parent = nullptr);
    ~TFormMain() override;

    // --- state of the window ----------------------------------------------
    QString ProgramDir; // with a trailing separator
    bool StoneSoundOn = true;
    bool InfoSoundOn = true;
    bool ShowCoordinates = true;
    bool FullScreen = false;
    bool BoardMouseDown = false;
    bool MouseOverBoard = false;
    int TickCount = 0;
    bool Closing = false;
    bool ResizerDragging = false;
    int ResizerLastY = 0;

    // The mode word ("local", ...), empty before the first mode is entered.
    QString GameMode() const;
    std::optional<GameModeId> currentMode() const;
    // The controller of a mode.
    template <class Controller> Controller& controller() const;
    ModeController& controller(GameModeId mode) const { return *m_modes[static_cast<std::size_t>(mode)]; }

    // The log and the chat line, made first if they are not yet.
    MessageLog* messageLog() { return buildPanels(), m_log; }
    ChatLine* chatLine() { return buildPanels(), m_chat; }
    InfoPanel& infoPanel() { return buildPanels(), *m_info; }
    BoardWidget* PaintBox1() const { return m_paintBox; }
    // The board picture as drawn.
    const BoardRenderer& renderer() const { return m_presenter->renderer(); }

    // The toolbar menus and their items.
    QMenu* menu(MenuId id) const { return m_menus->menu(id); }
    QAction* action(Command command) const { return m_menus->action(command); }
    QMenu* menuGameMode() const { return menu(MenuId::GameMode); }
    QMenu* menuLocal() const { return menu(MenuId::Local); }
    QMenu* menuOpen() const { return menu(MenuId::Open); }
    QMenu* menuGNUGO() const { return menu(MenuId::GNUGO); }
    QMenu* menuNetwork() const { return menu(MenuId::Network); }
    QMenu* menuOption() const { return menu(MenuId::Option); }

    // Runs one menu command through the error boundary; menus show the
    // new state afterwards.
    void runCommand(Command command);
    // The window's own menu commands (modes, options, the extras), each
    // once; the rest belong to the mode controllers.
    using Row = CommandRow<TFormMain>;
    static std::span<const Row> windowCommands();

    // --- modes --------------------------------------------------------------
    // Leave the current mode before `mode` is entered; false refuses the switch.
    bool SwitchToGameMode(GameModeId mode);
    void Menu_Mode_LocalClick() { enterMode(GameModeId::Local); }
    void Menu_Mode_OpenClick() { enterMode(GameModeId::Open); }
    void Menu_Mode_GNUGOClick() { enterMode(GameModeId::GNUGO); }
    void Menu_Mode_NetworkClick() { enterMode(GameModeId::Network); }

    // --- board mouse --------------------------------------------------------
    void PaintBox1MouseDown(Qt::MouseButton button);
    void PaintBox1MouseUp(Qt::MouseButton button, int x, int y);
    void PaintBox1MouseEnter();
    void PaintBox1MouseLeave();
    // True when the wheel was used here (stepping through a record).
    bool FormMouseWheel(int delta);
    void BtnNumberClick();

    // --- options and the game-mode menu's extras ------------------------------
    void Menu_Option_SaveSGFClick();
    void Menu_Option_SaveBMPClick();
    void Menu_Option_SaveTXTClick();
    SaveCommands& saveCommands() { return *m_save; }
    void Menu_Option_SaveChatClick();
    void Menu_Option_SGFClick();
    void Menu_Option_NOSGFClick();
    void Menu_Option_GIBClick();
    void Menu_Option_NOGIBClick();
    void Menu_Option_FullScreenClick();
    void Menu_Option_PlaySoundClick() { StoneSoundOn = !StoneSoundOn; }
    void Menu_Option_InfoSoundClick() { InfoSoundOn = !InfoSoundOn; }
    void Menu_Option_CoordinateClick();
    void N1Click();
    void Menu_HomePageClick();
    // Where a toolbar menu pops up for a button at this screen position.
    QPoint menuPopupPoint(QMenu* menu, const QPoint& buttonTopLeft) const;

    // --- waiting, the log, questions -------------------------------------------
    void Timer1Timer() { ++TickCount; }
    void WaitTicks(int bound, const std::function<bool()>& stop = {}) override;
    void SendOutMessage(const QString& kind, const QString& text) override;

    // Who answers the window's message boxes and dialogs: the window's own,
    // or (tests) another that outlives the window; nullptr restores the own.
    void setUserDialogs(UserDialogs* dialogs);

    // --- ModeHost ------------------------------------------------------------
    WeiQiGame& game() override { return m_game; }
    GameInfo& gameInfo() override { return m_gameInfo; }
    void showGameInfo() override;
    void showResult(const QString& text) override;
    GamePresenter& presenter() override { return *m_presenter; }
    void clearLog() override;
    UserDialogs& userDialogs() override { return *m_dialogs; }
    QWidget* dialogParent() override { return this; }
    void playNotice(const QString& name) override;
    void setBoardCursor(Qt::CursorShape shape) override;
    QString programDir() const override { return ProgramDir; }
    QString dataFile(const QString& name) const override;
    void refreshMenus() override;

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
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void FormCreate(const QByteArray& recordPath);
    // The first layout of the board, once the window is shown at its size,
    // and the record named on the command line.
    void firstShown();
    void buildWindow();
    // The side panel's texts (player area, grid, log, chat line) are made
    // once the window is on the screen, before its first paint, or when
    // first asked for: making them loads the fonts. Then it does nothing.
    void buildPanels();
    void buildToolbar();
    void layoutWindow();
    void layoutLowerArea(int splitterTop);
    void enterMode(GameModeId mode);
    template <GameModeId Mode> CommandState modeState() const { return {true, currentMode() == Mode}; }
    // The network mode's controller is loaded on its first entry; false
    // (the user told why) when it cannot be.
    bool wakeController(GameModeId mode);
    void showModeButton(std::optional<GameModeId> mode);
    void popUp(MenuId menu, TMyImage* button);
    void ImageResize1MouseDown(int y);
    void ImageResize1MouseMove(int y);
    void ImageResize1MouseUp();
    void chatLineSent(const QString& text);

    WeiQiGame m_game;
    GameInfo m_gameInfo;
    std::unique_ptr<InfoPanel> m_info;
    std::unique_ptr<GamePresenter> m_presenter;
    WindowDialogs m_windowDialogs{this};
    UserDialogs* m_dialogs = &m_windowDialogs;
    QByteArray m_startupRecord; // opened once the window is shown
    // What the log is told before it is made: entries since the last
    // clearing, and whether it was cleared (its welcome line too).
    struct PendingLog {
        QList<std::pair<QString, QString>> entries; // kind, text
        bool cleared = false;
    } m_pendingLog;
    enum class Shown { Hidden, Showing, Shown } m_shown = Shown::Hidden;
    std::array<std::unique_ptr<ModeController>, 4> m_modes;
    ModeController* m_mode = nullptr;
    std::unique_ptr<ToolbarMenus> m_menus;
    std::unique_ptr<SaveCommands> m_save;

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
    std::array<TMyImage*, 4> m_modeButtons{}; // BtnLocal, BtnOpen, BtnGNUGO, BtnNetwork
    TMyImage* BtnNumber = nullptr;
    TMyImage* BtnOption = nullptr;
    TMyImage* BtnExit = nullptr;

    QTimer Timer1;
};

template <class Controller> Controller& TFormMain::controller() const
{
    for (const auto& mode : m_modes)
        if (auto* c = dynamic_cast<Controller*>(mode.get())) return *c;
    std::abort(); // every controller type exists once
}

} // namespace zemra
