// The application object: shows an error that escapes a command once, as an
// error box, and lets the program go on.
#pragma once

#include <QApplication>
#include <functional>

namespace zemra {

class ZemraApplication : public QApplication {
public:
    ZemraApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // How the error is shown; tests replace the box.
    using ErrorSink = std::function<void(const QString& message)>;
    static void setErrorSink(ErrorSink sink);
    static void showError(const QString& message);
};

} // namespace zemra
