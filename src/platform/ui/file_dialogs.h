#pragma once

#include <QString>

#include "platform/services.h"

class QWidget;

namespace kelton {

// Every file dialog of the program goes through GetOpenFile and
// GetSaveFile, so that tests can answer it instead of a user: a service
// (platform/services.h); with none installed the real dialog asks the user.
class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // The chosen path; empty when the user cancelled.
    virtual QString GetOpenFile(QWidget* owner, const QString& title, const QString& filter,
                                const QString& fileName) = 0;
    // The same for a file to write; a service that answers only open
    // dialogs cancels every save.
    virtual QString GetSaveFile(QWidget* /*owner*/, const QString& /*title*/, const QString& /*filter*/,
                                const QString& /*fileName*/)
    {
        return QString();
    }
};

// A filter written as the windows give it, description and pattern pairs
// separated by "|" ("文档文件(*.txt)|*.txt|所有文件(*.*)|*.*"), as Qt reads
// it: the descriptions, ";;" between them ("文档文件(*.txt);;所有文件(*.*)").
// A description without a pattern in brackets gets its pattern added.
QString QtFileFilter(const QString& sFilter);

// The real dialogs run through ExecModal; where they are Qt's own, their
// file lists give sizes and dates in the Chinese form (ChineseLocale).

// The file-open dialog: title, filter (as above) and the file name to
// start with. The chosen path, or empty after a cancel.
QString GetOpenFile(QWidget* owner, const QString& title, const QString& filter,
                    const QString& fileName = QString());

// The file-save dialog: title, filter and the file name to start with. It
// asks before an existing file is replaced, and a name typed without an
// extension gets the one of the chosen filter. The chosen path, or empty
// after a cancel.
QString GetSaveFile(QWidget* owner, const QString& title, const QString& filter,
                    const QString& fileName = QString());

// The extension a filter pattern gives a name typed without one: "way" for
// "*.way" or "*.way;*.txt"; empty for "*.*" or no pattern.
QString FilterSuffix(const QString& qtFilter);

} // namespace kelton
