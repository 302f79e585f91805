// Text and pictures need a GUI application; the benchmarks draw off-screen only.
#pragma once

#include <QGuiApplication>

#include "render/Fonts.h"

namespace zemra::bench {

inline void ensureGuiApplication()
{
    if (QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "zemra-bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    zemra::installFontSubstitutions();
}

} // namespace zemra::bench
