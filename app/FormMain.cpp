#include "app/FormMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QSysInfo>
#include <QUrl>
#include <QWheelEvent>

#include "app/Artwork.h"
#include "app/Associations.h"
#include "app/BoardWidget.h"
#include "app/ChatLine.h"
#include "app/GoKnowledge.h"
#include "app/InfoPanel.h"
#include "app/JpegImage.h"
#include "app/LocalNewGameDialog.h"
#include "app/MessageLog.h"
#include "app/MyImageUnit.h"
#include "app/MyMessageBox.h"
#include "app/Sounds.h"
#include "app/StartupReport.h"
#include "app/ToolbarMenus.h"
#include "app/ZemraApplication.h"
#include "render/BoardRenderer.h"

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

const QString ModeLocal = QStringLiteral("local");
const QString ModeOpen = QStringLiteral("open");
const QString ModeGNUGO = QStringLiteral("GNUGO");
const QString ModeNetwork = QStringLiteral("network");

const QString ItemModeLocal = QStringLiteral("  本地对局");
const QString ItemModeOpen = QStringLiteral("  欣赏棋谱");
const QString ItemModeGNUGO = QStringLiteral("  人机对弈");
const QString ItemModeNetwork = QStringLiteral("  网络对局");
const QString ItemNewGame = QStringLiteral("  开始新局");
const QString ItemUndo = QStringLiteral("  悔    棋");
const QString ItemPass = QStringLiteral("  弃权一手");
const QString ItemFlagDead = QStringLiteral("  标记死子");
const QString ItemDianMu = QStringLiteral("  开始点目");
const QString ItemTrial = QStringLiteral("  试       下");
const QString ItemPrev = QStringLiteral("  上  一  手");
const QString ItemNext = QStringLiteral("  下  一  手");
const QString ItemEndGame = QStringLiteral("  结束棋局");
const QString ItemSaveChat = QStringLiteral("  保存聊天信息");
const QString ItemFullScreen = QStringLiteral("  全 屏 显 示");
const QString ItemStoneSound = QStringLiteral("  打开落子音");
const QString ItemInfoSound = QStringLiteral("  打开提示音");
const QString ItemCoordinates = QStringLiteral("  显 示 坐 标");

QString displayName(const QString& mode)
{
    if (mode == ModeLocal) return QStringLiteral("本地对局");
    if (mode == ModeOpen) return QStringLiteral("欣赏棋谱");
    if (mode == ModeGNUGO) return QStringLiteral("人机对弈");
    return QStringLiteral("网络对局");
}

QString fromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

// The board picture plus what the model says about the player panel and
// sounds, which belong to the window.
class FormView final : public BoardRenderer {
public:
    FormView(const WeiQiGame& game, TFormMain& form) : BoardRenderer(game), m_form(form) {}

