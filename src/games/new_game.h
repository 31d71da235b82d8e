#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include <QString>
#include <QStringList>

namespace kelton {

// The parameters of a new game as the new-game dialog's boxes hold them,
// texts exactly as typed.
struct GameParams {
    QString LottorName;
    QString BcDataName;
    QString BcDataLen;
    QString BcMain;
    QString MrDataName;
    QString MrDataLen;
    QString MrMain;
    QString WinMod; // the further sections, several lines

    friend bool operator==(const GameParams&, const GameParams&) = default;
};

// The definition text the parameters make: the seven base sections, each
// header and its value on a line of their own, then the further sections
// (CR LF line ends).
QString DefinitionText(const GameParams& params);

// The parameters of an accepted definition text, defaults filled in
// (numbers as decimal text, the further sections as the definition writes
// them); nothing when the definition refuses the text.
std::optional<GameParams> ParamsOfDefinition(const QString& text);

// Why a name cannot stand in a definition text: a line that begins with "'"
// is a comment and one in brackets ("[3D]") a section header, so neither
// reads back as the name. The message names the box by its label; empty
// when the name is fine.
QString NameProblem(const QString& sLabel, const QString& sName);

// A new game's data file: "Lottor/lottor" and its number, under the
// program folder.
QString GameDataPath(int16_t n);

// The first number from 1000 up that taken() refuses; -1 when every 16-bit
// number is taken.
int16_t FirstFreeGameNumber(const std::function<bool(int16_t)>& taken);
// The first number whose data file does not exist.
int16_t FirstFreeGameNumber();

// A game created by CreateGame: its data file as the game list stores it
// and its name as the accepted definition holds it.
struct CreatedGame {
    QString Path;
    QString Name;
};

// Writes the data file of a new game for a definition text under the first
// free number; nothing when the definition is refused or the file cannot be
// written.
std::optional<CreatedGame> CreateGame(const QString& definition);

// The templates: the "*.Ltr" files of the program folder's template folder
// by name (names only, in name order); empty without the folder.
QStringList TemplateNames();

// A template's text, decoded from GBK; nothing when it cannot be read.
std::optional<QString> ReadTemplate(const QString& sName);

} // namespace kelton
