// The number chooser of a lottery: one flag per position and value.

#include "data/lottor_data.h"

namespace kelton {

int16_t* CLottorData::ChooserFlag(int16_t sPos, int16_t sBall)
{
    if (sPos < 0 || sBall < 0)
        return nullptr;
    std::vector<std::vector<int16_t>>* grid = &m_selBc;
    size_t row = static_cast<size_t>(sPos);
    if (sPos > HeadData.BcMain) {
        grid = &m_selMr;
        row = static_cast<size_t>(sPos - HeadData.BcMain);
    }
    if (row >= grid->size() || static_cast<size_t>(sBall) >= (*grid)[row].size())
        return nullptr;
    return &(*grid)[row][static_cast<size_t>(sBall)];
}

int16_t CLottorData::SelectBall(int16_t sPos, int16_t sBall) const
{
    const int16_t* flag = const_cast<CLottorData*>(this)->ChooserFlag(sPos, sBall);
    return flag ? *flag : int16_t(0);
}

bool CLottorData::SelectBall(int16_t sPos, int16_t sBall, int16_t sV)
{
    int16_t* flag = ChooserFlag(sPos, sBall);
    if (!flag)
        return false;
    *flag = sV;
    return true;
}

bool CLottorData::AutoSelectBall(int16_t sPos, int16_t sBall)
{
    int16_t* flag = ChooserFlag(sPos, sBall);
    if (!flag)
        return false;
    *flag = *flag != 0 ? int16_t(0) : int16_t(-1);
    return true;
}

} // namespace kelton
