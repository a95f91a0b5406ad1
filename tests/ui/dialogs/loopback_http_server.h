#pragma once

// A small HTTP server on the loopback address for the update-check tests: it listens on a port the
// system picks, reads each request's head and answers it with a fixed status and body, or holds
// the connection open without a word.

#include <QByteArray>
#include <QList>
#include <QTcpServer>
#include <QUrl>
#include <memory>

class QTcpSocket;

namespace vintrel::test {

class LoopbackHttpServer {
public:
    enum class Behaviour { Answer, NeverAnswer };

    LoopbackHttpServer();
    ~LoopbackHttpServer();

    // False (and a test failure) when it cannot listen.
    bool listening() const { return server_.isListening(); }
    QUrl url() const;

    void answerWith(const QByteArray& body, int status = kOk);
    void neverAnswer() { behaviour_ = Behaviour::NeverAnswer; }

    // Every request head received, in order.
    const QList<QByteArray>& requests() const { return requests_; }

    // An address on the loopback where no server listens: a port that was free a moment ago.
    static QUrl addressWithoutServer();

    static constexpr int kOk = 200;

private:
    void accept();
    void read(QTcpSocket& socket, QByteArray& head);

    QTcpServer server_;
    Behaviour behaviour_ = Behaviour::Answer;
    QByteArray body_;
    int status_ = kOk;
    QList<QByteArray> requests_;
};

} // namespace vintrel::test