    void InitChessBoard() override
    {
        BoardRenderer::InitChessBoard();
        m_form.placePaintBox();
    }
    void SetLabelBlackDead(const std::string& caption) override { m_form.m_info->SetLabelBlackDead(fromUtf8(caption)); }
    void SetLabelWhiteDead(const std::string& caption) override { m_form.m_info->SetLabelWhiteDead(fromUtf8(caption)); }
    void ShowSideToMove(Colour side) override { m_form.m_info->ShowSideToMove(side); }
    void PlayStoneSound(std::string_view name) override
    {
        if (m_form.StoneSoundOn) PlayResourceSound(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    }
    void SetHandicapCell(const std::string& text) override { m_form.m_info->SetHandicapCell(fromUtf8(text)); }

private:
    TFormMain& m_form;
};

TFormMain::TFormMain(const QStringList& args, QWidget* parent) : QMainWindow(parent)
{
    FormCreate(args);
}

TFormMain::~TFormMain()
{
    // The model must not call into a view that is being destroyed.
    m_game.setView(nullptr);
}

BoardRenderer& TFormMain::renderer()
{
    return *m_view;
}

QAction* TFormMain::item(QMenu* menu, const QString& caption)
{
    return menuAction(menu, caption);
}

QStringList TFormMain::bannerLines()
{
    const QString rule(38, QLatin1Char('-'));
    return {rule, QStringLiteral("-    ●╭○╮      version 3.3.7     -"),
            QStringLiteral("-   /█∨█\\     ") + MakerMailAddress + QStringLiteral("   -"),
            QStringLiteral("-    ∏  ∏    ") + MakerWebAddress + QStringLiteral("  -"), rule};
}

void TFormMain::FormCreate(const QStringList& args)
{
    ProgramDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    setWindowTitle(QStringLiteral("Zemra 围棋"));
    resize(800, 600);

    m_info = std::make_unique<InfoPanel>(nullptr);
    m_info->setBlackPicture(loadPlayerPicture(dataFile(QStringLiteral("ImageBlack.jpg"))));
    m_info->setWhitePicture(loadPlayerPicture(dataFile(QStringLiteral("ImageWhite.jpg"))));

    m_view = std::make_unique<FormView>(m_game, *this);
    m_game.setView(m_view.get());
    m_view->setShowCoordinates(ShowCoordinates);

    buildWindow();
    buildMenus();
    buildToolbar();

    // The icon is not needed for the first picture of the window.
    QTimer::singleShot(0, this, [this] { setWindowIcon(applicationIcon()); });

    Timer1.setInterval(100);
    connect(&Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });

    m_local = std::make_unique<LocalGame>(m_game, *m_info, *this);

    m_game.HandicapCount = 0;
    m_game.BoardSize = 19;
    m_game.PreviousBoardSize = 19;
    layoutWindow();
    Menu_Mode_LocalClick();

    for (const QString& line : bannerLines())
        SendOutMessage(QStringLiteral("Version"), line);

    // A record named on the command line opens in the record mode.
    if (!args.isEmpty() && !args.first().isEmpty()) Menu_Mode_OpenClick();

    // An installed copy can be asked which of its files it finds.
    if (startupReportRequested()) {
        QTimer::singleShot(0, this, [this] {
            printStartupReport(startupReport([this](const QString& name) { return dataFile(name); }));
            QCoreApplication::exit(0);
        });
    }
}

QString TFormMain::dataFile(const QString& name) const
{
    QStringList dirs;
    const QString fromEnv = qEnvironmentVariable("ZEMRA_DATA_DIR");
    if (!fromEnv.isEmpty()) dirs << fromEnv + QLatin1Char('/');
    dirs << ProgramDir << ProgramDir + QStringLiteral("../share/zemra/");
    for (const QString& dir : dirs)
        if (QFileInfo::exists(dir + name)) return dir + name;
    return ProgramDir + name;
}

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
    m_paintBox->setBoardPicture(&m_view->PaintBox1());
    m_view->setScreenChanged([this](const QRect& r) { m_paintBox->update(r); });
    connect(m_paintBox, &TMyImage::mousePressed, this, [this](TMyImage*, Qt::MouseButton b, QPoint) { PaintBox1MouseDown(b); });
    connect(m_paintBox, &TMyImage::mouseReleased, this,
            [this](TMyImage*, Qt::MouseButton b, QPoint p) { PaintBox1MouseUp(b, p.x(), p.y()); });
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

    m_info->playerArea()->setParent(m_toolPanel);
    m_lowerArea = new QWidget(m_toolPanel);
    m_info->StringGrid1()->setParent(m_lowerArea);

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

    m_log = new MessageLog(m_lowerArea);

    m_buttonBar = new QWidget(m_toolPanel);
    m_chat = new ChatLine(m_buttonBar);
    connect(m_chat, &ChatLine::lineSent, this, [this](const QString& text) { SendOutMessage(QStringLiteral("Local"), text); });
}

