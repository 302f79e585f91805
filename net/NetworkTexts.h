// Every text the network game shows or writes: log lines, results,
// questions, refusals and the fixed entries of its two dialogs. "\r" in a
// text is a line break. Log lines go out as "System" entries.
#pragma once

#include <QString>
#include <QStringList>

#include "text/Nickname.h"

namespace zemra::net::texts {

// --- the settings dialog (TFormNetworkStart) -------------------------------
extern const QString StartPage;        // "网络设置"
extern const QString HostCaption;      // " 网络对局 - 设局"
extern const QString ChallengeCaption; // " 网络对局 - 挑战"
extern const QString NameLabel;        // "您的昵称："
extern const QString RankLabel;        // "您的棋力："
extern const QString OwnAddressLabel;  // "您的网络地址："
extern const QString PeerAddressLabel; // "对方网络地址："
// "9 段" … "1 段", "1 级" … "18 级": 27 entries, the first selected.
const QStringList& rankEntries();
// The rank as stored and sent: "9 段" gives "9段", "18 级" gives "18级".
QString storedRank(const QString& entry);
// What the dialog says about a nickname it refuses; empty for None.
QString nicknameRefusal(nickname::Problem problem);

// --- the proposal dialog (TFormNetworkNewGame) ------------------------------
extern const QString ProposalPage;     // "普通对局"
extern const QString TakeBlack;        // "执黑棋"
extern const QString TakeWhite;        // "执白棋"
extern const QString ProposeButton;    // "申请"
extern const QString CancelButton;     // "取消"
extern const QString AgreeButton;      // "同意"
extern const QString RefuseButton;     // "拒绝"
extern const QString AnswerHint;       // "系统提示：您只能选择同意或者拒绝。"
extern const QString BoardSizeRefusal; // "\r棋盘大小请输入5..19之间的数字！"
// "分 先", "让2子" … "让9子"; the index is what a proposal sends.
const QStringList& handicapEntries();
QString proposalCaption(const QString& localNickName, const QString& peerNickName);
QString proposalGroupTitle(const QString& localNickName);

// --- entering the mode --------------------------------------------------------
extern const QString DefaultNickName;  // "山间的清风"
extern const QString DefaultPeerName;  // "月下の旅人"
extern const QString DefaultRank;      // "9段"
extern const QString NetworkPlace;     // "Local Area Network"
extern const QString NotStartedResult; // "比赛还没有开始！"
extern const QString RunningResult;    // "正在比赛！"

// --- hosting and challenging ----------------------------------------------------
enum class Restart { Hosting, Challenging };
// The Yes/No question before a new host or challenge while connected.
QString restartQuestion(const QString& peerNickName, bool nowHosting, Restart wanted);
extern const QString AllConnectionsClosedLine;
QString hostingLine(const QString& localNickName, const QString& localAddress);
extern const QString ConnectFailedLine;

// --- the connection -----------------------------------------------------------
QString peerConnectedLine(const QString& peerNickName, const QString& peerAddress);
QString sameNicknameLine(const QString& peerNickName, const QString& peerAddress);
QString connectionLostLine(const QString& peerNickName, const QString& peerAddress);
extern const QString ConnectionEndedResult; // "网络中断，比赛结束！"
// The peer sent more than a message can be; the connection is dropped.
extern const QString FloodLine;
// A connection to the host that has not introduced itself in time is closed.
QString silentConnectionLine(const QString& address);
// Another connection while the host already has one is turned away.
QString busyRefusedLine(const QString& address);

// --- proposals and requests ---------------------------------------------------------
extern const QString NoConnectionText;  // no role chosen
extern const QString WaitForPeerText;   // hosting, nobody joined
extern const QString ConnectToPeerText; // challenging, not connected
extern const QString NotInGameText;     // a request without a running game
QString proposalRefusedLine(const QString& peerNickName);

QString passLine(const QString& passerNickName);
extern const QString UndoRequestSentLine;
extern const QString UndoRequestReceivedLine;
extern const QString UndoAgreedLine;  // we agreed
extern const QString UndoRefusedLine; // we refused
extern const QString UndoAgreedByPeerLine;
QString undoRefusedByPeerLine(const QString& peerNickName);
extern const QString UndoCaption; // "悔棋申请"
QString undoQuestion(const QString& peerNickName);

extern const QString DrawOfferSentLine;
extern const QString DrawOfferReceivedLine;
extern const QString DrawResult;      // "比赛结束，和棋！": line and result
extern const QString DrawRefusedLine; // we refused
QString drawRefusedByPeerLine(const QString& peerNickName);
extern const QString DrawCaption; // "和棋申请"
QString drawQuestion(const QString& peerNickName);

QString resignLine(const QString& loserNickName, const QString& winnerNickName);
QString winResult(const QString& winnerNickName);

// A received move that our board refuses: the two boards no longer agree.
extern const QString BoardsDifferLine;

// --- what the peer sends out of place is ignored, with one of these -------------
// An answer to a request we have not made (or not these terms).
extern const QString UndoAnswerIgnoredLine;
extern const QString DrawAnswerIgnoredLine;
extern const QString GameAnswerIgnoredLine;
// Game messages while no game runs.
extern const QString MoveOutsideGameLine;
extern const QString PassOutsideGameLine;
extern const QString ResignOutsideGameLine;
extern const QString UndoOutsideGameLine;
extern const QString DrawOutsideGameLine;
// A move in our colour.
extern const QString OwnColourMoveLine;
// A proposal from a connection that has not introduced itself.
extern const QString ProposalBeforeGreetingLine;
// Our own request of that kind still waits for its answer (information box).
extern const QString UndoStillAskedText;
extern const QString DrawStillOfferedText;
extern const QString ProposalStillOpenText;

// --- sounds ---------------------------------------------------------------------
namespace sound {
extern const QString Online;
extern const QString Offline;
extern const QString Request;
extern const QString NewGame;
extern const QString Info;
extern const QString Cheer;
} // namespace sound

} // namespace zemra::net::texts
