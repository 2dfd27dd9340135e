#pragma once

// Text objects measure with fonts: one GUI application without a screen for the whole run.

#include <QGuiApplication>

inline void EnsureFuzzApplication()
{
    static int argc = 1;
    static char name[] = "fuzz_engine";
    static char *argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static QGuiApplication app(argc, argv);
    }
}
