// Opening media from the window: drops, the click toggle on the picture and the open-file
// dialog. The engine opens and starts whatever file name it is given.

#include "player/handler_guard.hpp"
#include "player/nwmp.hpp"
#include "player/open_media_filters.hpp"

namespace nwmp {

void NWMP::dropFiles(const std::vector<std::string>& files) {
    if (!profile_.features.dropAndClick) {
        return;
    }
    // Each file in turn; the last one stays loaded.
    for (const std::string& file : files) {
        engine_.Stop();
        engine_.SetFileName(file);
    }
}

void NWMP::Label1_OLEDragDrop(const std::vector<std::string>& files) noexcept {
    runQuietly([&] { dropFiles(files); });
}

void NWMP::Form_OLEDragDrop(const std::vector<std::string>& files) noexcept {
    runQuietly([&] { dropFiles(files); });
}

void NWMP::Label1_Click() noexcept {
    if (!profile_.features.dropAndClick) {
        return;
    }
    runQuietly([this] {
        const std::int32_t state = engine_.PlayState();
        if (state == kStopped || state == kPaused) {
            engine_.Play();
        } else {
            engine_.Pause();
        }
    });
}

void NWMP::openFileDialog() {
    if (openFileDialog_ == nullptr) {
        return;
    }
    const std::string filterText =
        buildFilterText({kOpenMediaFilters.begin(), kOpenMediaFilters.end()});
    // A cancelled dialog gives empty text, which closes the current media.
    engine_.SetFileName(openFileDialog_->ShowOpenDialog(window_.Handle(), filterText));
}

}  // namespace nwmp
