#include "platform/ui/label_fit.h"

#include <algorithm>

#include <QLabel>

namespace kelton {

namespace {
constexpr int kClosestLines = 50; // percent of the font's line spacing
} // namespace

void SetFittedText(QLabel* label, const QString& text)
{
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    const int needed = label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
    const int available = label->height();
    if (needed <= available || available <= 0)
        return;
    const int percent = std::max(kClosestLines, 100 * available / needed);
    QString html = text.toHtmlEscaped();
    html.replace(QLatin1String("\r\n"), QLatin1String("<br>"));
    html.replace(QLatin1Char('\n'), QLatin1String("<br>"));
    label->setTextFormat(Qt::RichText);
    label->setText(QStringLiteral("<div style=\"line-height:%1%\">%2</div>").arg(percent).arg(html));
}

} // namespace kelton
