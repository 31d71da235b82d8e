#pragma once

#include <cstdint>
#include <vector>

#include <QString>
#include <QStringView>

namespace kelton {

class CLottoItem;

// What the game chooser computes over the list of installed games.
//
// A game's group field lists its group indexes between blanks (" 0 3 "); it
// belongs to group g when the field holds " g ".

// The key that marks membership of group g: a blank, g, a blank.
QString GroupKey(int16_t g);

// The games of group g, in index order (deleted games belong to none).
std::vector<int16_t> GamesOfGroup(const CLottoItem& items, int16_t g);

// The names of the groups a game's field lists, in field order, joined
// without separator; entries that are no number are skipped and an index
// without a group adds nothing.
QString GameGroupText(const CLottoItem& items, int16_t index);

// The search score of every game for a keyword (blanks around it removed):
// a name holding the whole keyword scores twice its length, group names
// holding it once its length; then every character of the keyword but a
// blank scores 2 when the name holds it and 1 when the group names do.
// Every test ignores case. Deleted games score 0.
std::vector<int32_t> GameSearchScores(const CLottoItem& items, QStringView keyword);

// The games a search lists: those scoring above 0, best first, equal scores
// in index order.
std::vector<int16_t> SearchGames(const CLottoItem& items, QStringView keyword);

// The group text of a game added while group g is chosen: all games' group
// 0 and g ("0 g"; the list adds the outer blanks).
QString AddedGameGroups(int16_t g);

} // namespace kelton
