#include "data/app_state.h"

#include <memory>

#include <gtest/gtest.h>

namespace kelton {
namespace {

// The newest live state is in force; when it goes, the one before it is
// again, whichever order they end in.
TEST(AppStateTest, TheNewestLiveStateIsInForce)
{
    auto outer = std::make_unique<AppState>();
    EXPECT_EQ(&Mmain(), outer.get());
    auto inner = std::make_unique<AppState>();
    EXPECT_EQ(&Mmain(), inner.get());
    inner.reset();
    EXPECT_EQ(&Mmain(), outer.get());

    inner = std::make_unique<AppState>();
    outer.reset(); // an older state ends first
    EXPECT_EQ(&Mmain(), inner.get());
}

// A fresh state starts empty, whatever an earlier one held.
TEST(AppStateTest, AFreshStateHoldsNothingOfAnEarlierOne)
{
    {
        AppState earlier;
        earlier.LottoItems.LottoAdd(QStringLiteral("0"), QStringLiteral("g"), QStringLiteral("Lottor/g"));
        earlier.FormsClosing = -1;
        earlier.SetFilePath = QStringLiteral("Kelt.dat");
    }
    const AppState fresh;
    EXPECT_EQ(fresh.LottoItems.LottoCount(), 0);
    EXPECT_EQ(fresh.FormsClosing, 0);
    EXPECT_TRUE(fresh.SetFilePath.isEmpty());
}

}  // namespace
}  // namespace kelton
