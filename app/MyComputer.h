// What the machine says about itself: its host name (the user's name against
// the engine and the default nickname) and, for network play, its addresses.
#pragma once

#include <QString>
#include <QStringList>

namespace zemra {

// The machine's host name, at most 64 bytes in GBK.
QString GetMyComputerName();

// The machine's IPv4 addresses in dotted form, never empty: those of the host
// name in the order the lookup gives them; when it has none a peer could
// reach, those of the network interfaces; else "127.0.0.1".
QStringList GetMyComputerIP();

} // namespace zemra
