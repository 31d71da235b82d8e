#include "platform/ui/label_fit.h"

#include <algorithm>

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>

#include "platform/ui/screen_twips.h"

namespace kelton {

namespace {
constexpr int kClosestLines = 50; // percent of the font's line spacing
} // namespace

int FittedLinePercent(int lines, int lineSpacing, int available)
{
    if (lines <= 1 || lineSpacing <= 0 || lines * lineSpacing <= available)
        return 100;
    const int percent = 100 * (available - lineSpacing) / ((lines - 1) * lineSpacing);
    return std::clamp(percent, kClosestLines, 100);
}

void SetFittedText(QLabel* label, const QString& text)
{
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    const int needed = label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
    const int available = label->height();
    if (needed <= available || available <= 0)
        return;
    const int lineSpacing = QFontMetrics(label->font()).lineSpacing();
    const int lines = lineSpacing > 0 ? std::max(1, (needed + lineSpacing / 2) / lineSpacing) : 1;
    const int percent = FittedLinePercent(lines, lineSpacing, available);
    if (percent >= 100)
        return;
    QString html = text.toHtmlEscaped();
    html.replace(QLatin1String("\r\n"), QLatin1String("<br>"));
    html.replace(QLatin1Char('\n'), QLatin1String("<br>"));
    label->setTextFormat(Qt::RichText);
    label->setText(QStringLiteral("<div style=\"line-height:%1%\">%2</div>").arg(percent).arg(html));
}

void CFramingLabel::FitBlanks(std::initializer_list<std::pair<QChar, int>> markers)
{
    m_markers.clear();
    for (const auto& [marker, twips] : markers)
        m_markers.emplace_back(text().lastIndexOf(marker), TwipsToScreenPixels(twips, this));
    update();
}

void CFramingLabel::SpreadWords(int firstCentre, int lastCentre)
{
    m_spread = true;
    m_firstCentre = firstCentre;
    m_lastCentre = lastCentre;
    update();
}

std::vector<CFramingLabel::Word> CFramingLabel::Words() const
{
    std::vector<Word> words;
    const QFontMetrics metrics(font());
    const QString caption = text();
    if (m_spread) {
        const QStringList parts = caption.split(u' ', Qt::SkipEmptyParts);
        const auto n = parts.size();
        for (qsizetype i = 0; i < n; ++i) {
            const int centre =
                n > 1 ? m_firstCentre + static_cast<int>((m_lastCentre - m_firstCentre) * i / (n - 1)) : m_firstCentre;
            const int w = metrics.horizontalAdvance(parts[i]);
            const int x = std::clamp(centre - w / 2, 0, std::max(0, width() - w));
            words.push_back({parts[i], QRect(x, 0, w, metrics.height())});
        }
        return words;
    }
    int x = 0;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        for (const auto& [at, left] : m_markers) {
            if (at == i)
                x = std::max(x, left);
        }
        const int w = metrics.horizontalAdvance(caption[i]);
        if (caption[i] != u' ') {
            if (!words.empty() && words.back().Place.right() + 1 == x)
                words.back() = {words.back().Text + caption[i], words.back().Place.adjusted(0, 0, w, 0)};
            else
                words.push_back({QString(caption[i]), QRect(x, 0, w, metrics.height())});
        }
        x += w;
    }
    return words;
}

void CFramingLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const int ascent = QFontMetrics(font()).ascent();
    for (const Word& word : Words())
        painter.drawText(QPoint(word.Place.left(), ascent), word.Text);
}

} // namespace kelton
