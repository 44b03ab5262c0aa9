#include "platform/linux/player/qt_main_window.hpp"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QShowEvent>
#include <QUrl>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <utility>

#include "platform/linux/player/player_icon.hpp"
#include "platform/linux/shared/exact_window_titles.hpp"
#include "platform/linux/shared/file_name_bytes.hpp"
#include "platform/linux/shared/qt_units.hpp"
#include "player/nwmp.hpp"

namespace nwmp::linux_platform {

namespace {

constexpr int kTimer1IntervalMs = 1000;
// How often and how long a shown window looks for the frame its window manager puts around it.
constexpr int kFrameWatchIntervalMs = 10;
constexpr int kFrameWatchTicks = 300;

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Qt::WindowFlags flagsFor(FrameKind frame) {
    switch (frame) {
        case FrameKind::Sizable:
            return Qt::Window;
        case FrameKind::SizableToolWindow:
            // A small title bar and no taskbar entry, without minimise and maximise boxes.
            return Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint;
        case FrameKind::None:
            return Qt::Tool | Qt::FramelessWindowHint;
    }
    return Qt::Window;
}

}  // namespace

std::vector<std::string> droppedFiles(const QMimeData* data) {
    std::vector<std::string> files;
    if (data == nullptr || !data->hasUrls()) {
        return files;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            files.push_back(localFileBytes(url));
        }
    }
    return files;
}

// Label1: an empty, transparent surface over the picture that takes clicks and drops and leaves
// the engine's control bar below it uncovered.
class PictureSurface final : public QWidget {
  public:
    PictureSurface(QWidget* parent, std::function<NWMP*()> core, bool acceptsDrops)
        : QWidget(parent), core_(std::move(core)) {
        setAttribute(Qt::WA_NoSystemBackground);
        setAttribute(Qt::WA_TranslucentBackground);
        setFocusPolicy(Qt::NoFocus);
        setAcceptDrops(acceptsDrops);
    }

  protected:
    void paintEvent(QPaintEvent*) override {}

    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
            if (NWMP* core = core_()) {
                core->Label1_Click();
            }
        }
    }

    void dragEnterEvent(QDragEnterEvent* event) override {
        if (!droppedFiles(event->mimeData()).empty()) {
            event->acceptProposedAction();
        }
    }

    void dropEvent(QDropEvent* event) override {
        const std::vector<std::string> files = droppedFiles(event->mimeData());
        if (!files.empty()) {
            event->acceptProposedAction();
            if (NWMP* core = core_()) {
                core->Label1_OLEDragDrop(files);
            }
        }
    }

  private:
    std::function<NWMP*()> core_;
};

QtMainWindow::QtMainWindow(const EditionProfile& profile, QWidget* engineControl)
    : QWidget(nullptr, flagsFor(profile.window.frame)),
      profile_(profile),
      engineControl_(engineControl),
      caption_(profile.window.caption),
      applicationTitle_(profile.applicationTitle) {
    // The KOVEX caption is empty, and so is the engine's entire-screen window's title.
    keepExactWindowTitles();
    setWindowTitle(fromUtf8(caption_));
    setWindowIcon(playerIcon());
    setAcceptDrops(profile.window.acceptsDrops);
    if (profile.window.customPointer) {
        setCursor(Qt::CrossCursor);
    }
    const TwipsRect& client = profile.window.client;
    setGeometry(pixelsX(client.left), pixelsY(client.top), pixelsX(client.width),
                pixelsY(client.height));

    engineControl_->setParent(this);
    engineControl_->move(0, 0);
    if (profile.window.hasLabel1) {
        label1_ = new PictureSurface(
            this, [this] { return core_; }, profile.window.acceptsDrops);
        constexpr double kLabel1DesignTwips = 345;
        label1_->setGeometry(0, 0, pixelsX(kLabel1DesignTwips), pixelsY(kLabel1DesignTwips));
        label1_->raise();
    }
    timer1_.setInterval(kTimer1IntervalMs);
    connect(&timer1_, &QTimer::timeout, this, [this] {
        if (core_ != nullptr) {
            core_->Timer1_Timer();
        }
    });
    frameWatch_.setInterval(kFrameWatchIntervalMs);
    connect(&frameWatch_, &QTimer::timeout, this, [this] {
        settleFrame();
        if (++frameWatchTicks_ >= kFrameWatchTicks) {
            frameWatch_.stop();
        }
    });
}

