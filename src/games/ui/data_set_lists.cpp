// The draw editor's download and import tabs: the source grid and the
// format list with their in-place editors, the import of a draw text file
// and the download of draws from a source.

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include "core/msg_service.h"
#include "data/app_state.h"
#include "data/lottor_data.h"
#include "data/server_info.h"
#include "data/text_helpers.h"
#include "games/draw_import.h"
#include "games/ui/data_set_form.h"
#include "platform/gbk.h"
#include "platform/ui/file_dialogs.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/message_box.h"
#include "platform/ui/screen_twips.h"
#include "shell/http_request.h"
#include "shell/net/downloader.h"

namespace kelton {

using namespace Qt::StringLiterals;

namespace {

// Source grid columns.
constexpr int kCaptionCol = 1;
constexpr int kLinkCol = 2;
constexpr int kFormatCol = 3;

// The track of a running download with its moving marker, drawn in twips
// from the panel's left edge; the track runs through the middle.
class CDownloadTrack : public QWidget {
public:
    CDownloadTrack(const DownloadMarker& marker, QWidget* parent) : QWidget(parent), m_marker(marker)
    {
        setObjectName(u"LineTrack"_s);
        setAccessibleName(u"正在下载"_s);
        setFixedSize(TwipsToScreenPixels(DownloadMarker::kRight + DownloadMarker::kLeft, this),
                     TwipsToScreenPixels(240, this));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const auto px = [this](int twips) { return std::max(1, TwipsToScreenPixels(twips, this)); };
        QPainter painter(this);
        const int y = height() / 2;
        const int left = TwipsToScreenPixels(DownloadMarker::kLeft, this);
        const int right = TwipsToScreenPixels(DownloadMarker::kRight, this);
        painter.setPen(QPen(QColor(0, 192, 192), px(5)));
        painter.drawLine(left, y, right, y);
        painter.setPen(QPen(QColor(0, 255, 0), px(2)));
        painter.drawLine(left, y, right, y);
        const int x = TwipsToScreenPixels(m_marker.X, this);
        const int half = TwipsToScreenPixels(15, this) / 2 + 1;
        painter.setPen(QPen(QColor(128, 255, 255), px(5)));
        painter.drawLine(x, y - half, x, y + half);
    }

private:
    const DownloadMarker& m_marker;
};

// An in-place editor: no frame, hidden until a cell or entry is edited.
QLineEdit* InPlaceEditor(const QString& name, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setFrame(false);
    box->hide();
    return box;
}

} // namespace

QWidget* FDataSet::MakeDownPanel()
{
    auto* panel = new QWidget(this);
    panel->setObjectName(u"PicDown"_s);
    m_msgDown = new CFlexGrid(panel);
    m_msgDown->setObjectName(u"msgDown"_s);
    m_msgDown->setAccessibleName(u"下载地址"_s);
    m_msgDown->setMinimumHeight(TwipsToScreenPixels(2400, this));
    m_cmdDownLoad = MakeButton(u"下载"_s, u"CmdDownLoad"_s, panel);
    m_cmdCancelDownLoad = MakeButton(u"取消"_s, u"CmdCancelDownLoad"_s, panel);
    m_lblDownload = new QLabel(u"正在下载"_s, panel);
    m_lblDownload->setObjectName(u"LblDownload"_s);
    m_track = new CDownloadTrack(m_marker, panel);
    m_txtDown = InPlaceEditor(u"TxtDown"_s, panel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cmdDownLoad);
    buttons->addWidget(m_cmdCancelDownLoad);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(m_msgDown, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_lblDownload);
    layout->addWidget(m_track);
    // Showing them while a download runs does not move the controls above.
    for (QWidget* shown : std::initializer_list<QWidget*>{m_lblDownload, m_track}) {
        QSizePolicy policy = shown->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        shown->setSizePolicy(policy);
        shown->hide();
    }

    connect(m_cmdDownLoad, &QPushButton::clicked, this, &FDataSet::CmdDownLoad_Click);
    connect(m_cmdCancelDownLoad, &QPushButton::clicked, this, &FDataSet::CmdCancelDownLoad_Click);
    connect(m_msgDown, &CFlexGrid::DblClick, this, &FDataSet::msgDown_DblClick);
    connect(m_txtDown, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (m_txtDown->isVisible())
            m_msgDown->SetTextMatrix(m_msgDown->Row(), m_msgDown->Col(), text);
    });
    return panel;
}

