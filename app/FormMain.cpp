#include "app/FormMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFile>
#include <QMenu>
#include <QUrl>
#include <QWheelEvent>

#include <exception>
#include <utility>

#include "app/Artwork.h"
#include "app/Associations.h"
#include "app/BoardWidget.h"
#include "app/ChatLine.h"
#include "app/EngineGame.h"
#include "app/GoKnowledge.h"
#include "app/InfoPanel.h"
#include "app/JpegImage.h"
#include "app/LocalGame.h"
#include "app/MessageLog.h"
#include "app/MyImageUnit.h"
#include "app/NetworkMode.h"
#include "app/NetworkModule.h"
#include "app/ProgramFiles.h"
#include "app/RecordViewer.h"
#include "app/SaveCommands.h"
#include "app/Sounds.h"
#include "app/StartupReport.h"
#include "app/ZemraApplication.h"
#include "render/BoardRenderer.h"

namespace zemra {

TFormMain::TFormMain(const QByteArray& recordPath, QWidget* parent) : QMainWindow(parent)
{
    FormCreate(recordPath);
}

TFormMain::~TFormMain()
{
    // The model must not call into a view that is being destroyed.
    m_game.setView(nullptr);
}

QString TFormMain::GameMode() const
{
    return m_mode ? modeWord(m_mode->mode()) : QString();
}

std::optional<GameModeId> TFormMain::currentMode() const
{
    if (!m_mode) return std::nullopt;
    return m_mode->mode();
}

QStringList TFormMain::bannerLines()
{
    const QString rule(38, QLatin1Char('-'));
    // The build's version, padded so that the line stays 38 columns wide
    // (each of the four figures takes two).
    QString version = QStringLiteral("-    ●╭○╮      version ") + QStringLiteral(ZEMRA_VERSION);
    version += QString(qMax<qsizetype>(1, 38 - 1 - (version.size() + 4)), QLatin1Char(' ')) + QLatin1Char('-');
    return {rule, version,
            QStringLiteral("-   /█∨█\\     ") + MakerMailAddress + QStringLiteral("   -"),
            QStringLiteral("-    ∏  ∏    ") + MakerWebAddress + QStringLiteral("  -"), rule};
}

// --- start-up ------------------------------------------------------------------

void TFormMain::FormCreate(const QByteArray& recordPath)
{
    ProgramDir = programDirText();
    setWindowTitle(QStringLiteral("Zemra 围棋"));
    resize(800, 600);

    buildWindow();
    m_info = std::make_unique<InfoPanel>(m_toolPanel, m_lowerArea);
    // Decoded before the window is mapped: done later, the decoder's buffers
    // would add to the peak memory of the first paint.
    m_info->setBlackPicture(loadPlayerPicture(locateProgramFile(QStringLiteral("ImageBlack.jpg"))));
    m_info->setWhitePicture(loadPlayerPicture(locateProgramFile(QStringLiteral("ImageWhite.jpg"))));

    m_presenter = std::make_unique<GamePresenter>(m_game, *m_info);
    m_presenter->playStoneSound = [this](const QString& name) {
        if (StoneSoundOn) PlayResourceSound(name);
    };
    m_presenter->setShowCoordinates(ShowCoordinates);
    m_presenter->setBoardWidget(m_paintBox);
    m_game.setView(m_presenter.get());

    m_menus = std::make_unique<ToolbarMenus>(this, [this](Command c) { runCommand(c); });
    for (int k = 0; k < MenuCount; ++k)
        connect(m_menus->menu(static_cast<MenuId>(k)), &QMenu::aboutToShow, this, [this] { refreshMenus(); });
    buildToolbar();

    // The icon is not needed for the first picture of the window.
    QTimer::singleShot(0, this, [this] { setWindowIcon(applicationIcon()); });

    Timer1.setInterval(100);
    connect(&Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });

    // One controller per mode, in the order of GameModeId.
    m_modes = {std::make_unique<LocalGame>(*this), std::make_unique<RecordViewer>(*this),
               std::make_unique<EngineGame>(*this), networkStandIn(*this)};

    m_save = std::make_unique<SaveCommands>(*this);

    layoutWindow();
    Menu_Mode_LocalClick();

