#pragma once

// The QApplication of the window benchmarks, made once, offscreen unless a
// platform is asked for.

#include <memory>

#include <QApplication>

namespace kelton::bench {

inline void EnsureApplication()
{
    static std::unique_ptr<QApplication> app;
    if (QApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kelton_ui_bench";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QApplication>(argc, argv);
}

}  // namespace kelton::bench
