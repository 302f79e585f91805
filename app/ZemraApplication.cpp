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

bool ZemraApplication::notify(QObject* receiver, QEvent* event)
{
    // A command that fails (a bad number, an unreadable file) is aborted, the
    // user is told once, and the window keeps running.
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        showError(QString::fromUtf8(e.what()));
    } catch (...) {
        showError(QStringLiteral("未知错误"));
    }
    return false;
}

} // namespace zemra
