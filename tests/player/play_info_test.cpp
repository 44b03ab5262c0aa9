// What the title bar shows while media plays, and the play-state and end-of-stream handling.

#include "player/play_info_text.hpp"
#include "player_rig.hpp"

namespace nwmp::testing {
namespace {

using Member = FakeMediaEngine::Member;

struct CaptionCase {
    std::string media, title, author;
    double position, duration;
    std::int32_t playCount;
    const char* exitSwitch;
    std::string separators;
    std::string expected;
};

// Runs one title tick of a playing player with the given edition.
std::string tick(const EditionProfile& edition, const CaptionCase& c) {
    PlayerRig rig(edition, switches(std::string("PlayEndExitPlayer=") + c.exitSwitch));
    rig.platform.separators = c.separators;
    rig.start();
    rig.engine.fileName = c.media;
    rig.engine.clipTitle = c.title;
    rig.engine.clipAuthor = c.author;
    rig.engine.position = c.position;
    rig.engine.duration = c.duration;
    rig.engine.playCount = c.playCount;
    rig.engine.raisePlayStateChange(kStopped, kPlaying);
    EXPECT_TRUE(rig.window.timer1Enabled);
    rig.player->Timer1_Timer();
    return rig.window.caption;
}

TEST(TitleTick, FileNameRuleCaptions) {
    const CaptionCase cases[] = {
        {"C:\\Music\\song.mp3", "Song", "Artist", 65.4, 245, 0, "0", "\\",
         "Song/Artist [01:05/04:05] R"},
        {"D:\\Video\\clip.avi", "T", "A", 0, 3725, 1, "1", "\\", "clip.avi [00:00/62:05] E"},
        {"/v/clip.avi", "", "", 59.9, 60.0, 1, "0", "/", "clip.avi [00:59/01:00]"},
        {"/v/clip.avi", "", "", 12, 0, 1, "0", "/", "clip.avi [00:12/00:00]"},
        {"/v/long.avi", "", "", 6000, 6059.99, 1, "0", "/", "long.avi [100:00/100:59]"},
        {"clip.avi", "", "", 1, 2, 1, "0", "/", " [00:01/00:02]"},
        {"/m/untagged.mp3", "", "", 1, 2, 1, "0", "/", "/ [00:01/00:02]"},
        {"/m/list.m3u", "L", "", 1, 2, 1, "0", "/", "L/ [00:01/00:02]"},
        {"/m/LOUD.MP3", "T", "A", 1, 2, 1, "0", "/", "LOUD.MP3 [00:01/00:02]"},
        {"http://host/radio.mp3", "T", "A", 1, 2, 0, "0", "/", " [00:01/00:02] R"},
        {"C:\\a\\b.mp3", "T", "A", 1, 2, 1, "0", "/", " [00:01/00:02]"},  // wrong separator
    };
    for (const EditionProfile* edition : {&editions::kStandard, &editions::kPemra}) {
        for (const CaptionCase& c : cases) {
            EXPECT_EQ(tick(*edition, c), c.expected) << edition->name << " " << c.media;
        }
    }
}

TEST(TitleTick, ClipInfoRuleCaptions) {
    const CaptionCase cases[] = {
        {"/v/tagged.avi", "Title", "Author", 5, 10, 1, "0", "/", "Title/Author [00:05/00:10]"},
        {"/v/untagged.avi", "", "", 5, 10, 1, "0", "/", "untagged.avi [00:05/00:10]"},
        {"mms://host/live", "", "", 5, 10, 1, "0", "/", "/ [00:05/00:10]"},
        {"/v/folder/", "", "", 5, 10, 1, "0", "/", " [00:05/00:10]"},
        {"clip.avi", "", "", 5, 10, 1, "0", "/", "/ [00:05/00:10]"},
        {"/m/untagged.mp3", "", "", 5, 10, 0, "1", "/", "untagged.mp3 [00:05/00:10] R E"},
    };
    for (const CaptionCase& c : cases) {
        EXPECT_EQ(tick(editions::kKovex, c), c.expected) << c.media;
    }
}

TEST(TitleTick, FailingStepsAreSkipped) {
    PlayerRig rig(editions::kPemra);
    rig.start();
    rig.engine.fileName = "/m/song.mp3";
    rig.engine.position = 61;
    rig.engine.duration = 120;
    rig.engine.failMember(Member::GetMediaInfoString);
    rig.engine.failMember(Member::PlayCount);
    rig.engine.failMember(Member::Duration);
    rig.player->Timer1_Timer();
    EXPECT_EQ(rig.window.caption, "song.mp3 [01:01/00:00]");
}

TEST(TitleTick, TimeTextEdges) {
    EXPECT_EQ(minutesSeconds(-0.5), "00:00");
    EXPECT_EQ(minutesSeconds(std::numeric_limits<double>::quiet_NaN()), "00:00");
    EXPECT_EQ(minutesSeconds(std::numeric_limits<double>::infinity()), "00:00");
    EXPECT_EQ(minutesSeconds(35999.99), "599:59");
    EXPECT_TRUE(hasUrlScheme("rtsp+tcp://h/x"));
    EXPECT_FALSE(hasUrlScheme("C:\\a://b"));
    EXPECT_FALSE(hasUrlScheme("/tmp/x://y"));
}

class PlayState : public EveryEdition {};
NWMP_FOR_EVERY_EDITION(PlayState);

TEST_P(PlayState, TimerStartsAtFirstPlayUnlessPlayInfoIsOff) {
    for (const char* off : {"0", "1"}) {
        PlayerRig rig(edition(), switches(std::string("NotPlayInfoDisplay=") + off));
        rig.start();
        rig.engine.raisePlayStateChange(kStopped, kPaused);
        EXPECT_FALSE(rig.window.timer1Enabled);
        rig.engine.raisePlayStateChange(kPaused, kPlaying);
        EXPECT_EQ(rig.window.timer1Enabled, edition().features.playInfo && off[0] == '0');
        EXPECT_EQ(rig.window.caption, edition().window.caption);
    }
}

TEST_P(PlayState, EndOfStreamEndsThePlayerOnlyWhenAsked) {
    for (const char* exit : {"0", "1"}) {
        PlayerRig rig(edition(), switches(std::string("ResumePlay=1\nPlayEndExitPlayer=") + exit));
        rig.start();
        rig.engine.raiseEndOfStream();
        const int expected = exit[0] == '1' ? 1 : 0;
        EXPECT_EQ(rig.platform.endings, expected);
        EXPECT_EQ(rig.settings.writes.size(), 2u * expected);
    }
}

}  // namespace
}  // namespace nwmp::testing
