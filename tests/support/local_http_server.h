#pragma once

#include <functional>
#include <memory>

#include <QByteArray>
#include <QEventLoop>
#include <QHash>
#include <QList>
#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <gtest/gtest.h>

namespace kelton::test {

// A "200 OK" answer carrying the body.
inline QByteArray HttpOk(const QByteArray& body)
{
    return "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

// The path in a recorded request's request line (which through a proxy is
// the full address).
inline QByteArray RequestPath(const QByteArray& request)
{
    return request.split(' ').value(1);
}

// An HTTP server on 127.0.0.1 for the download clients' tests. It records
// every request header and answers it through `reply`, by default by the
// request's target: a known target gets 200 and its body, any other 404, and
// the connection is closed after the answer.
class LocalHttpServer {
public:
    using Reply = std::function<void(QTcpSocket*, const QByteArray& request)>;

    LocalHttpServer()
    {
        EXPECT_TRUE(m_server.listen(QHostAddress(QHostAddress::LocalHost), 0));
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] { Accept(); });
    }
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    quint16 Port() const { return m_server.serverPort(); }

    // The body served for a request target ("/list.txt", or through a proxy
    // "http://host/list.txt").
    void Serve(const QByteArray& target, const QByteArray& body) { m_bodies.insert(target, body); }

    Reply reply = [this](QTcpSocket* s, const QByteArray& request) { AnswerServed(s, request); };
    QList<QByteArray> requests;
    int connections = 0;

    // The request line of each request ("GET /list.txt HTTP/1.1").
    QList<QByteArray> RequestLines() const
    {
        QList<QByteArray> lines;
        for (const QByteArray& r : requests)
            lines << r.left(r.indexOf("\r\n"));
        return lines;
    }

private:
    void Accept()
    {
        while (QTcpSocket* s = m_server.nextPendingConnection()) {
            ++connections;
            auto buffer = std::make_shared<QByteArray>();
            QObject::connect(s, &QTcpSocket::readyRead, s, [this, s, buffer] {
                const bool answered = buffer->contains("\r\n\r\n");
                buffer->append(s->readAll());
                const qsizetype end = buffer->indexOf("\r\n\r\n");
                if (answered || end < 0)
                    return;
                requests.append(buffer->left(end + 4));
                reply(s, requests.last());
            });
            QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        }
    }

    void AnswerServed(QTcpSocket* s, const QByteArray& request)
    {
        const auto body = m_bodies.constFind(RequestPath(request));
        s->write(body != m_bodies.constEnd()
                     ? HttpOk(*body)
                     : QByteArray("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n"));
        s->flush();
        s->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QByteArray, QByteArray> m_bodies;
};

// Runs the event loop (deferred deletions included) until the condition
// holds; false when it still does not after the guard time, which only a
// fault reaches.
inline bool WaitUntil(const std::function<bool()>& condition, int guardMs = 15000)
{
    if (condition())
        return true;
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (condition())
            loop.quit();
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    check.start(5);
    guard.start(guardMs);
    loop.exec();
    return condition();
}

} // namespace kelton::test
