#include "platform/help_pages.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include "platform/gbk.h"
#include "platform/program_folder.h"

namespace kelton {

QString DefaultHelpFolder()
{
    return DefaultsFolder() + QStringLiteral("/Help");
}

QString HelpFolder()
{
    return ProgramPath(QStringLiteral("Help"));
}

int SeedHelpPages(const QString& sHelpFolder)
{
    if (sHelpFolder.isEmpty() || !QDir().mkpath(sHelpFolder))
        return -1;
    const QDir source(DefaultHelpFolder());
    const QDir target(sHelpFolder);
    int copied = 0;
    const QStringList names = source.entryList(QDir::Files, QDir::Name);
    for (const QString& name : names) {
        const QString to = target.filePath(name);
        if (QFileInfo::exists(to))
            continue;
        // Copied under a temporary name first, so that a failed copy never
        // leaves half a page under the page's own name.
        const QString part = to + QStringLiteral(".part");
        QFile::remove(part);
        if (QFile::copy(source.filePath(name), part) && QFile::rename(part, to))
            ++copied;
        else
            QFile::remove(part);
    }
    return copied;
}

QString DecodeHtmlPage(QByteArrayView bytes)
{
    // The charset named in the page's head.
    static const QRegularExpression charset(QStringLiteral("charset\\s*=\\s*[\"']?([A-Za-z0-9_\\-]+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QString head = QString::fromLatin1(bytes.first(std::min<qsizetype>(bytes.size(), 1024)));
    const QString name = charset.match(head).captured(1).toLower();
    if (name == QLatin1String("gbk") || name == QLatin1String("gb2312") || name == QLatin1String("gb18030"))
        return FromGbk(bytes);
    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Utf8);
    return decoder.decode(bytes);
}

QString ReadHtmlPage(const QString& sPath)
{
    QFile file(sPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return DecodeHtmlPage(file.readAll());
}

} // namespace kelton
