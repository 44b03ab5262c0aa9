#pragma once

// Calls on the engine control by dispatch identifier. A failing call throws EngineError with the
// control's own description where it gives one.

#include <oaidl.h>
#include <windows.h>

#include <initializer_list>

namespace nwmp::windows {

// A VARIANT that clears itself.
class Variant {
  public:
    Variant() { VariantInit(&value_); }
    ~Variant() { VariantClear(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    Variant(Variant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }
    Variant& operator=(Variant&&) = delete;
    VARIANT* get() { return &value_; }
    const VARIANT& operator*() const { return value_; }

    static Variant ofDouble(double value);
    static Variant ofInt(long value);
    static Variant ofBool(bool value);
    static Variant ofText(const wchar_t* text, UINT length);

  private:
    VARIANT value_;
};

Variant getProperty(IDispatch* control, DISPID dispid);
void putProperty(IDispatch* control, DISPID dispid, Variant& value);
// Arguments in their declared order.
Variant callMethod(IDispatch* control, DISPID dispid, std::initializer_list<Variant*> arguments);
DISPID dispidOfName(IDispatch* control, const wchar_t* name);

// The result of a member as the type the host relies on; throws EngineError for any other.
double asDouble(const Variant& value, DISPID dispid);
long asInt(const Variant& value, DISPID dispid);

}  // namespace nwmp::windows
