// The settings file: any Data stream inside a sound container. The settings
// are read or the file is refused (and then never overwritten); settings
// that were read are saved and read back unchanged.
#include <QFile>

#include "data/app_state.h"
#include "data/settings.h"
#include "data/ssq_file.h"
#include "support.h"

using namespace kelton;

namespace {

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The state of a program that has not read its settings yet.
void Forget(AppState& app)
{
    app.SettingRecord = SettingRecordType();
    app.SysInfo = ServerInfo();
    app.LottoItems = CLottoItem();
    app.SetFileState = SettingsFileState::NotRead;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    AppState app;
    const QString key = QString::fromLatin1(kSetFileKey);
    app.SetFilePath = fuzz::WorkFolder() + QStringLiteral("/Kelt.dat");
    QFile::remove(app.SetFilePath);
    {
        uint32_t state = static_cast<uint32_t>(size);
        CSsqFile box([&state] {
            state = state * 1664525u + 1013904223u;
            return static_cast<double>(state >> 8) / static_cast<double>(1u << 24);
        });
        KELTON_FUZZ_CHECK(box.SetKey(key));
        KELTON_FUZZ_CHECK(box.CreateSsqFile(app.SetFilePath));
        if (size > 0)
            KELTON_FUZZ_CHECK(box.SetData(fuzz::Bytes(data, size)));
        KELTON_FUZZ_CHECK(box.UpData(false));
    }

    Forget(app);
    OpenSetFile(app, key);
    if (app.SetFileState != SettingsFileState::Loaded) {
        // Refused: the file stays as it is.
        KELTON_FUZZ_CHECK(app.SetFileState == SettingsFileState::Unreadable);
        const QByteArray before = FileBytes(app.SetFilePath);
        KELTON_FUZZ_CHECK(!SaveSetFile(app, key));
        KELTON_FUZZ_CHECK(FileBytes(app.SetFilePath) == before);
        return 0;
    }

    KELTON_FUZZ_CHECK(SaveSetFile(app, key));
    const SettingRecordType record = app.SettingRecord;
    const QString sysInfo = app.SysInfo.ToText();
    const bool plain = fuzz::ServerInfoPlain(app.SysInfo);
    const bool plainGroups = fuzz::GroupNamesPlain(app.LottoItems);
    const QString games = app.LottoItems.InfoStr();

    Forget(app);
    OpenSetFile(app, key);
    KELTON_FUZZ_CHECK(app.SetFileState == SettingsFileState::Loaded);
    KELTON_FUZZ_CHECK(app.SettingRecord == record);
    if (plainGroups)
        KELTON_FUZZ_SAME(app.LottoItems.InfoStr(), games);
    if (plain)
        KELTON_FUZZ_SAME(app.SysInfo.ToText(), sysInfo);
    return 0;
}
