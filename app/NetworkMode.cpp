#include "app/NetworkMode.h"

#include "app/NetworkModule.h"
#include "app/ProgramFiles.h"

namespace zemra {

namespace {

class NetworkStandIn final : public ModeController {
public:
    using ModeController::ModeController;
    GameModeId mode() const override { return GameModeId::Network; }
    // The window puts the real controller in its place first.
    void enterMode() override {}
    void boardClick(int, int, Qt::MouseButton) override {}
    // Every item of the network menu, disabled until the real controller is in place.
    std::span<const Row> commands() const override
    {
        static constexpr Row rows[] = {
            inactive(Command::NetServer), inactive(Command::NetClient), inactive(Command::NetObserve),
            inactive(Command::NetNewGame), inactive(Command::NetUndo),   inactive(Command::NetPass),
            inactive(Command::NetHeQi),    inactive(Command::NetResign), inactive(Command::NetFlagDead),
            inactive(Command::NetDianMu),
        };
        return rows;
    }
};

using CreateFunction = ModeController* (*)(ModeHost&);

ProgramModule loadModule()
{
    return openProgramModule(ZEMRA_NETWORK_MODULE, QT_STRINGIFY(ZEMRA_NETWORK_ENTRY));
}

// Loaded once; a module that failed is looked for again next time, so a
// user who installs it meanwhile need not restart.
const ProgramModule& networkModule()
{
    static ProgramModule module;
    if (!module.entry) module = loadModule();
    return module;
}

std::unique_ptr<ModeController> fromModule(ModeHost& host, QString& problem)
{
    const ProgramModule& module = networkModule();
    if (!module.entry) {
        problem = module.problem;
        return nullptr;
    }
    return std::unique_ptr<ModeController>(reinterpret_cast<CreateFunction>(module.entry)(host));
}

NetworkGameFactory& factory()
{
    static NetworkGameFactory f = fromModule;
    return f;
}

} // namespace

std::unique_ptr<ModeController> networkStandIn(ModeHost& host)
{
    return std::make_unique<NetworkStandIn>(host);
}

bool isNetworkStandIn(const ModeController& controller)
{
    return dynamic_cast<const NetworkStandIn*>(&controller) != nullptr;
}

std::unique_ptr<ModeController> createNetworkGame(ModeHost& host, QString& problem)
{
    return factory()(host, problem);
}

void setNetworkGameFactory(NetworkGameFactory f)
{
    factory() = f ? std::move(f) : NetworkGameFactory(fromModule);
}

QByteArray networkModulePath()
{
    return networkModule().path;
}

} // namespace zemra
