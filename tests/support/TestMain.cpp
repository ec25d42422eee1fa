#include "support/SandboxedTestRun.h"

int main(int argc, char** argv)
{
    return velk::test::runSandboxedTests<QCoreApplication>(argc, argv, "VelkCleanTests");
}
