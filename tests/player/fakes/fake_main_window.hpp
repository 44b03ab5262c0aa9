#pragma once

// The main window as a record of what the core set, with the platform's nested resize
// simulated: while shown, a size change calls the resize hook again, as the platform would.

#include <functional>
#include <string>
#include <vector>

#include "player/main_window.hpp"

namespace nwmp::testing {

class FakeMainWindow : public MainWindow {
  public:
    struct Stacking {
        bool topmost;
        PixelRect outer;
        bool operator==(const Stacking&) const = default;
    };

    double left = 0, top = 0, width = 0, height = 0;
    std::string caption;
    bool visible = false;
    std::int32_t windowState = kWindowNormal;
    std::vector<Stacking> stackings;
    double label1Width = 345, label1Height = 345;
    bool timer1Enabled = false;
    std::string applicationTitle;
    WindowId handle = 0x4711;
    // Called after every size change while the window is shown (the platform's resize event).
    std::function<void()> onResize;
    int nestedResizes = 0;
    // One screen of 1920 x 1080 pixels at 15 twips per pixel, as the fake platform's.
    std::vector<TwipsArea> screens{{0, 0, 28800, 16200}};
    bool placeKnown = true;

    double Left() const override { return left; }
    void SetLeft(double twips) override { left = twips; }
    double Top() const override { return top; }
    void SetTop(double twips) override { top = twips; }
    double Width() const override { return width; }
    void SetWidth(double twips) override { resize(width, twips); }
    double Height() const override { return height; }
    void SetHeight(double twips) override { resize(height, twips); }
    std::string Caption() const override { return caption; }
    void SetCaption(std::string_view text) override { caption = text; }
    bool Visible() const override { return visible; }
    std::int32_t WindowState() const override { return windowState; }
    void SetWindowState(std::int32_t state) override { windowState = state; }
    void ApplyStacking(bool topmost, const PixelRect& outer) override {
        stackings.push_back({topmost, outer});
    }
    void SetLabel1Size(double w, double h) override {
        label1Width = w;
        label1Height = h;
    }
    void SetTimer1Enabled(bool enabled) override { timer1Enabled = enabled; }
    void SetApplicationTitle(std::string_view title) override { applicationTitle = title; }
    WindowId Handle() const override { return handle; }
    std::vector<TwipsArea> ScreenAreas() const override { return screens; }
    bool PlaceKnown() const override { return placeKnown; }

  private:
    void resize(double& edge, double twips) {
        const bool changed = edge != twips;
        edge = twips;
        // A runaway nesting would mean the sizes never settle.
        if (changed && visible && onResize && nestedResizes < 50) {
            ++nestedResizes;
            onResize();
        }
    }
};

}  // namespace nwmp::testing
