// Play-state handling, the end-of-stream exit and the title tick that shows what plays.

#include <string>

#include "player/handler_guard.hpp"
#include "player/nwmp.hpp"
#include "player/play_info_text.hpp"

namespace nwmp {

void NWMP::MediaPlayer1_PlayStateChange(std::int32_t /*oldState*/, std::int32_t newState) noexcept {
    if (!profile_.features.playStateHandling) {
        return;
    }
    runQuietly([&] {
        // Once on, the timer ticks for the rest of the run, paused or stopped alike.
        if (newState == kPlaying && flags_.notPlayInfoDisplay != 1 && profile_.features.playInfo) {
            window_.SetTimer1Enabled(true);
        }
        // The picture's size is known only once media is open, so every state change refits.
        if (flags_.originalFit == 1) {
            fitToVideo();
        }
    });
}

void NWMP::MediaPlayer1_EndOfStream(std::int32_t /*result*/) noexcept {
    if (profile_.features.endOfStreamExit && flags_.playEndExitPlayer == 1) {
        runQuietly([this] { quit(); });
    }
}

void NWMP::Timer1_Timer() noexcept {
    // Each step on its own: a failing one is skipped and the tick goes on with the next.
    PlayInfo info;
    std::string media;
    runQuietly([&] { media = engine_.FileName(); });
    std::string_view separators = "\\";
    runQuietly([&] { separators = platform_.PathSeparators(); });
    const auto clipInfo = [this] {
        return clipInfoName(engine_.GetMediaInfoString(kMediaInfoTitle),
                            engine_.GetMediaInfoString(kMediaInfoAuthor));
    };
    if (profile_.titleNameRule == TitleNameRule::ClipInfoThenFileName) {
        runQuietly([&] { info.displayName = clipInfo(); });
        if (info.displayName.empty() || info.displayName == "/") {
            // a path ending in its separator names nothing; only a media without one keeps "/"
            info.displayName = nameAfterLastSeparator(media, separators).value_or("/");
        }
    } else {
        info.displayName = fileNameOf(media, separators);
        if (asksClipInfo(info.displayName)) {
            runQuietly([&] { info.displayName = clipInfo(); });
        }
    }
    runQuietly([&] { info.repeat = engine_.PlayCount() == 0; });
    info.exitAtEnd = flags_.playEndExitPlayer == 1;
    runQuietly([&] { info.position = engine_.CurrentPosition(); });
    runQuietly([&] { info.duration = engine_.Duration(); });
    runQuietly([&] { window_.SetCaption(playInfoCaption(info)); });
}

}  // namespace nwmp
