#pragma once

// A small three-digit game on disk for the model tests: created, opened with
// its eight statistics views and given its draws.

#include <memory>
#include <vector>

#include <QString>

#include <gtest/gtest.h>

#include "data/lottor_data.h"
#include "support/draw_rows.h"

namespace kelton::test {

// The game "T" (digits 0..9 in three places) created at file, holding draws
// (highest place first) from issue first on; an empty list leaves it
// without draws. Failures are reported to the running test.
inline std::unique_ptr<CLottorData> SmallGame(const QString& file, const std::vector<const char*>& draws,
                                              int32_t first = 2024001)
{
    {
        CLottorData created;
        EXPECT_FALSE(created.CreateData(QStringLiteral("[LOTTONAME]\r\nT\r\n[BCDATALEN]\r\n9\r\n[BCMAIN]\r\n3\r\n"),
                                        file, 1000));
    }
    auto game = std::make_unique<CLottorData>();
    EXPECT_FALSE(game->OpenData(8, file));
    if (!draws.empty()) {
        EXPECT_EQ(game->Add(Draws(draws, first)), static_cast<int16_t>(draws.size()));
        EXPECT_FALSE(game->UpData());
    }
    return game;
}

} // namespace kelton::test
