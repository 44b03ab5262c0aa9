#include "platform/linux/settings_tool/single_copy_lock.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstdlib>
#include <utility>

namespace nwmp::linux_platform {

namespace {

constexpr char kLockFileName[] = "NorvalentWMP3set.lock";

QString runtimeFolder() {
    // Qt checks $XDG_RUNTIME_DIR's owner and permissions and otherwise makes a private folder
    // (mode 0700) under the temporary folder.
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

}  // namespace

SingleCopyLock::SingleCopyLock(QString lockFolder)
    : folder_(lockFolder.isEmpty() ? runtimeFolder() : std::move(lockFolder)) {}

SingleCopyLock::~SingleCopyLock() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

QString SingleCopyLock::lockFilePath() const {
    return folder_.isEmpty() ? QString() : QDir(folder_).filePath(QLatin1String(kLockFileName));
}

bool SingleCopyLock::anotherCopyRunning() {
    if (checked_) {
        return heldElsewhere_;
    }
    checked_ = true;
    const QString path = lockFilePath();
    if (path.isEmpty()) {
        return false;
    }
    const QByteArray native = QFile::encodeName(path);
    // O_NOFOLLOW: a link planted in place of the file is refused, not followed.
    const int fd = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        return false;
    }
    int result;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
        fd_ = fd;  // held until the process ends
        return false;
    }
    heldElsewhere_ = (errno == EWOULDBLOCK);
    ::close(fd);
    return heldElsewhere_;
}

void SingleCopyLock::endNow() {
    std::_Exit(EXIT_SUCCESS);
}

}  // namespace nwmp::linux_platform
