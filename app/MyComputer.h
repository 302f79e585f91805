// What the machine says about itself: its host name, the user's name against
// the engine and the default nickname. Its addresses, which only network play
// needs, are in NetworkAddresses.h.
#pragma once

#include <QString>

namespace zemra {

// The machine's host name, at most 64 bytes in GBK.
QString GetMyComputerName();

} // namespace zemra
