#include "platform/linux/shared/file_name_bytes.hpp"

#include <dirent.h>
#include <iconv.h>
#include <sys/stat.h>

#include <QByteArray>
#include <QFile>
#include <QStringDecoder>
#include <QUrl>
#include <cerrno>
#include <memory>
#include <optional>

namespace nwmp::linux_platform {

namespace {

std::string& arguments() {
    static std::string text;
    return text;
}

bool exists(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

// The entry of `folder` that Qt shows as `shown`, or nothing.
std::optional<std::string> entryShownAs(const std::string& folder, const QString& shown) {
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "/" : folder.c_str()),
                                                  ::closedir);
    if (!dir) {
        return std::nullopt;
    }
    while (const dirent* entry = ::readdir(dir.get())) {
        if (QFile::decodeName(entry->d_name) == shown) {
            return std::string(entry->d_name);
        }
    }
    return std::nullopt;
}

bool validUtf8(std::string_view bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(QByteArrayView(bytes.data(), std::ssize(bytes)));
    return !decoder.hasError();
}

// Strict code page 932: nothing when any byte sequence is not one of its characters.
std::optional<QString> fromCodePage932(std::string_view bytes) {
    const iconv_t converter = ::iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    std::string out(bytes.size() * 3 + 4, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* next = out.data();
    std::size_t room = out.size();
    const std::size_t result = ::iconv(converter, &in, &inLeft, &next, &room);
    ::iconv_close(converter);
    if (result == static_cast<std::size_t>(-1) || inLeft != 0) {
        return std::nullopt;
    }
    return QString::fromUtf8(out.data(), next - out.data());
}

}  // namespace

void rememberArguments(int argc, char** argv) {
    std::string text;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) {
            text += ' ';
        }
        text += argv[i];
    }
    arguments() = std::move(text);
}

std::string rememberedArguments() {
    return arguments();
}

std::string localFileBytes(const QUrl& url) {
    if (!url.isLocalFile()) {
        return {};
    }
    // QUrl keeps an escape that decodes to no UTF-8 as the escape; fully encoded, every byte is
    // either itself or one escape.
    const QByteArray encoded = url.path(QUrl::FullyEncoded).toLatin1();
    const QByteArray bytes = QByteArray::fromPercentEncoding(encoded);
    return bytes.toStdString();
}

std::string pathBytesOf(const QString& shownPath) {
    const std::string encoded = QFile::encodeName(shownPath).toStdString();
    if (encoded.empty() || encoded.front() != '/' || exists(encoded)) {
        return encoded;
    }
    std::string path;
    for (const QString& part : shownPath.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        std::string name = QFile::encodeName(part).toStdString();
        if (!exists(path + '/' + name)) {
            if (auto real = entryShownAs(path, part)) {
                name = std::move(*real);
            }
        }
        path += '/' + name;
    }
    return path;
}

QString shownName(std::string_view bytes) {
    if (validUtf8(bytes)) {
        return QString::fromUtf8(bytes.data(), std::ssize(bytes));
    }
    if (auto text = fromCodePage932(bytes)) {
        return *text;
    }
    return QString::fromUtf8(bytes.data(), std::ssize(bytes));
}

}  // namespace nwmp::linux_platform
