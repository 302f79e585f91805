#include "app/NetworkAddresses.h"

#include <QCoreApplication>
#include <QHostInfo>
#include <QNetworkInterface>

namespace zemra {

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

void systemLookup(const QString& hostName, std::function<void(const QList<QHostAddress>&)> done)
{
    // The answer comes back through the application's event loop.
    QHostInfo::lookupHost(hostName, QCoreApplication::instance(),
                          [done = std::move(done)](const QHostInfo& info) { done(info.addresses()); });
}

struct AddressCache {
    HostNameLookup lookup = systemLookup;
    QStringList hostNameAddresses; // the last answer, reachable ones only
    int asked = 0;                 // lookups started; only the latest answer counts
};

AddressCache& cache()
{
    static AddressCache c;
    return c;
}

} // namespace

QStringList GetMyComputerIP()
{
    QStringList addresses = cache().hostNameAddresses;
    if (addresses.isEmpty()) addresses = reachableIPv4(QNetworkInterface::allAddresses());
    if (addresses.isEmpty()) addresses << QStringLiteral("127.0.0.1");
    return addresses;
}

void StartMyComputerIPLookup()
{
    if (!QCoreApplication::instance()) return;
    const int ticket = ++cache().asked;
    cache().lookup(QHostInfo::localHostName(), [ticket](const QList<QHostAddress>& addresses) {
        if (ticket == cache().asked) cache().hostNameAddresses = reachableIPv4(addresses);
    });
}

void SetHostNameLookup(HostNameLookup lookup)
{
    cache().lookup = lookup ? std::move(lookup) : HostNameLookup(systemLookup);
    cache().hostNameAddresses.clear();
    ++cache().asked;
}

} // namespace zemra
