#pragma once

// One running copy of the settings tool per user.
//
// The first copy holds an exclusive lock on a file named for the tool in the user's runtime
// folder; a later copy finds the lock taken. The kernel drops the lock with the process, so a
// copy that crashed never blocks the next start, and a recycled process number cannot fool the
// check. The file's name is the tool's alone: a player never takes it.

#include <QString>

#include "settings_tool/tool_process.hpp"

namespace nwmp::linux_platform {

class SingleCopyLock final : public ToolProcess {
  public:
    // lockFolder: where the lock file lives; empty means the user's runtime folder
    // ($XDG_RUNTIME_DIR, else a private folder under the temporary folder).
    explicit SingleCopyLock(QString lockFolder = {});
    ~SingleCopyLock() override;

    SingleCopyLock(const SingleCopyLock&) = delete;
    SingleCopyLock& operator=(const SingleCopyLock&) = delete;

    // Takes the lock on the first call and keeps it; true when another copy holds it. A lock
    // that cannot be taken for any other reason (no runtime folder, no permission) does not
    // keep the user from the tool.
    bool anotherCopyRunning() override;

    // Ends the process at once: no destructors, no further handlers, nothing written.
    [[noreturn]] void endNow() override;

    QString lockFilePath() const;

  private:
    QString folder_;
    int fd_ = -1;
    bool heldElsewhere_ = false;
    bool checked_ = false;
};

}  // namespace nwmp::linux_platform
