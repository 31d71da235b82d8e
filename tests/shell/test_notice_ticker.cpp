#include "shell/notice_ticker.h"

#include <gtest/gtest.h>

namespace kelton {
namespace {

QList<SysNotice> Notices(const QStringList& texts)
{
    QList<SysNotice> notices;
    for (const QString& text : texts)
        notices.push_back({text, QStringLiteral("http://news.example/") + text});
    return notices;
}

// The notices in the order they start over a number of ticks.
QList<int> Started(NoticeTicker& ticker, const QList<SysNotice>& notices, int ticks)
{
    QList<int> started;
    for (int i = 0; i < ticks; ++i) {
        ticker.Tick(notices);
        if (ticker.Shown() == 1)
            started << ticker.Index();
    }
    return started;
}

TEST(NoticeTickerTest, RevealsANoticeCharacterByCharacterThenItsGap)
{
    const QList<SysNotice> notices = Notices({QStringLiteral("abc")});
    NoticeTicker ticker;
    EXPECT_EQ(ticker.Tick(notices), QStringLiteral("a"));
    EXPECT_EQ(ticker.Tick(notices), QStringLiteral("ab"));
    EXPECT_EQ(ticker.Tick(notices), QStringLiteral("abc"));
    EXPECT_EQ(ticker.Text(), QStringLiteral("abc") + QString(NoticeTicker::kGap, QLatin1Char(' ')));
    QString shown;
    for (int i = 0; i < NoticeTicker::kGap; ++i)
        shown = ticker.Tick(notices);
    EXPECT_EQ(shown, ticker.Text());
    // The gap has run out: the notice starts again.
    EXPECT_EQ(ticker.Tick(notices), QStringLiteral("a"));
    EXPECT_EQ(ticker.Index(), 0);
}

TEST(NoticeTickerTest, ShowsTheNoticesInTurnStartingWithTheSecond)
{
    const QList<SysNotice> notices = Notices({"a", "bb", "c"});
    NoticeTicker ticker;
    const int gap = NoticeTicker::kGap;
    EXPECT_EQ(Started(ticker, notices, (gap + 1) + (gap + 2) + (gap + 1) + (gap + 1) + 1),
              QList<int>({1, 2, 0, 1}));
}

TEST(NoticeTickerTest, AListThatShrankStartsOverAndAnEmptyOneShowsNothing)
{
    NoticeTicker ticker;
    const QList<SysNotice> three = Notices({"a", "b", "c"});
    Started(ticker, three, NoticeTicker::kGap + 2);
    ASSERT_EQ(ticker.Index(), 2);

    // Notice 2 is gone: once the one on show has run out, notice 0 starts.
    const QList<SysNotice> two = Notices({"a", "b"});
    EXPECT_EQ(Started(ticker, two, NoticeTicker::kGap + 1), QList<int>({0}));

    EXPECT_EQ(ticker.Tick({}), QString());
    EXPECT_EQ(ticker.Shown(), 0);
    EXPECT_TRUE(ticker.Text().isEmpty());
    EXPECT_EQ(ticker.Tick(two), QStringLiteral("b"));
}

} // namespace
} // namespace kelton
