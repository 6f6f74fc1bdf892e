// SPDX-License-Identifier: MIT
#include <QApplication>

#include <gtest/gtest.h>

namespace {

// The backend needs a QApplication (widgets), made once for the whole test program and never
// deleted, as the program's main would.
class QtEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        if (QCoreApplication::instance())
            return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tavisco-qtbackend-test";
        static char* argv[] = { name, nullptr };
        new QApplication(argc, argv);
    }
};

const auto* environment = testing::AddGlobalTestEnvironment(new QtEnvironment);

}
