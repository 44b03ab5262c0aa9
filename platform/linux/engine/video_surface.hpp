#pragma once

// The widgets the picture is drawn into. libmpv renders through its OpenGL render API into a
// QOpenGLWidget where an OpenGL context can be had, and through its software render API into an
// image painted by a plain widget where none can. Either way libmpv's update callback only
// schedules a repaint on the GUI thread.

#include <QtWidgets/QWidget>
#include <functional>

struct mpv_handle;

namespace nwmp::engine {

enum class Renderer {
    Automatic,  // OpenGL on a graphics processor, else software
    OpenGL,
    Software,
};

// What a click on the picture does, set by the engine.
struct SurfaceHooks {
    std::function<void()> clicked;
    std::function<void()> doubleClicked;
};

// Creates the surface for the chosen renderer; fills usedOpenGL with the outcome.
// Whether a graphics processor can draw for this process (a DRM render node or NVIDIA's device
// is there and usable, and Mesa is not told to draw in software). Decided without making an
// OpenGL context, which is costly where the answer is no.
bool graphicsProcessorPresent();

QWidget* createVideoSurface(mpv_handle* mpv, Renderer renderer, SurfaceHooks hooks, QWidget* parent,
                            bool& usedOpenGL);

}  // namespace nwmp::engine
