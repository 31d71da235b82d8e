#pragma once

#include <gtest/gtest.h>

#include "data/lottor_head.h"

namespace kelton::test {

// An accepted game definition of bcMain main positions over 0..bcDataLen,
// with mrMain secondary numbers over 0..mrDataLen, and its default colours.
inline CLottorHead PickerHead(int bcMain, int bcDataLen, int mrMain = 0, int mrDataLen = 0)
{
    QString definition = QStringLiteral("[LOTTONAME]\r\nT\r\n[BCDATALEN]\r\n%1\r\n[BCMAIN]\r\n%2\r\n")
                             .arg(bcDataLen)
                             .arg(bcMain);
    if (mrMain > 0)
        definition += QStringLiteral("[MRDATALEN]\r\n%1\r\n[MRMAIN]\r\n%2\r\n").arg(mrDataLen).arg(mrMain);
    CLottorHead head;
    head.SetHeadStr(definition);
    EXPECT_TRUE(head.Enable());
    return head;
}

} // namespace kelton::test
