#pragma once

// A shown host window with the engine control in it, audio off, and a sink that records the
// engine's events.

#include <gtest/gtest.h>

#include <QtWidgets/QWidget>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/linux/engine/mpv_media_engine.hpp"
#include "wait_for.hpp"

namespace nwmp::testing {

struct RecordingSink : MediaEngineEvents {
    std::vector<std::pair<std::int32_t, std::int32_t>> stateChanges;
    std::vector<std::pair<std::int16_t, std::int16_t>> keys;
    int endsOfStream = 0;
    std::function<void(std::int32_t newState)> onStateChange;  // sees the engine as the host does

    void MediaPlayer1_KeyDown(std::int16_t& keyCode, std::int16_t shift) override {
        keys.emplace_back(keyCode, shift);
        keyCode = 0;
    }
    void MediaPlayer1_PlayStateChange(std::int32_t oldState, std::int32_t newState) override {
        stateChanges.emplace_back(oldState, newState);
        if (onStateChange) {
            onStateChange(newState);
        }
    }
    void MediaPlayer1_EndOfStream(std::int32_t) override { ++endsOfStream; }

    bool sawState(std::int32_t state) const;
};

std::string mediaPath(const std::string& name);

using linux_platform::testing::waitFor;

// True when the image has at least two clearly different colours and not only black.
bool showsPicture(const QImage& image);

class EngineTest : public ::testing::Test {
  protected:
    void SetUp() override { makeEngine(ControlBar{true, true, true}); }
    void TearDown() override;

    void makeEngine(const ControlBar& bar, engine::Renderer renderer = engine::Renderer::Automatic);
    // Opens the file and waits for the playing state.
    void openAndPlay(const std::string& name);
    bool waitForState(std::int32_t state, int timeoutMs = 10000);

    std::unique_ptr<QWidget> host_;
    engine::MpvMediaEngine* engine_ = nullptr;  // owned by host_
    RecordingSink sink_;
};

}  // namespace nwmp::testing
