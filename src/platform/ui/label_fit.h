#pragma once

#include <initializer_list>
#include <utility>
#include <vector>

#include <QLabel>

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

// A label whose caption frames controls in its runs of blanks: each marker
// (the last character of its kind in the caption) is drawn no further left
// than its place, in twips from the label's left, so that it stands right
// of the control in the blanks before it whatever the font. The caption
// itself stays as it is.
class CFramingLabel : public QLabel {
public:
    CFramingLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {}
    void FitBlanks(std::initializer_list<std::pair<QChar, int>> markers);
    // A scale under a slider: the caption's words are drawn centred at
    // even steps from the first centre to the last, in pixels from the
    // label's left.
    void SpreadWords(int firstCentre, int lastCentre);

    // What the label draws: each run of characters without a blank and
    // where it goes, in the label's pixels.
    struct Word {
        QString Text;
        QRect Place;
    };
    std::vector<Word> Words() const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    std::vector<std::pair<qsizetype, int>> m_markers; // caption index, pixels
    bool m_spread = false;
    int m_firstCentre = 0;
    int m_lastCentre = 0;
};

} // namespace kelton
