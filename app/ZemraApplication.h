// The application object and the one boundary where commands enter our code:
// a command that fails (a bad number, an unreadable file) is stopped there,
// the user sees the error once, and the program goes on. Nothing throws
// through Qt's event delivery.
#pragma once

#include <QApplication>
#include <functional>

namespace zemra {

class ZemraApplication : public QApplication {
public:
    ZemraApplication(int& argc, char** argv);

    // How the error is shown; tests replace the box.
    using ErrorSink = std::function<void(const QString& message)>;
    static void setErrorSink(ErrorSink sink);
    static void showError(const QString& message);
};

// Runs one user command (a menu item, a button, a key, a click); an
// exception it throws is shown in the error box and goes no further.
void runGuarded(const std::function<void()>& command);

} // namespace zemra
