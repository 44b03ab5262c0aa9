// Metafiles fetched by URL, from a web server on 127.0.0.1 inside the test: what is served, what
// is refused, and the limits on size and time.
#include "platform/linux/engine/remote_metafile.hpp"

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QTimer>
#include <QtNetwork/QTcpServer>
#include <QtNetwork/QTcpSocket>
#include <chrono>

#include "engine_fixture.hpp"

namespace nwmp::testing {
namespace {

using namespace std::chrono_literals;

enum class Answer { Document, NotFound, Redirect, Endless, Silent };

// Answers every request the same way; a redirect leads to /moved/, which serves the document.
class TestServer {
  public:
    TestServer(Answer answer, QByteArray document) : answer_(answer), document_(document) {
        EXPECT_TRUE(server_.listen(QHostAddress::LocalHost, 0));
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                // A later connection may get the same address: nothing of this one may stay.
                QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, socket] {
                    requests_.remove(socket);
                    answered_.remove(socket);
                    socket->deleteLater();
                });
                QObject::connect(socket, &QTcpSocket::readyRead, socket,
                                 [this, socket] { take(socket); });
            }
        });
    }

    int requestsTaken() const { return requestsTaken_; }

    std::string url(const char* path) const {
        return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + path;
    }

  private:
    void take(QTcpSocket* socket) {
        QByteArray& request = requests_[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n") || answered_.contains(socket)) {
            return;
        }
        answered_.insert(socket);
        ++requestsTaken_;
        const QByteArray path = request.split(' ').value(1);
        if (answer_ == Answer::Silent) {
            return;
        }
        if (answer_ == Answer::Endless) {
            socket->write("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n");
            auto* pump = new QTimer(socket);
            QObject::connect(pump, &QTimer::timeout, socket,
                             [socket] { socket->write(QByteArray(64 * 1024, 'x')); });
            pump->start(5);
            return;
        }
        if (answer_ == Answer::NotFound) {
            reply(socket, "404 Not Found", {}, "<asx><entry><ref href=x.avi></entry></asx>");
        } else if (answer_ == Answer::Redirect && !path.startsWith("/moved/")) {
            reply(socket, "302 Found", "Location: /moved/list.asx\r\n", {});
        } else {
            reply(socket, "200 OK", {}, document_);
        }
    }

    static void reply(QTcpSocket* socket, const char* status, const QByteArray& headers,
                      const QByteArray& body) {
        socket->write("HTTP/1.1 " + QByteArray(status) +
                      "\r\nContent-Length: " + QByteArray::number(body.size()) +
                      "\r\nConnection: close\r\n" + headers + "\r\n" + body);
        socket->disconnectFromHost();
    }

    Answer answer_;
    QByteArray document_;
    QTcpServer server_;
    QHash<QTcpSocket*, QByteArray> requests_;
    QSet<QTcpSocket*> answered_;
    int requestsTaken_ = 0;
};

struct FetchCase {
    const char* name;
    Answer answer;
    bool fetched;
    const char* folder = "";
};

class RemoteMetafileTest : public ::testing::TestWithParam<FetchCase> {};

TEST_P(RemoteMetafileTest, FetchesWithinItsLimits) {
    const FetchCase& c = GetParam();
    TestServer server(c.answer, "<asx></asx>");
    QObject context;
    bool done = false;
    std::optional<engine::FetchedMetafile> result;
    const auto started = std::chrono::steady_clock::now();
    engine::fetchMetafile(server.url("/radio/list.asx?id=1"), &context,
                          [&](std::optional<engine::FetchedMetafile> fetched) {
                              EXPECT_FALSE(done) << "answered twice";
                              done = true;
                              result = std::move(fetched);
                          },
                          {.maxBytes = 256 * 1024, .time = 1500ms});
    ASSERT_TRUE(waitFor([&] { return done; }, 10s));
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    ASSERT_EQ(result.has_value(), c.fetched);
    if (c.fetched) {
        EXPECT_EQ(result->document, "<asx></asx>");
        EXPECT_EQ(result->folderUrl, server.url(c.folder));
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, RemoteMetafileTest,
                         ::testing::Values(FetchCase{"Served", Answer::Document, true, "/radio/"},
                                           FetchCase{"Redirected", Answer::Redirect, true,
                                                     "/moved/"},
                                           FetchCase{"NotFound", Answer::NotFound, false},
                                           FetchCase{"EndlessAnswer", Answer::Endless, false},
                                           FetchCase{"NoAnswer", Answer::Silent, false}),
                         [](const auto& param) { return std::string(param.param.name); });

// A fetch whose owner goes while the server keeps it waiting ends with it, at once and unheard.
TEST(RemoteMetafile, AFetchEndsWithItsOwner) {
    TestServer server(Answer::Silent, {});
    auto context = std::make_unique<QObject>();
    bool done = false;
    engine::fetchMetafile(server.url("/radio/list.asx"), context.get(),
                          [&](std::optional<engine::FetchedMetafile>) { done = true; },
                          {.maxBytes = 1024, .time = 60s});
    ASSERT_TRUE(waitFor([&] { return server.requestsTaken() == 1; }, 10s));
    const auto started = std::chrono::steady_clock::now();
    context.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    QCoreApplication::processEvents();
    EXPECT_FALSE(done);
}

TEST(RemoteMetafile, OnlyMetafilesOnTheWebAreFetched) {
    EXPECT_TRUE(engine::isWebMetafileUrl("http://host/a.asx"));
    EXPECT_TRUE(engine::isWebMetafileUrl("HTTPS://host:8443/a.WVX?station=1"));
    EXPECT_FALSE(engine::isWebMetafileUrl("http://host/a.asf?list.asx"));
    EXPECT_FALSE(engine::isWebMetafileUrl("mms://host/a.asx"));
    EXPECT_FALSE(engine::isWebMetafileUrl("/srv/http://a.asx"));
    EXPECT_FALSE(engine::isWebMetafileUrl("http:///a.asx"));
}

TEST_F(EngineTest, PlaysAShiftJisPlayListFromTheWeb) {
    // "テスト" in code page 932, as a Japanese Windows writes it, without any declaration.
    const QByteArray document =
        "<ASX version=\"3.0\"><ENTRY><TITLE>\x83\x65\x83\x58\x83\x67"
        "</TITLE><REF HREF=\"file://" +
        QByteArray::fromStdString(mediaPath("tone.wav")) + "\"/></ENTRY></ASX>";
    TestServer server(Answer::Document, document);
    const std::string url = server.url("/list.asx");
    engine_->SetFileName(url);
    ASSERT_TRUE(waitForState(kPlaying));
    EXPECT_EQ(engine_->FileName(), url);
    EXPECT_EQ(engine_->GetMediaInfoString(kMediaInfoTitle), "テスト");
}

}  // namespace
}  // namespace nwmp::testing
