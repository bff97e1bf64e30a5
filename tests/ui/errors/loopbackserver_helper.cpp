#include "loopbackserver_helper.h"

#include <QTcpSocket>
#include <QTimer>

LoopbackServer::LoopbackServer(QObject *parent) : QObject(parent) {
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
                socket->setProperty("buffer", buffer);
                if (!buffer.contains("\r\n\r\n"))
                    return;
                const QList<QByteArray> requestLine =
                    buffer.left(buffer.indexOf("\r\n")).split(' ');
                const QByteArray target = requestLine.value(1);
                targets << target;
                Q_EMIT requestReceived();
                if (silent)
                    return;
                const qsizetype query = target.indexOf('?');
                const QString path = QString::fromLatin1(query < 0 ? target : target.left(query));
                const QByteArray body = answers.value(path, QByteArrayLiteral("OK"));
                const auto answer = [socket, body] {
                    socket->write(
                        "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " +
                        QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
                    socket->disconnectFromHost();
                };
                if (answerDelayMs > 0)
                    QTimer::singleShot(answerDelayMs, socket, answer);
                else
                    answer();
            });
        }
    });
}

bool LoopbackServer::listen() {
    return m_server.listen(QHostAddress::LocalHost, 0);
}

QUrl LoopbackServer::baseUrl() const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()));
}

quint16 deadPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}
