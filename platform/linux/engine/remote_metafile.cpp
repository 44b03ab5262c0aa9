#include "platform/linux/engine/remote_metafile.hpp"

extern "C" {
#include <libavformat/avformat.h>
#include <libavformat/avio.h>
#include <libavutil/dict.h>
#include <libavutil/error.h>
#include <libavutil/mem.h>
#include <libavutil/opt.h>
}

#include <QtCore/QUrl>
#include <atomic>
#include <thread>

namespace nwmp::engine {

namespace {

using Clock = std::chrono::steady_clock;

// What a fetch may still do: until its deadline, and not once its owner is gone.
struct Allowance {
    Clock::time_point deadline;
    const std::atomic<bool>* cancelled;
};

int stopAsked(void* opaque) {
    const auto* allowance = static_cast<const Allowance*>(opaque);
    return *allowance->cancelled || Clock::now() >= allowance->deadline ? 1 : 0;
}

std::string schemeOf(const std::string& url) {
    return QUrl(QString::fromStdString(url)).scheme().toLower().toStdString();
}

// The document at url over FFmpeg's own HTTP, which libmpv has loaded already: reads as it
// comes, so that an endless answer is cut off at the limit, not held in memory. Redirections
// are followed, but not from https to plain http.
std::optional<FetchedMetafile> fetchNow(const std::string& url, const FetchLimits& limits,
                                        const std::atomic<bool>& cancelled) {
    avformat_network_init();  // counted; libmpv has done it too
    Allowance allowance{Clock::now() + limits.time, &cancelled};
    const AVIOInterruptCB interrupt{&stopAsked, &allowance};
    AVDictionary* options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "http,https,tcp,tls", 0);
    AVIOContext* io = nullptr;
    const int opened = avio_open2(&io, url.c_str(), AVIO_FLAG_READ, &interrupt, &options);
    av_dict_free(&options);
    if (opened < 0) {
        avformat_network_deinit();
        return std::nullopt;  // refused, not found, or out of time
    }
    std::string location = url;
    if (std::uint8_t* reached = nullptr;
        av_opt_get(io, "location", AV_OPT_SEARCH_CHILDREN, &reached) >= 0 && reached != nullptr) {
        location = reinterpret_cast<const char*>(reached);
        av_free(reached);
    }
    std::string body;
    bool whole = schemeOf(url) != "https" || schemeOf(location) == "https";
    std::uint8_t buffer[16 * 1024];
    while (whole) {
        const int got = avio_read(io, buffer, sizeof buffer);
        if (got == AVERROR_EOF) {
            break;
        }
        if (got < 0 || body.size() + static_cast<std::size_t>(got) > limits.maxBytes) {
            whole = false;  // failed, out of time, or too large
            break;
        }
        body.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(got));
    }
    avio_closep(&io);
    avformat_network_deinit();
    if (!whole) {
        return std::nullopt;
    }
    const QUrl folder = QUrl(QString::fromStdString(location)).resolved(QUrl(QStringLiteral(".")));
    return FetchedMetafile{std::move(body), folder.toString().toStdString()};
}

// One fetch on a thread of its own, owned by the context: going with it stops the fetch and
// waits for the thread, and the answer is only ever handed over while it lives.
class Fetch : public QObject {
  public:
    Fetch(const std::string& url, FetchLimits limits, QObject* context,
          std::function<void(std::optional<FetchedMetafile>)> done)
        : QObject(context), done_(std::move(done)) {
        worker_ = std::thread([this, url, limits] {
            auto fetched = fetchNow(url, limits, cancelled_);
            QMetaObject::invokeMethod(
                this,
                [this, fetched = std::move(fetched)]() mutable {
                    auto answer = std::move(done_);
                    deleteLater();
                    answer(std::move(fetched));
                },
                Qt::QueuedConnection);
        });
    }

    ~Fetch() override {
        cancelled_ = true;
        worker_.join();
    }

  private:
    std::function<void(std::optional<FetchedMetafile>)> done_;
    std::atomic<bool> cancelled_ = false;
    std::thread worker_;
};

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
    new Fetch(url, limits, context, std::move(done));
}

}  // namespace nwmp::engine
