#pragma once

#include <cstdint>
#include <vector>

#include <QRect>
#include <QSize>
#include <QString>

namespace kelton {

class CLottorHead;

// The bet number of the bet-number picker: one value per position, slots
// 0..BM (slot 0 belongs to no position): 1..BcMain the main positions
// (1 = units), BcMain + j the j-th secondary number.
class CBetBall {
public:
    // Keeps the game's shape; every position holds 0.
    void SetHeadData(const CLottorHead& head);
    bool HasHead() const { return m_hasHead; }
    int16_t BcMain() const { return m_bcMain; }
    int16_t BM() const { return m_bm; }

    // Stores a value of position 1..BM within the position's bound;
    // anything else is ignored.
    void SetBall(int position, int value);
    // The value at a position; 0 outside 1..BM or without a game.
    int16_t Ball(int position) const;

    // The largest value of a position: BcDataLen for a main one, MrDataLen
    // for a secondary one.
    int Bound(int position) const;
    bool IsSecondary(int position) const { return position > m_bcMain && position <= m_bm; }

    // Whether the window can show the bet: every main position has a place
    // name (ten at most). Each grid shows its position's whole range.
    bool CanShow() const;

    // A click on value v of a position's grid.
    enum class Click { OutOfRange, Unchanged, Moved };
    Click ClickValue(int position, int value);

    // The caption of a position's row: the place name and "位号码", or the
    // secondary area's name, "号码" and j.
    QString RowCaption(int position) const;

private:
    bool m_hasHead = false;
    int16_t m_bcMain = 0;
    int16_t m_bm = 0;
    int16_t m_bcDataLen = 0;
    int16_t m_mrDataLen = 0;
    QString m_mrDataName;
    std::vector<int16_t> m_balls;
};

// The window of the bet-number picker, in twips: one row per position
// (main rows highest place first, then the secondary rows), each grid as
// high as its largest value needs, the buttons in a column at the right,
// "确定" level with the last row. Outer is the window's size frame included.
struct BetBallLayout {
    struct Row {
        QRect Caption;
        QRect Grid;
    };
    std::vector<Row> Rows; // index i serves position i + 1
    QRect CmdHelp;
    QRect CmdCancel;
    QRect CmdOk;
    QSize Outer;
};
BetBallLayout LayOutBetBall(int bcMain, int mrMain, int bcDataLen = 9, int mrDataLen = 9);

} // namespace kelton
