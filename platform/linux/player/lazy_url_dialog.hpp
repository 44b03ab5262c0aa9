#pragma once

// The URL dialog as the core sees it, made only when it is first shown. Until then its place,
// width and text are remembered and handed to it when it is made: its window, widgets and text
// box cost megabytes that a player whose user never asks for a URL does not need.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "platform/linux/player/qt_url_dialog.hpp"
#include "player/url_dialog_window.hpp"

namespace nwmp::linux_platform {

class LazyUrlDialog final : public UrlDialogWindow {
  public:
    void setCore(URL* core);
    void setOnActivated(std::function<void()> onActivated);

    // The dialog itself, made now if it was not yet.
    QtUrlDialog& dialog();

    // UrlDialogWindow
    bool Visible() const override { return made_ != nullptr && made_->Visible(); }
    void Show() override { dialog().Show(); }
    void Hide() override;
    void SetLeft(double twips) override;
    void SetTop(double twips) override;
    double Width() const override;
    void SetWidth(double twips) override;
    std::string Text1Text() const override;
    void SetText1Text(std::string_view text) override;
    void SetText1Width(double twips) override;
    void SetCommand1Left(double twips) override;
    void Unload() override;

  private:
    // Hands value to the dialog if it is made, else keeps it for when it is.
    template <class Value, class Member>
    void pass(std::optional<Value>& kept, Value value, Member member) {
        if (made_ != nullptr) {
            ((*made_).*member)(value);
        } else {
            kept = std::move(value);
        }
    }

    std::unique_ptr<QtUrlDialog> made_;
    URL* core_ = nullptr;
    std::function<void()> onActivated_;
    // What was asked of the dialog before it was made, in twips.
    std::optional<double> top_;
    std::optional<double> left_;
    std::optional<double> width_;
    std::optional<double> text1Width_;
    std::optional<double> command1Left_;
    std::optional<std::string> text1_;
};

}  // namespace nwmp::linux_platform
