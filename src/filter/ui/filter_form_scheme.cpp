// The filter window's schemes: the whole filter setting saved to a file and
// loaded from one.

#include <optional>

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>

#include "core/msg_service.h"
#include "data/app_state.h"
#include "data/game_document.h"
#include "data/app_tables.h"
#include "data/lottor_data.h"
#include "filter/scheme_file.h"
#include "filter/ui/filter_form.h"
#include "host/ui/shell_windows.h"
#include "host/ui/window_host.h"
#include "platform/gbk.h"
#include "platform/services.h"
#include "platform/string_table.h"
#include "platform/ui/file_dialogs.h"
#include "platform/ui/message_box.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

IOtherFilterPanel* OtherPanel()
{
    const IWindowHost* host = Service<IWindowHost>();
    return host ? host->PicOtherFilter() : nullptr;
}

// The owner of the scheme's dialogs: the main window.
QWidget* Owner()
{
    IWindowHost* host = Service<IWindowHost>();
    return host ? host->HostWidget() : nullptr;
}

QString SchemeFilter()
{
    return AppTitle() + QString::fromUtf16(kSchemeFileFilter);
}

void ReportFileFault(const QString& text)
{
    MsgBox(Owner(), QMessageBox::Warning, LoadResString(Res::OperationError), text);
}

} // namespace

void fFilter::UpDateOtherFilter()
{
    if (IOtherFilterPanel* panel = OtherPanel())
        panel->UpDateOtherFilter();
}

void fFilter::CmdOtherFilterClose()
{
    if (IOtherFilterPanel* panel = OtherPanel())
        panel->CmdOtherFilterClose_Click();
}

QString fFilter::ChinInToSetStr() const
{
    const std::shared_ptr<CLottorData> game = Game();
    if (!game)
        return QString();
    SchemeWindowPart window;
    // A window not built yet has chosen neither: no issue, the last type.
    const GameDocument& doc = m_app.Document;
    window.IssuePosition = m_loaded ? doc.TargetIssue() : -1;
    window.BetType = m_loaded ? static_cast<int16_t>(doc.OfferedBetType()) : int16_t(kBetTypeCount - 1);
    return SchemeText(*game, window);
}

bool fFilter::StrToSetChinIn(const QString& sStr, QString* oRefusal)
{
    const std::shared_ptr<CLottorData> game = Game();
    if (sStr.isEmpty() || !game || !EnsureLoaded())
        return false;
    CmdOtherFilterClose();
    std::optional<FilterScheme> scheme = ReadSchemeText(sStr, *game, oRefusal);
    if (!scheme)
        return false;
    const int32_t issue = SchemeIssuePosition(*scheme, game->NumCount());
    const int16_t betType = scheme->Window.BetType;
    SelectTargetIssue(issue);
    // Every window showing marks or conditions shows the new ones.
    m_app.Document.ChangeConditions(
        [&scheme](CLottorData& changed) { ApplySchemeToGame(std::move(*scheme), changed); });
    SelectBetType(betType);
    m_ui.ChkErr->setChecked(game->ShrinkAllErrSel != 0);
    ChkErr_Click();
    TxtErr_Change();
    m_ui.chkOtherErr->setChecked(game->ShrinkOtherErrSel != 0);
    chkOtherErr_Click();
    TxtOtherErr_Change();
    return true;
}

void fFilter::SaveChinIn()
{
    if (!Game() || !EnsureLoaded())
        return;
    UpDateOtherFilter();
    const QString path = GetSaveFile(Owner(), QString::fromUtf16(kSchemeSaveTitle), SchemeFilter());
    if (path.isEmpty())
        return;
    CMsg msg;
    msg.DoEvents();
    SaveOutcome written;
    {
        const MsgBusyGuard busy(msg, QString::fromUtf16(kSchemeSaveStatus));
        written = WriteSchemeFile(path, ChinInToSetStr());
    }
    if (!written)
        ReportFileFault(u"保存方案失败，无法写入文件："_s + path + u'\n' + written.Reason);
}

void fFilter::OpenChinIn()
{
    if (!Game() || !EnsureLoaded())
        return;
    UpDateOtherFilter();
    const QString path = GetOpenFile(Owner(), QString::fromUtf16(kSchemeOpenTitle), SchemeFilter());
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    CMsg msg;
    msg.DoEvents();
    std::optional<MsgBusyGuard> busy;
    busy.emplace(msg, QString::fromUtf16(kSchemeOpenStatus));
    QFile file(path);
    if (file.size() > kMaxSchemeFileBytes) {
        busy.reset();
        ReportFileFault(QString::fromUtf16(kSchemeTooLarge) + path);
        return;
    }
    QByteArray bytes;
    const bool read =
        file.open(QIODevice::ReadOnly) && (bytes = file.readAll(), file.error() == QFileDevice::NoError);
    if (!read) {
        busy.reset();
        ReportFileFault(u"导入方案失败，无法读取文件："_s + path);
        return;
    }
    file.close();
    QString refusal;
    const bool applied = StrToSetChinIn(FromGbk(bytes), &refusal);
    busy.reset();
    if (applied)
        refusal = QString::fromUtf16(kSchemeLoaded);
    else if (refusal.isEmpty())
        refusal = QString::fromUtf16(kSchemeRefused);
    MsgBox(Owner(), QMessageBox::Information, QString::fromUtf16(kSchemeMessageTitle), refusal);
}

} // namespace kelton
