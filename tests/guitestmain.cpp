// Runs widget tests on the offscreen platform with one application object. Each test starts in
// an empty settings folder of its own: the main window writes its recent files there whenever a
// test opens or saves a plan, no test may change the settings of the user running it, and no
// test may see what an earlier one left. Tests that need certain settings still make their own
// folder (tests/scopedsettings.h).
#include "platform/gui/application.h"
#include "tests/tempdir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <memory>

namespace {

class TFreshSettings : public ::testing::EmptyTestEventListener {
    // Runs before the test's fixture is made.
    void OnTestStart(const ::testing::TestInfo&) override
    {
        FDir = std::make_unique<TTempDir>();
        if (FDir->Path().empty()) {
            std::cerr << "no temporary settings folder could be made\n";
            std::abort();
        }
        setenv("XDG_CONFIG_HOME", FDir->Path().c_str(), 1);
    }
    void OnTestEnd(const ::testing::TestInfo&) override { FDir.reset(); }

    std::unique_ptr<TTempDir> FDir;
};

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    // The listener list owns what it is given.
    ::testing::UnitTest::GetInstance()->listeners().Append(new TFreshSettings);
    TApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
