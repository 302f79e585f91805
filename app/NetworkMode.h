// How the window gets the network mode's controller: from the network module,
// loaded when the mode is first entered. Until then a stand-in holds the
// mode's place and shows the network menu's items disabled.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

#include "app/ModeController.h"

namespace zemra {

// The stand-in; isNetworkStandIn tells it from the real controller.
std::unique_ptr<ModeController> networkStandIn(ModeHost& host);
bool isNetworkStandIn(const ModeController& controller);

// The real controller, or nothing when the module cannot be loaded; then
// problem says why (for the error output, the user is told in plain words).
std::unique_ptr<ModeController> createNetworkGame(ModeHost& host, QString& problem);

// How createNetworkGame makes the controller: by default from the module.
// Tests that link the network code make it themselves.
using NetworkGameFactory = std::function<std::unique_ptr<ModeController>(ModeHost& host, QString& problem)>;
void setNetworkGameFactory(NetworkGameFactory factory);

// Where the network module is loaded from (loading it if need be); empty
// when it cannot be loaded.
QByteArray networkModulePath();

} // namespace zemra
