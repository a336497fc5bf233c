// The kernel's document header reader: what it reports for each way a file can fail, and that the
// header's first field tells a compound file without a document header from a file of another
// format.
#include <gtest/gtest.h>

#include "platform/core/hostfs.h"
#include "platform/kernel.h"
#include "platform/kernel/documents/compound_file.h"
#include "platform/kernel/ui/control.h"
#include "platform/win32/files/file.h"

namespace {

using namespace platform::kernel;

void Write(const wchar_t* path, const std::string& bytes) {
    ASSERT_EQ(platform::files::createDirectories(L"C:\\Docs"), 0u);
    ASSERT_EQ(platform::files::writeAllAtomic(path, bytes), 0u);
}

struct Read {
    bool ok;
    HRESULT code;
    KVDocumentFileInfo info;
};

Read ReadInfo(const wchar_t* path) {
    Read result{};
    result.ok = ReadDocumentFileInfo(SharedPathName(path), result.info, result.code);
    return result;
}

TEST(MakerDocumentFile, EachFailureHasItsStorageCode) {
    Write(L"C:\\Docs\\good.grb", encodeCompoundFile({{kHeaderStreamName, encodeDocumentHeader(18, 4)},
                                                     {kModelStreamName, "<document/>"}}));
    Write(L"C:\\Docs\\headless.grb", encodeCompoundFile({{kModelStreamName, "<document/>"}}));
    Write(L"C:\\Docs\\wrong header.grb", encodeCompoundFile({{kHeaderStreamName, "XXXX"}}));
    Write(L"C:\\Docs\\text.grb", "not a compound file");
    Write(L"C:\\Docs\\empty.grb", "");
    Write(L"C:\\Docs\\denied.grb", encodeCompoundFile({{kHeaderStreamName, encodeDocumentHeader(18, 1)}}));
    platform::core::hostFs().deny(L"C:\\Docs\\denied.grb", platform::core::FileAccess::Read);
    Write(L"C:\\Docs\\damaged.grb", encodeCompoundFile({{kHeaderStreamName, encodeDocumentHeader(18, 1)}}));
    control().storageReadFaults.insert(L"c:\\docs\\DAMAGED.grb");

    const Read good = ReadInfo(L"C:\\Docs\\good.grb");
    EXPECT_TRUE(good.ok);
    EXPECT_EQ(good.code, S_OK);
    EXPECT_EQ(good.info.storageFormat, 1u);
    EXPECT_EQ(good.info.formatVersion, 18u);
    EXPECT_EQ(good.info.documentKind, 4u);

    const struct {
        const wchar_t* path;
        HRESULT code;
        std::uint32_t firstField;
    } failures[] = {
        {L"C:\\Docs\\missing.grb", STG_E_FILENOTFOUND, 0},     {L"C:\\Nowhere\\x.grb", STG_E_PATHNOTFOUND, 0},
        {L"C:\\Docs\\denied.grb", STG_E_ACCESSDENIED, 0},      {L"C:\\Docs\\damaged.grb", STG_E_READFAULT, 0},
        {L"C:\\Docs\\headless.grb", STG_E_INVALIDHEADER, 1},   {L"C:\\Docs\\wrong header.grb", STG_E_INVALIDHEADER, 1},
        {L"C:\\Docs\\text.grb", STG_E_INVALIDHEADER, 0},       {L"C:\\Docs\\empty.grb", STG_E_INVALIDHEADER, 0},
        {L"C:\\Docs", STG_E_ACCESSDENIED, 0},
    };
    for (const auto& f : failures) {
        const Read read = ReadInfo(f.path);
        EXPECT_FALSE(read.ok) << platform::core::toUtf8(f.path);
        EXPECT_EQ(read.code, f.code) << platform::core::toUtf8(f.path);
        EXPECT_EQ(read.info.storageFormat, f.firstField) << platform::core::toUtf8(f.path);
    }
}

TEST(MakerDocumentFile, CompoundFilesRoundTripTheirStreams) {
    const CompoundStreams streams{{"A", std::string(5000, 'a')}, {"B", ""}, {"C", std::string("\0\1\2", 3)}};
    const auto decoded = decodeCompoundFile(encodeCompoundFile(streams));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(*decoded, streams);
    // A truncated file is no compound file.
    std::string bytes = encodeCompoundFile(streams);
    bytes.resize(bytes.size() / 3);
    EXPECT_FALSE(decodeCompoundFile(bytes).has_value());
}

}  // namespace
