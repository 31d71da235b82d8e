#pragma once

#include <QApplication>

#include <gtest/gtest.h>

namespace kelton::test {

// The QApplication the window tests need, made once for the test program.
class QtAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (!QApplication::instance()) {
            qputenv("QT_QPA_PLATFORM",
                    qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
            static int argc = 1;
            static char name[] = "kelton-test";
            static char* argv[] = {name, nullptr};
            m_app = new QApplication(argc, argv);
        }
    }
    void TearDown() override
    {
        delete m_app;
        m_app = nullptr;
    }

private:
    QApplication* m_app = nullptr;
};

// Registers the environment when the test program starts.
inline ::testing::Environment* const g_qtAppEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtAppEnvironment);

} // namespace kelton::test
