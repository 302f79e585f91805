// The machine's IPv4 addresses, for network play: built into the network
// module with the rest of that mode.
#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace zemra {

// The machine's IPv4 addresses in dotted form, never empty and never waiting
// for a resolver: those of the host name in the order the lookup gave them
// once StartMyComputerIPLookup has its answer; until then, and when the
// host name has none a peer could reach, those of the network interfaces;
// else "127.0.0.1".
QStringList GetMyComputerIP();

// Asks for the addresses of the host name in the background. A resolver
// that answers slowly or never leaves the window alone.
void StartMyComputerIPLookup();

// How the host name is resolved: the lookup calls done later, on this
// thread. By default the system resolver in Qt's worker threads; tests put a
// resolver of their own.
using HostNameLookup =
    std::function<void(const QString& hostName, std::function<void(const QList<QHostAddress>&)> done)>;
void SetHostNameLookup(HostNameLookup lookup);

} // namespace zemra
