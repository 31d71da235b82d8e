#include "shell/net/downloader.h"

#include <functional>
#include <memory>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/local_http_server.h"
#include "support/test_support.h"

namespace kelton {
namespace {

// The event loop the downloader needs, for the whole test program.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_downloader";
        static char* argv[] = {name, nullptr};
        m_app = std::make_unique<QCoreApplication>(argc, argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<QCoreApplication> m_app;
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

using test::HttpOk;
using test::RequestPath;

// Writes the pieces one after the other, delayMs apart, then closes unless
// told to keep the connection open.
void Send(QTcpSocket* socket, QList<QByteArray> pieces, int delayMs = 0, bool close = true)
{
    if (!pieces.isEmpty()) {
        socket->write(pieces.takeFirst());
        socket->flush();
    }
    if (pieces.isEmpty()) {
        if (close)
            socket->disconnectFromHost();
        return;
    }
    QPointer<QTcpSocket> guard(socket);
    QTimer::singleShot(delayMs, socket, [guard, pieces, delayMs, close] {
        if (guard)
            Send(guard, pieces, delayMs, close);
    });
}

// The local server, answering "hello" to any request unless told otherwise.
class FakeServer : public test::LocalHttpServer {
public:
    FakeServer()
    {
        reply = [](QTcpSocket* s, const QByteArray&) { Send(s, {HttpOk("hello")}); };
    }
};

// A port on 127.0.0.1 where nothing listens.
quint16 ClosedPort()
{
    QTcpServer probe;
    EXPECT_TRUE(probe.listen(QHostAddress(QHostAddress::LocalHost), 0));
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

constexpr int32_t kTestTimeOut = 5000;  // ends any transfer a fault would leave hanging

const char kRequestTail[] = "Accept: */*\r\n"
                            "Referer: http://www.example.com/a\r\n"
                            "User-Agent: Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\n"
                            "Pragma: no-cache\r\n"
                            "Cache-Control: no-cache\r\n";

class DownloaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dl.SetSchedulerInterval(2);
        dl.SetPollStep(2);
        dl.SetDirectPort(server.Port());
    }

    int32_t Add(const QString& url, const QString& file = QString(), int32_t timeOut = kTestTimeOut)
    {
        return dl.AddDownFile(url, timeOut, file, ProxySettings());
    }

    QString Url(const char* path) const { return QStringLiteral("127.0.0.1") + QLatin1String(path); }

    // Polls GetDown until the download has a final status.
    int16_t Poll(int32_t id)
    {
        QByteArray data;
        int32_t count = 0;
        QElapsedTimer clock;
        clock.start();
        int16_t status = dl.GetDown(id, data, count);
        while (status >= DownloadStatus::Waiting && status <= DownloadStatus::Receiving &&
               clock.elapsed() < 2 * kTestTimeOut) {
            Downloader::Waitting(2);
            status = dl.GetDown(id, data, count);
        }
        return status;
    }

    FakeServer server;
    Downloader dl;
};

TEST_F(DownloaderTest, DirectDownloadIntoMemory)
{
    EXPECT_EQ(dl.AddDownFile(QString(), 0, QString(), ProxySettings()), 0);
    const int32_t id = Add(Url("/a/b.txt"));
    EXPECT_EQ(id, 1);  // the empty address used no id
    EXPECT_EQ(Add(Url("/c.txt")), 2);

    QByteArray data;
    int32_t count = 0;
    EXPECT_EQ(dl.GetDownWait(id, data, count), DownloadStatus::Done);
    EXPECT_EQ(data, QByteArray("hello"));
    EXPECT_EQ(count, 4);  // the index of the last byte

    ASSERT_EQ(server.requests.size(), 1);
    EXPECT_EQ(server.requests[0], QByteArray("GET /a/b.txt HTTP/1.1\r\n"
                                             "Host: 127.0.0.1\r\n"
                                             "Accept: */*\r\n"
                                             "Referer: http://127.0.0.1/a\r\n"
                                             "User-Agent: Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\n"
                                             "Pragma: no-cache\r\n"
                                             "Cache-Control: no-cache\r\n"
                                             "Connection: close\r\n"
                                             "\r\n"));

    // Handed over once; then -5, and unknown ids (0 included) give -1.
    data.clear();
    EXPECT_EQ(dl.GetDown(id, data, count), DownloadStatus::HandedOver);
    EXPECT_TRUE(data.isEmpty());
    EXPECT_EQ(dl.GetDown(0, data, count), DownloadStatus::Failed);
    EXPECT_EQ(dl.GetDown(99, data, count), DownloadStatus::Failed);
}

struct ProxyCase {
    bool auth;
    const char* user;
    const char* password;
    const char* authLine;  // expected, or empty
};

class DownloaderProxyTest : public DownloaderTest, public ::testing::WithParamInterface<ProxyCase> {};

TEST_P(DownloaderProxyTest, SendsFullAddressToProxy)
{
    const ProxyCase& c = GetParam();
    // The host is never looked up: the connection goes to the proxy.
    dl.SetDirectPort(ClosedPort());
    const int32_t id = dl.AddDownFile(QStringLiteral("www.example.com/a/b.txt"), kTestTimeOut, QString(),
                                      true, QStringLiteral("127.0.0.1"), server.Port(), c.auth,
                                      QString::fromUtf8(c.user), QString::fromUtf8(c.password));
    QByteArray data;
    int32_t count = 0;
    EXPECT_EQ(dl.GetDownWait(id, data, count), DownloadStatus::Done);
    EXPECT_EQ(data, QByteArray("hello"));
    ASSERT_EQ(server.requests.size(), 1);
    EXPECT_EQ(server.requests[0], QByteArray("GET http://www.example.com/a/b.txt HTTP/1.1\r\n"
                                             "Host: www.example.com\r\n") +
                                      kRequestTail + c.authLine + "Connection: close\r\n\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DownloaderProxyTest,
    ::testing::Values(ProxyCase{false, "user", "pass", ""},
                      ProxyCase{true, "user", "pass", "Proxy-Authorization: Basic dXNlcjpwYXNz\r\n"},
                      ProxyCase{true, "user", "", "Proxy-Authorization: Basic dXNlcjo=\r\n"}));

struct ReplyCase {
    const char* name;
    QList<QByteArray> pieces;  // written 10 ms apart
    bool close;                // the server closes after the last piece
    int16_t status;
    QByteArray body;
};

void PrintTo(const ReplyCase& c, std::ostream* os)
{
    *os << c.name;
}

class DownloaderReplyTest : public DownloaderTest, public ::testing::WithParamInterface<ReplyCase> {};

TEST_P(DownloaderReplyTest, EndsWithStatus)
{
    const ReplyCase& c = GetParam();
    server.reply = [&c](QTcpSocket* s, const QByteArray&) { Send(s, c.pieces, 10, c.close); };
    const int32_t id = Add(Url("/f"));
    QByteArray data = "untouched";
    int32_t count = -7;
    EXPECT_EQ(dl.GetDownWait(id, data, count), c.status);
    if (c.status == DownloadStatus::Done) {
        EXPECT_EQ(data, c.body);
        EXPECT_EQ(count, c.body.size() - 1);
    } else {
        EXPECT_EQ(data, QByteArray("untouched"));
    }
    // The final status has been handed over, unless the failed download has
    // already left the queue.
    const int16_t after = dl.GetDown(id, data, count);
    if (c.status == DownloadStatus::Failed)
        EXPECT_TRUE(after == DownloadStatus::HandedOver || after == DownloadStatus::Failed) << after;
    else
        EXPECT_EQ(after, DownloadStatus::HandedOver);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DownloaderReplyTest,
    ::testing::Values(
        ReplyCase{"header split across packets",
                  {"HTTP/1.1 200 OK\r\nContent-Le", "ngth: 6\r\n\r", "\n", "abc", "def"},
                  true,
                  DownloadStatus::Done,
                  "abcdef"},
        ReplyCase{"chunked",
                  {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n7\r\n1,2,3\r",
                   "\n\r\n3\r\n4,5\r\n0\r\n\r\n"},
                  true,
                  DownloadStatus::Done,
                  "1,2,3\r\n4,5"},
        ReplyCase{
            "until close, HTTP/1.0", {"HTTP/1.0 200 OK\r\n\r\nab", "cd"}, true, DownloadStatus::Done, "abcd"},
        // The body is complete at its length; the server need not close.
        ReplyCase{"length, kept open", {HttpOk("xyz")}, false, DownloadStatus::Done, "xyz"},
        ReplyCase{"empty with length", {HttpOk("")}, true, DownloadStatus::Done, ""},
        ReplyCase{"404",
                  {"HTTP/1.1 404 Not Found\r\nContent-Length: 3\r\n\r\nbad"},
                  true,
                  DownloadStatus::Refused,
                  ""},
        ReplyCase{
            "302", {"HTTP/1.1 302 Found\r\nLocation: http://x/\r\n\r\n"}, true, DownloadStatus::Refused, ""},
        ReplyCase{"length, cut short",
                  {"HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nhello"},
                  true,
                  DownloadStatus::CutOff,
                  ""},
        ReplyCase{"chunked, cut short",
                  {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhel"},
                  true,
                  DownloadStatus::CutOff,
                  ""},
        ReplyCase{"chunked, malformed",
                  {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nxyz\r\n"},
                  true,
                  DownloadStatus::Refused,
                  ""},
        ReplyCase{"until close, empty", {"HTTP/1.1 200 OK\r\n\r\n"}, true, DownloadStatus::CutOff, ""},
        ReplyCase{
            "closed before the header end", {"HTTP/1.1 200 OK\r\n"}, true, DownloadStatus::CutOff, ""}));

TEST_F(DownloaderTest, TimeOutCountsFromTheConnect)
{
    // A server that never answers, and one that is still sending.
    const QList<FakeServer::Reply> replies = {
        [](QTcpSocket*, const QByteArray&) {},
        [](QTcpSocket* s, const QByteArray&) {
            Send(s,
                 {"HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n", "a", "b", "c", "d", "e", "f", "g", "h"},
                 30, false);
        },
    };
    for (const FakeServer::Reply& reply : replies) {
        server.reply = reply;
        const int32_t id = Add(Url("/slow"), QString(), 150);
        EXPECT_EQ(Poll(id), DownloadStatus::Failed);
        // The failed download leaves the queue: its id is then unknown.
        Downloader::Waitting(30);
        QByteArray data;
        int32_t count = 0;
        EXPECT_EQ(dl.GetDown(id, data, count), DownloadStatus::Failed);
        EXPECT_EQ(dl.DownCount(), 0);
    }
}

TEST_F(DownloaderTest, UnreachableServerFails)
{
    dl.SetDirectPort(ClosedPort());
    const int32_t id = Add(Url("/f"));
    EXPECT_EQ(Poll(id), DownloadStatus::Failed);
    EXPECT_EQ(dl.DownCount(), 0);
}

TEST_F(DownloaderTest, CancelledWaitingItemIsNeverStarted)
{
    const int32_t first = Add(Url("/first"));
    const int32_t second = Add(Url("/second"));
    dl.CancelDown(second);
    QByteArray data;
    int32_t count = 0;
    EXPECT_EQ(dl.GetDownWait(first, data, count), DownloadStatus::Done);
    Downloader::Waitting(30);
    EXPECT_EQ(dl.GetDown(second, data, count), DownloadStatus::Cancelled);
    EXPECT_EQ(dl.GetDownWait(second, data, count), DownloadStatus::Cancelled);
    EXPECT_EQ(dl.GetDown(second, data, count), DownloadStatus::HandedOver);
    ASSERT_EQ(server.requests.size(), 1);
    EXPECT_EQ(RequestPath(server.requests[0]), QByteArray("/first"));
}

TEST_F(DownloaderTest, CancelAllStopsRunningAndWaitingItems)
{
    server.reply = [](QTcpSocket*, const QByteArray&) {};  // keeps the first one running
    const int32_t first = Add(Url("/first"));
    const int32_t second = Add(Url("/second"));
    while (server.requests.isEmpty())
        Downloader::Waitting(2);
    dl.CancelDownAll();
    EXPECT_EQ(Poll(first), DownloadStatus::Cancelled);
    Downloader::Waitting(30);
    EXPECT_EQ(Poll(second), DownloadStatus::Cancelled);
    EXPECT_EQ(server.connections, 1);
}

TEST_F(DownloaderTest, RemovalMovesLastItemForward)
{
    server.reply = [](QTcpSocket* s, const QByteArray& request) { Send(s, {HttpOk(RequestPath(request))}); };
    ProxySettings deadProxy;
    deadProxy.UseProxy = true;
    deadProxy.ProxyHost = QStringLiteral("127.0.0.1");
    deadProxy.ProxyPort = ClosedPort();
    const int32_t failing = dl.AddDownFile(Url("/a"), kTestTimeOut, QString(), deadProxy);
    const int32_t b = Add(Url("/b"));
    const int32_t c = Add(Url("/c"));
    const int32_t d = Add(Url("/d"));

    QByteArray data;
    int32_t count = 0;
    for (int32_t id : {b, c, d})
        EXPECT_EQ(dl.GetDownWait(id, data, count), DownloadStatus::Done);
    EXPECT_EQ(dl.GetDown(failing, data, count), DownloadStatus::Failed);

    // The failed first item's slot went to the last one, which is served next.
    ASSERT_EQ(server.requests.size(), 3);
    EXPECT_EQ(RequestPath(server.requests[0]), QByteArray("/d"));
    EXPECT_EQ(RequestPath(server.requests[1]), QByteArray("/b"));
    EXPECT_EQ(RequestPath(server.requests[2]), QByteArray("/c"));
    EXPECT_EQ(dl.DownCount(), 3);
}

// Answers with the head, then the block again and again for as long as the
// client takes it; *sent counts the body bytes handed to the connection.
void SendEndlessly(QTcpSocket* socket, const QByteArray& head, const QByteArray& block, qint64* sent)
{
    socket->write(head);
    auto refill = [socket, block, sent] {
        while (socket->state() == QAbstractSocket::ConnectedState &&
               socket->bytesToWrite() < 4 * block.size()) {
            socket->write(block);
            *sent += block.size();
        }
    };
    QObject::connect(socket, &QTcpSocket::bytesWritten, socket, refill);
    refill();
}

struct EndlessCase {
    const char* name;
    QByteArray head;
    bool chunked;  // each block goes as one chunk
    bool toFile;
};

void PrintTo(const EndlessCase& c, std::ostream* os)
{
    *os << c.name;
}

class DownloaderEndlessTest : public DownloaderTest, public ::testing::WithParamInterface<EndlessCase> {
protected:
    QTemporaryDir m_dir;
};

// A server that never stops sending: the download ends at its bound, having
// taken little more than the bound from the connection, and keeps nothing.
TEST_P(DownloaderEndlessTest, EndsAtTheBound)
{
    const EndlessCase& c = GetParam();
    const QByteArray data(64 * 1024, 'x');
    const QByteArray block = c.chunked ? QByteArray::number(data.size(), 16) + "\r\n" + data + "\r\n" : data;
    qint64 sent = 0;
    QPointer<QTcpSocket> connection;
    server.reply = [&](QTcpSocket* s, const QByteArray&) {
        connection = s;
        SendEndlessly(s, c.head, block, &sent);
    };
    const QString target = c.toFile ? m_dir.filePath(QStringLiteral("big.dat")) : QString();
    const int32_t id = Add(Url("/endless"), target);
    QByteArray body = "untouched";
    int32_t count = -7;
    EXPECT_EQ(dl.GetDownWait(id, body, count), DownloadStatus::TooLarge);
    EXPECT_EQ(body, QByteArray("untouched"));
    // The downloader closes the connection; what the server got rid of until
    // then is the bound plus what the sockets buffer.
    EXPECT_TRUE(test::WaitUntil([&] { return connection.isNull(); }));
    EXPECT_LT(sent, Downloader::kMaxTextBytes + 32 * 1024 * 1024);
    if (c.toFile) {
        EXPECT_TRUE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DownloaderEndlessTest,
    ::testing::Values(
        EndlessCase{"until close", "HTTP/1.1 200 OK\r\n\r\n", false, false},
        EndlessCase{"chunked", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n", true, false},
        EndlessCase{"huge length", "HTTP/1.1 200 OK\r\nContent-Length: 100000000000000000\r\n\r\n", false,
                    false},
        EndlessCase{"huge length, file", "HTTP/1.1 200 OK\r\nContent-Length: 100000000000000000\r\n\r\n",
                    false, true},
        EndlessCase{"over the file bound",
                    "HTTP/1.1 200 OK\r\nContent-Length: " +
                        QByteArray::number(Downloader::kMaxFileBytes + 1) + "\r\n\r\n",
                    false, true}));

TEST_F(DownloaderTest, AFileMayBeLongerThanAText)
{
    const QByteArray body(static_cast<qsizetype>(Downloader::kMaxTextBytes) + 1, 'b');
    server.reply = [&body](QTcpSocket* s, const QByteArray&) { Send(s, {HttpOk(body)}); };
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("file.dat"));
    QByteArray data;
    int32_t count = 0;
    EXPECT_EQ(dl.GetDownWait(Add(Url("/f")), data, count), DownloadStatus::TooLarge);
    EXPECT_EQ(dl.GetDownWait(Add(Url("/f"), target), data, count), DownloadStatus::Done);
    EXPECT_EQ(QFileInfo(target).size(), body.size());
}

class DownloaderFileTest : public DownloaderTest {
protected:
    QString Target() const { return m_dir.filePath(QStringLiteral("new/sub/file.dat")); }

    QByteArray Read(const QString& path) const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    // Files in the target's folder besides the target itself.
    QStringList Leftovers() const
    {
        QStringList names = QDir(QFileInfo(Target()).absolutePath()).entryList(QDir::Files | QDir::Hidden);
        names.removeAll(QStringLiteral("file.dat"));
        return names;
    }

    QTemporaryDir m_dir;
};

TEST_F(DownloaderFileTest, WritesFileAndCreatesFolders)
{
    server.reply = [](QTcpSocket* s, const QByteArray&) {
        Send(s, {"HTTP/1.1 200 OK\r\nContent-Length: 8\r\n\r\nfile", "body"}, 10);
    };
    const int32_t id = Add(Url("/f"), Target());
    QByteArray data = "untouched";
    int32_t count = -7;
    EXPECT_EQ(dl.GetDownWait(id, data, count), DownloadStatus::Done);
    EXPECT_EQ(data, QByteArray("untouched"));  // a file download hands over nothing
    EXPECT_EQ(count, -7);
    EXPECT_EQ(Read(Target()), QByteArray("filebody"));
    EXPECT_TRUE(Leftovers().isEmpty()) << Leftovers().join(u' ').toStdString();

    // A second download replaces the file.
    server.reply = [](QTcpSocket* s, const QByteArray&) { Send(s, {HttpOk("v2")}); };
    EXPECT_EQ(dl.GetDownWait(Add(Url("/f"), Target()), data, count), DownloadStatus::Done);
    EXPECT_EQ(Read(Target()), QByteArray("v2"));
}

TEST_F(DownloaderFileTest, FailedDownloadKeepsEarlierFile)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(Target()).absolutePath()));
    {
        QFile f(Target());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("good old file");
    }
    const QList<QList<QByteArray>> replies = {
        {"HTTP/1.1 404 Not Found\r\nContent-Length: 3\r\n\r\nbad"},
        {"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\npartial"},
        {"HTTP/1.1 200 OK\r\n\r\n"},
        {"HTTP/1.1 200 OK\r\nContent-Length: 100000000000000000\r\n\r\ntoo long"},
    };
    for (const QList<QByteArray>& pieces : replies) {
        server.reply = [pieces](QTcpSocket* s, const QByteArray&) { Send(s, pieces); };
        EXPECT_LT(Poll(Add(Url("/f"), Target())), 0) << pieces[0].toStdString();
        EXPECT_EQ(Read(Target()), QByteArray("good old file")) << pieces[0].toStdString();
        EXPECT_TRUE(Leftovers().isEmpty()) << Leftovers().join(u' ').toStdString();
    }
}

TEST_F(DownloaderFileTest, TargetThatCannotBeWrittenIsRefused)
{
    // A folder stands where the file should go.
    ASSERT_TRUE(QDir().mkpath(Target()));
    const int32_t id = Add(Url("/f"), Target());
    EXPECT_EQ(Poll(id), DownloadStatus::Refused);
    EXPECT_TRUE(QFileInfo(Target()).isDir());
}

// A body that does not fit on the disk is a refused download, never a
// short file in place of the earlier one.
TEST_F(DownloaderTest, AFullDiskRefusesTheFileAndKeepsTheEarlierOne)
{
    test::SmallDisk disk(256 << 10);
    SKIP_WITHOUT_SMALL_DISK(disk);
    const QString target = disk.FilePath(QStringLiteral("file.dat"));
    server.reply = [](QTcpSocket* s, const QByteArray&) { Send(s, {HttpOk("good old file")}); };
    ASSERT_EQ(Poll(Add(Url("/f"), target)), DownloadStatus::Done);
    ASSERT_TRUE(disk.Fill());
    for (const qsizetype size : {qsizetype(100), qsizetype(100000)}) {
        const QByteArray body(size, 'n');
        server.reply = [body](QTcpSocket* s, const QByteArray&) { Send(s, {HttpOk(body)}); };
        EXPECT_EQ(Poll(Add(Url("/f"), target)), DownloadStatus::Refused) << size;
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), QByteArray("good old file")) << size;
        EXPECT_EQ(test::FolderEntries(disk.Path()), QStringList({QStringLiteral(".filler"), QStringLiteral("file.dat")}));
    }
}

TEST(Downloader, DeletedWhileWaiting)
{
    FakeServer server;
    server.reply = [](QTcpSocket*, const QByteArray&) {};
    auto* dl = new Downloader;
    dl->SetSchedulerInterval(2);
    dl->SetPollStep(2);
    dl->SetDirectPort(server.Port());
    const int32_t id =
        dl->AddDownFile(QStringLiteral("127.0.0.1/f"), kTestTimeOut, QString(), ProxySettings());
    QTimer::singleShot(50, [dl] { delete dl; });
    QByteArray data;
    int32_t count = 0;
    EXPECT_EQ(dl->GetDownWait(id, data, count), DownloadStatus::Failed);
}

}  // namespace
}  // namespace kelton
