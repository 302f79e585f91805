// What the machine says about itself: its host name (the user's name against
// the engine and the default nickname) and, for network play, its addresses.
#pragma once

#include <QString>

namespace zemra {

// The machine's host name, at most 64 bytes in GBK.
QString GetMyComputerName();

} // namespace zemra
