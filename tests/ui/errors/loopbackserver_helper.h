#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QTcpServer>
#include <QUrl>

// A small HTTP server on 127.0.0.1 that records every request target and answers each path
// with a configured text (or not at all, to play a server that hangs).
class LoopbackServer : public QObject {
    Q_OBJECT
public:
    explicit LoopbackServer(QObject *parent = nullptr);
    bool listen();
    QUrl baseUrl() const;

    // Answer for a path; paths without one get "OK".
    QHash<QString, QByteArray> answers;
    // When set, requests are read and recorded but never answered.
    bool silent = false;
    // Answers wait this long, to play a slow server.
    int answerDelayMs = 0;
    // Each request's target as sent: path and raw query ("/a.asp?x=1").
    QList<QByteArray> targets;

Q_SIGNALS:
    void requestReceived();

private:
    QTcpServer m_server;
};

// A port on 127.0.0.1 where nothing listens.
quint16 deadPort();