QtMainWindow::~QtMainWindow() {
    // The engine control lives as long as its creator says, not as long as this window.
    engineControl_->setParent(nullptr);
}

QWidget* QtMainWindow::label1() const {
    return label1_;
}

QMargins QtMainWindow::frameNow() const {
    // QWidget keeps a copy of the frame that only its next move or resize event refreshes: when
    // the window manager sets the frame after the last such event, the copy says "no frame" and
    // a move through it would put the inside of the window where its frame was asked for.
    const QWindow* handle = windowHandle();
    if (handle == nullptr || handle->handle() == nullptr) {
        return {};
    }
    // While the window manager is still fitting its frame to a very small window, Qt can
    // measure a frame smaller than the window; that is no frame yet.
    const QMargins margins = handle->frameMargins();
    if (margins.left() < 0 || margins.top() < 0 || margins.right() < 0 || margins.bottom() < 0) {
        return {};
    }
    return margins;
}

QRect QtMainWindow::outer() const {
    return geometry().marginsAdded(frameNow());
}

void QtMainWindow::setOuter(const QRect& wanted) {
    const QMargins frame = frameNow();
    if (frame.isNull()) {
        // Not framed yet: a window not yet shown is placed by its frame's corner when it is.
        move(wanted.topLeft());
        resize(std::max(1, wanted.width()), std::max(1, wanted.height()));
        return;
    }
    const QRect inside = wanted.marginsRemoved(frame);
    setGeometry(inside.x(), inside.y(), std::max(1, inside.width()), std::max(1, inside.height()));
}

void QtMainWindow::watchForFrame() {
    frameKnown_ = false;
    frameWatchTicks_ = 0;
    frameWatch_.start();
}

void QtMainWindow::settleFrame() {
    if (frameKnown_ || !isVisible() || windowHandle() == nullptr) {
        return;
    }
    if (frameNow().isNull()) {
        return;
    }
    frameKnown_ = true;
    frameWatch_.stop();
    const WantedOuter wanted = std::exchange(wanted_, {});
    if (wanted.left || wanted.top || wanted.width || wanted.height) {
        const QRect now = outer();
        setOuter(QRect(wanted.left.value_or(now.x()), wanted.top.value_or(now.y()),
                       wanted.width.value_or(now.width()), wanted.height.value_or(now.height())));
    }
}

double QtMainWindow::Left() const {
    return outer().x() * twipsPerPixelX();
}

void QtMainWindow::SetLeft(double twips) {
    const int x = pixelsX(twips);
    if (!frameKnown_) {
        wanted_.left = x;
    }
    QRect wanted = outer();
    wanted.moveLeft(x);
    setOuter(wanted);
}

double QtMainWindow::Top() const {
    return outer().y() * twipsPerPixelY();
}

void QtMainWindow::SetTop(double twips) {
    const int y = pixelsY(twips);
    if (!frameKnown_) {
        wanted_.top = y;
    }
    QRect wanted = outer();
    wanted.moveTop(y);
    setOuter(wanted);
}

double QtMainWindow::Width() const {
    return outer().width() * twipsPerPixelX();
}

void QtMainWindow::SetWidth(double twips) {
    const int width = pixelsX(twips);
    if (!frameKnown_) {
        wanted_.width = width;
    }
    QRect wanted = outer();
    wanted.setWidth(width);
    setOuter(wanted);
}

double QtMainWindow::Height() const {
    return outer().height() * twipsPerPixelY();
}

void QtMainWindow::SetHeight(double twips) {
    const int height = pixelsY(twips);
    if (!frameKnown_) {
        wanted_.height = height;
    }
    QRect wanted = outer();
    wanted.setHeight(height);
    setOuter(wanted);
}

void QtMainWindow::SetCaption(std::string_view caption) {
    caption_ = std::string(caption);
    setWindowTitle(shownName(caption));
}