void TFormMain::buildMenus()
{
    m_menuMode = buildMenu(gameModeMenuCaptions(), this, false);
    m_menuLocal = buildMenu(localMenuCaptions(), this, false);
    m_menuOpen = buildMenu(recordMenuCaptions(), this, false);
    m_menuGNUGO = buildMenu(engineMenuCaptions(), this, false);
    m_menuNetwork = buildMenu(networkMenuCaptions(), this, false);
    m_menuOption = buildMenu(optionsMenuCaptions(), this, false);

    for (const QString& caption : {ItemModeLocal, ItemModeOpen, ItemModeGNUGO, ItemModeNetwork})
        item(m_menuMode, caption)->setCheckable(true);
    connect(item(m_menuMode, ItemModeLocal), &QAction::triggered, this, [this] { Menu_Mode_LocalClick(); });
    connect(item(m_menuMode, ItemModeOpen), &QAction::triggered, this, [this] { Menu_Mode_OpenClick(); });
    connect(item(m_menuMode, ItemModeGNUGO), &QAction::triggered, this, [this] { Menu_Mode_GNUGOClick(); });
    connect(item(m_menuMode, ItemModeNetwork), &QAction::triggered, this, [this] { Menu_Mode_NetworkClick(); });
    // A checkable item ticks itself when triggered; the handlers decide the tick.
    for (const QString& caption : {ItemModeLocal, ItemModeOpen, ItemModeGNUGO, ItemModeNetwork}) {
        QAction* a = item(m_menuMode, caption);
        connect(a, &QAction::triggered, this, [this, a, caption] {
            const QString mode = caption == ItemModeLocal   ? ModeLocal
                                 : caption == ItemModeOpen  ? ModeOpen
                                 : caption == ItemModeGNUGO ? ModeGNUGO
                                                            : ModeNetwork;
            a->setChecked(GameMode == mode);
        });
    }

    item(m_menuLocal, ItemFlagDead)->setCheckable(true);
    connect(item(m_menuLocal, ItemNewGame), &QAction::triggered, this, [this] { m_local->Menu_Local_NewGameClick(); });
    connect(item(m_menuLocal, ItemUndo), &QAction::triggered, this, [this] { m_local->Menu_Local_UndoClick(); });
    connect(item(m_menuLocal, ItemPass), &QAction::triggered, this, [this] { m_local->Menu_Local_PassClick(); });
    connect(item(m_menuLocal, ItemFlagDead), &QAction::triggered, this, [this] { m_local->Menu_Local_FlagDeadClick(); });
    connect(item(m_menuLocal, ItemDianMu), &QAction::triggered, this, [this] { m_local->Menu_Local_DianMuClick(); });

    // The record, engine and network commands arrive with their modes; the
    // items are here with their captions and states.
    item(m_menuOpen, ItemTrial)->setCheckable(true);
    item(m_menuOpen, ItemFlagDead)->setCheckable(true);
    item(m_menuGNUGO, ItemFlagDead)->setCheckable(true);
    item(m_menuGNUGO, ItemEndGame)->setEnabled(false);
    for (const QString& caption : {QStringLiteral("  网络对局 --- 观战"), ItemFlagDead, ItemDianMu})
        item(m_menuNetwork, caption)->setEnabled(false);

    connect(item(m_menuMode, QStringLiteral("  围棋知识")), &QAction::triggered, this, [this] { N1Click(); });
    connect(item(m_menuMode, QStringLiteral("  作者主页")), &QAction::triggered, this, [this] { Menu_HomePageClick(); });

    connect(item(m_menuOption, ItemSaveChat), &QAction::triggered, this, [this] { m_log->saveChat(this); });
    connect(item(m_menuOption, QStringLiteral("  关联SGF棋谱")), &QAction::triggered, this, [this] { Menu_Option_SGFClick(); });
    connect(item(m_menuOption, QStringLiteral("  取消SGF关联")), &QAction::triggered, this, [this] { Menu_Option_NOSGFClick(); });
    connect(item(m_menuOption, QStringLiteral("  关联GIB棋谱")), &QAction::triggered, this, [this] { Menu_Option_GIBClick(); });
    connect(item(m_menuOption, QStringLiteral("  取消GIB关联")), &QAction::triggered, this, [this] { Menu_Option_NOGIBClick(); });
    for (const QString& caption : {ItemStoneSound, ItemInfoSound, ItemCoordinates}) {
        item(m_menuOption, caption)->setCheckable(true);
        item(m_menuOption, caption)->setChecked(true);
    }
    item(m_menuOption, ItemFullScreen)->setCheckable(true);
    connect(item(m_menuOption, ItemStoneSound), &QAction::toggled, this, [this](bool on) { StoneSoundOn = on; });
    connect(item(m_menuOption, ItemInfoSound), &QAction::toggled, this, [this](bool on) { InfoSoundOn = on; });
    connect(item(m_menuOption, ItemCoordinates), &QAction::toggled, this, [this](bool on) { setCoordinates(on); });
    connect(item(m_menuOption, ItemFullScreen), &QAction::toggled, this, [this](bool on) { setFullScreen(on); });
}

