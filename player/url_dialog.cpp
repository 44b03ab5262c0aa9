#include "player/url_dialog.hpp"

#include "player/handler_guard.hpp"

namespace nwmp {

namespace {
constexpr std::int16_t kEnterKey = 13;
}

void URL::place() {
    window_.SetTop(mainWindow_.Top() + mainWindow_.Height());
    window_.SetLeft(mainWindow_.Left());
    window_.SetWidth(mainWindow_.Width());
    const double inner = window_.Width() - kUrlButtonRoom;
    window_.SetText1Width(inner);
    window_.SetCommand1Left(inner);
}

void URL::Form_Load() noexcept {
    loaded_ = true;
    runQuietly([this] {
        place();
        const std::string media = engine_.FileName();
        if (!media.empty()) {
            window_.SetText1Text(media);
        }
    });
}

void URL::Text1_GotFocus() noexcept {
    Form_Load();
    runQuietly([this] {
        if (window_.Text1Text() == kUrlPrompt) {
            window_.SetText1Text("");
        }
    });
}

void URL::playText() {
    engine_.SetFileName(window_.Text1Text());
    window_.Hide();
}

void URL::Text1_KeyDown(std::int16_t& keyCode, std::int16_t /*shift*/) noexcept {
    if (keyCode == kEnterKey) {
        runQuietly([this] { playText(); });
        keyCode = 0;  // handled: the text box gets no Enter of its own
    }
}

void URL::Command1_Click() noexcept {
    runQuietly([this] { playText(); });
}

void URL::Toggle() {
    if (!loaded_) {
        Form_Load();
    }
    if (window_.Visible()) {
        window_.Hide();
        return;
    }
    window_.Show();
    place();
}

void URL::Hide() {
    if (!loaded_) {
        Form_Load();
    }
    window_.Hide();
}

void URL::Unload() {
    loaded_ = false;
    window_.Unload();
}

}  // namespace nwmp