    for (const QString& line : bannerLines())
        SendOutMessage(QStringLiteral("Version"), line);

    // A record named on the command line opens in the record mode once the
    // window is shown at its size, so that it is drawn once.
    m_startupRecord = recordPath;

    // An installed copy can be asked which of its files it finds.
    if (startupReportRequested()) {
        QTimer::singleShot(0, this, [this] {
            printStartupReport(startupReport(locateProgramFile));
            QCoreApplication::exit(0);
        });
    }
}

void TFormMain::firstShown()
{
    m_shown = Shown::Shown;
    // The record goes onto the board before the board is first drawn, at the
    // window's size: the empty board is drawn once, and each stone once.
    std::exception_ptr failed;
    if (!m_startupRecord.isEmpty()) {
        try {
            Menu_Mode_OpenClick();
            controller<RecordViewer>().openCommandLineFile(std::exchange(m_startupRecord, {}));
        } catch (...) {
            failed = std::current_exception();
        }
    }
    FormResize();
    // Made after the record is in, the panels measure only what they show.
    buildPanels();
    // A record that cannot be read is told over the window, once it is painted.
    if (failed) QTimer::singleShot(0, this, [failed] { runGuarded([&] { std::rethrow_exception(failed); }); });
}

QString TFormMain::dataFile(const QString& name) const
{
    return QFile::decodeName(locateProgramFile(name));
}

// --- modes -------------------------------------------------------------------

void TFormMain::showModeButton(std::optional<GameModeId> mode)
{
    for (GameModeId m : AllGameModes)
        m_modeButtons[static_cast<std::size_t>(m)]->setVisible(mode == m);
}

bool TFormMain::SwitchToGameMode(GameModeId mode)
{
    if (!m_mode) return true; // start-up: no mode to leave
    if (!m_mode->mayLeave()) return false;
    m_mode->leaveMode();
    const QString d = modeDisplayName(mode);
    const QString system = QStringLiteral("System");
    SendOutMessage(system, QStringLiteral("您已经切换到了“") + d + QStringLiteral("”模式！"));
    SendOutMessage(system, QStringLiteral("请点击“") + d + QStringLiteral("”的按钮开始新局"));
    showModeButton(std::nullopt);
    return true;
}

bool TFormMain::wakeController(GameModeId mode)
{
    std::unique_ptr<ModeController>& slot = m_modes[static_cast<std::size_t>(mode)];
    if (!isNetworkStandIn(*slot)) return true;
    QString problem;
    std::unique_ptr<ModeController> controller = createNetworkGame(*this, problem);
    if (!controller) {
        qWarning("%s", qPrintable(problem));
        ShowInformation(QStringLiteral("\r网络对局模块 " ZEMRA_NETWORK_MODULE " 无法载入，不能进入网络对局。\r请重新安装 Zemra。"));
        return false;
    }
    slot = std::move(controller);
    return true;
}

void TFormMain::enterMode(GameModeId mode)
{
    if (m_mode && m_mode->mode() == mode) return;
    if (!wakeController(mode)) return;
    if (!SwitchToGameMode(mode)) return;
    m_mode = &controller(mode);
    showModeButton(mode);
    m_mode->enterMode();
    refreshMenus();
}

// --- menu commands -------------------------------------------------------------

