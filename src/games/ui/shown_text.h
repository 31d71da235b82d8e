#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace kelton {

// Texts of several lines are kept with CR LF line ends; a text box shows
// and gives them with LF.
inline void SetBoxText(QPlainTextEdit& box, QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (box.toPlainText() != text)
        box.setPlainText(text);
}

inline QString BoxText(const QPlainTextEdit& box)
{
    return box.toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

} // namespace kelton