std::int32_t QtMainWindow::WindowState() const {
    const Qt::WindowStates states = windowState();
    if (states & Qt::WindowMinimized) {
        return kWindowMinimised;
    }
    if (states & Qt::WindowMaximized) {
        return kWindowMaximised;
    }
    return kWindowNormal;
}

void QtMainWindow::SetWindowState(std::int32_t state) {
    switch (state) {
        case kWindowMinimised:
            setWindowState(Qt::WindowMinimized);
            break;
        case kWindowMaximised:
            setWindowState(Qt::WindowMaximized);
            break;
        default:
            setWindowState(Qt::WindowNoState);
            break;
    }
}

void QtMainWindow::ApplyStacking(bool topmost, const PixelRect& outerPixels) {
    if (topmost != windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        const bool wasVisible = isVisible();
        setWindowFlag(Qt::WindowStaysOnTopHint, topmost);  // hides a shown window
        if (wasVisible) {
            // Shown anew, the window is framed anew.
            show();
            watchForFrame();
        }
    }
    if (!frameKnown_) {
        wanted_ = {outerPixels.x, outerPixels.y, outerPixels.width, outerPixels.height};
    }
    setOuter(QRect(outerPixels.x, outerPixels.y, outerPixels.width, outerPixels.height));
    if (isVisible()) {
        raise();
        activateWindow();
    }
}

void QtMainWindow::SetLabel1Size(double widthTwips, double heightTwips) {
    if (label1_ != nullptr) {
        label1_->resize(pixelsX(widthTwips), pixelsY(heightTwips));
        label1_->raise();
    }
}

void QtMainWindow::SetTimer1Enabled(bool enabled) {
    if (!enabled) {
        timer1_.stop();
    } else if (!timer1_.isActive()) {
        timer1_.start();
    }
}

void QtMainWindow::SetApplicationTitle(std::string_view title) {
    applicationTitle_ = std::string(title);
}

WindowId QtMainWindow::Handle() const {
    return reinterpret_cast<WindowId>(static_cast<const QWidget*>(this));
}

std::vector<TwipsArea> QtMainWindow::ScreenAreas() const {
    std::vector<TwipsArea> areas;
    const double perPixelX = twipsPerPixelX();
    const double perPixelY = twipsPerPixelY();
    for (const QRect& area : screenAreasPixels()) {
        areas.push_back({area.x() * perPixelX, area.y() * perPixelY, area.width() * perPixelX,
                         area.height() * perPixelY});
    }
    return areas;
}

bool QtMainWindow::PlaceKnown() const {
    return windowPlacesKnown();
}

void QtMainWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    settleFrame();
}

void QtMainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    settleFrame();
    if (core_ != nullptr && isVisible()) {
        core_->Form_Resize();
    }
}

void QtMainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!frameKnown_ && !frameWatch_.isActive()) {
        watchForFrame();
    }
    if (shownOnce_ || core_ == nullptr) {
        return;
    }
    // The first showing counts as the first activation whether or not a window manager
    // activates the window, and sizes the window's content for the first time.
    shownOnce_ = true;
    core_->Form_Resize();
    core_->Form_Activate();
}

void QtMainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow()) {
        return;
    }
    if (onActivated_) {
        onActivated_();
    }
    // Only a return from the URL dialog counts; a switch from another program does not.
    if (urlDialogWasActive_ && core_ != nullptr) {
        urlDialogWasActive_ = false;
        core_->Form_Activate();
    }
}

void QtMainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (closing_) {
        return;
    }
    closing_ = true;
    if (core_ != nullptr) {
        core_->Form_Unload();
    }
    if (onClosed_) {
        onClosed_();
    }
}

void QtMainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFiles(event->mimeData()).empty()) {
        event->acceptProposedAction();
    }
}

void QtMainWindow::dropEvent(QDropEvent* event) {
    const std::vector<std::string> files = droppedFiles(event->mimeData());
    if (!files.empty()) {
        event->acceptProposedAction();
        if (core_ != nullptr) {
            core_->Form_OLEDragDrop(files);
        }
    }
}

}  // namespace nwmp::linux_platform
