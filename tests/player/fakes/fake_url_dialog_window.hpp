#pragma once

#include <string>

#include "player/url_dialog.hpp"
#include "player/url_dialog_window.hpp"

namespace nwmp::testing {

class FakeUrlDialogWindow : public UrlDialogWindow {
  public:
    bool visible = false;
    double left = 0, top = 0, width = kUrlDialogClientWidth;
    std::string text1{kUrlPrompt};
    double text1Width = 0, command1Left = 0;
    int unloads = 0;

    bool Visible() const override { return visible; }
    void Show() override { visible = true; }
    void Hide() override { visible = false; }
    void SetLeft(double twips) override { left = twips; }
    void SetTop(double twips) override { top = twips; }
    double Width() const override { return width; }
    void SetWidth(double twips) override { width = twips; }
    std::string Text1Text() const override { return text1; }
    void SetText1Text(std::string_view text) override { text1 = text; }
    void SetText1Width(double twips) override { text1Width = twips; }
    void SetCommand1Left(double twips) override { command1Left = twips; }
    void Unload() override {
        ++unloads;
        visible = false;
    }
};

}  // namespace nwmp::testing
