#include "app/ZemraApplication.h"

#include <QMessageBox>
#include <exception>

namespace zemra {

namespace {
ZemraApplication::ErrorSink& errorSink()
{
    static ZemraApplication::ErrorSink sink;
    return sink;
}
} // namespace

ZemraApplication::ZemraApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void ZemraApplication::setErrorSink(ErrorSink sink)
{
    errorSink() = std::move(sink);
}

void ZemraApplication::showError(const QString& message)
{
    if (errorSink()) {
        errorSink()(message);
        return;
    }
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), message);
}

void runGuarded(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& e) {
        ZemraApplication::showError(QString::fromUtf8(e.what()));
    } catch (...) {
        ZemraApplication::showError(QStringLiteral("未知错误"));
    }
}

} // namespace zemra
