// Every file a user saves, saved again on a full disk: the save fails, and
// the file saved before stays whole, byte for byte, with nothing left beside
// it. Each writer once put an empty or short file in place and reported
// success.

#include <functional>

#include <QFile>

#include <gtest/gtest.h>

#include "core/bet_list.h"
#include "core/msg_service.h"
#include "data/lottor_data.h"
#include "filter/scheme_file.h"
#include "formula/way_file.h"
#include "otherfilter/other_sections.h"
#include "results/bet_file.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

const QString kThreeDigits = u"[LOTTONAME]\r\n3D\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"_s;

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class FullDiskSaves : public test::HeadlessMsgTest {
protected:
    void SetUp() override
    {
        HeadlessMsgTest::SetUp();
        SKIP_WITHOUT_SMALL_DISK(m_disk);
        m_game.HeadData.SetHeadStr(kThreeDigits);
        ASSERT_TRUE(m_game.HeadData.Enable());
        m_game.HeadData.WayGroupAdd(u"g"_s);
    }

    // Bets, draws, formulas and rows: n of each, so that versions differ.
    void Grow(int n)
    {
        m_bets = BetList(3);
        std::vector<Draw> draws;
        for (int i = 0; i < n; ++i) {
            const auto d = static_cast<int16_t>(i % 10);
            m_bets.AddBet(std::vector<int16_t>{0, d, 1, 2});
            draws.push_back(Draw{2025001 + i, {0, d, 4, 5}});
            m_game.HeadData.WayAdd(0, u"f%1"_s.arg(i), u"Num(1,3,1)"_s, 0, QString());
            m_page.Rows << u"√\t1\t1\tХ\tХ"_s;
        }
        ASSERT_EQ(m_game.Add(draws), n);
    }

    BetFileProgress Progress()
    {
        return BetFileProgress{m_msg, [](const QString&, const QString&) { return false; }, {}};
    }

    struct Writer {
        const char* Name;
        QString File;
        std::function<bool(const QString& path)> Save;
    };

    std::vector<Writer> Writers()
    {
        const QString format = m_game.HeadData.NumFormatStr(0);
        return {
            {"scheme", u"a.voskc"_s,
             [this](const QString& path) {
                 return WriteSchemeFile(path, u"[Issue]\r\n%1"_s.arg(m_game.NumCount())).Ok;
             }},
            {"panel", u"a.mth"_s,
             [this](const QString& path) {
                 return WriteOtherFilterFile(path, OtherFilterKind::Match, {1, 0}, m_page).Ok;
             }},
            {"formulas", u"a.way"_s,
             [this](const QString& path) { return WriteWayFile(path, m_game.HeadData.Ways(), 0); }},
            {"bets", u"a.voskt"_s,
             [this, format](const QString& path) {
                 return SaveBetFile(path, format, m_game.HeadData, u"t"_s, m_bets, Progress()).Ok();
             }},
            {"history", u"a.voskr"_s,
             [this, format](const QString& path) {
                 return ExportHistoryFile(path, format, m_game, u"t"_s, Progress()).Ok();
             }},
        };
    }

    test::SmallDisk m_disk{1 << 20};
    CLottorData m_game;
    BetList m_bets{3};
    OtherPageState m_page;
};

TEST_F(FullDiskSaves, EveryWriterFailsAndKeepsTheFileSavedBefore)
{
    Grow(3);
    std::vector<QByteArray> before;
    for (const Writer& writer : Writers()) {
        ASSERT_TRUE(writer.Save(m_disk.FilePath(writer.File))) << writer.Name;
        before.push_back(ReadAll(m_disk.FilePath(writer.File)));
    }
    ASSERT_TRUE(m_disk.Fill());
    const QStringList files = test::FolderEntries(m_disk.Path()); // the filler too

    // A few more of everything: a short write, as most saves are, and one
    // larger than any buffer.
    for (const int more : {2, 3000}) {
        Grow(3 + more);
        std::vector<Writer> writers = Writers();
        for (size_t i = 0; i < writers.size(); ++i) {
            SCOPED_TRACE(writers[i].Name);
            SCOPED_TRACE(more);
            const QString path = m_disk.FilePath(writers[i].File);
            EXPECT_FALSE(writers[i].Save(path));
            EXPECT_TRUE(ReadAll(path) == before[i]);
        }
        EXPECT_EQ(test::FolderEntries(m_disk.Path()), files);
    }
}

} // namespace
} // namespace kelton
