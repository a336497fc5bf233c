// The kernel's document header reader: what it reports for each way a file can fail, and that the
// header's first field tells a compound file without a document header from a file of another
// format.
#include <gtest/gtest.h>

#include "platform/core/hostfs.h"
#include "platform/kernel.h"
#include "platform/kernel/documents/compound_file.h"
#include "platform/kernel/documents/compound_reads.h"
#include "platform/kernel/ui/control.h"
#include "platform/win32/files/file.h"
#include "platform/win32/files/storage.h"

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
    platform::storage::failRead(L"c:\\docs\\DAMAGED.grb");

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

// The 32-bit little-endian number at `at` of `bytes` set to `value`.
void PutWord(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t GetWord(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

// Directories whose entries link back to entries already reached are refused whole (the
// compound-file library leaked what it had built of them: the leak check of the test run sees it).
TEST(MakerDocumentFile, ADirectoryThatLinksBackIsRefused) {
    const CompoundStreams streams{{"KorvoHeader", encodeDocumentHeader(18, 1)}, {"Summary", "Author=A\n"}, {"Preview", "x"}};
    const std::string good = encodeCompoundFile(streams);
    const std::size_t directory = (GetWord(good, 0x30) + 1) * 512;
    const std::size_t root = directory, first = directory + 128;
    struct Damage {
        std::size_t at;
        std::uint32_t value;
    } damages[] = {
        {root + 0x44, 1},                    // the root's sibling: an entry its children reach too
        {root + 0x48, 3},
        {first + 0x4C, GetWord(good, root + 0x4C)},  // a child that is an entry already reached
        {first + 0x44, 1},                   // an entry its own sibling
        {first + 0x48, 4000},                // an entry past the directory
        {0x30, 0xFFFFFFFD},                  // a directory outside the file
    };
    for (const Damage& damage : damages) {
        std::string bad = good;
        PutWord(bad, damage.at, damage.value);
        EXPECT_FALSE(decodeCompoundFile(bad).has_value()) << damage.at << " = " << damage.value;
    }
    // A directory sector chain that loops: the directory's own sector follows itself.
    std::string looping = good;
    const std::uint32_t sector = GetWord(good, 0x30);
    const std::size_t fat = (GetWord(good, 0x4C) + 1) * 512;
    PutWord(looping, fat + 4 * sector, sector);
    EXPECT_FALSE(decodeCompoundFile(looping).has_value());
    EXPECT_EQ(decodeCompoundFile(good), std::optional<CompoundStreams>(streams));
}

// Opening a document asks for its header more than once, then for its properties: the file is
// read once for all of them, and again only when it has changed.
TEST(MakerDocumentFile, OneUseOfADocumentReadsItsFileOnce) {
    const CompoundStreams streams{{kHeaderStreamName, encodeDocumentHeader(18, 1)}, {kSummaryStreamName, "Author=Ann\n"}};
    Write(L"C:\\Docs\\once.grb", encodeCompoundFile(streams));
    const std::size_t before = compoundDocumentReads();
    EXPECT_TRUE(ReadInfo(L"C:\\Docs\\once.grb").ok);
    EXPECT_TRUE(ReadInfo(L"C:\\DOCS\\Once.grb").ok);
    EXPECT_EQ(KorvoDocument2::ReadProperties(L"C:\\Docs\\once.grb").GetProperty(L"Author"), CString(L"Ann"));
    EXPECT_EQ(compoundDocumentReads(), before + 1);

    Write(L"C:\\Docs\\once.grb", encodeCompoundFile({{kHeaderStreamName, encodeDocumentHeader(17, 2)}}));
    const Read changed = ReadInfo(L"C:\\Docs\\once.grb");
    EXPECT_TRUE(changed.ok);
    EXPECT_EQ(changed.info.formatVersion, 17u);
    EXPECT_EQ(KorvoDocument2::ReadProperties(L"C:\\Docs\\once.grb").GetProperty(L"Author"), CString());
    EXPECT_EQ(compoundDocumentReads(), before + 2);
    // A file the program may no longer read is not served from what was kept.
    platform::core::hostFs().deny(L"C:\\Docs\\once.grb", platform::core::FileAccess::Read);
    EXPECT_FALSE(ReadInfo(L"C:\\Docs\\once.grb").ok);
}

}  // namespace
