// The filter window's controls as one set (Controls()).

#include "filter/ui/filter_form.h"

namespace kelton {

const FilterControls& fFilter::Controls() const
{
    FilterControls& c = m_controls;
    c.FraSet = m_fraSet;
    c.FraChipIn = m_fraChipIn;
    c.FraResult = m_fraResult;
    c.picSet = m_picSet;
    c.picChipIn = m_picChipIn;
    c.picResult = m_picResult;

    c.cboNumName = m_cboNumName;
    c.LblBall = m_lblBall;
    c.LblBc = m_lblBc;
    c.msgBc = m_msgBc;
    c.CboBc = m_cboBc;
    c.optSel = m_optSel;
    c.cmdSingle = m_cmdSingle;

    c.tspChipIn = m_tspChipIn;
    c.picChipIn1 = m_picChipIn1;
    c.picChipInData = m_picChipInData;
    c.picChipInDataHeader = m_dataHeader.Box;
    c.picChipInOtherHeader = m_otherHeader.Box;
    c.PicChipInOther = m_picChipInOther;
    c.vslChipIn = m_vslChipIn;
    c.chkFilter = m_chkFilter;
    c.LblFilter = m_lblFilter;
    c.TxtFilter = m_txtFilter;
    c.chkFilter2 = m_chkFilter2;
    c.cmdSelAll = m_dataHeader.SelAll;
    c.chkFilterErr = m_dataHeader.ErrSwitch;
    c.TxtFilterErr = m_dataHeader.ErrValues;
    c.cmdSelErr = m_dataHeader.SelErr;
    c.cmdSelAllOther = m_otherHeader.SelAll;
    c.chkOtherErr = m_otherHeader.ErrSwitch;
    c.TxtOtherErr = m_otherHeader.ErrValues;
    c.cmdSelErrOther = m_otherHeader.SelErr;
    c.chkMatch = m_chkOther[0];
    c.chkHistory = m_chkOther[1];
    c.chkGather = m_chkOther[2];
    c.cmdMatch = m_cmdOther[0];
    c.cmdHistory = m_cmdOther[1];
    c.cmdGather = m_cmdOther[2];
    c.chkMatchErr = m_chkOtherSubErr[0];
    c.chkHistoryErr = m_chkOtherSubErr[1];
    c.ChkGatherErr = m_chkOtherSubErr[2];
    c.ChkErr = m_chkErr;
    c.TxtErr = m_txtErr;
    c.cmdChipInVali = m_cmdChipInVali;
    c.cmdChipInNearLay = m_cmdChipInNearLay;

    c.tbrResult = m_tbrResult;
    c.msgResult = m_msgResult;
    c.lblCount = m_lblCount;
    c.cmdGetFilter = m_cmdGetFilter;
    c.cmdPrintFilter = m_cmdPrintFilter;
    return c;
}

} // namespace kelton
