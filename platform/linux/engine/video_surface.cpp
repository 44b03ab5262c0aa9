#include "platform/linux/engine/video_surface.hpp"

#include <mpv/render.h>
#include <mpv/render_gl.h>
#include <unistd.h>

#include <QtCore/QDir>
#include <QtGui/QImage>
#include <QtGui/QMouseEvent>
#include <QtGui/QOffscreenSurface>
#include <QtGui/QOpenGLContext>
#include <QtGui/QOpenGLFunctions>
#include <QtGui/QPainter>
#include <QtOpenGLWidgets/QOpenGLWidget>
#include <bit>

#include "player/media_engine.hpp"

namespace nwmp::engine {

namespace {

// libmpv calls this on its own threads: hand a repaint to the GUI thread. Qt drops the call if
// the widget is gone by then.
void scheduleRepaint(void* widget) {
    auto* target = static_cast<QWidget*>(widget);
    QMetaObject::invokeMethod(
        target, [target] { target->update(); }, Qt::QueuedConnection);
}

template <class Base>
class ClickableSurface : public Base {
  public:
    ClickableSurface(SurfaceHooks hooks, QWidget* parent) : Base(parent), hooks_(std::move(hooks)) {
        this->setFocusPolicy(Qt::NoFocus);
    }

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton &&
            this->rect().contains(event->position().toPoint()) && hooks_.clicked) {
            hooks_.clicked();
        }
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && hooks_.doubleClicked) {
            hooks_.doubleClicked();
        }
    }

  private:
    SurfaceHooks hooks_;
};

class GlVideoSurface : public ClickableSurface<QOpenGLWidget> {
  public:
    GlVideoSurface(mpv_handle* mpv, SurfaceHooks hooks, QWidget* parent)
        : ClickableSurface(std::move(hooks), parent), mpv_(mpv) {
        // Qt makes the OpenGL context only when the widget is first shown. Video opened before
        // that would find no render context and be given up by libmpv, so none is selected
        // until there is one.
        selectVideo(false);
    }

    ~GlVideoSurface() override {
        // QOpenGLWidget destroys the context after this destructor: no call back into us then.
        disconnect(contextGone_);
        makeCurrent();
        freeRenderContext();
        doneCurrent();
    }

  protected:
    void initializeGL() override {
        // Qt replaces the context when the widget moves to another top-level window; libmpv's
        // objects live in the old one and must go with it.
        disconnect(contextGone_);
        contextGone_ = connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] {
            selectVideo(false);
            makeCurrent();
            freeRenderContext();
            doneCurrent();
        });
        mpv_opengl_init_params gl{&GlVideoSurface::procAddress, nullptr};
        int advanced = 0;
        mpv_render_param params[] = {
            {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_OPENGL)},
            {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &gl},
            {MPV_RENDER_PARAM_ADVANCED_CONTROL, &advanced},
            {MPV_RENDER_PARAM_INVALID, nullptr},
        };
        if (mpv_render_context_create(&render_, mpv_, params) < 0) {
            render_ = nullptr;
            return;
        }
        mpv_render_context_set_update_callback(render_, &scheduleRepaint, this);
        selectVideo(true);
    }

    void paintGL() override {
        if (render_ == nullptr) {
            return;
        }
        const qreal ratio = devicePixelRatioF();
        mpv_opengl_fbo fbo{static_cast<int>(defaultFramebufferObject()),
                           static_cast<int>(width() * ratio), static_cast<int>(height() * ratio),
                           0};
        int flipY = 1;
        mpv_render_param params[] = {
            {MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
            {MPV_RENDER_PARAM_FLIP_Y, &flipY},
            {MPV_RENDER_PARAM_INVALID, nullptr},
        };
        mpv_render_context_render(render_, params);
    }

  private:
    void selectVideo(bool on) {
        const char* command[] = {"set", "vid", on ? "auto" : "no", nullptr};
        mpv_command_async(mpv_, 0, command);
    }

    static void* procAddress(void*, const char* name) {
        QOpenGLContext* current = QOpenGLContext::currentContext();
        return current == nullptr ? nullptr
                                  : reinterpret_cast<void*>(current->getProcAddress(name));
    }

    void freeRenderContext() {
        if (render_ != nullptr) {
            mpv_render_context_set_update_callback(render_, nullptr, nullptr);
            mpv_render_context_free(render_);
            render_ = nullptr;
        }
    }

    mpv_handle* mpv_;
    mpv_render_context* render_ = nullptr;
    QMetaObject::Connection contextGone_;
};

