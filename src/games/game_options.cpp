#include "games/game_options.h"

#include "data/lottor_head.h"

namespace kelton {

namespace {

bool InPeriodRange(int16_t period)
{
    return period >= GameOptions::kMinPeriod && period <= GameOptions::kMaxPeriod;
}

} // namespace

GameOptions DefaultGameOptions()
{
    GameOptions options;
    options.Colours = {Rgb(255, 255, 255), Rgb(200, 255, 200), Rgb(255, 100, 100), Rgb(100, 100, 255),
                       Rgb(200, 255, 200), Rgb(255, 0, 0),     Rgb(0, 150, 255)};
    return options;
}

void RepairGamePeriods(CLottorHead& head)
{
    if (!InPeriodRange(head.CustomStat))
        head.CustomStat = GameOptions::kDefaultCustomStat;
    if (!InPeriodRange(head.InferShowCourse))
        head.InferShowCourse = GameOptions::kDefaultShowCourse;
}

GameOptions ReadGameOptions(const CLottorHead& head)
{
    GameOptions options;
    options.CustomStat = head.CustomStat;
    options.InferShowCourse = head.InferShowCourse;
    options.ListAsc = head.ListAsc != 0;
    options.Colours = {ColorRgb(head.RowColor(0)),  ColorRgb(head.RowColor(1)), ColorRgb(head.RankColor(0)),
                       ColorRgb(head.RankColor(1)), ColorRgb(head.CycleColor),  ColorRgb(head.BcMainColor),
                       ColorRgb(head.MrMainColor)};
    return options;
}

void WriteGameOptions(CLottorHead& head, const GameOptions& options)
{
    const auto stored = [&options](GameColour c) { return StoredColor(options.Colours[c]); };
    head.CustomStat = options.CustomStat;
    head.InferShowCourse = options.InferShowCourse;
    head.SetRowColor(0, stored(kRowColour1));
    head.SetRowColor(1, stored(kRowColour2));
    head.SetRankColor(0, stored(kRankColour1));
    head.SetRankColor(1, stored(kRankColour2));
    head.CycleColor = stored(kCycleColour);
    head.BcMainColor = stored(kBcColour);
    if (head.MrMain > 0)
        head.MrMainColor = stored(kMrColour);
    head.ListAsc = options.ListAsc ? 1 : 0;
}

} // namespace kelton