void TFormMain::buildToolbar()
{
    struct Spec {
        TMyImage** button;
        const char* strip;
        int x;
        std::function<void()> click;
    };
    const Spec specs[] = {
        {&BtnGameMode, "ImageGameMode", 12, [this] { popUp(m_menuMode, BtnGameMode); }},
        {&BtnLocal, "ImageLocal", 65, [this] { popUp(m_menuLocal, BtnLocal); }},
        {&BtnOpen, "ImageOpen", 65, [this] { popUp(m_menuOpen, BtnOpen); }},
        {&BtnGNUGO, "ImageGNUGO", 65, [this] { popUp(m_menuGNUGO, BtnGNUGO); }},
        {&BtnNetwork, "ImageNetwork", 65, [this] { popUp(m_menuNetwork, BtnNetwork); }},
        {&BtnNumber, "ImageNumber", 117, [this] { BtnNumberClick(); }},
        {&BtnOption, "ImageOption", 163, [this] { popUp(m_menuOption, BtnOption); }},
        {&BtnExit, "ImageExit", 208, [this] { close(); }},
    };
    for (const Spec& s : specs) {
        auto* button = new TMyImage(m_buttonBar);
        const QString strip = QString::fromLatin1(s.strip);
        button->setObjectName(QStringLiteral("Btn") + strip.mid(5));
        button->setPicture(buttonFrame(strip, ButtonFrame::Normal));
        button->setGeometry(s.x, 35, ButtonWidth, ButtonHeight);
        button->setCursor(Qt::PointingHandCursor);
        connect(button, &TMyImage::mouseEntered, this,
                [button, strip] { button->setPicture(buttonFrame(strip, ButtonFrame::Hover)); });
        connect(button, &TMyImage::mouseLeft, this,
                [button, strip] { button->setPicture(buttonFrame(strip, ButtonFrame::Normal)); });
        connect(button, &TMyImage::mousePressed, this,
                [button, strip] { button->setPicture(buttonFrame(strip, ButtonFrame::Pressed)); });
        connect(button, &TMyImage::mouseReleased, this,
                [button, strip] { button->setPicture(buttonFrame(strip, ButtonFrame::Normal)); });
        connect(button, &TMyImage::clicked, this, [click = s.click] { click(); });
        *s.button = button;
    }
    BtnOpen->hide();
    BtnGNUGO->hide();
    BtnNetwork->hide();
}

QPoint TFormMain::menuPopupPoint(QMenu* menu, const QPoint& buttonTopLeft) const
{
    const int h = GetMenuHeight(menu);
    if (menu == m_menuOption) return {buttonTopLeft.x() + 25 - menu->sizeHint().width() / 2, buttonTopLeft.y() - h - 5};
    return {buttonTopLeft.x() - 20, buttonTopLeft.y() - h - 5};
}

