#include "platform/linux/engine/remote_metafile.hpp"

#include <QtCore/QTimer>
#include <QtCore/QUrl>
#include <QtNetwork/QNetworkAccessManager>
#include <QtNetwork/QNetworkReply>
#include <QtNetwork/QNetworkRequest>
#include <memory>

namespace nwmp::engine {

namespace {

constexpr int kMaxRedirects = 5;

}  // namespace

bool isWebUrl(const std::string& name) {
    const QUrl url(QString::fromStdString(name), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() &&
           (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

bool isWebMetafileUrl(const std::string& name) {
    return isWebUrl(name) && isAsxFileName(QUrl(QString::fromStdString(name)).path().toStdString());
}

void fetchMetafile(const std::string& url, QObject* context,
                   std::function<void(std::optional<FetchedMetafile>)> done, FetchLimits limits) {
    // The manager belongs to the fetch alone and goes with it, or with the context.
    auto* manager = new QNetworkAccessManager(context);
    QNetworkRequest request(QUrl(QString::fromStdString(url)));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    QNetworkReply* reply = manager->get(request);

    auto* deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    QObject::connect(deadline, &QTimer::timeout, reply, &QNetworkReply::abort);
    deadline->start(limits.time);

    auto body = std::make_shared<QByteArray>();
    const auto maxBytes = static_cast<qint64>(limits.maxBytes);
    auto tooLarge = std::make_shared<bool>(false);
    // Read as it comes, so that an endless answer is cut off at the limit, not held in memory.
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, body, maxBytes, tooLarge] {
        body->append(reply->read(maxBytes + 1 - body->size()));
        if (body->size() > maxBytes) {
            *tooLarge = true;
            reply->abort();
        }
    });
    QObject::connect(
        reply, &QNetworkReply::finished, context,
        [reply, manager, body, maxBytes, tooLarge, done = std::move(done)] {
            if (!*tooLarge && reply->isOpen()) {
                body->append(reply->read(maxBytes + 1 - body->size()));
            }
            const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            const bool ok = reply->error() == QNetworkReply::NoError && !*tooLarge &&
                            body->size() <= maxBytes && status >= 200 && status < 300;
            std::optional<FetchedMetafile> result;
            if (ok) {
                result = FetchedMetafile{
                    body->toStdString(),
                    reply->url().resolved(QUrl(QStringLiteral("."))).toString().toStdString()};
            }
            reply->disconnect();
            manager->deleteLater();  // takes the reply with it
            done(std::move(result));
        });
}

}  // namespace nwmp::engine
