#pragma once

#include <cstdint>
#include <vector>

#include <QString>
#include <QStringList>

namespace kelton {

// The games installed on this computer: named groups, and per game its
// groups, its name and the path of its data file, and the default game.
//
// Text form (CR LF between lines, none after the last):
//   [LOTTOITEM_GROUP]    one group name per line, unescaped
//   [LOTTOITEM_DATA]     per game: group indexes TAB name TAB path (name and path
//                        escaped with CodeIniStr)
//   [LOTTOITEM_SELECT]   the default game's index
class CLottoItem {
public:
    // The three texts of a game, by kind number.
    enum Kind : int16_t {
        kItemGroups = 0, // " 0 3 ": the group indexes between blanks
        kItemName = 1,   // empty for a deleted game
        kItemPath = 2,
    };

    // The text form; deleted games are dropped first (CompactLottoItems).
    QString InfoStr();
    // Reads a text form and appends its groups and games to the lists.
    void SetInfoStr(const QString& text);

    // Field sKind (0..2) of game sIndex; the empty text when out of range.
    QString LottoItemGet(int16_t sIndex, int16_t sKind) const;
    // Appends a game; false only when the list cannot grow.
    bool LottoAdd(const QString& sLottoGroup, const QString& sName, const QString& sLottoPath);
    // Games, deleted ones included until the next compaction.
    int16_t LottoCount() const { return static_cast<int16_t>(m_items.size()); }
    // Empties the texts of game sIndex; it leaves at the next compaction.
    bool LottoDel(int16_t sIndex);

    QString LottoGroupGet(int16_t sIndex) const;
    // Appends a group; false for an empty name or a full list.
    bool LottoGroupAdd(const QString& sName);
    int16_t LottoGroupCount() const { return static_cast<int16_t>(m_groups.size()); }

    // The default game. A new index is taken only when it names a game that
    // is not deleted.
    int16_t SelectItem() const { return m_select; }
    void SetSelectItem(int16_t index);

    // Drops the deleted games, keeping the default game where it is.
    void CompactLottoItems();

private:
    struct Item {
        QString Groups;
        QString Name;
        QString Path;
    };

    bool IsGame(int index) const;
    // Points the default game at a game that exists: the first one when the
    // default is deleted or out of range (0 when there is none).
    void CheckSelectItem();

    QStringList m_groups;
    std::vector<Item> m_items;
    int16_t m_select = 0;
};

} // namespace kelton