void TFormMain::popUp(QMenu* menu, TMyImage* button)
{
    // Styled on first use: the style makes the height rule the real height.
    if (menu->styleSheet().isEmpty()) menu->setStyleSheet(menuStyleSheet());
    menu->popup(menuPopupPoint(menu, button->mapToGlobal(QPoint(0, 0))));
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

    m_info->playerArea()->setGeometry(SideBar, contentTop, PlayerArea::Width, PlayerArea::Height);
    const int lowerTop = contentTop + PlayerArea::Height;
    const int lowerHeight = std::max(contentBottom - ButtonBarHeight - lowerTop, 20);
    m_lowerArea->setGeometry(SideBar, lowerTop, 254, lowerHeight);
    m_buttonBar->setGeometry(0, lowerTop + lowerHeight, ContentWidth, ButtonBarHeight);
    m_chat->setGeometry(SideBar, 6, 254, 22);

    layoutLowerArea(splitLowerArea(lowerHeight).splitterTop);

    m_view->setPanelSize(m_boardPanel->width(), m_boardPanel->height());
}

void TFormMain::layoutLowerArea(int splitterTop)
{
    const int h = m_lowerArea->height();
    if (h <= 8) return;
    if (splitterTop - 8 >= 0) m_info->StringGrid1()->setGeometry(0, 8, 254, splitterTop - 8);
    m_splitter->setGeometry(0, splitterTop, 254, SplitterHeight);
    m_dragBar->setGeometry(0, splitterTop, 254, SplitterHeight);
    m_log->setGeometry(0, splitterTop + SplitterHeight, 254, std::max(h - splitterTop - SplitterHeight, 0));
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
        m_log->setGeometry(0, n + SplitterHeight, 254, std::max(h - n - SplitterHeight, 0));
    }
    ResizerLastY = y;
}

void TFormMain::ImageResize1MouseUp()
{
    ResizerDragging = false;
    m_dragBar->hide();
    m_splitter->move(0, m_dragBar->y());
}

void TFormMain::placePaintBox()
{
    if (!m_paintBox) return;
    const int size = m_view->BoardImageSize();
    m_paintBox->setGeometry(QRect(m_view->paintBoxPos(), QSize(size, size)));
    m_paintBox->update();
}

void TFormMain::FormResize()
{
    if (Closing) return;
    m_view->setPanelSize(m_boardPanel->width(), m_boardPanel->height());
    m_view->FormResize();
    placePaintBox();
}

void TFormMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    layoutWindow();
    FormResize();
}

void TFormMain::setCoordinates(bool on)
{
    ShowCoordinates = on;
    m_view->setShowCoordinates(on);
    FormResize();
}

void TFormMain::setFullScreen(bool on)
{
    if (on) {
        if (!isMaximized()) showMaximized();
        showFullScreen();
    } else {
        showMaximized();
    }
}

// --- modes -------------------------------------------------------------------

void TFormMain::checkModeItem(const QString& mode, bool checked)
{
    const QString caption = mode == ModeLocal   ? ItemModeLocal
                            : mode == ModeOpen  ? ItemModeOpen
                            : mode == ModeGNUGO ? ItemModeGNUGO
                                                : ItemModeNetwork;
    item(m_menuMode, caption)->setChecked(checked);
}

void TFormMain::showModeButton(const QString& mode)
{
    BtnLocal->setVisible(mode == ModeLocal);
    BtnOpen->setVisible(mode == ModeOpen);
    BtnGNUGO->setVisible(mode == ModeGNUGO);
    BtnNetwork->setVisible(mode == ModeNetwork);
}

bool TFormMain::engineGameRunning() const
{
    return !item(m_menuGNUGO, ItemNewGame)->isEnabled();
}

