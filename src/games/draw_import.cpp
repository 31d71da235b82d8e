#include "games/draw_import.h"

#include <algorithm>

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

ImportFault ReadDrawFile(const CLottorHead& head, const QString& sPath, const QString& sFormat, QString& oText)
{
    if (sPath.isEmpty() || !QFileInfo(sPath).isFile())
        return ImportFault::NoFile;
    if (!head.FormatVail(sFormat))
        return ImportFault::BadFormat;
    QFile file(sPath);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxImportBytes)
        return ImportFault::Unreadable;
    const QByteArray bytes = file.readAll();
    const bool readOk = file.error() == QFileDevice::NoError;
    file.close();
    if (!readOk)
        return ImportFault::Unreadable;
    if (bytes.isEmpty())
        return ImportFault::EmptyFile;
    oText = FromGbk(bytes);
    return ImportFault::None;
}

int FormatEditorTop(int listTop, int lineHeight, int entry, int firstShown)
{
    return listTop + lineHeight * std::max(0, entry - firstShown);
}

} // namespace kelton
