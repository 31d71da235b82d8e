#pragma once

#include <cstdint>
#include <vector>

#include <QRect>
#include <QSize>
#include <QString>

namespace kelton {

class CLottorHead;

// The selection of the number-list picker: per row a flag for each main
// value 0..BcDataLen, row 0 for any position (group mode), rows 1..BcMain for
// the main positions (single mode, 1 = units); rows of the secondary
// positions exist but are never read or written. Read from and written to
// the number-list text:
//   group form   "1 3 5"          the values of row 0, ascending
//   single form  "0 1,2,3 4"      BcMain parts joined by ",", highest place first
// each value padded with "0" on the left to BcNumMaxLen characters.
class CBallList {
public:
    // Keeps the game's shape and empties the table; comes before SetBall.
    void SetHeadData(const CLottorHead& head);
    bool HasHead() const { return m_hasHead; }
    int16_t BcMain() const { return m_bcMain; }
    int16_t BcDataLen() const { return m_bcDataLen; }

    // Reads a number-list text: the table starts empty; one part is the
    // group form, two or more the single form. Pieces that are no number or
    // lie outside 0..BcDataLen are skipped; an empty text leaves the mode.
    // Ignored without a game.
    void SetBall(const QString& text);
    // The current mode's selection as number-list text; empty without a game.
    QString Ball() const;

    bool IsSingle() const { return m_single; }
    void SetIsSingle(bool single) { m_single = single; }

    // Clears every flag (with a game).
    void ClsBall();

    bool Selected(int row, int value) const;
    void SetSelected(int row, int value, bool selected);
    // A click on a value: flips its flag; false (nothing changes) for a
    // value above BcDataLen.
    bool Toggle(int row, int value);
    // Replaces a row's selection of 0..BcDataLen by a quick choice's verdict
    // ("小数" 0-2, "中数" 3-6, "大数" 7-9).
    void ApplyQuickChoice(int row, int entry);

    // A row in the group form.
    QString RowText(int row) const;

private:
    bool m_hasHead = false;
    int16_t m_bcMain = 0;
    int16_t m_bm = 0;
    int16_t m_bcDataLen = 0;
    int16_t m_bcNumMaxLen = 0;
    bool m_single = false;
    std::vector<std::vector<bool>> m_rows;
};

// The window of the number-list picker, in twips: the group row (index 0)
// and one row per main position, highest place on top, every grid as high
// as the largest value bcDataLen needs; the mode buttons to the right;
// "帮助", "取消", "确定" in one row below. Outer is the window's size frame
// included.
struct BallsLayout {
    struct Row {
        QRect Caption;
        QRect Grid;
        QRect List;
    };
    std::vector<Row> Rows; // 0 = group, i = position i
    QRect OptSingle;
    QRect OptGroup;
    QRect CmdHelp;
    QRect CmdCancel;
    QRect CmdOk;
    QSize Outer;
};
BallsLayout LayOutBalls(int bcMain, int bcDataLen = 9);

} // namespace kelton