// QImage::Format_RGB32 in libmpv's words: one 32-bit word 0xffRRGGBB per pixel.
constexpr const char* kWindowPixelFormat =
    std::endian::native == std::endian::little ? "bgr0" : "0rgb";

class SoftwareVideoSurface : public ClickableSurface<QWidget> {
  public:
    SoftwareVideoSurface(mpv_handle* mpv, SurfaceHooks hooks, QWidget* parent)
        : ClickableSurface(std::move(hooks), parent) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        mpv_render_param params[] = {
            {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_SW)},
            {MPV_RENDER_PARAM_INVALID, nullptr},
        };
        if (mpv_render_context_create(&render_, mpv, params) < 0) {
            throw EngineError("libmpv's software renderer could not be started");
        }
        mpv_render_context_set_update_callback(render_, &scheduleRepaint, this);
    }

    ~SoftwareVideoSurface() override {
        mpv_render_context_set_update_callback(render_, nullptr, nullptr);
        mpv_render_context_free(render_);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        const qreal ratio = devicePixelRatioF();
        const QSize size(static_cast<int>(width() * ratio), static_cast<int>(height() * ratio));
        if (size.isEmpty()) {
            return;
        }
        if (frame_.size() != size) {
            // The window's own pixel layout (bytes B, G, R, unused): the frame is copied as it
            // is, never converted per paint, which Qt does on a pool of threads of its own.
            frame_ = QImage(size, QImage::Format_RGB32);
            frame_.fill(Qt::black);
        }
        int extent[2] = {size.width(), size.height()};
        auto stride = static_cast<std::size_t>(frame_.bytesPerLine());
        mpv_render_param params[] = {
            {MPV_RENDER_PARAM_SW_SIZE, extent},
            {MPV_RENDER_PARAM_SW_FORMAT, const_cast<char*>(kWindowPixelFormat)},
            {MPV_RENDER_PARAM_SW_STRIDE, &stride},
            {MPV_RENDER_PARAM_SW_POINTER, frame_.bits()},
            {MPV_RENDER_PARAM_INVALID, nullptr},
        };
        mpv_render_context_render(render_, params);
        QPainter(this).drawImage(rect(), frame_);
    }

  private:
    mpv_render_context* render_ = nullptr;
    QImage frame_;
};

bool hardwareOpenGLAvailable() {
    if (!graphicsProcessorPresent()) {
        return false;
    }
    QOpenGLContext probe;
    if (!probe.create()) {
        return false;
    }
    QOffscreenSurface surface;
    surface.setFormat(probe.format());
    surface.create();
    if (!probe.makeCurrent(&surface)) {
        return false;
    }
    const auto* text = reinterpret_cast<const char*>(probe.functions()->glGetString(GL_RENDERER));
    const QByteArray renderer = QByteArray(text != nullptr ? text : "").toLower();
    probe.doneCurrent();
    for (const char* software : {"llvmpipe", "softpipe", "swrast", "software rasterizer"}) {
        if (renderer.contains(software)) {
            return false;
        }
    }
    return true;
}

}  // namespace

// OpenGL pays only where a graphics processor draws. Without one Mesa falls back to a software
// rasterizer (llvmpipe), which draws no faster than libmpv's own software renderer and costs
// the process a compiler's worth of memory the moment a context exists, so the question is
// answered from the devices first and a context is made only where a processor is there.
bool graphicsProcessorPresent() {
    if (qEnvironmentVariableIsSet("LIBGL_ALWAYS_SOFTWARE")) {
        return false;
    }
    const QDir dri(QStringLiteral("/dev/dri"));
    // No name filter: it would compile a regular expression, at every start, for one prefix.
    for (const QString& node : dri.entryList(QDir::System)) {
        if (node.startsWith(QLatin1String("renderD")) &&
            ::access(dri.filePath(node).toLocal8Bit().constData(), R_OK | W_OK) == 0) {
            return true;
        }
    }
    return ::access("/dev/nvidiactl", R_OK | W_OK) == 0;
}

QWidget* createVideoSurface(mpv_handle* mpv, Renderer renderer, SurfaceHooks hooks, QWidget* parent,
                            bool& usedOpenGL) {
    usedOpenGL = renderer == Renderer::OpenGL ||
                 (renderer == Renderer::Automatic && hardwareOpenGLAvailable());
    if (usedOpenGL) {
        return new GlVideoSurface(mpv, std::move(hooks), parent);
    }
    return new SoftwareVideoSurface(mpv, std::move(hooks), parent);
}

}  // namespace nwmp::engine
