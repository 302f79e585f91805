#include "app/ToolbarMenus.h"

namespace zemra {

QStringList gameModeMenuCaptions()
{
    return {QStringLiteral("  本地对局"), QStringLiteral("-"), QStringLiteral("  欣赏棋谱"), QStringLiteral("-"),
            QStringLiteral("  人机对弈"), QStringLiteral("-"), QStringLiteral("  网络对局"), QStringLiteral("-"),
            QStringLiteral("  围棋知识"), QStringLiteral("-"), QStringLiteral("  作者主页")};
}

QStringList localMenuCaptions()
{
    return {QStringLiteral("  开始新局"), QStringLiteral("-"), QStringLiteral("  悔    棋"),
            QStringLiteral("  弃权一手"), QStringLiteral("-"), QStringLiteral("  标记死子"),
            QStringLiteral("  开始点目")};
}

QStringList recordMenuCaptions()
{
    return {QStringLiteral("  打开棋谱"),
            QStringLiteral("-"),
            QStringLiteral("  经典棋谱 ①"),
            QStringLiteral("  经典棋谱 ②"),
            QStringLiteral("  经典棋谱 ③"),
            QStringLiteral("-"),
            QStringLiteral("  第  一  手"),
            QStringLiteral("  上  一  手"),
            QStringLiteral("  前  10  手"),
            QStringLiteral("  后  10  手"),
            QStringLiteral("  下  一  手"),
            QStringLiteral("  最后一手"),
            QStringLiteral("-"),
            QStringLiteral("  试       下"),
            QStringLiteral("-"),
            QStringLiteral("  标记死子"),
            QStringLiteral("  开始点目")};
}

QStringList engineMenuCaptions()
{
    return {QStringLiteral("  开始新局"), QStringLiteral("-"),          QStringLiteral("  悔    棋"),
            QStringLiteral("  弃权一手"), QStringLiteral("  结束棋局"), QStringLiteral("-"),
            QStringLiteral("  形势判断"), QStringLiteral("  电脑支招"), QStringLiteral("-"),
            QStringLiteral("  标记死子"), QStringLiteral("  开始点目")};
}

QStringList networkMenuCaptions()
{
    return {QStringLiteral("  网络对局 --- 设局"), QStringLiteral("  网络对局 --- 挑战"),
            QStringLiteral("  网络对局 --- 观战"), QStringLiteral("-"),
            QStringLiteral("  新局申请"),          QStringLiteral("  申请悔棋"),
            QStringLiteral("  弃权一手"),          QStringLiteral("  申请和棋"),
            QStringLiteral("  投子认输"),          QStringLiteral("-"),
            QStringLiteral("  标记死子"),          QStringLiteral("  开始点目")};
}

QStringList optionsMenuCaptions()
{
    return {QStringLiteral("  保存棋谱(SGF)"),
            QStringLiteral("  保存棋谱(BMP)"),
            QStringLiteral("  保存棋谱(TXT)"),
            QStringLiteral("  保存聊天信息"),
            QStringLiteral("-"),
            QStringLiteral("  关联SGF棋谱"),
            QStringLiteral("  取消SGF关联"),
            QStringLiteral("  关联GIB棋谱"),
            QStringLiteral("  取消GIB关联"),
            QStringLiteral("-"),
            QStringLiteral("  全 屏 显 示"),
            QStringLiteral("-"),
            QStringLiteral("  打开落子音"),
            QStringLiteral("  打开提示音"),
            QStringLiteral("  显 示 坐 标")};
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

QMenu* buildMenu(const QStringList& captions, QWidget* parent, bool styled)
{
    auto* menu = new QMenu(parent);
    if (styled) menu->setStyleSheet(menuStyleSheet());
    for (const QString& caption : captions) {
        if (caption == QLatin1String("-")) {
            menu->addSeparator();
        } else {
            QAction* action = menu->addAction(caption);
            action->setObjectName(caption);
        }
    }
    return menu;
}

QAction* menuAction(const QMenu* menu, const QString& caption)
{
    for (QAction* a : menu->actions())
        if (!a->isSeparator() && a->text() == caption) return a;
    return nullptr;
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
