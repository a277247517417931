#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <functional>

// A scripted HTTP server on 127.0.0.1 for download tests. Every request gets the reply set
// last: a complete response, one cut off before its announced length, or headers and then
// silence.
class LocalHttpServer {
public:
    enum class Mode { Complete, CutOff, Stall };
    struct Reply {
        int status = 200;
        QByteArray body;
        Mode mode = Mode::Complete;
        int delayMs = 0;
    };

    LocalHttpServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] { Accept(); });
    }

    void setReply(const Reply& reply) { m_reply = reply; }
    QUrl url(const QString& path = "/tickerine/newssources.xml") const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path));
    }
    // The head of every request received, in order.
    const QList<QByteArray>& requests() const { return m_requests; }

private:
    void Accept()
    {
        while (QTcpSocket* socket = m_server.nextPendingConnection())
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Read(socket); });
    }

    void Read(QTcpSocket* socket)
    {
        QByteArray& buffer = m_buffers[socket];
        buffer += socket->readAll();
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        m_requests << buffer.left(end);
        buffer.clear();
        const Reply reply = m_reply;
        QTimer::singleShot(reply.delayMs, socket, [socket, reply] { Respond(socket, reply); });
    }

    static void Respond(QTcpSocket* socket, const Reply& reply)
    {
        const qsizetype announced = reply.body.size() + (reply.mode == Mode::CutOff ? 500 : 0);
        QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + " Status\r\n";
        head += "Content-Type: text/xml\r\nContent-Length: " + QByteArray::number(announced) + "\r\n";
        head += "Connection: close\r\n\r\n";
        socket->write(head);
        if (reply.mode == Mode::Stall)
            return;
        socket->write(reply.body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    Reply m_reply;
    QList<QByteArray> m_requests;
    QHash<QTcpSocket*, QByteArray> m_buffers;
};

// Runs the event loop until done() holds or the time is up; done()'s last answer.
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 10000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QTest::qWait(10);
    return done();
}

// A port on 127.0.0.1 that nothing listens on.
inline quint16 ClosedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}
