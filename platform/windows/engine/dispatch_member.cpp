#include "platform/windows/engine/dispatch_member.hpp"

#include <oleauto.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/windows/settings_file/ansi_text.hpp"
#include "player/media_engine.hpp"

namespace nwmp::windows {
namespace {

[[noreturn]] void throwFailure(DISPID dispid, HRESULT result, EXCEPINFO& exception) {
    if (exception.pfnDeferredFillIn != nullptr)
        exception.pfnDeferredFillIn(&exception);
    std::string what = "engine member " + std::to_string(dispid) + " failed";
    if (exception.bstrDescription != nullptr) {
        what += ": " +
                utf8FromWide({exception.bstrDescription, SysStringLen(exception.bstrDescription)});
    } else {
        char code[16];
        std::snprintf(code, sizeof code, "%08lX", static_cast<unsigned long>(result));
        what += std::string(" (") + code + ")";
    }
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    throw EngineError(what);
}

void invoke(IDispatch* control, DISPID dispid, WORD flags, DISPPARAMS& params, VARIANT* result) {
    if (control == nullptr)
        throw EngineError("the engine control is gone");
    EXCEPINFO exception{};
    UINT badArgument = 0;
    const HRESULT status = control->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                           result, &exception, &badArgument);
    if (FAILED(status))
        throwFailure(dispid, status, exception);
}

}  // namespace

Variant Variant::ofDouble(double value) {
    Variant variant;
    variant.value_.vt = VT_R8;
    variant.value_.dblVal = value;
    return variant;
}

Variant Variant::ofInt(long value) {
    Variant variant;
    variant.value_.vt = VT_I4;
    variant.value_.lVal = value;
    return variant;
}

Variant Variant::ofBool(bool value) {
    Variant variant;
    variant.value_.vt = VT_BOOL;
    variant.value_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return variant;
}

Variant Variant::ofText(const wchar_t* text, UINT length) {
    Variant variant;
    variant.value_.bstrVal = SysAllocStringLen(text, length);
    if (variant.value_.bstrVal == nullptr)
        throw EngineError("out of memory for engine text");
    variant.value_.vt = VT_BSTR;
    return variant;
}

Variant getProperty(IDispatch* control, DISPID dispid) {
    DISPPARAMS params{nullptr, nullptr, 0, 0};
    Variant result;
    invoke(control, dispid, DISPATCH_PROPERTYGET, params, result.get());
    return result;
}

void putProperty(IDispatch* control, DISPID dispid, Variant& value) {
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{value.get(), &named, 1, 1};
    invoke(control, dispid, DISPATCH_PROPERTYPUT, params, nullptr);
}

Variant callMethod(IDispatch* control, DISPID dispid, std::initializer_list<Variant*> arguments) {
    // IDispatch takes the arguments last first.
    std::vector<VARIANT> reversed;
    for (auto it = arguments.end(); it != arguments.begin();) {
        Variant* argument = *--it;
        reversed.push_back(*argument->get());
    }
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    Variant result;
    invoke(control, dispid, DISPATCH_METHOD, params, result.get());
    return result;
}

DISPID dispidOfName(IDispatch* control, const wchar_t* name) {
    DISPID dispid = DISPID_UNKNOWN;
    auto* names = const_cast<LPOLESTR>(name);
    if (FAILED(control->GetIDsOfNames(IID_NULL, &names, 1, LOCALE_USER_DEFAULT, &dispid))) {
        throw EngineError("the engine control has no member " + utf8FromWide(name));
    }
    return dispid;
}

double asDouble(const Variant& value, DISPID dispid) {
    Variant converted;
    if (FAILED(VariantChangeType(converted.get(), const_cast<VARIANT*>(&*value), 0, VT_R8))) {
        throw EngineError("engine member " + std::to_string(dispid) + " gave no number");
    }
    return (*converted).dblVal;
}

long asInt(const Variant& value, DISPID dispid) {
    Variant converted;
    if (FAILED(VariantChangeType(converted.get(), const_cast<VARIANT*>(&*value), 0, VT_I4))) {
        throw EngineError("engine member " + std::to_string(dispid) + " gave no whole number");
    }
    return (*converted).lVal;
}

}  // namespace nwmp::windows
