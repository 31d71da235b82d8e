#include "host/ui/app_context.h"

#include <gtest/gtest.h>

namespace kelton {
namespace {

// The program's context starts with the shell's own dialogs and start-up
// steps; a bare one with no window at all.
TEST(AppContextTest, TheProgramsWindowsOrNone)
{
    const AppContext program;
    EXPECT_TRUE(program.Windows.OptionDialog && program.Windows.UpgradeDialog && program.Windows.AboutBox);
    EXPECT_TRUE(program.Windows.SeedFirstStart && program.Windows.DataSetOther);
    EXPECT_FALSE(program.Windows.FilterForm);

    const AppContext bare(AppContext::Start::Bare);
    EXPECT_FALSE(bare.Windows.OptionDialog || bare.Windows.SeedFirstStart || bare.Windows.DataSetOther);
}

}  // namespace
}  // namespace kelton
