#include "platform/ui/file_dialogs.h"

#include <QFileDialog>
#include <QRegularExpression>
#include <QStringList>

#include "platform/services.h"

namespace kelton {

QString QtFileFilter(const QString& sFilter)
{
    const QStringList parts = sFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const QString pattern = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        if (!description.contains(QLatin1Char('(')))
            description += QLatin1String(" (") + pattern + QLatin1Char(')');
        filters << description;
    }
    return filters.join(QLatin1String(";;"));
}

QString GetOpenFile(QWidget* owner, const QString& title, const QString& filter, const QString& fileName)
{
    if (IFileDialogs* dialogs = Service<IFileDialogs>())
        return dialogs->GetOpenFile(owner, title, filter, fileName);
    return QFileDialog::getOpenFileName(owner, title, fileName, QtFileFilter(filter));
}

QString FilterSuffix(const QString& qtFilter)
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.([^ ;)*?]+)"));
    const QRegularExpressionMatch match = pattern.match(qtFilter);
    return match.hasMatch() ? match.captured(1) : QString();
}

QString GetSaveFile(QWidget* owner, const QString& title, const QString& filter, const QString& fileName)
{
    if (IFileDialogs* dialogs = Service<IFileDialogs>())
        return dialogs->GetSaveFile(owner, title, filter, fileName);
    QFileDialog dialog(owner, title, QString(), QtFileFilter(filter));
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const auto follow = [&dialog](const QString& chosen) { dialog.setDefaultSuffix(FilterSuffix(chosen)); };
    follow(dialog.selectedNameFilter());
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, follow);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace kelton
