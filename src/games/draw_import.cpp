#include "games/draw_import.h"

#include <QFile>
#include <QFileInfo>

#include "data/lottor_head.h"
#include "platform/gbk.h"

namespace kelton {

using namespace Qt::StringLiterals;

QString ImportFailureText(ImportFault fault)
{
    QString reason;
    switch (fault) {
    case ImportFault::NoFile:
        reason = u"导入文件不存在！"_s;
        break;
    case ImportFault::BadFormat:
        reason = u"数据的格式不准确！"_s;
        break;
    case ImportFault::EmptyFile:
        reason = u"文件没有数据！"_s;
        break;
    case ImportFault::NotRecognised:
        reason = u"数据无法识别或者其它错误，请设置好导入的格式！"_s;
        break;
    case ImportFault::None:
    case ImportFault::Unreadable:
        break;
    }
    return u"导入失败，"_s + reason;
}

DrawImport ImportDrawFile(IDrawRows& rows, CLottorHead& head, const QString& sPath, const QString& sFormat)
{
    DrawImport result;
    if (sPath.isEmpty() || !QFileInfo(sPath).isFile()) {
        result.Fault = ImportFault::NoFile;
        return result;
    }
    if (!head.FormatVail(sFormat)) {
        result.Fault = ImportFault::BadFormat;
        return result;
    }
    QFile file(sPath);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxImportBytes) {
        result.Fault = ImportFault::Unreadable;
        return result;
    }
    const QByteArray bytes = file.readAll();
    const bool readOk = file.error() == QFileDevice::NoError;
    file.close();
    if (!readOk) {
        result.Fault = ImportFault::Unreadable;
        return result;
    }
    if (bytes.isEmpty()) {
        result.Fault = ImportFault::EmptyFile;
        return result;
    }
    result.Read = ParseDrawText(rows, head, FromGbk(bytes), sFormat);
    if (!result.Read.Read || result.Read.Failed)
        result.Fault = ImportFault::NotRecognised;
    return result;
}

} // namespace kelton
