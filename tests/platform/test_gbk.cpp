#include "platform/gbk.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace kelton {
namespace {

TEST(GbkTest, RoundTripsChineseText)
{
    ASSERT_TRUE(GbkAvailable());
    const QString text = QStringLiteral("福彩3D 投注单\r\n√Х");
    EXPECT_EQ(FromGbk(ToGbk(text)), text);
    EXPECT_EQ(ToGbk(QStringLiteral("原始数据")), QByteArrayLiteral("\xD4\xAD\xCA\xBC\xCA\xFD\xBE\xDD"));
}

}  // namespace
}  // namespace kelton
