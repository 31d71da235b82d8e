#include "shell/net/downloader.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTcpSocket>

#include "platform/save_file.h"

namespace kelton {

Downloader::Downloader(QObject* parent) : QObject(parent), m_alive(std::make_shared<bool>(true))
{
    Wsk = new QTcpSocket(this);
    Wsk->setReadBufferSize(kReadAheadBytes);
    connect(Wsk, &QTcpSocket::connected, this, &Downloader::OnConnected);
    connect(Wsk, &QTcpSocket::readyRead, this, &Downloader::OnReadyRead);

    tmrLinkTimeOut.setSingleShot(true);
    connect(&tmrLinkTimeOut, &QTimer::timeout, this, &Downloader::OnTimeOut);

    tmrLink.setInterval(kSchedulerInterval);
    connect(&tmrLink, &QTimer::timeout, this, &Downloader::OnTick);
    tmrLink.start();
}

Downloader::~Downloader()
{
    *m_alive = false;
    tmrLink.stop();
    tmrLinkTimeOut.stop();
    Wsk->disconnect(this);
    Wsk->abort();
    m_target.reset();  // an uncommitted download never reaches its target
}

int32_t Downloader::AddDownFile(const QString& sURL, int32_t lTime, const QString& sFile, bool blnProxy,
                                const QString& strProxyIP, int32_t lngProxyPort, bool blnProxyValid,
                                const QString& strProxyUser, const QString& strProxyPassword)
{
    ProxySettings proxy;
    proxy.UseProxy = blnProxy;
    proxy.ProxyHost = strProxyIP;
    proxy.ProxyPort = lngProxyPort;
    proxy.ProxyAuth = blnProxyValid;
    proxy.ProxyUser = strProxyUser;
    proxy.ProxyPassword = strProxyPassword;
    return AddDownFile(sURL, lTime, sFile, proxy);
}

int32_t Downloader::AddDownFile(const QString& sURL, int32_t lTime, const QString& sFile,
                                const ProxySettings& proxy)
{
    tmrLink.stop();
    int32_t id = 0;
    if (!sURL.isEmpty() && DownItems.size() < static_cast<size_t>(kMaxItems)) {
        const HttpAddress address = NormaliseAddress(sURL);
        DownloadItem item;
        item.Url = address.Url;
        item.Host = address.Host;
        item.Path = address.Path;
        item.Referer = address.Referer;
        item.SaveFile = sFile;
        item.TimeOut = lTime >= 1 ? lTime : kDefaultTimeOut;
        item.DownId = id = ++LastDownId;
        item.Proxy = proxy;
        DownItems.push_back(std::move(item));
    }
    tmrLink.start();
    return id;
}

int16_t Downloader::GetDown(int32_t sDownID, QByteArray& oData, int32_t& oDataCount)
{
    DownloadItem* item = FindItem(sDownID);
    if (!item)
        return DownloadStatus::Failed;
    if (item->Status != DownloadStatus::Done)
        return item->Status;
    return HandOver(*item, oData, oDataCount);
}

int16_t Downloader::GetDownWait(int32_t sDownID, QByteArray& oData, int32_t& oDataCount)
{
    const std::shared_ptr<bool> alive = m_alive;
    DownloadItem* item = FindItem(sDownID);
    while (item && item->Status >= DownloadStatus::Waiting && item->Status <= DownloadStatus::Receiving) {
        Waitting(m_pollStep);
        if (!*alive)  // the client deleted this instance while waiting
            return DownloadStatus::Failed;
        item = FindItem(sDownID);
    }
    if (!item)
        return DownloadStatus::Failed;
    if (item->Status == DownloadStatus::Done)
        return HandOver(*item, oData, oDataCount);
    const int16_t status = item->Status;
    item->Status = DownloadStatus::HandedOver;
    return status;
}

void Downloader::CancelDown(int32_t sDownID)
{
    if (DownloadItem* item = FindItem(sDownID))
        item->Status = DownloadStatus::Cancelled;
}

void Downloader::CancelDownAll()
{
    for (DownloadItem& item : DownItems) {
        if (item.Status >= DownloadStatus::Waiting)
            item.Status = DownloadStatus::Cancelled;
    }
}

void Downloader::Waitting(int32_t sMilliseconds)
{
    if (sMilliseconds <= 0) {
        QCoreApplication::processEvents();
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(sMilliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void Downloader::SetSchedulerInterval(int ms)
{
    tmrLink.setInterval(ms);
}

DownloadItem* Downloader::FindItem(int32_t id)
{
    for (DownloadItem& item : DownItems) {
        if (item.DownId == id)
            return &item;
    }
    return nullptr;
}

DownloadItem* Downloader::Current()
{
    if (CurIndex < 0 || static_cast<size_t>(CurIndex) >= DownItems.size())
        return nullptr;
    return &DownItems[static_cast<size_t>(CurIndex)];
}

int16_t Downloader::HandOver(DownloadItem& item, QByteArray& oData, int32_t& oDataCount)
{
    if (item.SaveFile.isEmpty()) {
        oData = std::exchange(item.Body, QByteArray());
        oDataCount = static_cast<int32_t>(oData.size()) - 1;
    }
    item.Status = DownloadStatus::HandedOver;
    return DownloadStatus::Done;
}

// Every step of a transfer takes one tick: choose, connect, and once the
// connection has ended, finish (which also chooses the next item).
void Downloader::OnTick()
{
    tmrLink.stop();
    if (Wsk->state() != QAbstractSocket::UnconnectedState)
        CloseStaleSocket();
    else if (ConnectPending)
        StartDownload();
    else
        FinishAndScheduleNext();
    tmrLink.start();
}

void Downloader::CloseStaleSocket()
{
    const DownloadItem* item = Current();
    const bool running =
        item && (item->Status == DownloadStatus::Connecting || item->Status == DownloadStatus::Receiving);
    // A complete response needs no more from the server, whether or not it
    // closes the connection itself.
    const bool complete = m_parser.GetState() == HttpResponseParser::State::Complete;
    if (Wsk->state() == QAbstractSocket::ClosingState || !running || complete)
        Wsk->abort();
}

void Downloader::StartDownload()
{
    ConnectPending = false;
    DownloadItem* item = Current();
    if (!item || item->Status != DownloadStatus::Waiting)  // cancelled after it was chosen
        return;
    QString host = item->Host;
    int32_t port = m_directPort;
    if (item->Proxy.UseProxy) {
        host = item->Proxy.ProxyHost;
        port = item->Proxy.ProxyPort;
    }
    tmrLinkTimeOut.setInterval(item->TimeOut);
    item->Status = DownloadStatus::Connecting;
    tmrLinkTimeOut.start();
    m_parser.Reset();
    m_parser.SetMaxBodyBytes(item->SaveFile.isEmpty() ? kMaxTextBytes : kMaxFileBytes);
    if (port < 1 || port > 65535) {
        item->Status = DownloadStatus::Failed;
        return;
    }
    Wsk->connectToHost(host, static_cast<quint16>(port));
}

void Downloader::FinishAndScheduleNext()
{
    if (DownItems.empty())
        return;
    if (DownloadItem* item = Current()) {
        if (item->Status == DownloadStatus::Receiving)
            FinishCurrent(*item);
        if (item->Status == DownloadStatus::Connecting)  // the connection was never made
            item->Status = DownloadStatus::Failed;
    }
    // A target still open did not get its whole body: its temporary file
    // goes and an earlier file of that name stays as it was.
    m_target.reset();
    m_bodyChunks.clear();
    m_parser.Reset();
    tmrLinkTimeOut.stop();

    // Failed items leave the queue; the last item moves into the freed slot.
    for (size_t i = 0; i < DownItems.size();) {
        if (DownItems[i].Status == DownloadStatus::Failed) {
            if (i + 1 != DownItems.size())
                DownItems[i] = std::move(DownItems.back());
            DownItems.pop_back();
        } else {
            ++i;
        }
    }

    CurIndex = -1;
    for (size_t i = 0; i < DownItems.size(); ++i) {
        if (DownItems[i].Status == DownloadStatus::Waiting) {
            CurIndex = static_cast<int>(i);
            ConnectPending = true;
            break;
        }
    }
}

void Downloader::FinishCurrent(DownloadItem& item)
{
    // Bytes the server sent just before it closed may still be unread.
    if (Wsk->bytesAvailable() > 0)
        FeedResponse(item, Wsk->readAll());
    if (item.Status != DownloadStatus::Receiving)
        return;
    if (m_parser.Close() != HttpResponseParser::State::Complete) {
        item.Status = DownloadStatus::CutOff;
        return;
    }
    if (m_target) {
        const bool saved = m_target->Commit().Ok;
        m_target.reset();
        item.Status = saved ? DownloadStatus::Done : DownloadStatus::Refused;
        return;
    }
    QByteArray body;
    qsizetype size = 0;
    for (const QByteArray& chunk : m_bodyChunks)
        size += chunk.size();
    body.reserve(size);
    for (const QByteArray& chunk : m_bodyChunks)
        body.append(chunk);
    m_bodyChunks.clear();
    item.Body = std::move(body);
    item.Status = DownloadStatus::Done;
}

void Downloader::OnConnected()
{
    DownloadItem* item = Current();
    if (!item)
        return;
    if (item->Status < 0) {  // stopped while connecting
        item->Status = DownloadStatus::Refused;
        return;
    }
    if (!item->SaveFile.isEmpty() && !m_target && !OpenTarget(item->SaveFile)) {
        item->Status = DownloadStatus::Refused;
        return;
    }
    const QByteArray request =
        BuildHttpRequest(HttpAddress{item->Url, item->Host, item->Path, item->Referer}, item->Proxy);
    item->Status = DownloadStatus::Receiving;
    if (Wsk->write(request) != request.size())
        item->Status = DownloadStatus::Refused;
}

bool Downloader::OpenTarget(const QString& path)
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    auto file = std::make_unique<CheckedSaveFile>(path);
    if (!file->Open())
        return false;
    m_target = std::move(file);
    return true;
}

void Downloader::OnReadyRead()
{
    DownloadItem* item = Current();
    if (!item || item->Status != DownloadStatus::Receiving)
        return;
    FeedResponse(*item, Wsk->readAll());
}

void Downloader::FeedResponse(DownloadItem& item, const QByteArray& bytes)
{
    const HttpResponseParser::State state = m_parser.Feed(bytes);
    const QByteArray body = m_parser.TakeBody();
    if (!body.isEmpty())
        WriteBody(item, body);
    if (item.Status != DownloadStatus::Receiving)
        return;
    switch (state) {
    case HttpResponseParser::State::Refused:
        item.Status = DownloadStatus::Refused;
        break;
    case HttpResponseParser::State::Malformed:
        item.Status = DownloadStatus::Refused;
        break;
    case HttpResponseParser::State::TooLarge:
        item.Status = DownloadStatus::TooLarge;
        break;
    case HttpResponseParser::State::Complete:
        tmrLinkTimeOut.stop();  // a complete body can no longer time out
        break;
    default:
        break;
    }
}

void Downloader::WriteBody(DownloadItem& item, const QByteArray& bytes)
{
    if (m_target) {
        if (!m_target->Write(bytes))
            item.Status = DownloadStatus::Refused;
    } else {
        m_bodyChunks.append(bytes);
    }
}

void Downloader::OnTimeOut()
{
    tmrLinkTimeOut.stop();
    DownloadItem* item = Current();
    if (item && (item->Status == DownloadStatus::Connecting || item->Status == DownloadStatus::Receiving))
        item->Status = DownloadStatus::Failed;
}

}  // namespace kelton
