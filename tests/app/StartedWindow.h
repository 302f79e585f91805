// The window as the program starts it: shown maximised, and a record named
// on the command line opened, which waits until the window has its size.
#pragma once

#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "app/FormMain.h"

namespace zemra::testing {

inline std::unique_ptr<TFormMain> startWindow(const QByteArray& recordPath)
{
    auto form = std::make_unique<TFormMain>(recordPath);
    form->showMaximized();
    if (!QTest::qWaitFor([&] { return form->GameMode() == QStringLiteral("open"); }, 5000))
        ADD_FAILURE() << "the record was not opened";
    QCoreApplication::processEvents(); // what the window tells once it is painted
    return form;
}

} // namespace zemra::testing