bool TFormMain::SwitchToGameMode(const QString& mode)
{
    if (GameMode.isEmpty()) return true; // start-up: no mode to leave

    const auto trigger = [](QAction* a) {
        if (a->isChecked()) a->trigger();
    };
    if (GameMode == ModeLocal) {
        if (item(m_menuLocal, ItemFlagDead)->isChecked()) m_local->Menu_Local_FlagDeadClick();
    } else if (GameMode == ModeOpen) {
        trigger(item(m_menuOpen, ItemFlagDead));
        trigger(item(m_menuOpen, ItemTrial));
    } else if (GameMode == ModeGNUGO) {
        if (engineGameRunning()) {
            ShowInformation(QStringLiteral("正在和GNU GO进行对局，\r\r请结束对局后，再切换模式！"));
            return false;
        }
        trigger(item(m_menuGNUGO, ItemFlagDead));
    } else if (GameMode == ModeNetwork) {
        leaveNetworkMode();
    }

    const QString d = displayName(mode);
    const QString system = QStringLiteral("System");
    SendOutMessage(system, QStringLiteral("您已经切换到了“") + d + QStringLiteral("”模式！"));
    SendOutMessage(system, QStringLiteral("请点击“") + d + QStringLiteral("”的按钮开始新局"));
    checkModeItem(GameMode, false);
    showModeButton(QString());
    return true;
}

void TFormMain::leaveNetworkMode()
{
    PeerConnected = false;
    if (!NetworkColor.isEmpty()) {
        NetworkColor.clear();
        m_info->ShowResult(QStringLiteral("网络中断，比赛结束！"));
    }
}

bool TFormMain::enterMode(const QString& mode)
{
    // The tick mirrors the mode; triggering a checkable item has already flipped it.
    if (GameMode == mode) return false;
    if (!SwitchToGameMode(mode)) return false;
    GameMode = mode;
    checkModeItem(mode, true);
    showModeButton(mode);
    m_log->setIdentityHeader(mode == ModeNetwork);
    m_view->setGameMode(mode.toStdString());
    return true;
}

void TFormMain::Menu_Mode_LocalClick()
{
    if (enterMode(ModeLocal)) m_local->EnterMode();
}

void TFormMain::Menu_Mode_OpenClick()
{
    if (enterMode(ModeOpen)) m_game.InitWeiQiGame();
}

void TFormMain::Menu_Mode_GNUGOClick()
{
    if (!enterMode(ModeGNUGO)) return;
    // The host name is the user's name against the engine, at most 64 bytes.
    QString host = QSysInfo::machineHostName();
    while (host.toUtf8().size() > 64)
        host.chop(1);
    SetLocalIdentity(host, QStringLiteral("9段"));
    m_game.InitWeiQiGame();
}

void TFormMain::Menu_Mode_NetworkClick()
{
    if (!enterMode(ModeNetwork)) return;
    SetLocalIdentity(QStringLiteral("山间的清风"), QStringLiteral("9段"));
    GameInfo info;
    info.GameEvent = QStringLiteral("围棋友谊赛");
    info.GameDate = LocalGame::today();
    info.GamePlace = QStringLiteral("Local Area Network");
    info.BlackName = QStringLiteral("山间的清风");
    info.BlackRank = QStringLiteral("9 段");
    info.WhiteName = QStringLiteral("月下の旅人");
    info.WhiteRank = QStringLiteral("9 段");
    info.SizeText = QString::number(m_game.BoardSize);
    info.GameKomi = QStringLiteral("贴2又3/4子");
    info.GameResult = QStringLiteral("比赛还没有开始！");
    info.GameSource = QStringLiteral("岚石围棋网");
    m_info->ShowGameInfo(info, 0);
    NetworkColor.clear();
    m_game.InitWeiQiGame();
}

// --- board mouse ---------------------------------------------------------------

void TFormMain::PaintBox1MouseDown(Qt::MouseButton)
{
    BoardMouseDown = true;
    HintBlinking = false;
}

