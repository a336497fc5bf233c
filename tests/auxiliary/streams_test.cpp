// The byte streams: memory growth and seeking as the metafile callback relies on, and the file
// streams' shared defaults, end-of-file and failure rules.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <system_error>

#include "auxiliary/streams/memory_stream.h"
#include "auxiliary/streams/simple_file.h"
#include "platform/harness.h"
#include "tests/support/session_test.h"

namespace {

TEST(MemoryStream, GrowsByWholeStepsAndAFullStepWhenTheShortfallIsOne) {
    kvio::MemoryStream stream;
    const std::string bytes(2048, 'x');
    EXPECT_EQ(stream.Write(bytes.data(), 1), 1u);
    EXPECT_EQ(stream.GetCapacity(), 1024u);
    EXPECT_EQ(stream.Write(bytes.data(), 1024), 1024u);
    EXPECT_EQ(stream.GetCapacity(), 2048u);
    stream.Write(bytes.data(), 1023);  // up to the capacity: no growth
    EXPECT_EQ(stream.GetCapacity(), 2048u);
    EXPECT_EQ(stream.GetPosition(), 2048u);
    EXPECT_EQ(stream.Write(bytes.data(), 2048), 2048u);
    EXPECT_EQ(stream.GetCapacity(), 6144u);
    EXPECT_EQ(stream.GetLength(), 4096u);

    // Writing inside keeps the size as the high-water mark.
    stream.Seek(0, 10);
    stream.Write("ab", 2);
    EXPECT_EQ(stream.GetLength(), 4096u);
    EXPECT_EQ(stream.GetPosition(), 12u);
}

TEST(MemoryStream, ACallersBufferIsNeverGrownAndTakesOnlyWhatFits) {
    char buffer[10] = {};
    kvio::MemoryStream stream(buffer, 0, sizeof buffer);
    EXPECT_EQ(stream.Write("0123456789AB", 12), 10u);
    EXPECT_EQ(stream.GetCapacity(), 10u);
    EXPECT_EQ(std::string(buffer, 10), "0123456789");
    EXPECT_EQ(stream.Write("C", 1), 0u);  // full
    EXPECT_FALSE(stream.IsOwned());
}

TEST(MemoryStream, SeeksStayWithinTheBytesAndReadsStopAtTheEnd) {
    kvio::MemoryStream stream;
    stream.Write("abc", 3);
    EXPECT_EQ(stream.Seek(2, -5), 3u);  // 5 before the end of 3 bytes: unchanged
    EXPECT_EQ(stream.Seek(2, 1), 3u);   // past the end from the end: unchanged
    EXPECT_EQ(stream.Seek(2, -3), 0u);
    EXPECT_EQ(stream.Seek(0, -1), 0u);  // a negative offset from the start: unchanged
    EXPECT_EQ(stream.Seek(0, 99), 3u);  // clamped to the size
    EXPECT_EQ(stream.Seek(1, -4), 3u);  // before the start: unchanged
    EXPECT_EQ(stream.Seek(1, -1), 2u);
    EXPECT_EQ(stream.Seek(1, -2), 0u);  // back exactly to the start
    EXPECT_EQ(stream.Seek(1, 7), 3u);
    EXPECT_EQ(stream.Seek(5, 0), 3u);  // an unknown origin
    char out[8] = {};
    EXPECT_EQ(stream.Read(out, 8), 0u);  // at the size
    stream.SeekToBegin();
    EXPECT_EQ(stream.Read(out, 8), 3u);
    EXPECT_EQ(std::string(out, 3), "abc");
    EXPECT_EQ(stream.SeekToEnd(), 3u);
}

TEST(FileReadStream, LengthKeepsThePositionAndTheEndDoesNotBlockLaterReads) {
    std::istringstream in(std::string(20, 'z'));
    kvio::FileReadStream stream(in);
    stream.Seek(0, 10);
    EXPECT_EQ(stream.GetLength(), 20u);
    EXPECT_EQ(stream.GetPosition(), 10u);
    char out[32];
    EXPECT_EQ(stream.Read(out, 32), 10u);
    // The read ran into the end; the stream still seeks and reads.
    EXPECT_EQ(stream.Seek(0, 15), 15u);
    EXPECT_EQ(stream.Read(out, 32), 5u);
}

class SimpleFileTest : public platform::harness::SessionTest {};

TEST_F(SimpleFileTest, ReadsToTheEndQuietlyAndThrowsOnAFailedRead) {
    platform::harness::Session s;
    const std::wstring path = L"C:\\Work\\bytes.bin";
    s.files().write(path, std::string(20, 'q'));
    kvio::SimpleFile file;
    ASSERT_TRUE(file.OpenForRead(path.c_str()));
    EXPECT_EQ(file.Seek(0, 10), 10u);
    EXPECT_EQ(file.GetLength(), 20u);
    EXPECT_EQ(file.GetPosition(), 10u);
    char out[32];
    EXPECT_EQ(file.Read(out, 0), 0u);
    EXPECT_EQ(file.Read(out, 32), 10u);
    EXPECT_EQ(file.Read(out, 32), 0u);  // at the end: no failure
    EXPECT_EQ(file.Seek(7, 3), 20u);    // an unknown origin moves by nothing
    EXPECT_EQ(file.Seek(2, -5), 15u);   // from the end
    EXPECT_EQ(file.Seek(1, -3), 12u);   // from where it stands
    EXPECT_THROW(file.Write("x", 1), std::system_error);  // opened for reading only
}

TEST_F(SimpleFileTest, AFailingReadIsAnIoErrorAndAClosedFileReportsNothing) {
    platform::harness::Session s;
    const std::wstring path = L"C:\\Work\\bytes.bin";
    s.files().write(path, "abc");
    kvio::SimpleFile file;
    EXPECT_EQ(file.GetLength(), 0u);
    EXPECT_FALSE(file.OpenForRead(L"C:\\Work\\missing.bin"));
    ASSERT_TRUE(file.OpenForRead(path.c_str()));
    s.faults().failAt(L"ReadFile 1");
    char out[4];
    try {
        file.Read(out, 3);
        FAIL() << "no exception";
    } catch (const std::system_error& error) {
        EXPECT_EQ(error.code(), std::make_error_code(std::errc::io_error));
    }
}

}  // namespace