QWidget* FDataSet::MakeImportPanel()
{
    auto* panel = new QWidget(this);
    panel->setObjectName(u"PicImport"_s);
    auto* lblPath = new QLabel(u"导入数据文件路径"_s, panel);
    m_txtPath = new QLineEdit(panel);
    m_txtPath->setObjectName(u"TxtPath"_s);
    lblPath->setBuddy(m_txtPath);
    m_cmdPath = MakeButton(u"打开"_s, u"cmdPath"_s, panel);
    auto* lblFormats = new QLabel(u"导入的数据文件格式"_s, panel);
    auto* lblChoose = new QLabel(u"格式选择"_s, panel);
    m_lstFormat = new QListWidget(panel);
    m_lstFormat->setObjectName(u"LstFormat"_s);
    m_lstFormat->setAccessibleName(u"导入的数据文件格式"_s);
    lblChoose->setBuddy(m_lstFormat);
    // One line of text per entry, so that the editor placed by lines lies
    // over its entry.
    const int line = fontMetrics().height();
    for (int i = 0; i < CLottorHead::kFormatCount; ++i) {
        auto* item = new QListWidgetItem(m_lstFormat);
        item->setSizeHint(QSize(0, line));
    }
    m_txtFormat = InPlaceEditor(u"TxtFormat"_s, panel);
    m_cmdImprot = MakeButton(u"导入"_s, u"cmdImprot"_s, panel);

    auto* layout = new QGridLayout(panel);
    layout->addWidget(lblPath, 0, 0, 1, 2);
    layout->addWidget(m_txtPath, 1, 0);
    layout->addWidget(m_cmdPath, 1, 1);
    layout->addWidget(lblFormats, 2, 0, 1, 2);
    layout->addWidget(lblChoose, 3, 0, 1, 2);
    layout->addWidget(m_lstFormat, 4, 0, 1, 2);
    layout->addWidget(m_cmdImprot, 5, 1);
    layout->setRowStretch(4, 1);

    connect(m_cmdPath, &QPushButton::clicked, this, &FDataSet::cmdPath_Click);
    connect(m_cmdImprot, &QPushButton::clicked, this, &FDataSet::cmdImprot_Click);
    connect(m_lstFormat, &QListWidget::itemDoubleClicked, this, [this] { LstFormat_DblClick(); });
    connect(m_txtFormat, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (QListWidgetItem* item = m_lstFormat->currentItem(); item && m_txtFormat->isVisible())
            item->setText(text);
    });
    return panel;
}

void FDataSet::FillSources()
{
    const CLottorHead& head = *Head();
    for (int i = 0; i < CLottorHead::kFormatCount; ++i)
        m_lstFormat->item(i)->setText(head.NumFormatStr(static_cast<int16_t>(i)));
    m_lstFormat->setCurrentRow(0);

    m_msgDown->SetRedraw(false);
    m_msgDown->SetRows(CLottorHead::kSourceCount + 1);
    m_msgDown->SetCols(4);
    m_msgDown->SetFixedRows(1);
    m_msgDown->SetFixedCols(1);
    m_msgDown->SetTextMatrix(0, kCaptionCol, u"标题"_s);
    m_msgDown->SetTextMatrix(0, kLinkCol, u"数据地址"_s);
    m_msgDown->SetTextMatrix(0, kFormatCol, u"数据格式"_s);
    const int widths[] = {150, 1200, 1000, 1300};
    for (int c = 0; c < 4; ++c)
        m_msgDown->SetColWidth(c, widths[c]);
    m_msgDown->SetColAlignment(kCaptionCol, Qt::AlignRight | Qt::AlignVCenter);
    m_msgDown->SetFixedAlignment(kCaptionCol, Qt::AlignLeft | Qt::AlignVCenter);
    for (int16_t i = 0; i < CLottorHead::kSourceCount; ++i) {
        m_msgDown->SetTextMatrix(i + 1, kCaptionCol, head.WwwNumCaption(i));
        m_msgDown->SetTextMatrix(i + 1, kLinkCol, head.WwwNumLink(i));
        m_msgDown->SetTextMatrix(i + 1, kFormatCol, head.WwwNumFormat(i));
    }
    m_msgDown->SetRow(1);
    m_msgDown->SetCol(kCaptionCol);
    m_msgDown->SetRedraw(true);
}

