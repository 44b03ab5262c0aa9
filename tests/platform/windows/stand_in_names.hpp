#pragma once

// Names the tests and the program stand-ins share.

namespace nwmp::testing {

// Signalled by a stand-in started without arguments.
inline constexpr wchar_t kStartedEvent[] = L"Local\\NorvalentWMP3.test.started";

// Another program's window class: never a player's.
inline constexpr wchar_t kForeignWindowClass[] = L"SomeOtherProgram.Window";

}  // namespace nwmp::testing
