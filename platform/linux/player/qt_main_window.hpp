#pragma once

// The player's main window on Qt: the edition's frame and design rectangle, the engine control
// at 0, 0, the transparent picture surface Label1 over it, and Timer1. It reports the window's
// events to the core's NWMP and carries out what NWMP asks of it.

#include <QMimeData>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "player/editions/edition_profile.hpp"
#include "player/main_window.hpp"

namespace nwmp {
class NWMP;
}

namespace nwmp::linux_platform {

class PictureSurface;

class QtMainWindow final : public QWidget, public MainWindow {
  public:
    // engineControl: the engine's widget, made a child of this window at 0, 0.
    QtMainWindow(const EditionProfile& profile, QWidget* engineControl);
    ~QtMainWindow() override;

    // The core's window logic; events before this is set are not reported.
    void setCore(NWMP* core) { core_ = core; }
    // Called for a close request once the shut-down has run (the program then ends).
    void setOnClosed(std::function<void()> onClosed) { onClosed_ = std::move(onClosed); }
    // Called when the window becomes active, for the directory's activation order.
    void setOnActivated(std::function<void()> onActivated) {
        onActivated_ = std::move(onActivated);
    }
    // Tells the window that the focus is leaving for the URL dialog, so that coming back counts
    // as an activation from within the program.
    void noteUrlDialogActive() { urlDialogWasActive_ = true; }

    const std::string& applicationTitle() const { return applicationTitle_; }
    QWidget* label1() const;

    // MainWindow
    double Left() const override;
    void SetLeft(double twips) override;
    double Top() const override;
    void SetTop(double twips) override;
    double Width() const override;
    void SetWidth(double twips) override;
    double Height() const override;
    void SetHeight(double twips) override;
    std::string Caption() const override { return caption_; }
    void SetCaption(std::string_view caption) override;
    bool Visible() const override { return isVisible(); }
    std::int32_t WindowState() const override;
    void SetWindowState(std::int32_t state) override;
    void ApplyStacking(bool topmost, const PixelRect& outerPixels) override;
    void SetLabel1Size(double widthTwips, double heightTwips) override;
    void SetTimer1Enabled(bool enabled) override;
    void SetApplicationTitle(std::string_view title) override;
    WindowId Handle() const override;
    std::vector<TwipsArea> ScreenAreas() const override;
    bool PlaceKnown() const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // The outer geometry the core asked for while the window manager's frame was not known yet,
    // in pixels. Until a window is shown and framed, its frame is taken as nothing, so a size
    // set then becomes the size inside the frame; once the frame is there, what was asked for is
    // applied again as outer geometry. Without a window manager the frame never comes, and
    // what was applied was right all along.
    struct WantedOuter {
        std::optional<int> left, top, width, height;
    };

    QMargins frameNow() const;
    QRect outer() const;
    void setOuter(const QRect& wanted);
    void watchForFrame();
    void settleFrame();

    WantedOuter wanted_;
    bool frameKnown_ = false;
    QTimer frameWatch_;
    int frameWatchTicks_ = 0;

    const EditionProfile& profile_;
    NWMP* core_ = nullptr;
    QWidget* engineControl_;
    PictureSurface* label1_ = nullptr;
    QTimer timer1_;
    std::string caption_;
    std::string applicationTitle_;
    std::function<void()> onClosed_;
    std::function<void()> onActivated_;
    bool shownOnce_ = false;
    bool urlDialogWasActive_ = false;
    bool closing_ = false;
};

// Paths of the local files in a drop, in drop order.
std::vector<std::string> droppedFiles(const QMimeData* data);

}  // namespace nwmp::linux_platform
