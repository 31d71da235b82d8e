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
    case ImportFault::TooLarge:
        reason = u"文件超过%1MB，不是开奖号码文件，请检查导入的文件是否正确！"_s.arg(kMaxImportBytes >> 20);
        break;
    case ImportFault::None:
    case ImportFault::Unreadable:
        break;
    }
    return u"导入失败，"_s + reason;
}

QString LeftOutText(const DrawTextRead& read, bool withKnown)
{
    QString text;
    if (read.Skipped > 0)
        text += u"跳过了%1行无法导入的数据，"_s.arg(read.Skipped) + FirstSkippedLineText(read);
    if (withKnown && read.Known > 0)
        text += u"%1期开奖号码已在列表中。"_s.arg(read.Known);
    if (read.Full)
        text += u"一种彩票最多保存%1期开奖号码，从第%2行起的开奖号码没有导入。"_s.arg(MaxDrawRows()).arg(read.StoppedLine);
    return text;
}

DrawReadReport DrawImportReport(const DrawTextRead& read)
{
    if (read.Cancelled)
        return {};
    if (read.Failed)
        return {true, ImportFailureText(ImportFault::NotRecognised)};
    if (!read.Read)
        return {true, ImportFailureText(ImportFault::NotRecognised) + FirstSkippedLineText(read)};
    if (read.Inserted == 0) {
        if (read.Skipped == 0 && !read.Full)
            return {false, u"没有新的开奖号码：文件中的%1期开奖号码都已在列表中。"_s.arg(read.Known)};
        return {true, u"导入失败，没有可以导入的开奖号码。"_s + LeftOutText(read, true)};
    }
    if (read.Skipped == 0 && !read.Full)
        return {}; // the new rows are the answer
    return {false, u"已导入%1期开奖号码。"_s.arg(read.Inserted) + LeftOutText(read, true)};
}

ImportFault ReadDrawFile(const CLottorHead& head, const QString& sPath, const QString& sFormat, QString& oText)
{
    if (sPath.isEmpty() || !QFileInfo(sPath).isFile())
        return ImportFault::NoFile;
    if (!head.FormatVail(sFormat))
        return ImportFault::BadFormat;
    QFile file(sPath);
    if (!file.open(QIODevice::ReadOnly))
        return ImportFault::Unreadable;
    if (file.size() > kMaxImportBytes)
        return ImportFault::TooLarge;
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