void FDataSet::WriteBackLists()
{
    CLottorHead* head = Head();
    if (!head)
        return;
    // Formats that do not fit the game leave the previous one in place.
    for (int i = 0; i < CLottorHead::kFormatCount; ++i)
        head->SetNumFormatStr(static_cast<int16_t>(i), m_lstFormat->item(i)->text());
    for (int16_t i = 0; i < CLottorHead::kSourceCount; ++i) {
        head->SetWwwNumCaption(i, m_msgDown->TextMatrix(i + 1, kCaptionCol));
        head->SetWwwNumLink(i, m_msgDown->TextMatrix(i + 1, kLinkCol));
        head->SetWwwNumFormat(i, m_msgDown->TextMatrix(i + 1, kFormatCol));
    }
}

// ---------------------------------------------------------------------------
// Import

void FDataSet::cmdPath_Click()
{
    const QString path =
        GetOpenFile(this, u"打开开奖数据"_s, u"文档文件(*.txt)|*.txt|所有文件(*.*)|*.*"_s, QString());
    if (!path.isEmpty())
        m_txtPath->setText(path);
}

void FDataSet::cmdImprot_Click()
{
    if (!Head() || m_reading)
        return;
    const QListWidgetItem* item = m_lstFormat->currentItem();
    const QString format = item ? item->text() : QString();
    QString text;
    if (const ImportFault fault = ReadDrawFile(*Head(), m_txtPath->text(), format, text);
        fault != ImportFault::None) {
        MsgBox(this, QMessageBox::Warning, u"操作错误"_s, ImportFailureText(fault), QMessageBox::Ok);
        return;
    }
    const QPointer<FDataSet> self(this);
    const DrawReadReport report = DrawImportReport(ParseDrawText(text, format));
    if (self && !report.Text.isEmpty())
        MsgBox(this, report.Failure ? QMessageBox::Warning : QMessageBox::Information,
               report.Failure ? u"操作错误"_s : u"操作提示"_s, report.Text, QMessageBox::Ok);
}

DrawTextRead FDataSet::ParseDrawText(const QString& sText, const QString& sFormat)
{
    if (!m_game || m_reading)
        return {};
    const QPointer<FDataSet> self(this);
    const std::shared_ptr<CLottorData> game = m_game;
    m_reading = true;
    bool controlsOff = false;
    m_grid->SetRedraw(false);
    const DrawTextRead read = kelton::ParseDrawText(*m_rows, game->HeadData, sText, sFormat, [&] {
        // The busy state disables every window but the main one: this one
        // comes back so that its "取消" can stop the reading.
        setEnabled(true);
        if (!m_downloading) {
            controlsOff = true;
            for (QWidget* w : std::initializer_list<QWidget*>{m_tab1, m_panels, m_grid, m_cmdOK, m_cmdHelp})
                w->setEnabled(false);
        }
    });
    if (!self)
        return read;
    m_reading = false;
    if (controlsOff) {
        for (QWidget* w : std::initializer_list<QWidget*>{m_tab1, m_panels, m_grid, m_cmdOK, m_cmdHelp})
            w->setEnabled(true);
    }
    // Only new draws make an edit to confirm.
    if (read.Inserted > 0) {
        m_gridChanged = true;
        SelectNumbersCell(read.LastRow);
    }
    m_grid->SetRedraw(true);
    if (read.Inserted > 0)
        ScrollRowIntoView(read.LastRow);
    return read;
}

void FDataSet::StopReading()
{
    if (m_reading)
        CMsg().SetIsClick(true);
}

void FDataSet::LstFormat_DblClick()
{
    const int entry = m_lstFormat->currentRow();
    if (entry < 0)
        return;
    const QWidget* viewport = m_lstFormat->viewport();
    const QModelIndex first = m_lstFormat->indexAt(QPoint(0, 0));
    const QPoint origin = viewport->mapTo(m_lstFormat->parentWidget(), QPoint(0, 0));
    const int line = fontMetrics().height();
    const int top = FormatEditorTop(origin.y(), line, entry, first.isValid() ? first.row() : 0);
    m_txtFormat->setGeometry(origin.x(), top, viewport->width(), line);
    m_txtFormat->setText(m_lstFormat->item(entry)->text());
    m_txtFormat->show();
    m_txtFormat->raise();
    m_txtFormat->setFocus();
    m_txtFormat->selectAll();
}

// ---------------------------------------------------------------------------
// Download

void FDataSet::msgDown_DblClick()
{
    if (m_msgDown->Rows() <= 1)
        return;
    const QRect cell = m_msgDown->CellRect();
    if (cell.isEmpty())
        return;
    m_txtDown->setGeometry(cell.translated(m_msgDown->pos()));
    m_txtDown->setText(m_msgDown->Text());
    m_txtDown->show();
    m_txtDown->raise();
    m_txtDown->setFocus();
    m_txtDown->selectAll();
}

