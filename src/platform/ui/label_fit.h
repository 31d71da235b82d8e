#pragma once

class QLabel;
class QString;

namespace kelton {

// Puts a text into a word-wrapping label of fixed size, placed already.
// When the font's lines are taller than the label's height allows (fonts
// whose Chinese glyphs come with wide line spacing), the lines are set
// closer together so that the whole text shows.
void SetFittedText(QLabel* label, const QString& text);

// The line height, in percent of the font's line spacing, at which `lines`
// lines fit into `available` pixels: the lines above the last move closer
// together, the last keeps its full height so its glyphs are not cut off.
// 100 when they fit as they are; never below half the line spacing.
int FittedLinePercent(int lines, int lineSpacing, int available);

} // namespace kelton
