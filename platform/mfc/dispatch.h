// Automation through a command target's dispatch map, at the framework's least: typed values
// (VARIANT's few types the application uses), BSTR strings, dispatch interfaces that stay valid
// while the object lives and report a disconnection after it went, reference counts with the
// final release, and calls by name (as IDispatch::GetIDsOfNames then Invoke) with argument checks.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/mfc/cstring.h"
#include "platform/win32/types.h"

class CCmdTarget;

using VARTYPE = unsigned short;
inline constexpr VARTYPE VT_EMPTY = 0;
inline constexpr VARTYPE VT_I2 = 2;
inline constexpr VARTYPE VT_I4 = 3;
inline constexpr VARTYPE VT_BSTR = 8;
inline constexpr VARTYPE VT_DISPATCH = 9;
inline constexpr VARTYPE VT_I8 = 20;
inline constexpr VARTYPE VT_BYREF = 0x4000;
using DISPID = LONG;

inline constexpr HRESULT DISP_E_UNKNOWNNAME = static_cast<HRESULT>(0x80020006u);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = static_cast<HRESULT>(0x80020005u);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = static_cast<HRESULT>(0x8002000Eu);
inline constexpr HRESULT DISP_E_OVERFLOW = static_cast<HRESULT>(0x8002000Au);
inline constexpr HRESULT RPC_E_DISCONNECTED = static_cast<HRESULT>(0x80010108u);

// A string allocated by SysAllocString; the receiver frees it with SysFreeString. Null is a
// valid (empty) string that callers can tell apart.
using BSTR = wchar_t*;
BSTR SysAllocString(const wchar_t* text);
void SysFreeString(BSTR text);
// Strings allocated and not freed yet (leaks show in tests).
std::size_t SysStringsOutstanding();

// The dispatch interface of an automation-enabled command target. It lives as long as the
// object; once the object is gone, calls through a copy of the pointer report
// RPC_E_DISCONNECTED (the object's serial tells a reused address apart).
struct IDispatch {
    CCmdTarget* owner = nullptr;
    std::uint64_t serial = 0;
};
using LPDISPATCH = IDispatch*;

// A value passed to or returned from a dispatch call.
struct DispatchValue {
    VARTYPE vt = VT_EMPTY;
    LONG number = 0;                     // VT_I2, VT_I4
    LONGLONG wide = 0;                   // VT_I8
    std::optional<CString> text;         // VT_BSTR; nothing for a null BSTR
    short* shortRef = nullptr;           // VT_I2 | VT_BYREF
    LPDISPATCH dispatch = nullptr;       // VT_DISPATCH; the receiver owns one reference
    std::uint64_t dispatchSerial = 0;

    static DispatchValue Short(short value) { return {.vt = VT_I2, .number = value}; }
    static DispatchValue Long(LONG value) { return {.vt = VT_I4, .number = value}; }
    static DispatchValue LongLong(LONGLONG value) { return {.vt = VT_I8, .wide = value}; }
    static DispatchValue String(CString value) { return {.vt = VT_BSTR, .text = std::move(value)}; }
    static DispatchValue ShortRef(short* value) { return {.vt = VT_I2 | VT_BYREF, .shortRef = value}; }
};

namespace platform::mfc {

// The VARTYPE of a C++ parameter or result type of a dispatch method.
template <class T>
constexpr VARTYPE dispatchTypeOf() {
    if constexpr (std::is_void_v<T>) return VT_EMPTY;
    else if constexpr (std::is_same_v<T, short>) return VT_I2;
    else if constexpr (std::is_same_v<T, LONG>) return VT_I4;
    else if constexpr (std::is_same_v<T, LPCWSTR> || std::is_same_v<T, BSTR>) return VT_BSTR;
    else if constexpr (std::is_same_v<T, short*>) return VT_I2 | VT_BYREF;
    else if constexpr (std::is_same_v<T, LPDISPATCH>) return VT_DISPATCH;
    else static_assert(sizeof(T) == 0, "not a dispatch type");
}

// One method or read-only property of a dispatch map.
struct DispatchEntry {
    using Thunk = DispatchValue (*)(CCmdTarget* target, std::span<DispatchValue> arguments);
    const wchar_t* name = nullptr;
    VARTYPE result = VT_EMPTY;
    std::vector<VARTYPE> parameters;
    Thunk thunk = nullptr;
};

// A class's dispatch map: entries in dispatch-id order from 1.
struct DispatchMap {
    std::vector<DispatchEntry> entries;
};

namespace detail {
template <class T>
T argumentAs(DispatchValue& value) {
    if constexpr (std::is_same_v<T, short>) return static_cast<short>(value.number);
    else if constexpr (std::is_same_v<T, LONG>) return value.number;
    else if constexpr (std::is_same_v<T, LPCWSTR>) return value.text ? value.text->GetString() : L"";
    else if constexpr (std::is_same_v<T, short*>) return value.shortRef;
    else static_assert(sizeof(T) == 0, "not a dispatch parameter type");
}
DispatchValue resultOf(short value);
DispatchValue resultOf(LONG value);
DispatchValue resultOf(BSTR value);        // frees the string
DispatchValue resultOf(LPDISPATCH value);  // takes over the reference

template <auto Method>
struct MethodTraits;
template <class C, class R, class... A, R (C::*M)(A...)>
struct MethodTraits<M> {
    using Class = C;
    using Result = R;
    static std::vector<VARTYPE> parameters() { return {dispatchTypeOf<A>()...}; }
    static DispatchValue call(CCmdTarget* target, std::span<DispatchValue> arguments) {
        return invoke(static_cast<C*>(target), arguments, std::index_sequence_for<A...>{});
    }
    template <std::size_t... I>
    static DispatchValue invoke(C* object, std::span<DispatchValue> arguments, std::index_sequence<I...>) {
        if constexpr (std::is_void_v<R>) {
            (object->*M)(argumentAs<A>(arguments[I])...);
            return {};
        } else {
            return resultOf((object->*M)(argumentAs<A>(arguments[I])...));
        }
    }
};
}  // namespace detail

// DISP_FUNCTION: the method's parameter and result types give the entry's VARTYPEs.
template <auto Method>
DispatchEntry dispatchFunction(const wchar_t* name) {
    using Traits = detail::MethodTraits<Method>;
    return {name, dispatchTypeOf<typename Traits::Result>(), Traits::parameters(), &Traits::call};
}

// The outcome of a call by name.
struct DispatchResult {
    HRESULT hr = S_OK;
    DispatchValue value;
};

// Looks `name` up in the object's dispatch map (ignoring case), checks and converts the
// arguments to the parameter types (a number fits a short or a long when in range; a string is a
// BSTR; a short reference only a short reference) and calls it on the calling thread.
DispatchResult invokeByName(LPDISPATCH dispatch, std::uint64_t serial, const std::wstring& name,
                            std::vector<DispatchValue> arguments);
// Whether the dispatch interface with that serial still belongs to a live object.
bool isConnected(LPDISPATCH dispatch, std::uint64_t serial);
// The entry of `name` (ignoring case), or null; null too for a disconnected interface.
const DispatchEntry* findDispatchEntry(LPDISPATCH dispatch, std::uint64_t serial, const std::wstring& name);

}  // namespace platform::mfc