std::span<const TFormMain::Row> TFormMain::windowCommands()
{
    using F = TFormMain;
    static constexpr Row rows[] = {
        commandRow<F, F, &F::Menu_Mode_LocalClick, &F::modeState<GameModeId::Local>>(Command::ModeLocal),
        commandRow<F, F, &F::Menu_Mode_OpenClick, &F::modeState<GameModeId::Open>>(Command::ModeOpen),
        commandRow<F, F, &F::Menu_Mode_GNUGOClick, &F::modeState<GameModeId::GNUGO>>(Command::ModeGNUGO),
        commandRow<F, F, &F::Menu_Mode_NetworkClick, &F::modeState<GameModeId::Network>>(Command::ModeNetwork),
        commandRow<F, F, &F::N1Click>(Command::Knowledge),
        commandRow<F, F, &F::Menu_HomePageClick>(Command::HomePage),
        commandRow<F, F, &F::Menu_Option_SaveSGFClick>(Command::SaveSGF),
        commandRow<F, F, &F::Menu_Option_SaveBMPClick>(Command::SaveBMP),
        commandRow<F, F, &F::Menu_Option_SaveTXTClick>(Command::SaveTXT),
        commandRow<F, F, &F::Menu_Option_SaveChatClick>(Command::SaveChat),
        commandRow<F, F, &F::Menu_Option_SGFClick>(Command::AssociateSGF),
        commandRow<F, F, &F::Menu_Option_NOSGFClick>(Command::RemoveSGF),
        commandRow<F, F, &F::Menu_Option_GIBClick>(Command::AssociateGIB),
        commandRow<F, F, &F::Menu_Option_NOGIBClick>(Command::RemoveGIB),
        commandRow<F, F, &F::Menu_Option_FullScreenClick, &F::FullScreen>(Command::FullScreen),
        commandRow<F, F, &F::Menu_Option_PlaySoundClick, &F::StoneSoundOn>(Command::StoneSound),
        commandRow<F, F, &F::Menu_Option_InfoSoundClick, &F::InfoSoundOn>(Command::InfoSound),
        commandRow<F, F, &F::Menu_Option_CoordinateClick, &F::ShowCoordinates>(Command::Coordinates),
    };
    return rows;
}

void TFormMain::runCommand(Command command)
{
    runGuarded([&] {
        if (runCommandRow(windowCommands(), *this, command)) return;
        for (const auto& mode : m_modes)
            if (mode->runCommand(command)) return;
    });
    refreshMenus();
}

void TFormMain::refreshMenus()
{
    if (!m_menus) return;
    for (const MenuEntry& e : menuTable()) {
        if (e.command == Command::Separator) continue;
        std::optional<CommandState> state = commandRowState(windowCommands(), *this, e.command);
        for (const auto& mode : m_modes)
            if (!state) state = mode->commandState(e.command);
        m_menus->show(e.command, state.value_or(CommandState{}));
    }
}

// --- board mouse ---------------------------------------------------------------

void TFormMain::PaintBox1MouseDown(Qt::MouseButton)
{
    BoardMouseDown = true;
    for (const auto& mode : m_modes)
        mode->boardPressed();
}

void TFormMain::PaintBox1MouseUp(Qt::MouseButton button, int x, int y)
{
    if (!BoardMouseDown) return;
    BoardMouseDown = false;
    const int margin = renderer().BoardMargin();
    const int size = renderer().ChessSize();
    if (size <= 0) return;
    const int bound = margin + m_game.BoardSize() * size;
    if (x < margin || y < margin || x > bound || y > bound) return;
    const int i = (x - margin) / size + 1;
    const int j = (y - margin) / size + 1;

    if (m_game.MarkingDead()) {
        m_game.MarkingClick(i, j); // any button; nothing on an empty point
        return;
    }
    if (!m_game.onBoard(i, j) || !m_mode) return;
    if (button != Qt::LeftButton && button != Qt::RightButton) return;
    m_mode->boardClick(i, j, button);
    refreshMenus();
}

void TFormMain::PaintBox1MouseEnter()
{
    chatLine()->setFocus();
    MouseOverBoard = true;
}

void TFormMain::PaintBox1MouseLeave()
{
    MouseOverBoard = false;
}

bool TFormMain::FormMouseWheel(int delta)
{
    if (!MouseOverBoard || !m_mode || delta == 0) return false;
    bool used = false;
    runGuarded([&] { used = m_mode->wheel(delta); });
    return used;
}

void TFormMain::wheelEvent(QWheelEvent* event)
{
    if (FormMouseWheel(event->angleDelta().y()))
        event->accept();
    else
        QMainWindow::wheelEvent(event);
}

void TFormMain::BtnNumberClick()
{
    m_presenter->BtnNumberClick();
}

void TFormMain::FormResize()
{
    if (Closing) return;
    m_presenter->setPanelSize(m_boardPanel->width(), m_boardPanel->height());
    m_presenter->FormResize();
    if (m_mode) m_mode->afterRelayout();
}

// --- options -------------------------------------------------------------------

void TFormMain::Menu_Option_SaveSGFClick()
{
    m_save->Menu_Option_SaveSGFClick();
}

void TFormMain::Menu_Option_SaveBMPClick()
{
    m_save->Menu_Option_SaveBMPClick();
}

