#include "filter/mr_replace.h"

#include <algorithm>
#include <array>

#include <QStringList>

#include "core/bet_list.h"

namespace kelton {

std::optional<std::vector<int16_t>> ParseMrNumbers(const QString& text, int16_t high)
{
    std::vector<int16_t> numbers;
    for (const QString& token : text.split(u' ', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int value = token.trimmed().toInt(&ok);
        if (!ok || value < 0 || value > high)
            return std::nullopt;
        numbers.push_back(static_cast<int16_t>(value));
    }
    if (numbers.empty())
        return std::nullopt;
    return numbers;
}

int32_t ReplaceSecondary(BetList& bets, int16_t bcMain, const std::vector<int16_t>& oldNumbers,
                         const std::vector<int16_t>& newNumbers)
{
    if (newNumbers.empty() || bcMain >= bets.BM())
        return 0;
    std::array<bool, 32768> isOld{};
    for (const int16_t number : oldNumbers) {
        if (number >= 0)
            isOld[static_cast<size_t>(number)] = true;
    }
    int32_t replaced = 0;
    std::vector<int16_t> digits(static_cast<size_t>(bets.Stride()));
    for (int32_t i = 0; i < bets.BetCount(); ++i) {
        if (!bets.IsLive(i))
            continue;
        const auto current = bets.Digits(i);
        std::copy(current.begin(), current.end(), digits.begin());
        bool changed = false;
        for (int16_t pos = static_cast<int16_t>(bcMain + 1); pos <= bets.BM(); ++pos) {
            const int16_t number = digits[static_cast<size_t>(pos)];
            if (number < 0 || !isOld[static_cast<size_t>(number)])
                continue;
            digits[static_cast<size_t>(pos)] = newNumbers[static_cast<size_t>(replaced) % newNumbers.size()];
            ++replaced;
            changed = true;
        }
        if (changed)
            bets.SetDigits(i, digits);
    }
    return replaced;
}

} // namespace kelton
