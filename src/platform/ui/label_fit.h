#pragma once

class QLabel;
class QString;

namespace kelton {

// Puts a text into a word-wrapping label of fixed size, placed already.
// When the font's lines are taller than the label's height allows (fonts
// whose Chinese glyphs come with wide line spacing), the lines are set
// closer together so that the whole text shows.
void SetFittedText(QLabel* label, const QString& text);

} // namespace kelton
