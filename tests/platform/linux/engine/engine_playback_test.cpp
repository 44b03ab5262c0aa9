// The engine against the real files of tests/media: opening, states, positions, repeat, end of
// stream, clip information, play lists and the members that need a media.
#include <gtest/gtest.h>

#include "engine_fixture.hpp"

namespace nwmp::testing {
namespace {

using namespace std::chrono_literals;

struct MediaCase {
    const char* file;
    double duration;
    const char* title;
    const char* author;
};

class EngineMediaTest : public EngineTest, public ::testing::WithParamInterface<MediaCase> {};

TEST_P(EngineMediaTest, OpensPlaysAndReadsDurationAndClipInformation) {
    const MediaCase& media = GetParam();
    openAndPlay(media.file);
    EXPECT_EQ(engine_->FileName(), mediaPath(media.file));
    EXPECT_NEAR(engine_->Duration(), media.duration, 0.15);
    EXPECT_EQ(engine_->GetMediaInfoString(kMediaInfoTitle), media.title);
    EXPECT_EQ(engine_->GetMediaInfoString(kMediaInfoAuthor), media.author);
    EXPECT_EQ(sink_.stateChanges.front().first, kStopped);
}

INSTANTIATE_TEST_SUITE_P(
    TestMedia, EngineMediaTest,
    ::testing::Values(MediaCase{"tagged.mp3", 1.55, "テストの歌", "試験 演奏者"},
                      MediaCase{"untagged.mp3", 1.55, "", ""},
                      MediaCase{"tagged.avi", 1.6, "Clip Title", "Clip Author"},
                      MediaCase{"untagged.avi", 1.6, "", ""}, MediaCase{"tone.wav", 1.5, "", ""},
                      MediaCase{"clip.mpg", 1.5, "", ""}, MediaCase{"clip.wmv", 1.55, "", ""},
                      MediaCase{"clip.mov", 1.5, "", ""}, MediaCase{"sample.mkv", 3.05, "", ""},
                      MediaCase{"list.m3u", 1.55, "テストの歌", "試験 演奏者"}),
    [](const auto& param) {
        std::string name = param.param.file;
        std::replace(name.begin(), name.end(), '.', '_');
        return name;
    });

TEST_F(EngineTest, MembersThatNeedAMediaFailWhileNothingIsLoaded) {
    for (int round = 0; round < 2; ++round) {
        EXPECT_THROW(engine_->CurrentPosition(), EngineError);
        EXPECT_THROW(engine_->SetCurrentPosition(1.0), EngineError);
        EXPECT_THROW(engine_->Duration(), EngineError);
        EXPECT_THROW(engine_->Play(), EngineError);
        EXPECT_THROW(engine_->Pause(), EngineError);
        EXPECT_THROW(engine_->GetMediaInfoString(kMediaInfoTitle), EngineError);
        EXPECT_THROW(engine_->Previous(), EngineError);
        EXPECT_THROW(engine_->Next(), EngineError);
        // What the host calls before opening anything must work without a media.
        EXPECT_NO_THROW(engine_->Stop());
        EXPECT_EQ(engine_->FileName(), "");
        EXPECT_EQ(engine_->PlayState(), kStopped);
        EXPECT_EQ(engine_->PlayCount(), 1);
        // Second round: after a media was played and closed again with empty text.
        openAndPlay("untagged.mp3");
        engine_->SetFileName("");
        ASSERT_TRUE(waitForState(kStopped));
    }
    EXPECT_THROW(engine_->SetDisplaySize(8), EngineError);
    EXPECT_THROW(engine_->SetDisplaySize(-1), EngineError);
    EXPECT_THROW(engine_->SetPlayCount(-1), EngineError);
}

TEST_F(EngineTest, PauseHaltsAndPlayResumesAndStopRewinds) {
    openAndPlay("sample.mkv");
    engine_->Pause();
    EXPECT_EQ(engine_->PlayState(), kPaused);
    ASSERT_TRUE(waitForState(kPaused));
    engine_->Play();
    ASSERT_TRUE(waitForState(kPlaying));
    engine_->Stop();
    EXPECT_EQ(engine_->PlayState(), kStopped);
    ASSERT_TRUE(waitForState(kStopped));
    EXPECT_EQ(engine_->CurrentPosition(), 0.0);
    EXPECT_EQ(sink_.endsOfStream, 0);
    engine_->Pause();  // nothing to halt: stays stopped
    EXPECT_EQ(engine_->PlayState(), kStopped);
    engine_->Play();
    ASSERT_TRUE(waitForState(kPlaying));
}

TEST_F(EngineTest, SeekingNearTheEndEndsPlaybackSoon) {
    openAndPlay("sample.mkv");
    engine_->SetCurrentPosition(2.7);
    // Without the seek the clip would play for 3 seconds more.
    ASSERT_TRUE(waitFor([&] { return sink_.endsOfStream == 1; }, 2000ms));
    EXPECT_EQ(engine_->PlayState(), kStopped);
}

TEST_F(EngineTest, PositionGivenWhileOpeningIsTakenOnceOpen) {
    engine_->SetFileName(mediaPath("sample.mkv"));
    engine_->SetCurrentPosition(2.0);  // as resume does, before the file is open
    EXPECT_DOUBLE_EQ(engine_->CurrentPosition(), 2.0);
    ASSERT_TRUE(waitForState(kPlaying));
    ASSERT_TRUE(waitFor([&] { return engine_->CurrentPosition() > 2.05; }, 3000ms));
    EXPECT_LT(engine_->CurrentPosition(), 3.1);
}

struct StepCase {
    const char* file;
    double start;
};

class EngineStepTest : public EngineTest, public ::testing::WithParamInterface<StepCase> {};

// libmpv puts a paused exact seek at the start of the sound block or frame that holds the
// target; a key adding one second to that position would fall short a little more each time.
TEST_P(EngineStepTest, TenStepsOfOneSecondWhilePausedLandExactlyTenSecondsOn) {
    openAndPlay(GetParam().file);
    engine_->Pause();
    double target = GetParam().start;
    engine_->SetCurrentPosition(target);
    for (int step = 0; step <= 10; ++step) {
        ASSERT_TRUE(waitFor([&] { return !engine_->seeking(); }, 5000ms)) << step;
        // Nothing libmpv reports afterwards moves the paused position away from the target.
        EXPECT_FALSE(waitFor([&] { return engine_->CurrentPosition() != target; }, 200ms))
            << "step " << step << " reads " << engine_->CurrentPosition();
        if (step < 10) {
            target = engine_->CurrentPosition() + 1.0;
            engine_->SetCurrentPosition(target);
        }
    }
    EXPECT_DOUBLE_EQ(engine_->CurrentPosition(), GetParam().start + 10.0);
    // Once playing, the position goes on from there.
    engine_->Play();
    EXPECT_TRUE(waitFor([&] { return engine_->CurrentPosition() > target + 0.2; }, 3000ms));
}

INSTANTIATE_TEST_SUITE_P(Media, EngineStepTest,
                         ::testing::Values(StepCase{"long.mp3", 1.0},
                                           StepCase{"picture320.avi", 1.25}),
                         [](const auto& param) {
                             return std::string(param.param.file).ends_with(".mp3") ? "Audio"
                                                                                    : "Video";
                         });

TEST_F(EngineTest, NegativePositionMeansTheStart) {
    openAndPlay("sample.mkv");
    engine_->Pause();
    engine_->SetCurrentPosition(-5.0);
    EXPECT_DOUBLE_EQ(engine_->CurrentPosition(), 0.0);
    EXPECT_THROW(engine_->SetCurrentPosition(std::nan("")), EngineError);
}

TEST_F(EngineTest, PlayCountZeroRepeatsWithoutEndAndOneEndsOnce) {
    engine_->SetPlayCount(0);
    openAndPlay("untagged.mp3");
    double last = 0.0;
    bool wrapped = false;
    ASSERT_TRUE(waitFor(
        [&] {
            const double now = engine_->CurrentPosition();
            wrapped = wrapped || now < last - 0.5;
            last = now;
            return wrapped && now > 0.3;
        },
        6000ms))
        << "the media did not start again";
    EXPECT_EQ(sink_.endsOfStream, 0);
    EXPECT_EQ(engine_->PlayState(), kPlaying);

    engine_->SetPlayCount(1);
    ASSERT_TRUE(waitFor([&] { return sink_.endsOfStream > 0; }, 5000ms));
    ASSERT_TRUE(waitForState(kStopped));
    EXPECT_EQ(sink_.endsOfStream, 1);
    // The media stays named and can be played again.
    EXPECT_EQ(engine_->FileName(), mediaPath("untagged.mp3"));
    engine_->Play();
    ASSERT_TRUE(waitForState(kPlaying));
}

TEST_F(EngineTest, AsxPlayListStepsThroughItsEntries) {
    openAndPlay("list.asx");
    EXPECT_EQ(engine_->FileName(), mediaPath("list.asx"));
    EXPECT_EQ(engine_->GetMediaInfoString(kMediaInfoTitle), "First entry");
    EXPECT_THROW(engine_->Previous(), EngineError);

    engine_->Next();
    ASSERT_TRUE(waitForState(kPlaying));
    EXPECT_EQ(engine_->GetMediaInfoString(kMediaInfoTitle), "Second entry");
    EXPECT_NEAR(engine_->Duration(), 1.5, 0.1);

    engine_->Next();
    ASSERT_TRUE(waitForState(kPlaying));
    EXPECT_EQ(engine_->GetMediaInfoString(kMediaInfoTitle), "");
    EXPECT_THROW(engine_->Next(), EngineError);

    engine_->Previous();
    ASSERT_TRUE(waitForState(kPlaying));
    EXPECT_EQ(engine_->GetMediaInfoString(kMediaInfoTitle), "Second entry");
    // The list ends once, after its last entry.
    engine_->Next();
    ASSERT_TRUE(waitFor([&] { return sink_.endsOfStream > 0; }, 6000ms));
    ASSERT_TRUE(waitForState(kStopped));
    EXPECT_EQ(sink_.endsOfStream, 1);
}

TEST_F(EngineTest, UnplayableFileEndsStoppedWithoutEndOfStream) {
    engine_->SetFileName(mediaPath("missing.avi"));
    EXPECT_EQ(engine_->PlayState(), 3);
    ASSERT_TRUE(waitForState(kStopped));
    EXPECT_EQ(sink_.endsOfStream, 0);
    EXPECT_EQ(engine_->FileName(), mediaPath("missing.avi"));
}

}  // namespace
}  // namespace nwmp::testing