void TFormMain::Menu_Option_SaveTXTClick()
{
    m_save->Menu_Option_SaveTXTClick();
}

void TFormMain::Menu_Option_SaveChatClick()
{
    FileDialogSettings settings{QStringLiteral("保存聊天信息为 . . ."), QStringLiteral("RTF文件格式(*.rtf)"), QStringLiteral("rtf"),
                        MessageLog::proposedFileName(QDate::currentDate())};
    const QString path = askSaveFileName(settings);
    if (!path.isEmpty()) messageLog()->saveToFile(path);
}

void TFormMain::Menu_Option_SGFClick()
{
    associateFileType(sgfFileType(), [](const QString& message) { ZemraApplication::showError(message); });
}

void TFormMain::Menu_Option_NOSGFClick()
{
    removeFileType(sgfFileType());
}

void TFormMain::Menu_Option_GIBClick()
{
    associateFileType(gibFileType(), [](const QString& message) { ZemraApplication::showError(message); });
}

void TFormMain::Menu_Option_NOGIBClick()
{
    removeFileType(gibFileType());
}

void TFormMain::Menu_Option_FullScreenClick()
{
    FullScreen = !FullScreen;
    if (FullScreen) {
        if (!isMaximized()) showMaximized();
        showFullScreen();
    } else {
        showMaximized();
    }
}

void TFormMain::Menu_Option_CoordinateClick()
{
    ShowCoordinates = !ShowCoordinates;
    m_presenter->setShowCoordinates(ShowCoordinates);
    FormResize();
}

void TFormMain::N1Click()
{
    writeGoKnowledge([this](const QString& kind, const QString& text) { SendOutMessage(kind, text); });
}

void TFormMain::Menu_HomePageClick()
{
    QDesktopServices::openUrl(QUrl(MakerWebAddress));
}

// --- the host's services -----------------------------------------------------------

void TFormMain::WaitTicks(int bound, const std::function<bool()>& stop)
{
    TickCount = 1;
    Timer1.start();
    // Sleeps until the next event (at the latest the next tick): no busy loop.
    while (TickCount < bound && !(stop && stop()))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    Timer1.stop();
}

void TFormMain::SendOutMessage(const QString& kind, const QString& text)
{
    if (m_log)
        m_log->SendOutMessage(kind, text);
    else
        m_pendingLog.entries.append({kind, text});
}

void TFormMain::clearLog()
{
    if (m_log) {
        m_log->clearLog();
        return;
    }
    m_pendingLog = {{}, true};
}

void TFormMain::chatLineSent(const QString& text)
{
    SendOutMessage(QStringLiteral("Local"), text);
    for (const auto& mode : m_modes)
        mode->chatLineSent(text);
}

void TFormMain::setUserDialogs(UserDialogs* dialogs)
{
    m_dialogs = dialogs ? dialogs : &m_windowDialogs;
}

void TFormMain::playNotice(const QString& name)
{
    if (InfoSoundOn) PlayResourceSound(name);
}

void TFormMain::setBoardCursor(Qt::CursorShape shape)
{
    m_paintBox->setCursor(shape);
    // Nudge the pointer so the new shape shows at once.
    if (m_paintBox->underMouse()) QCursor::setPos(QCursor::pos() + QPoint(1, 0));
}

void TFormMain::showGameInfo()
{
    m_info->ShowGameInfo(m_gameInfo, m_game.HandicapCount());
}

void TFormMain::showResult(const QString& text)
{
    m_gameInfo.GameResult = text;
    m_info->ShowResult(text);
}

// --- closing ---------------------------------------------------------------------

void TFormMain::closeEvent(QCloseEvent* event)
{
    for (const auto& mode : m_modes) {
        if (const std::optional<QString> refusal = mode->closeRefusal()) {
            ShowInformation(*refusal);
            event->ignore();
            return;
        }
    }
    if (!askQuestion(QStringLiteral("信息提示"), QStringLiteral("\r您确定要退出游戏吗？"), QStringLiteral("确定"),
                     QStringLiteral("取消"))) {
        event->ignore();
        return;
    }
    Closing = true;
    for (const auto& mode : m_modes)
        mode->closing();
    event->accept();
}

} // namespace zemra
