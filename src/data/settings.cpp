#include "data/settings.h"

#include <QFileInfo>

#include "data/app_state.h"
#include "platform/little_endian.h"
#include "platform/program_folder.h"

namespace kelton {

namespace {

// UTF-16 code units, little-endian, no byte-order mark, no terminator.
QByteArray ToUtf16Le(const QString& text)
{
    QByteArray bytes(text.size() * 2, '\0');
    for (qsizetype i = 0; i < text.size(); ++i)
        WriteLe<uint16_t>(bytes.data() + 2 * i, text[i].unicode());
    return bytes;
}

QString FromUtf16Le(QByteArrayView bytes)
{
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(ReadLe<uint16_t>(bytes.data() + 2 * i));
    return text;
}

// The content of a Data stream, or false when the stream is too short for
// the record and the two lengths it announces.
bool SplitStream(const QByteArray& stream, SettingRecordType& record, QString& sysInfo, QString& gameList)
{
    if (!record.SetBytes(stream))
        return false;
    const int64_t sysLen = record.SysInfoLen();
    const int64_t gameLen = record.GameListLen();
    if (sysLen < 0 || gameLen < 0 || sysLen % 2 != 0 || gameLen % 2 != 0 ||
        SettingRecordType::kSize + sysLen + gameLen > stream.size())
        return false;
    const QByteArrayView view(stream);
    sysInfo = FromUtf16Le(view.sliced(SettingRecordType::kSize, sysLen));
    gameList = FromUtf16Le(view.sliced(SettingRecordType::kSize + sysLen, gameLen));
    return true;
}

} // namespace

void IniSystem(AppState& app)
{
    app.SetFilePath = ProgramPath(QStringLiteral("Kelt.dat"));
    OpenSetFile(app, QString::fromLatin1(kSetFileKey));
}

void OpenSetFile(AppState& app, const QString& key)
{
    CSsqFile& container = app.SetSsqFile;

    bool read = false;
    SettingRecordType record;
    QString sysInfo;
    QString gameList;
    bool first = false;
    const bool exists = QFileInfo::exists(app.SetFilePath);
    if (exists && container.SetKey(key) && container.OpenSsqFile(app.SetFilePath, first)) {
        read = SplitStream(container.GetData(), record, sysInfo, gameList);
        container.CloseSsqFile();
    }

    if (!read) {
        // Start as a fresh installation. A file that is there but could not be
        // read is kept as it is: it may still be recovered.
        app.SetFileState = exists ? SettingsFileState::Unreadable : SettingsFileState::Missing;
        app.SettingRecord = SettingRecordType::Defaults();
        app.SysInfo.FromText(QString());
        app.LottoItems = CLottoItem();
        return;
    }

    app.SetFileState = SettingsFileState::Loaded;
    app.SettingRecord = record;
    app.SysInfo.FromText(sysInfo);
    app.LottoItems = CLottoItem();
    app.LottoItems.SetInfoStr(gameList);
}

bool SaveSetFile(AppState& app, const QString& key, QString* oFailure)
{
    CSsqFile& container = app.SetSsqFile;

    if (app.SetFileState == SettingsFileState::Unreadable || app.SetFilePath.isEmpty())
        return false;
    if (!container.SetKey(key))
        return false;

    bool first = false;
    bool opened = false;
    if (QFileInfo::exists(app.SetFilePath)) {
        // Only a file read at start-up is replaced.
        if (app.SetFileState == SettingsFileState::Loaded)
            opened = container.OpenSsqFile(app.SetFilePath, first);
    } else {
        opened = container.CreateSsqFile(app.SetFilePath);
    }
    if (!opened)
        return false;

    const QByteArray sysInfo = ToUtf16Le(app.SysInfo.ToText());
    const QByteArray gameList = ToUtf16Le(app.LottoItems.InfoStr());
    app.SettingRecord.SetSysInfoLen(static_cast<int32_t>(sysInfo.size()));
    app.SettingRecord.SetGameListLen(static_cast<int32_t>(gameList.size()));

    const bool written =
        container.SetData(app.SettingRecord.Bytes() + sysInfo + gameList) && container.UpData(false);
    if (!written && oFailure)
        *oFailure = container.WriteFailure();
    container.CloseSsqFile();
    if (written)
        app.SetFileState = SettingsFileState::Loaded;
    return written;
}

} // namespace kelton
