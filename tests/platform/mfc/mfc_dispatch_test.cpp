// Automation through dispatch maps: reference counts and the final release, disconnection when an
// object goes while a client still holds its interface, calls by name with argument checks, and
// BSTR results handed over without leaks.
#include <gtest/gtest.h>

#include "platform/mfc.h"

namespace {

class Counter : public CCmdTarget {
    DECLARE_DYNCREATE(Counter)
public:
    Counter() { EnableAutomation(); ++alive; }
    ~Counter() override { --alive; }
    const platform::mfc::DispatchMap* GetDispatchMap() const override {
        using platform::mfc::dispatchFunction;
        static const platform::mfc::DispatchMap map{{
            dispatchFunction<&Counter::Add>(L"Add"),
            dispatchFunction<&Counter::Label>(L"Label"),
            dispatchFunction<&Counter::Next>(L"Next"),
        }};
        return &map;
    }
    LONG Add(short amount) { return total += amount; }
    BSTR Label(LPCWSTR prefix) { return total ? SysAllocString((CString(prefix) + L"!").GetString()) : nullptr; }
    void Next(short* position) { ++*position; }

    static inline int alive = 0;
    LONG total = 0;
};
IMPLEMENT_DYNCREATE(Counter, CCmdTarget)

const CLSID kCounterClass{0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}};

platform::mfc::DispatchResult Call(LPDISPATCH dispatch, const wchar_t* name, std::vector<DispatchValue> arguments = {}) {
    return platform::mfc::invokeByName(dispatch, dispatch->serial, name, std::move(arguments));
}

TEST(MfcDispatch, TheFactorysObjectLivesExactlyAsLongAsTheClientsReference) {
    COleObjectFactory factory(kCounterClass, RUNTIME_CLASS(Counter), FALSE, L"Test.Counter");
    LPDISPATCH dispatch = factory.CreateInstance();
    ASSERT_NE(dispatch, nullptr);
    EXPECT_EQ(Counter::alive, 1);
    CCmdTarget* target = CCmdTarget::FromIDispatch(dispatch);
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->GetRefCount(), 1);
    target->ExternalRelease();
    EXPECT_EQ(Counter::alive, 0);
}

TEST(MfcDispatch, CallsByNameCheckAndConvertTheirArguments) {
    Counter counter;
    LPDISPATCH dispatch = counter.GetIDispatch(FALSE);
    EXPECT_EQ(Call(dispatch, L"add", {DispatchValue::Long(5)}).value.number, 5);  // any letter case
    EXPECT_EQ(Call(dispatch, L"Add", {DispatchValue::Long(40000)}).hr, DISP_E_OVERFLOW);
    EXPECT_EQ(Call(dispatch, L"Add", {DispatchValue::String(L"5")}).hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Call(dispatch, L"Add").hr, DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(dispatch, L"Subtract", {DispatchValue::Long(1)}).hr, DISP_E_UNKNOWNNAME);
    EXPECT_EQ(counter.total, 5);
    // A 64-bit number (what a client passes for one no LONG holds) converts when it fits.
    EXPECT_EQ(Call(dispatch, L"Add", {DispatchValue::LongLong(2)}).value.number, 7);
    EXPECT_EQ(Call(dispatch, L"Add", {DispatchValue::LongLong(4294967297)}).hr, DISP_E_OVERFLOW);
    EXPECT_EQ(Call(dispatch, L"Add", {DispatchValue::LongLong(-4294967295)}).hr, DISP_E_OVERFLOW);
    EXPECT_EQ(counter.total, 7);

    const auto label = Call(dispatch, L"Label", {DispatchValue::String(L"five")});
    EXPECT_EQ(label.value.vt, VT_BSTR);
    EXPECT_EQ(label.value.text, std::optional<CString>(L"five!"));
    counter.total = 0;
    EXPECT_FALSE(Call(dispatch, L"Label", {DispatchValue::String(L"x")}).value.text.has_value());  // a null BSTR
    EXPECT_EQ(SysStringsOutstanding(), 0u);

    short position = 2;
    EXPECT_EQ(Call(dispatch, L"Next", {DispatchValue::ShortRef(&position)}).value.vt, VT_EMPTY);
    EXPECT_EQ(position, 3);
    EXPECT_EQ(Call(dispatch, L"Next", {DispatchValue::Long(2)}).hr, DISP_E_TYPEMISMATCH);
}

TEST(MfcDispatch, AnInterfaceOutlivingItsObjectIsDisconnected) {
    LPDISPATCH dispatch = nullptr;
    std::uint64_t serial = 0;
    {
        Counter counter;
        dispatch = counter.GetIDispatch(FALSE);
        serial = dispatch->serial;
        EXPECT_TRUE(platform::mfc::isConnected(dispatch, serial));
    }
    EXPECT_FALSE(platform::mfc::isConnected(dispatch, serial));
    EXPECT_EQ(platform::mfc::invokeByName(dispatch, serial, L"Add", {DispatchValue::Long(1)}).hr, RPC_E_DISCONNECTED);
    EXPECT_EQ(CCmdTarget::FromIDispatch(dispatch), nullptr);
    // A target without automation has no interface.
    CCmdTarget plain;
    EXPECT_EQ(plain.GetIDispatch(TRUE), nullptr);
    EXPECT_EQ(plain.GetRefCount(), 1);
}

}  // namespace
