#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include "shell/download_status.h"
#include "shell/http_request.h"
#include "shell/http_response_parser.h"

class QTcpSocket;

namespace kelton {

class CheckedSaveFile;

// One queued download.
struct DownloadItem {
    QString Url;
    QString Host;
    QString Path;
    QString Referer;
    QString SaveFile;  // empty: the body is kept in memory
    int16_t Status = DownloadStatus::Waiting;
    int32_t TimeOut = 0;  // milliseconds, counted from the connect
    int32_t DownId = 0;
    QByteArray Body;  // a finished memory download, until it is handed over
    ProxySettings Proxy;
};

// Downloads over HTTP/1.1 GET, one transfer at a time, from a queue. Every
// client owns its own instance: it queues downloads, polls GetDown or waits
// in GetDownWait, and deletes the instance when it closes. The instance
// shows nothing; every outcome is a DownloadStatus.
//
// A scheduler timer drives the queue: each tick either closes a socket that
// is no longer wanted, connects the chosen item, or finishes the current
// item and chooses the next waiting one. A file download is written into a
// temporary file next to the target, which replaces the target only when
// the whole body has arrived.
//
// A body kept in memory (a text) may hold kMaxTextBytes, a file kMaxFileBytes;
// a longer one ends with TooLarge, as soon as its Content-Length or the
// bytes received show it.
class Downloader : public QObject {
    Q_OBJECT

public:
    static constexpr int kSchedulerInterval = 500;  // ms
    static constexpr int kPollStep = 500;           // ms, GetDownWait
    static constexpr int32_t kDefaultTimeOut = 60000;
    static constexpr int16_t kMaxItems = 32767;
    static constexpr quint16 kHttpPort = 80;
    static constexpr int64_t kMaxTextBytes = int64_t{4} << 20;
    static constexpr int64_t kMaxFileBytes = int64_t{256} << 20;
    // What the socket reads ahead of the downloader; a stopped transfer
    // leaves at most this much unread until its socket is closed.
    static constexpr qint64 kReadAheadBytes = 1 << 20;

    explicit Downloader(QObject* parent = nullptr);
    ~Downloader() override;

    // Queues a download and returns its id (1, 2, .. per instance); 0 and
    // nothing queued for an empty address or a full queue. lTime below 1
    // selects 60000 ms. An empty sFile keeps the body in memory.
    int32_t AddDownFile(const QString& sURL, int32_t lTime, const QString& sFile, bool blnProxy,
                        const QString& strProxyIP, int32_t lngProxyPort, bool blnProxyValid,
                        const QString& strProxyUser, const QString& strProxyPassword);
    int32_t AddDownFile(const QString& sURL, int32_t lTime, const QString& sFile, const ProxySettings& proxy);

    // Status of a download, without waiting; -1 for an id it does not know.
    // A finished memory download hands its body to oData and the index of
    // its last byte (length - 1) to oDataCount; a finished file download
    // hands over nothing. Either way the result is 3 once, -5 afterwards.
    int16_t GetDown(int32_t sDownID, QByteArray& oData, int32_t& oDataCount);

    // As GetDown, after waiting (in steps that keep processing events) until
    // the download has a final status. A negative final status is handed
    // over too: later calls give -5.
    int16_t GetDownWait(int32_t sDownID, QByteArray& oData, int32_t& oDataCount);

    // Marks a download cancelled (-4), whatever its status: a waiting one is
    // never started, a running one is closed at the next tick, a finished
    // one is not handed over.
    void CancelDown(int32_t sDownID);

    // Cancels every download that waits, runs, or has finished without being
    // handed over; failed and refused ones keep their status.
    void CancelDownAll();

    // Runs the event loop for the given time.
    static void Waitting(int32_t sMilliseconds);

    // Queued items, finished ones included (slot order).
    int16_t DownCount() const { return static_cast<int16_t>(DownItems.size()); }

    // Timing and the port of direct connections; tests shorten and redirect them.
    void SetSchedulerInterval(int ms);
    void SetPollStep(int ms) { m_pollStep = ms; }
    void SetDirectPort(quint16 port) { m_directPort = port; }

private:
    DownloadItem* FindItem(int32_t id);
    DownloadItem* Current();
    int16_t HandOver(DownloadItem& item, QByteArray& oData, int32_t& oDataCount);

    void OnTick();
    void CloseStaleSocket();
    void StartDownload();
    void FinishAndScheduleNext();
    void FinishCurrent(DownloadItem& item);

    void OnConnected();
    void OnReadyRead();
    void OnTimeOut();
    bool OpenTarget(const QString& path);
    void FeedResponse(DownloadItem& item, const QByteArray& bytes);
    void WriteBody(DownloadItem& item, const QByteArray& bytes);

    std::vector<DownloadItem> DownItems;
    int CurIndex = 0;
    int32_t LastDownId = 0;
    bool ConnectPending = false;

    QTcpSocket* Wsk = nullptr;
    QTimer tmrLink;
    QTimer tmrLinkTimeOut;
    HttpResponseParser m_parser;
    QList<QByteArray> m_bodyChunks;       // memory download, joined at the end
    std::unique_ptr<CheckedSaveFile> m_target;  // file download, committed at the end

    int m_pollStep = kPollStep;
    quint16 m_directPort = kHttpPort;
    std::shared_ptr<bool> m_alive;  // lets a wait notice that the instance was deleted
};

// The name clients of the download queue know it by.
using frmDownLoadTxt = Downloader;

}  // namespace kelton
