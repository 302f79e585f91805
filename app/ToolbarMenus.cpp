#include "app/ToolbarMenus.h"

#include <algorithm>

namespace zemra {

namespace {

using M = MenuId;
using C = Command;

constexpr MenuEntry Table[] = {
    {M::GameMode, C::ModeLocal, "  本地对局", true},
    {M::GameMode, C::Separator, "-", false},
    {M::GameMode, C::ModeOpen, "  欣赏棋谱", true},
    {M::GameMode, C::Separator, "-", false},
    {M::GameMode, C::ModeGNUGO, "  人机对弈", true},
    {M::GameMode, C::Separator, "-", false},
    {M::GameMode, C::ModeNetwork, "  网络对局", true},
    {M::GameMode, C::Separator, "-", false},
    {M::GameMode, C::Knowledge, "  围棋知识", false},
    {M::GameMode, C::Separator, "-", false},
    {M::GameMode, C::HomePage, "  作者主页", false},

    {M::Local, C::LocalNewGame, "  开始新局", false},
    {M::Local, C::Separator, "-", false},
    {M::Local, C::LocalUndo, "  悔    棋", false},
    {M::Local, C::LocalPass, "  弃权一手", false},
    {M::Local, C::Separator, "-", false},
    {M::Local, C::LocalFlagDead, "  标记死子", true},
    {M::Local, C::LocalDianMu, "  开始点目", false},

    {M::Open, C::OpenFile, "  打开棋谱", false},
    {M::Open, C::Separator, "-", false},
    {M::Open, C::OpenGame1, "  经典棋谱 ①", false},
    {M::Open, C::OpenGame2, "  经典棋谱 ②", false},
    {M::Open, C::OpenGame3, "  经典棋谱 ③", false},
    {M::Open, C::Separator, "-", false},
    {M::Open, C::OpenFirst, "  第  一  手", false},
    {M::Open, C::OpenPrev, "  上  一  手", false},
    {M::Open, C::OpenPrev10, "  前  10  手", false},
    {M::Open, C::OpenNext10, "  后  10  手", false},
    {M::Open, C::OpenNext, "  下  一  手", false},
    {M::Open, C::OpenLast, "  最后一手", false},
    {M::Open, C::Separator, "-", false},
    {M::Open, C::OpenTry, "  试       下", true},
    {M::Open, C::Separator, "-", false},
    {M::Open, C::OpenFlagDead, "  标记死子", true},
    {M::Open, C::OpenDianMu, "  开始点目", false},

    {M::GNUGO, C::GnuNewGame, "  开始新局", false},
    {M::GNUGO, C::Separator, "-", false},
    {M::GNUGO, C::GnuUndo, "  悔    棋", false},
    {M::GNUGO, C::GnuPass, "  弃权一手", false},
    {M::GNUGO, C::GnuEndGame, "  结束棋局", false},
    {M::GNUGO, C::Separator, "-", false},
    {M::GNUGO, C::GnuEstimate, "  形势判断", false},
    {M::GNUGO, C::GnuHint, "  电脑支招", false},
    {M::GNUGO, C::Separator, "-", false},
    {M::GNUGO, C::GnuFlagDead, "  标记死子", true},
    {M::GNUGO, C::GnuDianMu, "  开始点目", false},

    {M::Network, C::NetServer, "  网络对局 --- 设局", false},
    {M::Network, C::NetClient, "  网络对局 --- 挑战", false},
    {M::Network, C::NetObserve, "  网络对局 --- 观战", false},
    {M::Network, C::Separator, "-", false},
    {M::Network, C::NetNewGame, "  新局申请", false},
    {M::Network, C::NetUndo, "  申请悔棋", false},
    {M::Network, C::NetPass, "  弃权一手", false},
    {M::Network, C::NetHeQi, "  申请和棋", false},
    {M::Network, C::NetResign, "  投子认输", false},
    {M::Network, C::Separator, "-", false},
    {M::Network, C::NetFlagDead, "  标记死子", false},
    {M::Network, C::NetDianMu, "  开始点目", false},

    {M::Option, C::SaveSGF, "  保存棋谱(SGF)", false},
    {M::Option, C::SaveBMP, "  保存棋谱(BMP)", false},
    {M::Option, C::SaveTXT, "  保存棋谱(TXT)", false},
    {M::Option, C::SaveChat, "  保存聊天信息", false},
    {M::Option, C::Separator, "-", false},
    {M::Option, C::AssociateSGF, "  关联SGF棋谱", false},
    {M::Option, C::RemoveSGF, "  取消SGF关联", false},
    {M::Option, C::AssociateGIB, "  关联GIB棋谱", false},
    {M::Option, C::RemoveGIB, "  取消GIB关联", false},
    {M::Option, C::Separator, "-", false},
    {M::Option, C::FullScreen, "  全 屏 显 示", true},
    {M::Option, C::Separator, "-", false},
    {M::Option, C::StoneSound, "  打开落子音", true},
    {M::Option, C::InfoSound, "  打开提示音", true},
    {M::Option, C::Coordinates, "  显 示 坐 标", true},
};

} // namespace

std::span<const MenuEntry> menuTable()
{
    return Table;
}

const MenuEntry& menuEntry(Command command)
{
    return *std::find_if(std::begin(Table), std::end(Table), [command](const MenuEntry& e) { return e.command == command; });
}

QString menuStyleSheet()
{
    // Fixed item and separator heights, so the menu ends where the height
    // rule says: 3 pixels of frame above and below, 17 per item, 9 per line.
    return QStringLiteral("QMenu { background: rgb(255,255,255); border: 1px solid rgb(128,128,128); padding: 2px 0px; "
                          "font-family: \"宋体\"; font-size: 12px; "
                          "margin: 0px; }"
                          "QMenu::item { height: 17px; min-height: 17px; max-height: 17px; padding: 0px 24px 0px 20px; "
                          "margin: 0px; }"
                          "QMenu::item:selected { background: rgb(49,106,197); color: white; }"
                          "QMenu::item:disabled { color: rgb(160,160,160); }"
                          "QMenu::separator { height: 1px; background: rgb(200,200,200); margin: 4px 2px; }"
                          "QMenu::indicator { width: 13px; height: 13px; left: 3px; }");
}

ToolbarMenus::ToolbarMenus(QWidget* parent, std::function<void(Command)> run, bool styled)
{
    for (auto& menu : m_menus) {
        menu = new QMenu(parent);
        if (styled) menu->setStyleSheet(menuStyleSheet());
    }
    for (const MenuEntry& e : Table) {
        QMenu* target = menu(e.menu);
        if (e.command == Command::Separator) {
            target->addSeparator();
            continue;
        }
        const QString caption = QString::fromUtf8(e.caption);
        QAction* action = target->addAction(caption);
        action->setObjectName(caption);
        action->setCheckable(e.checkable);
        QObject::connect(action, &QAction::triggered, action, [run, command = e.command] { run(command); });
        m_actions[static_cast<std::size_t>(e.command)] = action;
    }
}

void ToolbarMenus::show(Command command, CommandState state) const
{
    QAction* a = action(command);
    if (!a) return;
    a->setEnabled(state.enabled);
    if (a->isCheckable()) a->setChecked(state.checked);
}

int GetMenuHeight(const QMenu* menu)
{
    const auto actions = menu->actions();
    if (actions.isEmpty()) return 0;
    int height = 6;
    for (const QAction* a : actions)
        height += a->isSeparator() ? 9 : 17;
    return height;
}

} // namespace zemra
