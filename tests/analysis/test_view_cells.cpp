#include <QString>

#include <gtest/gtest.h>

#include "analysis/view_cells.h"

namespace kelton {
namespace {

// A table's rows hand on the texts by address, so each text must stay
// where it is while later ones are made, small numbers and large alike.
TEST(NumberTexts, EveryTextStaysWhereItIs)
{
    NumberTexts numbers;
    const QString& small = numbers.Of(7);
    const QString& large = numbers.Of(5000);
    const QString& negative = numbers.Of(-20);
    for (const int value : {6000, -1, 1023, 1024, 30000})
        EXPECT_EQ(numbers.Of(value), QString::number(value));
    EXPECT_EQ(small, QStringLiteral("7"));
    EXPECT_EQ(large, QStringLiteral("5000"));
    EXPECT_EQ(negative, QStringLiteral("-20"));
    EXPECT_EQ(&numbers.Of(5000), &large); // made once
}

} // namespace
} // namespace kelton