void FDataSet::EnableDownloadControls(bool bIdle)
{
    if (bIdle)
        m_timer1.stop();
    else
        m_timer1.start();
    m_lblDownload->setVisible(!bIdle);
    m_track->setVisible(!bIdle);
    m_marker.Reset();
    m_track->update();
    m_cmdDownLoad->setEnabled(bIdle);
    m_cmdCancelDownLoad->setEnabled(!bIdle);
    for (QWidget* control : std::initializer_list<QWidget*>{m_tab1, m_grid, m_msgDown, m_cmdOK, m_cmdCancel})
        control->setEnabled(bIdle);
}

void FDataSet::Timer1_Timer()
{
    m_marker.Tick();
    m_track->update();
}

int16_t FDataSet::FetchInto(const QString& sUrl, QByteArray& oData)
{
    oData.clear();
    const SettingRecordType& settings = m_app.SettingRecord;
    m_downId = m_downloader->AddDownFile(sUrl, 0, QString(), ProxyFromSettings(settings));
    const QPointer<FDataSet> self(this);
    m_waiting = true;
    int32_t last = -1;
    const int16_t status = m_downloader->GetDownWait(m_downId, oData, last);
    if (self)
        m_waiting = false;
    return status;
}

void FDataSet::CmdDownLoad_Click()
{
    if (m_waiting || m_reading || !m_downloader || !m_game)
        return;
    // An address the user never set cannot be fetched from any server.
    if (TrimBlanks(m_msgDown->TextMatrix(m_msgDown->Row(), kLinkCol)).isEmpty()) {
        const DownloadReport report = NoDownloadAddressReport();
        MsgBox(this, QMessageBox::Information, report.Title, report.Text, QMessageBox::Ok);
        return;
    }
    const QPointer<FDataSet> self(this);
    const std::shared_ptr<CLottorData> game = m_game;
    CMsg& msg = game->HeadData.msg;
    m_downloading = true;
    m_downCancelled = false;
    EnableDownloadControls(false);
    msg.StartShowMsg(u"更新下载列表"_s);

    // The server information first: it may move the draw-data folder.
    QByteArray data;
    const QString server = m_app.SysInfo.SysAddress.value(0);
    int16_t status = FetchInto(ServerInfoAddress(server), data);
    if (!self)
        return;
    if (status == DownloadStatus::Done) {
        const QString text = FromGbk(data);
        if (IsServerInfoText(text))
            m_app.SysInfo.FromText(text);
    }
    if (m_downCancelled || m_closed) {
        EndDownload();
        return;
    }

    msg.StartShowMsg(u"正在下载"_s);
    const ServerInfo& info = m_app.SysInfo;
    const int row = m_msgDown->Row();
    const QString address =
        DrawDataAddress(info.SysAddress.value(0), info.SysLottoDataWebPath, m_msgDown->TextMatrix(row, kLinkCol));
    const QString format = m_msgDown->TextMatrix(row, kFormatCol);
    status = FetchInto(address, data);
    if (!self)
        return;
    if (m_closed) {
        EndDownload();
        return;
    }
    DrawTextRead read;
    if (status == DownloadStatus::Done && data.size() >= 2) {
        read = ParseDrawText(FromGbk(data), format);
        if (!self)
            return;
    }
    const DownloadReport report = DrawDownloadReport(status, data.size(), read, format);
    if (!report.Text.isEmpty())
        MsgBox(this, QMessageBox::Information, report.Title, report.Text, QMessageBox::Ok);
    if (self)
        EndDownload();
}

void FDataSet::EndDownload()
{
    if (m_game)
        m_game->HeadData.msg.EndShowMsg();
    m_downloading = false;
    EnableDownloadControls(true);
    // The window closed while the download was waited for.
    if (m_closed)
        m_downloader.reset();
}

void FDataSet::CmdCancelDownLoad_Click()
{
    if (!m_downloading)
        return;
    // The draws have arrived and are being read: the download ends once the
    // reading has stopped.
    if (m_reading) {
        StopReading();
        return;
    }
    if (m_downloader)
        m_downloader->CancelDown(m_downId);
    m_downCancelled = true;
    m_downloading = false;
    if (m_game)
        m_game->HeadData.msg.EndShowMsg();
    EnableDownloadControls(true);
}

} // namespace kelton
