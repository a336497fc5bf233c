// Property-exchange values a layout keeps for clipart panes: unsigned numbers, 16-byte ids and
// bytes, written and read back, and what a hand-edited file makes of them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/mfc/ole.h"
#include "platform/toolkit.h"

namespace {

std::wstring Stored(DWORD number, const GUID& id, std::vector<BYTE> bytes) {
    CXTPPropExchangeXMLNode stored(FALSE, L"Values");
    EXPECT_TRUE(PX_DWord(&stored, L"Size", number));
    GUID key = id;
    EXPECT_TRUE(PX_Guid(&stored, L"Key", key));
    EXPECT_TRUE(PX_Blob(&stored, L"State", bytes));
    return std::wstring(stored.SaveToString());
}

struct Loaded {
    DWORD number = 7;
    GUID id{};
    std::vector<BYTE> bytes{42};
};

Loaded Load(const std::wstring& xml) {
    CXTPPropExchangeXMLNode loaded(TRUE, L"Values");
    EXPECT_TRUE(loaded.LoadFromString(xml, L"values"));
    Loaded values;
    PX_DWord(&loaded, L"Size", values.number, 3);
    PX_Guid(&loaded, L"Key", values.id);
    PX_Blob(&loaded, L"State", values.bytes);
    return values;
}

TEST(ToolkitBinaryValues, NumbersIdsAndBytesComeBackAsTheyWereStored) {
    const GUID id = *platform::mfc::parseGuid(L"{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}");
    const std::wstring xml = Stored(0xFFFFFFFFu, id, {0x00, 0x7F, 0xFF});
    EXPECT_NE(xml.find(L"State=\"007FFF\""), std::wstring::npos) << xml;
    const Loaded values = Load(xml);
    EXPECT_EQ(values.number, 0xFFFFFFFFu);
    EXPECT_EQ(values.id, id);
    EXPECT_EQ(values.bytes, (std::vector<BYTE>{0x00, 0x7F, 0xFF}));
}

TEST(ToolkitBinaryValues, MissingOrMalformedValuesReadAsTheirDefaultsAndNeverInPart) {
    const Loaded missing = Load(L"<Values/>");
    EXPECT_EQ(missing.number, 3u);
    EXPECT_EQ(missing.id, GUID{});
    EXPECT_TRUE(missing.bytes.empty());
    for (const wchar_t* xml : {L"<Values Size=\"4294967296\" Key=\"{0A1B2C3D}\" State=\"0A1\"/>",
                               L"<Values Size=\"-1\" Key=\"0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9\" State=\"0AZZ\"/>",
                               L"<Values Size=\"12x\" Key=\"\" State=\"0A 1B\"/>"}) {
        const Loaded bad = Load(xml);
        EXPECT_EQ(bad.number, 3u) << xml;
        EXPECT_EQ(bad.id, GUID{}) << xml;
        EXPECT_TRUE(bad.bytes.empty()) << xml;
    }
}

}  // namespace
