#include "app/MyComputer.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QSysInfo>

#include "text/Gbk.h"

namespace zemra {

QString GetMyComputerName()
{
    return gbk::truncated(QSysInfo::machineHostName(), 64);
}

namespace {

// Loopback addresses are left out: Debian maps the host name to 127.0.1.1,
// which the peer would be told as our address and could never reach.
QStringList reachableIPv4(const QList<QHostAddress>& addresses)
{
    QStringList dotted;
    for (const QHostAddress& a : addresses) {
        if (a.protocol() != QAbstractSocket::IPv4Protocol || a.isLoopback()) continue;
        const QString text = a.toString();
        if (!dotted.contains(text)) dotted << text;
    }
    return dotted;
}

} // namespace

QStringList GetMyComputerIP()
{
    QStringList addresses = reachableIPv4(QHostInfo::fromName(QHostInfo::localHostName()).addresses());
    if (addresses.isEmpty()) addresses = reachableIPv4(QNetworkInterface::allAddresses());
    if (addresses.isEmpty()) addresses << QStringLiteral("127.0.0.1");
    return addresses;
}

} // namespace zemra
