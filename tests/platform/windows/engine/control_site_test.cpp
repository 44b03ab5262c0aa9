// The engine control hosted in a real window under Wine, with the stand-in control registered in
// the test prefix: hosting and tearing down, what reaches the control, events, failures, and a
// control that is missing or cannot be made.

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/windows/engine/control_media_engine.hpp"
#include "platform/windows/settings_file/ansi_text.hpp"
#include "platform/windows/support/pump_until.hpp"
#include "player/editions/editions.hpp"
#include "stand_in_control.h"

namespace nwmp::windows {
namespace {

std::vector<std::string> takeRecord() {
    std::wstring text(static_cast<size_t>(StandInCallRecord(nullptr, 0)) + 1, L'\0');
    StandInCallRecord(text.data(), static_cast<int>(text.size()));
    StandInClearRecord();
    std::vector<std::string> lines;
    std::string all = utf8FromWide(text.c_str());
    for (size_t start = 0; start < all.size();) {
        const size_t end = all.find('\n', start);
        lines.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

using windows_testing::pumpUntil;

BOOL CALLBACK countWindow(HWND, LPARAM counter) {
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

int childWindows(HWND parent) {
    int count = 0;
    EnumChildWindows(parent, countWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

struct Events : MediaEngineEvents {
    std::vector<std::string> seen;
    std::function<void()> onStateChange;
    DWORD thread = 0;
    void note(std::string what) {
        if (thread == 0 || thread == GetCurrentThreadId()) {
            thread = GetCurrentThreadId();
        } else {
            what += " on another thread";
        }
        seen.push_back(std::move(what));
    }
    void MediaPlayer1_KeyDown(std::int16_t& keyCode, std::int16_t shift) override {
        note("key " + std::to_string(keyCode) + " " + std::to_string(shift));
        keyCode = 0;
    }
    void MediaPlayer1_PlayStateChange(std::int32_t oldState, std::int32_t newState) override {
        note("state " + std::to_string(oldState) + ">" + std::to_string(newState));
        if (onStateChange)
            onStateChange();
    }
    void MediaPlayer1_EndOfStream(std::int32_t result) override {
        note("end " + std::to_string(result));
    }
    bool saw(const std::string& what) const {
        return std::find(seen.begin(), seen.end(), what) != seen.end();
    }
};

class ControlSite : public ::testing::Test {
  protected:
    // One host window for all cases: Wine takes a while to show and to end a top-level window.
    static void SetUpTestSuite() {
        parent_ = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  640, 480, nullptr, nullptr, nullptr, nullptr);
    }
    static void TearDownTestSuite() { DestroyWindow(parent_); }
    void SetUp() override {
        ASSERT_NE(parent_, nullptr);
        ASSERT_EQ(StandInLiveObjects(), 0);
        StandInClearRecord();
    }
    void TearDown() override {
        EXPECT_EQ(StandInLiveObjects(), 0) << "a control outlived its host";
        EXPECT_EQ(childWindows(parent_), 0) << "a host window outlived its control";
    }
    static inline HWND parent_ = nullptr;
};

TEST_F(ControlSite, IsMadeSizedAndDestroyedManyTimesWithoutLeaving) {
    for (int round = 0; round < 200; ++round) {
        {
            ControlMediaEngine engine(parent_, editions::kPemra.controlBar);
            ASSERT_NE(StandInControlWindow(), nullptr) << "not activated in place";
            ASSERT_TRUE(IsChild(engine.window(), StandInControlWindow()));
            engine.SetWidth(1500 + 15 * round);
            engine.SetHeight(3000);
            engine.SetLeft(150);
            EXPECT_DOUBLE_EQ(engine.Width(), 1500 + 15 * round);
            EXPECT_DOUBLE_EQ(engine.Height(), 3000);
            RECT host{};
            RECT picture{};
            GetClientRect(engine.window(), &host);
            GetWindowRect(StandInControlWindow(), &picture);
            ASSERT_EQ(picture.right - picture.left, host.right) << "the picture follows the host";
            ASSERT_EQ(picture.bottom - picture.top, host.bottom);
            if (round % 10 == 0)
                engine.SetFileName("C:\\media\\tone.wav");
        }
        ASSERT_EQ(StandInLiveObjects(), 0) << "round " << round;
        ASSERT_EQ(childWindows(parent_), 0) << "round " << round;
    }
}

TEST_F(ControlSite, TakesTheDesignSettingsOfEachEdition) {
    struct Case {
        const EditionProfile* edition;
        const char* controls;
        const char* audio;
        const char* position;
    };
    for (const Case& c :
         {Case{&editions::kStandard, "=-1", "=0", "=0"}, Case{&editions::kKovex, "=0", "=0", "=0"},
          Case{&editions::kPemra, "=-1", "=-1", "=-1"}, Case{&editions::kDask, "=0", "=0", "=0"}}) {
        { ControlMediaEngine engine(parent_, c.edition->controlBar); }
        const std::vector<std::string> expected = {std::string("5001 put BOOL") + c.controls,
                                                   std::string("5002 put BOOL") + c.audio,
                                                   std::string("5003 put BOOL") + c.position,
                                                   "5004 put BOOL=-1",
                                                   "5005 put BOOL=0",
                                                   "5006 put BOOL=-1",
                                                   "5007 put BOOL=-1",
                                                   "1032 put I4=4",
                                                   "5008 put I4=0"};
        EXPECT_EQ(takeRecord(), expected) << c.edition->name;
    }
}

TEST_F(ControlSite, CallsEveryMemberByItsDispatchIdentifierWithItsArgumentTypes) {
    ControlMediaEngine engine(parent_, editions::kPemra.controlBar);
    takeRecord();
    engine.SetFileName("C:\\メディア\\tagged.mp3");
    EXPECT_EQ(engine.FileName(), "C:\\メディア\\tagged.mp3");
    engine.SetCurrentPosition(2.5);
    EXPECT_GE(engine.CurrentPosition(), 2.5);
    EXPECT_DOUBLE_EQ(engine.Duration(), 8.0);
    engine.SetPlayCount(0);
    EXPECT_EQ(engine.PlayCount(), 0);
    engine.SetDisplaySize(3);
    EXPECT_EQ(engine.PlayState(), 2);
    engine.SetAutoSize(true);
    HDC screen = GetDC(nullptr);
    const double twipsPerPixelX = 1440.0 / GetDeviceCaps(screen, LOGPIXELSX);
    const double twipsPerPixelY = 1440.0 / GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    EXPECT_DOUBLE_EQ(engine.Width(), 160 * twipsPerPixelX) << "the size the control took";
    EXPECT_DOUBLE_EQ(engine.Height(), 120 * twipsPerPixelY);
    engine.Pause();
    engine.Play();
    engine.Stop();
    EXPECT_EQ(engine.GetMediaInfoString(8), "テストの歌");
    EXPECT_EQ(engine.GetMediaInfoString(9), "試験 演奏者");
    EXPECT_THROW(engine.Previous(), EngineError);
    EXPECT_THROW(engine.Next(), EngineError);
    const std::vector<std::string> expected = {
        "1026 put BSTR", "1026 get",  "1027 put R8=2.5", "1027 get",       "1003 get",
        "1030 put I4=0", "1030 get",  "1032 put I4=3",   "1068 get",       "-500 put BOOL=-1",
        "2002 call",     "2001 call", "2003 call",       "2016 call I4=8", "2016 call I4=9",
        "2022 call",     "2023 call"};
    EXPECT_EQ(takeRecord(), expected);
}

TEST_F(ControlSite, DeliversTheThreeEventsOnTheWindowsThread) {
    ControlMediaEngine engine(parent_, editions::kPemra.controlBar);
    Events events;
    engine.setEventSink(&events);
    engine.SetFileName("C:\\media\\short.wav");
    ASSERT_TRUE(pumpUntil([&] { return events.saw("end 0"); }))
        << ::testing::PrintToString(events.seen);
    EXPECT_EQ(events.seen, (std::vector<std::string>{"state 0>2", "state 2>0", "end 0"}));
    EXPECT_EQ(events.thread, GetCurrentThreadId());

    engine.SetFocus();
    takeRecord();
    PostMessageW(GetFocus(), WM_KEYDOWN, 'F', 0);
    ASSERT_TRUE(pumpUntil([&] { return events.saw("key 70 0"); }));
    EXPECT_EQ(takeRecord(), std::vector<std::string>{"key returned 0"})
        << "the handler's cleared key code must reach the control";
}

TEST_F(ControlSite, AMemberFailingHalfwayThroughAHandlerThrowsThereAndNothingEscapes) {
    ControlMediaEngine engine(parent_, editions::kPemra.controlBar);
    Events events;
    engine.setEventSink(&events);
    std::vector<std::string> steps;
    events.onStateChange = [&] {
        steps.push_back("count " + std::to_string(engine.PlayCount()));
        StandInFailNext(1027);
        try {
            steps.push_back("position " + std::to_string(engine.CurrentPosition()));
        } catch (const EngineError& error) {
            steps.push_back(std::string("failed: ") + error.what());
        }
        StandInFailNext(1003);
        engine.Duration();  // escapes the handler
    };
    engine.SetFileName("C:\\media\\tone.wav");
    ASSERT_TRUE(pumpUntil([&] { return !events.seen.empty(); }));
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0], "count 1");
    EXPECT_EQ(steps[1].rfind("failed: engine member 1027 failed", 0), 0u) << steps[1];
    // The control goes on working once a handler has thrown.
    events.onStateChange = nullptr;
    engine.Pause();
    ASSERT_TRUE(pumpUntil([&] { return events.saw("state 2>1"); }));
    EXPECT_DOUBLE_EQ(engine.Duration(), 8.0);
}

TEST_F(ControlSite, AControlThatIsMissingOrCannotBeMadeIsReportedAndLeavesNothing) {
    ASSERT_EQ(DllUnregisterServer(), S_OK);
    try {
        ControlMediaEngine engine(parent_, editions::kStandard.controlBar);
        ADD_FAILURE() << "made a control that is not registered";
    } catch (const EngineMissing& missing) {
        EXPECT_TRUE(FAILED(missing.result()));
        EXPECT_EQ(engineFailureMessage(missing), std::string(kEngineMissingMessage));
    }
    EXPECT_EQ(childWindows(parent_), 0);

    // Registered, but its server file is gone: the host window comes up empty.
    HKEY key = nullptr;
    const wchar_t* clsid = L"{22D6F312-B0F6-11D0-94AB-0080C74C7E95}";
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, L"MediaPlayerCtl.MediaPlayer\\CLSID", 0, nullptr,
                              0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(clsid),
                   static_cast<DWORD>((wcslen(clsid) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    const std::wstring server = std::wstring(L"CLSID\\") + clsid + L"\\InprocServer32";
    const wchar_t* gone = L"C:\\nowhere\\msdxm.ocx";
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, server.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(gone),
                   static_cast<DWORD>((wcslen(gone) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    EXPECT_THROW(ControlMediaEngine(parent_, editions::kStandard.controlBar), EngineMissing);
    EXPECT_EQ(childWindows(parent_), 0);

    ASSERT_EQ(DllRegisterServer(), S_OK);
    EXPECT_NO_THROW(ControlMediaEngine(parent_, editions::kStandard.controlBar));

    // There, but refusing a design setting: not missing, and it says so.
    StandInFailNext(5001);
    try {
        ControlMediaEngine engine(parent_, editions::kStandard.controlBar);
        ADD_FAILURE() << "a control that refused its design settings was taken";
    } catch (const EngineError& refused) {
        EXPECT_EQ(engineFailureMessage(refused), std::string(kEngineNotStartedMessage));
    }
}

}  // namespace
}  // namespace nwmp::windows

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (FAILED(OleInitialize(nullptr)) || FAILED(DllRegisterServer())) {
        std::fprintf(stderr, "cannot register the stand-in engine control\n");
        return 1;
    }
    const int status = RUN_ALL_TESTS();
    DllUnregisterServer();
    OleUninitialize();
    return status;
}
