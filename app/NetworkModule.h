// What the program and its network module agree on. The network mode (its
// controller, dialogs, sockets and address lookup, with Qt Network under
// them) is built as a module of its own that the program loads when the mode
// is first entered, so that none of it costs anything at start-up.
#pragma once

// The module's file name; the program looks for it beside itself (a build
// tree), in ZEMRA_DATA_DIR (the tests) and in ../lib/zemra (an installed copy).
#define ZEMRA_NETWORK_MODULE "zemra-network.so"

// The one function of the module:
//   zemra::ModeController* zemraCreateNetworkGame(zemra::ModeHost& host)
// makes the network mode's controller, owned by the caller from then on. The
// module takes everything else it uses from the program itself.
#define ZEMRA_NETWORK_ENTRY zemraCreateNetworkGame
