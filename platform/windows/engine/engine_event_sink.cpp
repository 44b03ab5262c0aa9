#include "platform/windows/engine/engine_event_sink.hpp"

#include <olectl.h>

namespace nwmp::windows {
namespace {

constexpr DISPID kPlayStateChange = 3012;
constexpr DISPID kEndOfStream = 3002;

long intArgument(const VARIANT& argument) {
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&argument), 0, VT_I4))) {
        throw EngineError("engine event argument is not a number");
    }
    return converted.lVal;
}

}  // namespace

HRESULT EngineEventSink::QueryInterface(REFIID iid, void** out) {
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == eventsIid_) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG EngineEventSink::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG EngineEventSink::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT EngineEventSink::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT EngineEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** out) {
    *out = nullptr;
    return E_NOTIMPL;
}

HRESULT EngineEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT EngineEventSink::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                EXCEPINFO*, UINT*) {
    if (target_ == nullptr || params == nullptr)
        return S_OK;
    // The handlers end quietly at their first failure; whatever still escapes must not unwind
    // into the control.
    try {
        deliver(dispid, *params);
    } catch (...) {
    }
    return S_OK;
}

void EngineEventSink::deliver(DISPID dispid, DISPPARAMS& params) {
    // The arguments arrive last first.
    VARIANT* arguments = params.rgvarg;
    if (dispid == DISPID_KEYDOWN && params.cArgs == 2) {
        VARIANT& code = arguments[1];
        const bool byReference = code.vt == (VT_I2 | VT_BYREF);
        auto keyCode = byReference ? *code.piVal : static_cast<std::int16_t>(intArgument(code));
        const auto shift = static_cast<std::int16_t>(intArgument(arguments[0]));
        target_->MediaPlayer1_KeyDown(keyCode, shift);
        if (byReference)
            *code.piVal = keyCode;
    } else if (dispid == kPlayStateChange && params.cArgs == 2) {
        target_->MediaPlayer1_PlayStateChange(intArgument(arguments[1]), intArgument(arguments[0]));
    } else if (dispid == kEndOfStream && params.cArgs == 1) {
        target_->MediaPlayer1_EndOfStream(intArgument(arguments[0]));
    }
}

}  // namespace nwmp::windows
