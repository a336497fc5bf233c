// The kernel's document storage as a damaged or unusual file reaches it: compound files with odd
// streams, document headers of the wrong length, and summary properties read without opening the
// document.
#include <gtest/gtest.h>

#include <string>

#include "platform/core/text.h"
#include "platform/kernel.h"
#include "platform/kernel/documents/compound_file.h"
#include "platform/win32/files/file.h"

namespace {

using namespace platform::kernel;

void Write(const wchar_t* path, const std::string& bytes) {
    ASSERT_EQ(platform::files::createDirectories(L"C:\\Docs"), 0u);
    ASSERT_EQ(platform::files::writeAllAtomic(path, bytes), 0u);
}

std::string DocumentWithSummary(const std::string& summary) {
    return encodeCompoundFile({{kHeaderStreamName, encodeDocumentHeader(kCurrentFormatVersion, 1)},
                               {kSummaryStreamName, summary}});
}

TEST(MakerCompoundFile, OddButValidContentsSurviveTheRoundTrip) {
    // No streams at all, a stream larger than the small-block cutoff many times over, and names
    // that differ only in case are each kept as they are.
    const auto none = decodeCompoundFile(encodeCompoundFile({}));
    ASSERT_TRUE(none.has_value());
    EXPECT_TRUE(none->empty());

    std::string large(3 * 1024 * 1024, '\0');
    for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>((i * 131) & 0xFF);
    const CompoundStreams streams{{"Big", large}, {"Model", "<document/>"}, {"model", "second"}};
    const auto decoded = decodeCompoundFile(encodeCompoundFile(streams));
    ASSERT_TRUE(decoded.has_value());
    ASSERT_EQ(decoded->count("Big"), 1u);
    EXPECT_EQ(decoded->at("Big").size(), large.size());
    EXPECT_TRUE(decoded->at("Big") == large);
    EXPECT_EQ(decoded->size(), streams.size());
}

TEST(MakerCompoundFile, DamagedBytesAreNoCompoundFile) {
    const std::string good = encodeCompoundFile({{"A", std::string(10000, 'a')}});
    ASSERT_TRUE(decodeCompoundFile(good).has_value());

    EXPECT_FALSE(decodeCompoundFile("").has_value());
    EXPECT_FALSE(decodeCompoundFile(std::string(1, '\xD0')).has_value());
    EXPECT_FALSE(decodeCompoundFile(good.substr(0, 511)).has_value());  // not even the file header
    std::string wrongMagic = good;
    wrongMagic[0] = 'X';
    EXPECT_FALSE(decodeCompoundFile(wrongMagic).has_value());
    EXPECT_FALSE(decodeCompoundFile(std::string(4096, '\xFF')).has_value());
    // Every truncation of a valid file is refused or read without crashing: a reader that
    // trusted the sector tables would run off the end of the buffer here.
    for (std::size_t size = 512; size < good.size(); size += 509) {
        const auto partial = decodeCompoundFile(good.substr(0, size));
        if (partial && partial->count("A")) {
            EXPECT_LE(partial->at("A").size(), 10000u);
        }
    }
}

TEST(MakerDocumentHeader, OnlyTheMagicFollowedByTwoWordsIsAHeader) {
    const std::string header = encodeDocumentHeader(18, 5);
    ASSERT_EQ(header.size(), 12u);
    ASSERT_TRUE(decodeDocumentHeader(header).has_value());
    EXPECT_EQ(*decodeDocumentHeader(header), (std::pair<std::uint32_t, std::uint32_t>{18, 5}));
    // Extreme values keep every byte.
    EXPECT_EQ(*decodeDocumentHeader(encodeDocumentHeader(0xFFFFFFFFu, 0x80000001u)),
              (std::pair<std::uint32_t, std::uint32_t>{0xFFFFFFFFu, 0x80000001u}));
    // Trailing bytes are tolerated (a later format may add fields).
    EXPECT_TRUE(decodeDocumentHeader(header + "more").has_value());

    EXPECT_FALSE(decodeDocumentHeader("").has_value());
    EXPECT_FALSE(decodeDocumentHeader(header.substr(0, 11)).has_value());
    EXPECT_FALSE(decodeDocumentHeader("kvdc" + header.substr(4)).has_value());  // the magic is exact
    EXPECT_FALSE(decodeDocumentHeader(std::string(12, '\0')).has_value());
}

TEST(MakerDocumentFile, AHeaderThatIsTooShortIsAnInvalidHeaderButStillACompoundFile) {
    Write(L"C:\\Docs\\short.grb", encodeCompoundFile({{kHeaderStreamName, encodeDocumentHeader(18, 1).substr(0, 8)}}));
    KVDocumentFileInfo info;
    info.formatVersion = 99;  // whatever the caller had is replaced
    HRESULT code = S_OK;
    EXPECT_FALSE(ReadDocumentFileInfo(SharedPathName(L"C:\\Docs\\short.grb"), info, code));
    EXPECT_EQ(code, STG_E_INVALIDHEADER);
    EXPECT_EQ(info.storageFormat, 1u);
    EXPECT_EQ(info.formatVersion, 0u);

    // A null path is a missing file, not a crash.
    EXPECT_FALSE(ReadDocumentFileInfo(SharedPathName(), info, code));
    EXPECT_EQ(code, STG_E_FILENOTFOUND);
}

TEST(MakerDocumentProperties, TheSummaryIsReadByKnownNamesWhateverTheirCase) {
    Write(L"C:\\Docs\\summary.grb", DocumentWithSummary("author=Ann Lee\n"
                                                        "TITLE=Shaft = main\n"  // the value keeps its '='
                                                        "keywords=\n"
                                                        "no equals sign here\n"
                                                        "colour=red\n"  // not a summary property
                                                        "=orphan value\n"
                                                        "Comments=first\n"
                                                        "comments=second\n"  // the last one wins
                                                        "company=\xD0\x9E\xD0\x9E\xD0\x9E"));  // UTF-8, no final newline
    const CKVPropertySet properties = KorvoDocument2::ReadProperties(L"C:\\Docs\\summary.grb");
    EXPECT_EQ(properties.GetProperty(L"Author"), L"Ann Lee");
    EXPECT_EQ(properties.GetProperty(L"Title"), L"Shaft = main");
    EXPECT_EQ(properties.GetProperty(L"Keywords"), L"");
    EXPECT_EQ(properties.GetProperty(L"Comments"), L"second");
    EXPECT_EQ(properties.GetProperty(L"Company"), L"\x041E\x041E\x041E");
    EXPECT_EQ(properties.GetProperty(L"colour"), L"");
    EXPECT_EQ(properties.GetProperty(nullptr), L"");
    EXPECT_EQ(properties.GetCount(), 5);  // author, title, keywords, comments, company
}

TEST(MakerDocumentProperties, AFileThatCannotServeGivesAnEmptySet) {
    Write(L"C:\\Docs\\plain.grb", "author=not a compound file");
    Write(L"C:\\Docs\\nosummary.grb", encodeCompoundFile({{kHeaderStreamName, encodeDocumentHeader(18, 1)}}));
    Write(L"C:\\Docs\\emptysummary.grb", DocumentWithSummary(""));
    Write(L"C:\\Docs\\crlf.grb", DocumentWithSummary("Author=Dos\r\n"));
    for (const wchar_t* path : {L"C:\\Docs\\missing.grb", L"C:\\Docs\\plain.grb", L"C:\\Docs\\nosummary.grb",
                                L"C:\\Docs\\emptysummary.grb", L"C:\\Docs", static_cast<const wchar_t*>(nullptr)}) {
        EXPECT_EQ(KorvoDocument2::ReadProperties(path).GetCount(), 0) << (path ? platform::core::toUtf8(path) : "null");
    }
    // A summary written with Windows line ends gives the value without the carriage return.
    EXPECT_EQ(KorvoDocument2::ReadProperties(L"C:\\Docs\\crlf.grb").GetProperty(L"Author"), L"Dos");
}

}  // namespace

// The document's one read-only flag, whichever of its kernel faces sets or reads it.
TEST(MakerDocumentState, OneReadOnlyFlagWhicheverFaceReachesIt) {
    CKvw32Doc drawing;
    KorvoDocument2& state = drawing;
    state.SetReadOnly(true);
    EXPECT_TRUE(drawing.IsReadOnly());
    EXPECT_EQ(drawing.GetReadOnlyProperty(), 1);
    drawing.SetReadOnly(false);
    EXPECT_FALSE(state.IsReadOnly());
    EXPECT_EQ(drawing.GetReadOnlyProperty(), 0);
}
