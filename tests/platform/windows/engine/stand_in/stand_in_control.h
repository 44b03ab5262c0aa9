#pragma once

// What a test may ask of the stand-in engine control beside COM: its record of member calls,
// failures on demand, and how many of its objects are alive. Test code only; it never ships.

#include <windows.h>

extern "C" {
// Registers the stand-in under the engine's ProgID in the Wine prefix's classes. Refuses to do so
// anywhere but under Wine, so that a real system's control is never shadowed.
HRESULT __stdcall DllRegisterServer();
HRESULT __stdcall DllUnregisterServer();

// The member calls since the last clear, one line each: "DISPID get|put|call ARGUMENTS", each
// argument its type with its value where it is a number, for example "1027 put R8=3.5" or
// "2016 call I4=8"; key events add "key returned CODE" once the host has handled them. Returns the
// length of the whole record; copies as much as fits into buffer.
int __stdcall StandInCallRecord(wchar_t* buffer, int capacity);
void __stdcall StandInClearRecord();
// The next call of this member fails with DISP_E_EXCEPTION.
void __stdcall StandInFailNext(long dispid);
// Controls, connection points and enumerators alive.
long __stdcall StandInLiveObjects();
// The in-place window of the newest control, or null.
HWND __stdcall StandInControlWindow();
}
