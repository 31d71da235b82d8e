#include "shell/lottor_loader.h"

#include <gtest/gtest.h>

#include "data/lottor_head.h"

namespace kelton {
namespace {

TEST(RefusedDrawsTextTest, SaysWhetherTheListWasTooLongOrUnreadable)
{
    CLottorHead head;
    head.SetHeadStr(QStringLiteral("[LOTTONAME]\r\n3D\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"));
    ASSERT_TRUE(head.Enable());
    const QString format = head.GetDefFormat();
    const QString unread = QStringLiteral("更新开奖号码失败，没有读出任何开奖号码，原有的开奖号码未作改动。");

    EXPECT_EQ(RefusedDrawsText(head, format, QStringLiteral("no draws here\r\n")), unread);
    QString lines;
    for (int issue = 1; issue <= CLottorData::kMaxDraws; ++issue)
        lines += QString::number(issue) + QStringLiteral(": 1 2 3\r\n");
    // Exactly as many as a game keeps is not past the limit.
    EXPECT_EQ(RefusedDrawsText(head, format, lines), unread);
    lines += QStringLiteral("32767: 4 5 6\r\n");
    EXPECT_EQ(RefusedDrawsText(head, format, lines),
              QStringLiteral(
                  "更新开奖号码失败，开奖号码超过了一种彩票最多可保存的32766期，原有的开奖号码未作改动。"));
}

} // namespace
} // namespace kelton