void TFormMain::PaintBox1MouseUp(Qt::MouseButton button, int x, int y)
{
    if (!BoardMouseDown) return;
    BoardMouseDown = false;
    const int margin = m_view->BoardMargin();
    const int size = m_view->ChessSize();
    if (size <= 0) return;
    const int bound = margin + m_game.BoardSize * size;
    if (x < margin || y < margin || x > bound || y > bound) return;
    const int i = (x - margin) / size + 1;
    const int j = (y - margin) / size + 1;

    if (m_game.MarkingDead) {
        m_game.MarkingClick(i, j); // any button; nothing on an empty point
        return;
    }
    if (!m_game.onBoard(i, j)) return;
    if (button != Qt::LeftButton && button != Qt::RightButton) return;
    if (GameMode == ModeLocal) m_local->BoardClick(i, j, button);
    // The record, engine and network modes take their clicks with their commands.
}

void TFormMain::PaintBox1MouseEnter()
{
    m_chat->setFocus();
    MouseOverBoard = true;
}

void TFormMain::PaintBox1MouseLeave()
{
    MouseOverBoard = false;
}

bool TFormMain::FormMouseWheel(int delta)
{
    if (!MouseOverBoard || GameMode != ModeOpen || item(m_menuOpen, ItemTrial)->isChecked() ||
        item(m_menuOpen, ItemFlagDead)->isChecked() || delta == 0)
        return false;
    item(m_menuOpen, delta > 0 ? ItemPrev : ItemNext)->trigger();
    return true;
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
    m_view->BtnNumberClick();
}

// --- options -------------------------------------------------------------------

void TFormMain::Menu_Option_SGFClick()
{
    associateFileType(
        sgfFileType(), [this](const QString& name) { return dataFile(name); },
        [](const QString& message) { ZemraApplication::showError(message); });
}

void TFormMain::Menu_Option_NOSGFClick()
{
    removeFileType(sgfFileType());
}

void TFormMain::Menu_Option_GIBClick()
{
    associateFileType(
        gibFileType(), [this](const QString& name) { return dataFile(name); },
        [](const QString& message) { ZemraApplication::showError(message); });
}

void TFormMain::Menu_Option_NOGIBClick()
{
    removeFileType(gibFileType());
}

void TFormMain::N1Click()
{
    writeGoKnowledge([this](const QString& kind, const QString& text) { SendOutMessage(kind, text); });
}

void TFormMain::Menu_HomePageClick()
{
    QDesktopServices::openUrl(QUrl(MakerWebAddress));
}

// --- waiting, log, host --------------------------------------------------------

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
    m_log->SendOutMessage(kind, text);
}

void TFormMain::ShowInformation(const QString& text)
{
    if (informationSink) {
        informationSink(text);
        return;
    }
    showInformation(this, text);
}

void TFormMain::SetFlagDeadChecked(bool checked)
{
    item(m_menuLocal, ItemFlagDead)->setChecked(checked);
}

void TFormMain::SetLocalIdentity(const QString& nickName, const QString& rank)
{
    LocalNickName = nickName;
    LocalRank = rank;
    m_log->setLocalIdentity(nickName, rank);
}

std::optional<LocalNewGameChoice> TFormMain::AskLocalNewGame()
{
    return TFormLocalNewGame::run(this, [this](QWidget*, const QString& text) { ShowInformation(text); });
}

void TFormMain::closeEvent(QCloseEvent* event)
{
    if (engineGameRunning()) {
        const bool engineIsBlack = m_info->LabelBlack()->text() == QStringLiteral("GNU GO");
        const bool enginesTurn = engineIsBlack ? m_game.SideToMove == Colour::Black : m_game.SideToMove == Colour::White;
        if (enginesTurn) {
            ShowInformation(QStringLiteral("\r计算机正在思考，请等会儿再退出！"));
            event->ignore();
            return;
        }
    }
    const bool yes = confirmClose
                         ? confirmClose()
                         : TFormMyMessageBox::ask(this, QStringLiteral("信息提示"), QStringLiteral("\r您确定要退出游戏吗？"),
                                                  QStringLiteral("确定"), QStringLiteral("取消"));
    if (!yes) {
        event->ignore();
        return;
    }
    Closing = true;
    event->accept();
}

} // namespace zemra
