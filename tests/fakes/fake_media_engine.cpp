#include "fake_media_engine.hpp"

#include <algorithm>
#include <sstream>

namespace nwmp::testing {

namespace {

std::string text(double value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

}  // namespace

void FakeMediaEngine::failEveryMember() {
    for (int m = 0; m <= static_cast<int>(Member::SetFocus); ++m) {
        failing_.insert(static_cast<Member>(m));
    }
}

std::vector<FakeMediaEngine::Call> FakeMediaEngine::callsOf(Member member) const {
    std::vector<Call> result;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(result),
                 [member](const Call& call) { return call.member == member; });
    return result;
}

void FakeMediaEngine::enter(Member member, std::string argument) const {
    calls.push_back({member, std::move(argument)});
    if (failing_.count(member) != 0) {
        throw EngineError("fake engine: member set to fail");
    }
}

void FakeMediaEngine::raiseKeyDown(std::int16_t& keyCode, std::int16_t shift) {
    if (sink_ != nullptr) {
        sink_->MediaPlayer1_KeyDown(keyCode, shift);
    }
}

std::int16_t FakeMediaEngine::raiseKeyDown(std::int16_t keyCode) {
    raiseKeyDown(keyCode, std::int16_t{0});
    return keyCode;
}

void FakeMediaEngine::raisePlayStateChange(std::int32_t oldState, std::int32_t newState) {
    playState = newState;
    if (sink_ != nullptr) {
        sink_->MediaPlayer1_PlayStateChange(oldState, newState);
    }
}

void FakeMediaEngine::raiseEndOfStream(std::int32_t result) {
    if (sink_ != nullptr) {
        sink_->MediaPlayer1_EndOfStream(result);
    }
}

std::string FakeMediaEngine::FileName() const {
    enter(Member::FileName);
    return fileName;
}

void FakeMediaEngine::SetFileName(const std::string& name) {
    enter(Member::SetFileName, name);
    fileName = name;
    position = 0.0;
}

double FakeMediaEngine::CurrentPosition() const {
    enter(Member::CurrentPosition);
    return position;
}

void FakeMediaEngine::SetCurrentPosition(double seconds) {
    enter(Member::SetCurrentPosition, text(seconds));
    position = seconds;
}

double FakeMediaEngine::Duration() const {
    enter(Member::Duration);
    return duration;
}

std::int32_t FakeMediaEngine::PlayCount() const {
    enter(Member::PlayCount);
    return playCount;
}

void FakeMediaEngine::SetPlayCount(std::int32_t count) {
    enter(Member::SetPlayCount, std::to_string(count));
    playCount = count;
}

void FakeMediaEngine::SetDisplaySize(std::int32_t size) {
    enter(Member::SetDisplaySize, std::to_string(size));
    displaySize = size;
}

std::int32_t FakeMediaEngine::PlayState() const {
    enter(Member::PlayState);
    return playState;
}

void FakeMediaEngine::SetAutoSize(bool on) {
    enter(Member::SetAutoSize, on ? "true" : "false");
    autoSize = on;
    if (on) {
        width = autoWidth;
        height = autoHeight;
    }
}

void FakeMediaEngine::Play() {
    enter(Member::Play);
    playState = kPlaying;
}

void FakeMediaEngine::Pause() {
    enter(Member::Pause);
    playState = kPaused;
}

void FakeMediaEngine::Stop() {
    enter(Member::Stop);
    playState = kStopped;
}

std::string FakeMediaEngine::GetMediaInfoString(std::int32_t infoType) const {
    enter(Member::GetMediaInfoString, std::to_string(infoType));
    if (infoType == kMediaInfoTitle) {
        return clipTitle;
    }
    if (infoType == kMediaInfoAuthor) {
        return clipAuthor;
    }
    return {};
}

void FakeMediaEngine::Previous() {
    enter(Member::Previous);
}

void FakeMediaEngine::Next() {
    enter(Member::Next);
}

void FakeMediaEngine::SetLeft(double twips) {
    enter(Member::SetLeft, text(twips));
    left = twips;
}

void FakeMediaEngine::SetTop(double twips) {
    enter(Member::SetTop, text(twips));
    top = twips;
}

double FakeMediaEngine::Width() const {
    enter(Member::Width);
    return width;
}

void FakeMediaEngine::SetWidth(double twips) {
    enter(Member::SetWidth, text(twips));
    width = twips;
}

double FakeMediaEngine::Height() const {
    enter(Member::Height);
    return height;
}

void FakeMediaEngine::SetHeight(double twips) {
    enter(Member::SetHeight, text(twips));
    height = twips;
}

void FakeMediaEngine::SetFocus() {
    enter(Member::SetFocus);
}

}  // namespace nwmp::testing
