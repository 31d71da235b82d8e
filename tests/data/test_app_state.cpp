#include "data/app_state.h"

#include <gtest/gtest.h>

namespace kelton {
namespace {

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
