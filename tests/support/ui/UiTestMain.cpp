#include "support/SandboxedTestRun.h"

#include <QGuiApplication>

// Executables that build views need a GUI application object for Qt Quick.
int main(int argc, char** argv)
{
    return velk::test::runSandboxedTests<QGuiApplication>(argc, argv, "VelkCleanUiTests");
}
