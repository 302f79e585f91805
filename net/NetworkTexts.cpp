#include "net/NetworkTexts.h"

#include "records/GameInfo.h"

namespace zemra::net::texts {

const QString StartPage = QStringLiteral("网络设置");
const QString HostCaption = QStringLiteral(" 网络对局 - 设局");
const QString ChallengeCaption = QStringLiteral(" 网络对局 - 挑战");
const QString NameLabel = QStringLiteral("您的昵称：");
const QString RankLabel = QStringLiteral("您的棋力：");
const QString OwnAddressLabel = QStringLiteral("您的网络地址：");
const QString PeerAddressLabel = QStringLiteral("对方网络地址：");

const QStringList& rankEntries()
{
    static const QStringList entries = [] {
        QStringList list;
        for (int dan = 9; dan >= 1; --dan)
            list << QString::number(dan) + QStringLiteral(" 段");
        for (int kyu = 1; kyu <= 18; ++kyu)
            list << QString::number(kyu) + QStringLiteral(" 级");
        return list;
    }();
    return entries;
}

QString storedRank(const QString& entry)
{
    const QString number = entry.section(u' ', 0, 0);
    return number + (entry.contains(u'段') ? QStringLiteral("段") : QStringLiteral("级"));
}

QString nicknameRefusal(nickname::Problem problem)
{
    switch (problem) {
    case nickname::Problem::Empty: return QStringLiteral("请您注意：\r\r您的昵称不能为空！");
    case nickname::Problem::ForbiddenOrLong:
        return QStringLiteral("请您注意：\r您的昵称中不能含有 ( ) ; [ ] 等符号，\r并且昵称的长度不能超出7个汉字！");
    // The peer would receive something else than was typed, or nothing.
    case nickname::Problem::Unencodable: return QStringLiteral("请您注意：\r您的昵称中含有无法在网络上传送的字符！");
    case nickname::Problem::None: break;
    }
    return {};
}

const QString ProposalPage = QStringLiteral("普通对局");
const QString TakeBlack = QStringLiteral("执黑棋");
const QString TakeWhite = QStringLiteral("执白棋");
const QString ProposeButton = QStringLiteral("申请");
const QString CancelButton = QStringLiteral("取消");
const QString AgreeButton = QStringLiteral("同意");
const QString RefuseButton = QStringLiteral("拒绝");
const QString AnswerHint = QStringLiteral("系统提示：您只能选择同意或者拒绝。");
const QString BoardSizeRefusal = QStringLiteral("\r棋盘大小请输入5..19之间的数字！");

const QStringList& handicapEntries()
{
    static const QStringList entries = [] {
        QStringList list{QStringLiteral("分 先")};
        for (int stones = 2; stones <= 9; ++stones)
            list << QStringLiteral("让%1子").arg(stones);
        return list;
    }();
    return entries;
}

QString proposalCaption(const QString& localNickName, const QString& peerNickName)
{
    return QStringLiteral("对局申请 - ") + localNickName + QStringLiteral(" VS ") + peerNickName;
}

QString proposalGroupTitle(const QString& localNickName)
{
    return QStringLiteral(" 【 ") + localNickName + QStringLiteral(" 】 ");
}

// Defined after the names they copy, which are therefore set first.
const QString DefaultNickName = DefaultBlackName;
const QString DefaultPeerName = DefaultWhiteName;
const QString DefaultRank = QStringLiteral("9段");
const QString NetworkPlace = QStringLiteral("Local Area Network");
const QString NotStartedResult = QStringLiteral("比赛还没有开始！");
const QString RunningResult = QStringLiteral("正在比赛！");

QString restartQuestion(const QString& peerNickName, bool nowHosting, Restart wanted)
{
    QString ending;
    if (wanted == Restart::Challenging)
        ending = QStringLiteral(" 您想连接到新的棋友对局吗？");
    else if (nowHosting)
        ending = QStringLiteral(" 您想重新启动“设局”服务吗？");
    else
        ending = QStringLiteral(" 您想断开连接，启动“设局”服务吗？");
    return QStringLiteral("现在已经和棋友") + peerNickName + QStringLiteral("建立了连接，\r\r") + ending;
}

const QString AllConnectionsClosedLine = QStringLiteral("您和所有棋友的网络连接都已经被中断！");

QString hostingLine(const QString& localNickName, const QString& localAddress)
{
    return QStringLiteral("您已经设立了一个棋局，正在等待其他棋友加入对局！ 您的昵称是：") + localNickName +
           QStringLiteral("； 网络地址是：") + localAddress + QStringLiteral("；");
}

const QString ConnectFailedLine =
    QStringLiteral("无法连接到指定的计算机，可能是指定的计算机没有准备好，也有可能是您的网络出现故障，请检查一下！");

QString peerConnectedLine(const QString& peerNickName, const QString& peerAddress)
{
    return QStringLiteral("棋友(") + peerNickName + QStringLiteral("：") + peerAddress +
           QStringLiteral(")已经成功地和您建立了网络连接！");
}

QString sameNicknameLine(const QString& peerNickName, const QString& peerAddress)
{
    return QStringLiteral("棋友(") + peerNickName + QStringLiteral("：") + peerAddress +
           QStringLiteral(")的昵称和您的昵称一样，不能进行正常对局，网络连接将被中断！");
}

QString connectionLostLine(const QString& peerNickName, const QString& peerAddress)
{
    return QStringLiteral("到棋友(") + peerNickName + QStringLiteral("：") + peerAddress +
           QStringLiteral(")的网络连接已经被断开！");
}

const QString ConnectionEndedResult = QStringLiteral("网络中断，比赛结束！");
const QString FloodLine = QStringLiteral("棋友发来的数据太多，无法识别，网络连接已经被中断！");

QString silentConnectionLine(const QString& address)
{
    return QStringLiteral("来自") + address + QStringLiteral("的网络连接没有及时通报昵称，已经被中断！");
}

QString busyRefusedLine(const QString& address)
{
    return QStringLiteral("来自") + address + QStringLiteral("的棋友想加入对局，但您已经有了对手，这个连接已经被拒绝！");
}

const QString NoConnectionText = QStringLiteral("现在没有建立棋友连接，\r\r请在菜单中选择设局或者挑战！");
const QString WaitForPeerText = QStringLiteral("现在没有建立棋友连接，\r\r请等待棋友加入对局！");
const QString ConnectToPeerText = QStringLiteral("现在没有建立棋友连接，\r\r请连接棋友加入对局！");
const QString NotInGameText = QStringLiteral("  您现在不在对局中，\r\r这项功能还不能使用！");

QString proposalRefusedLine(const QString& peerNickName)
{
    return QStringLiteral("棋友") + peerNickName + QStringLiteral("已经拒绝了您的对局申请！");
}

QString passLine(const QString& passerNickName)
{
    return QStringLiteral("棋友 ") + passerNickName + QStringLiteral(" 弃权一手！");
}

const QString UndoRequestSentLine = QStringLiteral("您已经向对方发出了悔棋申请！");
const QString UndoRequestReceivedLine = QStringLiteral("您收到了对方的悔棋申请！");
const QString UndoAgreedLine = QStringLiteral("您同意了对方的悔棋申请！");
const QString UndoRefusedLine = QStringLiteral("您已经拒绝了对方的悔棋申请！");
const QString UndoAgreedByPeerLine = QStringLiteral("对方同意了您的悔棋申请！");

QString undoRefusedByPeerLine(const QString& peerNickName)
{
    return QStringLiteral("棋友") + peerNickName + QStringLiteral("拒绝了您的悔棋申请！");
}

const QString UndoCaption = QStringLiteral("悔棋申请");

QString undoQuestion(const QString& peerNickName)
{
    return QStringLiteral("棋友：") + peerNickName + QStringLiteral("\r\r申请悔棋，您同意吗？");
}

const QString DrawOfferSentLine = QStringLiteral("您已经向对方发出了和棋申请！");
const QString DrawOfferReceivedLine = QStringLiteral("您收到了棋友的和棋申请！");
const QString DrawResult = QStringLiteral("比赛结束，和棋！");
const QString DrawRefusedLine = QStringLiteral("您已经拒绝了对方的和棋申请！");

QString drawRefusedByPeerLine(const QString& peerNickName)
{
    return QStringLiteral("棋友") + peerNickName + QStringLiteral("拒绝了您的和棋申请！");
}

const QString DrawCaption = QStringLiteral("和棋申请");

QString drawQuestion(const QString& peerNickName)
{
    return QStringLiteral("棋友：") + peerNickName + QStringLiteral("\r\r申请和棋，您同意吗？");
}

QString resignLine(const QString& loserNickName, const QString& winnerNickName)
{
    return QStringLiteral("棋友") + loserNickName + QStringLiteral("认输，棋友") + winnerNickName + QStringLiteral("中盘胜！");
}

QString winResult(const QString& winnerNickName)
{
    return QStringLiteral("棋友") + winnerNickName + QStringLiteral("中盘胜！");
}

const QString BoardsDifferLine = QStringLiteral("棋友下的一步棋在您的棋盘上无法落子，双方的棋盘已经不一致了！");

const QString UndoAnswerIgnoredLine = QStringLiteral("您没有提出悔棋申请，棋友发来的回答已经被忽略！");
const QString DrawAnswerIgnoredLine = QStringLiteral("您没有提出和棋申请，棋友发来的回答已经被忽略！");
const QString GameAnswerIgnoredLine = QStringLiteral("您没有提出这样的对局申请，棋友发来的回答已经被忽略！");
const QString MoveOutsideGameLine = QStringLiteral("现在不在对局中，棋友发来的棋步已经被忽略！");
const QString PassOutsideGameLine = QStringLiteral("现在不在对局中，棋友发来的弃权已经被忽略！");
const QString ResignOutsideGameLine = QStringLiteral("现在不在对局中，棋友发来的认输已经被忽略！");
const QString UndoOutsideGameLine = QStringLiteral("现在不在对局中，棋友发来的悔棋申请已经被忽略！");
const QString DrawOutsideGameLine = QStringLiteral("现在不在对局中，棋友发来的和棋申请已经被忽略！");
const QString OwnColourMoveLine = QStringLiteral("棋友发来的棋步是您一方的棋子，已经被忽略！");
const QString ProposalBeforeGreetingLine = QStringLiteral("棋友还没有通报昵称，发来的对局申请已经被忽略！");
const QString UndoStillAskedText = QStringLiteral("  您的悔棋申请还在等待对方的回答，\r\r请稍候！");
const QString DrawStillOfferedText = QStringLiteral("  您的和棋申请还在等待对方的回答，\r\r请稍候！");
const QString ProposalStillOpenText = QStringLiteral("  您的对局申请还在等待对方的回答，\r\r请稍候！");

namespace sound {
const QString Online = QStringLiteral("Online");
const QString Offline = QStringLiteral("Offline");
const QString Request = QStringLiteral("Request");
const QString NewGame = QStringLiteral("NewGame");
const QString Info = QStringLiteral("Info");
const QString Cheer = QStringLiteral("Cheer");
} // namespace sound

} // namespace zemra::net::texts
