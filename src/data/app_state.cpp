#include "data/app_state.h"

#include "data/prime_table.h"
#include "data/text_helpers.h"
#include "platform/string_table.h"

namespace kelton {

AppState& Mmain()
{
    static AppState state;
    return state;
}

void IniGlobal()
{
    AppState& app = Mmain();

    app.AppTitle = QStringLiteral("Kelton");

    // The signature every settings container carries; fixed, 50 characters.
    app.SsqSignature = QStringLiteral("Kelton ") + QStringLiteral("Number Settings ") + QStringLiteral("2");
    app.SsqSignature = app.SsqSignature.leftJustified(50, QLatin1Char(' '), true);

    for (size_t n = 0; n < app.PrimeFlag.size(); ++n)
        app.PrimeFlag[n] = kPrimeTable[n] ? kTrue : kFalse;

    app.GroupIndicatorFlag.fill(0);
    for (int i : {0, 1, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 18, 20, 21, 22, 23, 24, 25, 26, 27, 28,
                  29, 30, 34, 35, 36})
        app.GroupIndicatorFlag[i] = 1;

    for (auto& name : app.PlaceName)
        name.clear();
    for (int i = 1; i <= 9; ++i)
        app.PlaceName[i] = LoadResString(50 + i);
    for (int i = 0; i <= 42; ++i)
        app.IndicatorName[i] = LoadResString(i);
    for (auto& name : app.RankName)
        name.clear();
    for (int i = 0; i <= 7; ++i)
        app.RankName[i] = LoadResString(130 + i);
    for (int i = 0; i <= 7; ++i)
        app.ViewName[i] = LoadResString(138 + i);
    for (int i = 0; i <= 5; ++i)
        app.FeatureLegend[i] = LoadResString(90 + i);
}

}  // namespace kelton
