#include "platform/ui/file_dialogs.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

#include "platform/chinese_locale.h"
#include "platform/services.h"
#include "platform/ui/modal_dialog.h"

namespace kelton {

namespace {

// Qt's own file list writes sizes and dates in the system's locale; the
// program's file dialogs write them the Chinese way, as its other texts.
class CFileListTexts : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role == Qt::DisplayRole && files) {
            const QModelIndex file = mapToSource(index);
            if (index.column() == kSizeColumn && !files->isDir(file))
                return ChineseLocale().formattedDataSize(files->size(file));
            if (index.column() == kDateColumn)
                return ChineseLocale().toString(files->lastModified(file), QLocale::ShortFormat);
        }
        return QIdentityProxyModel::data(index, role);
    }

private:
    // The columns of Qt's file model: name, size, type, date modified.
    static constexpr int kSizeColumn = 1;
    static constexpr int kDateColumn = 3;
};

// Shows one of the program's file dialogs; the chosen path, or empty.
QString RunFileDialog(QFileDialog& dialog)
{
    dialog.setProxyModel(new CFileListTexts(&dialog));
    if (ExecModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace

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
    // The file name may name a folder to start in, or a file to select.
    QFileDialog dialog(owner, title, fileName, QtFileFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return RunFileDialog(dialog);
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
    return RunFileDialog(dialog);
}

} // namespace kelton
