#include "engine_fixture.hpp"

#include <QtGui/QImage>
#include <QtTest/QTest>
#include <set>

namespace nwmp::testing {

bool RecordingSink::sawState(std::int32_t state) const {
    for (const auto& change : stateChanges) {
        if (change.second == state) {
            return true;
        }
    }
    return false;
}

std::string mediaPath(const std::string& name) {
    return std::string(NWMP_TEST_MEDIA) + "/" + name;
}

bool showsPicture(const QImage& image) {
    std::set<QRgb> colours;
    bool lit = false;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            const QColor c = image.pixelColor(x, y);
            lit = lit || c.red() + c.green() + c.blue() > 150;
            colours.insert(c.rgb() & 0xE0E0E0);  // coarse, so that noise does not count
        }
    }
    return lit && colours.size() >= 3;
}

void EngineTest::TearDown() {
    host_.reset();
    engine_ = nullptr;
}

void EngineTest::makeEngine(const ControlBar& bar, engine::Renderer renderer) {
    host_.reset();
    sink_ = RecordingSink{};
    host_ = std::make_unique<QWidget>();
    host_->resize(640, 480);
    engine_ = new engine::MpvMediaEngine(bar, host_.get(), {"null", renderer});
    engine_->setEventSink(&sink_);
    host_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host_.get()));
}

void EngineTest::openAndPlay(const std::string& name) {
    engine_->SetFileName(mediaPath(name));
    ASSERT_TRUE(waitForState(kPlaying)) << name << " did not reach the playing state";
}

bool EngineTest::waitForState(std::int32_t state, int timeoutMs) {
    return waitFor(
        [&] {
            return engine_->PlayState() == state && !sink_.stateChanges.empty() &&
                   sink_.stateChanges.back().second == state;
        },
        std::chrono::milliseconds(timeoutMs));
}

}  // namespace nwmp::testing
