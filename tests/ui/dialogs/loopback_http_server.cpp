#include "loopback_http_server.h"

#include <QTcpSocket>
#include <gtest/gtest.h>

namespace vintrel::test {

namespace {

constexpr const char* kVersionPath = "/vintrel/version.txt";
const QByteArray kEndOfHead = "\r\n\r\n";

QUrl loopbackUrl(quint16 port) {
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(QStringLiteral("127.0.0.1"));
    url.setPort(port);
    url.setPath(QString::fromLatin1(kVersionPath));
    return url;
}

QByteArray response(int status, const QByteArray& body) {
    return "HTTP/1.1 " + QByteArray::number(status) + " Status\r\nContent-Type: text/plain\r\n" +
           "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

} // namespace

LoopbackHttpServer::LoopbackHttpServer() {
    QObject::connect(&server_, &QTcpServer::newConnection, [this] { accept(); });
    EXPECT_TRUE(server_.listen(QHostAddress::LocalHost, 0)) << server_.errorString().toStdString();
}

LoopbackHttpServer::~LoopbackHttpServer() {
    server_.close();
}

QUrl LoopbackHttpServer::url() const {
    return loopbackUrl(server_.serverPort());
}

void LoopbackHttpServer::answerWith(const QByteArray& body, int status) {
    behaviour_ = Behaviour::Answer;
    body_ = body;
    status_ = status;
}

void LoopbackHttpServer::accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        // The socket is the server's child and goes with it; the head collected so far lives with
        // the connection.
        auto head = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::readyRead, socket,
                         [this, socket, head] { read(*socket, *head); });
    }
}

void LoopbackHttpServer::read(QTcpSocket& socket, QByteArray& head) {
    head += socket.readAll();
    if (!head.contains(kEndOfHead)) {
        return;
    }
    requests_.append(head);
    head.clear();
    if (behaviour_ == Behaviour::NeverAnswer) {
        return;
    }
    socket.write(response(status_, body_));
    socket.disconnectFromHost();
}

QUrl LoopbackHttpServer::addressWithoutServer() {
    QTcpServer probe;
    EXPECT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    return loopbackUrl(port);
}

} // namespace vintrel::test
