// On the real history: other filters set for the thousand direct bets
// remove exactly the bets they reject, and the setting saved as a scheme
// and loaded into a filter window built anew gives the same result.

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "data/filter_items.h"
#include "filter/scheme_file.h"
#include "games/ui/real_history_test.h"
#include "host/ui/xp_toolbar.h"
#include "platform/gbk.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

class SchemeHistoryTest : public test::RealHistoryTest {
protected:
    AppState& State() { return m_context.State; }

    test::FakeFileDialogs m_files;
    ScopedService<IFileDialogs> m_filesInstalled{&m_files};
};

TEST_F(SchemeHistoryTest, ASavedSchemeFiltersAlikeInAWindowBuiltAnew)
{
    MDIMain& main = StartWithSampleGame();
    ASSERT_TRUE(State().CurLottorData);
    ASSERT_EQ(Game().NumCount(), 8374);
    main.Controls().Tbr1->ButtonByKey(u"Filter"_s)->trigger();
    Settle();
    auto* filter = dynamic_cast<fFilter*>(Windows().FilterForm());
    ASSERT_NE(filter, nullptr);
    MakeDirectBets(*filter);
    ASSERT_EQ(State().Document.Bets().LiveCount(), 1000);

    // A match item (one or two of 0, 1, 2 anywhere) and a history item (no
    // group repeat of the last 100 draws) take part in the run.
    Game().FilterMatch.Sel = 1;
    ASSERT_TRUE(Game().FilterMatch.AddPerVal(u"√\t0 1 2\t1-2\tХ\tХ"));
    Game().FilterHistory.Sel = 1;
    ASSERT_TRUE(Game().FilterHistory.AddPerVal(u"√\t0\t100\t0\t1\tХ\tХ"));
    const int32_t next = Game().NumCount();
    std::vector<int32_t> expected;
    for (int32_t i = 0; i < State().Document.Bets().BetCount(); ++i) {
        if (Game().FilterOther(State().Document.Bets().Digits(i), next))
            expected.push_back(i);
    }
    ASSERT_GT(expected.size(), 0u);
    ASSERT_LT(expected.size(), 1000u);
    filter->Controls().cmdGetFilter->click();
    ASSERT_EQ(State().Document.Bets().LivePositions(), expected);

    const QString path = Path(u"other.voskc"_s);
    m_files.Paths = {path};
    Entry(MainCommand::ChipInPut)->trigger();

    // The window unloaded for real and the setting emptied; the scheme
    // loaded from the menu builds the window anew.
    State().FormsClosing = kTrue;
    m_main->UnloadChildForms();
    State().FormsClosing = kFalse;
    FlushDeletes();
    Game().FilterMatch = CFilterMatch();
    Game().FilterHistory = CFilterHistory();
    Game().FilterMatch.IniClass(&Game().HeadData);
    Game().FilterHistory.IniClass(&Game().HeadData);
    m_files.Paths = {path};
    Entry(MainCommand::ChipInGet)->trigger();
    EXPECT_EQ(m_boxes.Texts.last(), u"恭喜，成功导入方案！"_s);
    filter = dynamic_cast<fFilter*>(Windows().FilterForm());
    ASSERT_TRUE(filter && filter->Loaded());
    EXPECT_EQ(Game().FilterMatch.ItemCount(), 1);
    EXPECT_EQ(Game().FilterHistory.ItemCount(), 1);
    filter->ShowForm();
    MakeDirectBets(*filter);
    ASSERT_EQ(State().Document.Bets().LiveCount(), 1000);
    filter->Controls().cmdGetFilter->click();
    EXPECT_EQ(State().Document.Bets().LivePositions(), expected);
}

// A scheme whose lists are at their limit loads and saves again (the save
// once looped for ever); one item more, or a file past 32 MB, is refused,
// saying why, and the setting stays as it was.
TEST_F(SchemeHistoryTest, SchemesAtTheLimitsLoadAndSaveAndPastThemAreRefusedSayingWhy)
{
    MDIMain& main = StartWithSampleGame();
    ASSERT_TRUE(State().CurLottorData);
    main.Controls().Tbr1->ButtonByKey(u"Filter"_s)->trigger();
    Settle();
    for (int i = 0; i < kMaxFilterItems; ++i)
        ASSERT_TRUE(Game().FilterMatch.AddPerVal(u"√\t1\t1\tХ\tХ"));
    const QString full = Path(u"full.voskc"_s);
    m_files.Paths = {full};
    Entry(MainCommand::ChipInPut)->trigger();
    ASSERT_TRUE(QFileInfo::exists(full));
    m_files.Paths = {full};
    Entry(MainCommand::ChipInGet)->trigger();
    EXPECT_EQ(m_boxes.Texts.last(), u"恭喜，成功导入方案！"_s);
    EXPECT_EQ(Game().FilterMatch.ItemCount(), kMaxFilterItems);

    const QString tooMany = Path(u"many.voskc"_s);
    ASSERT_TRUE(QFile::copy(full, tooMany));
    {
        QFile file(tooMany);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(ToGbk(u"[FilterMatch]\r\nVal=True\t2\t1\tFalse\tFalse\r\n"_s));
    }
    Game().FilterMatch.IniClass(&Game().HeadData);
    m_files.Paths = {tooMany};
    Entry(MainCommand::ChipInGet)->trigger();
    EXPECT_EQ(m_boxes.Texts.last(), u"导入方案失败，方案中的匹配过滤有 32768 项，最多 32767 项！"_s);
    EXPECT_EQ(Game().FilterMatch.ItemCount(), 0);

    const QString huge = Path(u"huge.voskc"_s);
    ASSERT_TRUE(QFile::copy(full, huge));
    ASSERT_TRUE(QFile::resize(huge, kMaxSchemeFileBytes + 1));
    m_files.Paths = {huge};
    Entry(MainCommand::ChipInGet)->trigger();
    EXPECT_EQ(m_boxes.Titles.last(), u"操作错误"_s);
    EXPECT_EQ(m_boxes.Texts.last(), u"导入方案失败，文件大于 32 MB，不是有效的方案文件："_s + huge);
    EXPECT_EQ(Game().FilterMatch.ItemCount(), 0);
}

} // namespace
} // namespace kelton
