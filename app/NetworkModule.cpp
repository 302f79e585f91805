// The network module's entry (see NetworkModule.h).
#include "app/NetworkGame.h"
#include "app/NetworkModule.h"

extern "C" Q_DECL_EXPORT zemra::ModeController* ZEMRA_NETWORK_ENTRY(zemra::ModeHost& host)
{
    return new zemra::NetworkGame(host);
}
