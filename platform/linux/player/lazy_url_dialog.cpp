#include "platform/linux/player/lazy_url_dialog.hpp"

#include <algorithm>
#include <utility>

#include "platform/linux/shared/qt_units.hpp"
#include "player/url_dialog.hpp"

namespace nwmp::linux_platform {

void LazyUrlDialog::setCore(URL* core) {
    core_ = core;
    if (made_ != nullptr) {
        made_->setCore(core);
    }
}

void LazyUrlDialog::setOnActivated(std::function<void()> onActivated) {
    onActivated_ = std::move(onActivated);
    if (made_ != nullptr) {
        made_->setOnActivated(onActivated_);
    }
}

QtUrlDialog& LazyUrlDialog::dialog() {
    if (made_ == nullptr) {
        made_ = std::make_unique<QtUrlDialog>();
        made_->setCore(core_);
        made_->setOnActivated(onActivated_);
        // In the order the core places it: a window not yet shown has no frame, so each value
        // means what it meant when it was asked for.
        if (top_) {
            made_->SetTop(*top_);
        }
        if (left_) {
            made_->SetLeft(*left_);
        }
        if (width_) {
            made_->SetWidth(*width_);
        }
        if (text1Width_) {
            made_->SetText1Width(*text1Width_);
        }
        if (command1Left_) {
            made_->SetCommand1Left(*command1Left_);
        }
        if (text1_) {
            made_->SetText1Text(*text1_);
        }
    }
    return *made_;
}

void LazyUrlDialog::Hide() {
    if (made_ != nullptr) {
        made_->Hide();
    }
}

void LazyUrlDialog::SetLeft(double twips) {
    pass(left_, twips, &QtUrlDialog::SetLeft);
}

void LazyUrlDialog::SetTop(double twips) {
    pass(top_, twips, &QtUrlDialog::SetTop);
}

double LazyUrlDialog::Width() const {
    if (made_ != nullptr) {
        return made_->Width();
    }
    // As the dialog answers before it is first shown: its client width, in whole pixels.
    const int pixels = width_ ? std::max(1, pixelsX(*width_)) : pixelsX(kUrlDialogClientWidth);
    return pixels * twipsPerPixelX();
}

void LazyUrlDialog::SetWidth(double twips) {
    pass(width_, twips, &QtUrlDialog::SetWidth);
}

std::string LazyUrlDialog::Text1Text() const {
    if (made_ != nullptr) {
        return made_->Text1Text();
    }
    return text1_ ? *text1_ : std::string(kUrlPrompt);
}

void LazyUrlDialog::SetText1Text(std::string_view text) {
    pass(text1_, std::string(text), &QtUrlDialog::SetText1Text);
}

void LazyUrlDialog::SetText1Width(double twips) {
    pass(text1Width_, twips, &QtUrlDialog::SetText1Width);
}

void LazyUrlDialog::SetCommand1Left(double twips) {
    pass(command1Left_, twips, &QtUrlDialog::SetCommand1Left);
}

void LazyUrlDialog::Unload() {
    core_ = nullptr;
    if (made_ != nullptr) {
        made_->Unload();
    }
}

}  // namespace nwmp::linux_platform
