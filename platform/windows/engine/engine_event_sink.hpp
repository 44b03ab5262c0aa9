#pragma once

// Our sink on the engine control's connection point: turns the three events the player handles
// into calls of its handlers and ignores all others. No exception leaves it into the control.

// A COM object is destroyed by its own Release, never through an interface pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

#include <ocidl.h>
#include <windows.h>

#include "player/media_engine.hpp"

namespace nwmp::windows {

// The engine's events dispinterface.
inline constexpr IID kEngineEventsIid = {
    0x2D3A4C40, 0xE711, 0x11D0, {0x94, 0xAB, 0x00, 0x80, 0xC7, 0x4C, 0x7E, 0x95}};

class EngineEventSink final : public IDispatch {
  public:
    // eventsIid: the dispinterface the control fires, as it names it.
    explicit EngineEventSink(const IID& eventsIid) : eventsIid_(eventsIid) {}
    void setTarget(MediaEngineEvents* target) { target_ = target; }

    HRESULT __stdcall QueryInterface(REFIID iid, void** out) override;
    ULONG __stdcall AddRef() override;
    ULONG __stdcall Release() override;
    HRESULT __stdcall GetTypeInfoCount(UINT* count) override;
    HRESULT __stdcall GetTypeInfo(UINT, LCID, ITypeInfo** out) override;
    HRESULT __stdcall GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT __stdcall Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                             EXCEPINFO*, UINT*) override;

  private:
    ~EngineEventSink() = default;
    void deliver(DISPID dispid, DISPPARAMS& params);
    IID eventsIid_;
    LONG references_ = 1;
    MediaEngineEvents* target_ = nullptr;
};

}  // namespace nwmp::windows

#pragma GCC diagnostic pop
