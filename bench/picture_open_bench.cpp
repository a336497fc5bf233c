// Opening a picture as a picture document does (the file read, decoded and made a bitmap) against
// the graphics library's own decode of the same file on one thread into a picture of four bytes
// a pixel (its reading, then its own export of the pixels). Each runs in a child process of its
// own, so that each peak of memory is its own: `x_decode` is the open's time against that decode,
// `x_memory` the open's peak memory growth against the decode's, which holds the decoded picture
// and the library's buffers; `x_read` is the open's time against the library's reading alone.
// The benchmark is the one place besides the codec that calls the library, to measure against it.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <Magick++.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include "bench/bench_support.h"
#include "bench/child.h"
#include "platform/harness.h"
#include "platform/kvgc.h"
#include "platform/kvgc/picture_codec.h"
#include "platform/win32.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double millisSince(Clock::time_point begin) {
    return std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
}

double residentMb() {
    long pages = 0, resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

double peakMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

std::string readHostFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The library's decode alone, set up as the codec sets it up (one thread).
MagickLib::Image* libraryDecode(const std::string& bytes, const char* format) {
    using namespace MagickLib;
    ImageInfo* info = CloneImageInfo(nullptr);
    ExceptionInfo exception;
    GetExceptionInfo(&exception);
    std::snprintf(info->filename, sizeof info->filename, "%s:", format);
    std::snprintf(info->magick, sizeof info->magick, "%s", format);
    info->affirm = MagickTrue;
    Image* image = BlobToImage(info, bytes.data(), bytes.size(), &exception);
    DestroyExceptionInfo(&exception);
    DestroyImageInfo(info);
    return image;
}

// "picture-decode FILE FORMAT SMALL-FILE": milliseconds of the reading, milliseconds of the whole
// decode, its peak memory growth (MiB), pixels.
int decodeChild(const std::vector<std::string>& arguments) {
    if (arguments.size() != 3) return 2;
    {
        using namespace MagickLib;
        ExceptionInfo exception;
        GetExceptionInfo(&exception);
        InitializeMagickEx(nullptr, MAGICK_OPT_NO_SIGNAL_HANDER, &exception);
        DestroyExceptionInfo(&exception);
        SetMagickResourceLimit(ThreadsResource, 1);
    }
    // A small picture first, as the open does: the library's own set-up is not measured.
    const std::string warmUp = readHostFile(arguments[2]);
    if (MagickLib::Image* image = libraryDecode(warmUp, arguments[1].c_str())) MagickLib::DestroyImage(image);
    const std::string bytes = readHostFile(arguments[0]);
    const double before = residentMb();
    const auto begin = Clock::now();
    MagickLib::Image* image = libraryDecode(bytes, arguments[1].c_str());
    const double readMs = millisSince(begin);
    if (!image) return 3;
    std::vector<std::uint32_t> picture(static_cast<std::size_t>(image->columns) * image->rows);
    MagickLib::ExceptionInfo exception;
    MagickLib::GetExceptionInfo(&exception);
    const bool exported = MagickLib::DispatchImage(image, 0, 0, image->columns, image->rows, "BGRA", MagickLib::CharPixel,
                                                   picture.data(), &exception) != MagickFail;
    MagickLib::DestroyExceptionInfo(&exception);
    const double pixels = static_cast<double>(image->columns) * static_cast<double>(image->rows);
    MagickLib::DestroyImage(image);
    const double ms = millisSince(begin);
    benchmark::DoNotOptimize(picture.data());
    if (!exported) return 4;
    std::printf("%f %f %f %f\n", readMs, ms, peakMb() - before, pixels);
    return 0;
}
const bool decodeRegistered = bench::registerChild("picture-decode", decodeChild);

// "picture-open FILE EXTENSION SMALL-FILE": milliseconds, peak memory growth (MiB).
int openChild(const std::vector<std::string>& arguments) {
    if (arguments.size() != 3) return 2;
    platform::harness::Session session;
    const std::wstring folder = L"C:\\Users\\user\\Pictures\\";
    const std::wstring extension(arguments[1].begin(), arguments[1].end());
    const std::wstring picture = folder + L"picture" + extension, small = folder + L"small" + extension;
    std::error_code ignored;
    fs::create_directories(session.files().hostPath(folder), ignored);
    fs::copy_file(arguments[0], session.files().hostPath(picture), ignored);
    fs::copy_file(arguments[2], session.files().hostPath(small), ignored);
    if (HBITMAP warmUp = Korvo::CreateImageBitmap(small.c_str(), RGB(125, 125, 125))) DeleteObject(warmUp);
    const double before = residentMb();
    const auto begin = Clock::now();
    HBITMAP bitmap = Korvo::CreateImageBitmap(picture.c_str(), RGB(125, 125, 125));
    const double ms = millisSince(begin);
    if (!bitmap) return 3;
    const double peak = peakMb() - before;
    DeleteObject(bitmap);
    std::printf("%f %f\n", ms, peak);
    return 0;
}
const bool openRegistered = bench::registerChild("picture-open", openChild);

// A picture with something in it for the codecs to work on: smooth colour with a fine pattern.
platform::kvgc::Picture samplePicture(int width, int height) {
    platform::kvgc::Picture picture{width, height, {}};
    picture.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t r = static_cast<std::uint32_t>(x * 255 / width), g = static_cast<std::uint32_t>(y * 255 / height);
            const std::uint32_t b = static_cast<std::uint32_t>((x * 7 + y * 13) % 256);
            picture.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] =
                0xFF000000u | r << 16 | g << 8 | b;
        }
    }
    return picture;
}

bool writePicture(const platform::kvgc::Picture& picture, const fs::path& path) {
    const std::optional<std::string> bytes = platform::kvgc::encodePicture(picture, path.extension().wstring());
    if (!bytes) return false;
    std::ofstream(path, std::ios::binary) << *bytes;
    return true;
}

void BM_PictureOpen(benchmark::State& state) {
    if (!bench::mayRun(state)) return;
    const bool jpeg = state.range(0) != 0;
    const std::string extension = jpeg ? ".jpg" : ".png";
    const char* format = jpeg ? "JPEG" : "PNG";
    // The smoke run only checks that both sides run: a small picture will do.
    const int width = bench::smokeRun() ? 600 : 6000, height = bench::smokeRun() ? 400 : 4000;
    std::error_code ignored;
    std::string folder = (fs::temp_directory_path(ignored) / "korvo-bench-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) {
        bench::failBeforeLoop(state, "cannot create a folder for the pictures");
        return;
    }
    const std::string file = folder + "/picture" + extension, small = folder + "/small" + extension;
    if (!writePicture(samplePicture(width, height), file) || !writePicture(samplePicture(16, 16), small)) {
        bench::failBeforeLoop(state, "cannot write the pictures");
        fs::remove_all(folder, ignored);
        return;
    }
    double openMs = 0, readMs = 0, decodeMs = 0, openPeak = 0, decodePeak = 0;
    for (auto _ : state) {
        std::vector<double> decoded, opened;
        std::string error;
        if (!bench::runChild("picture-decode", {file, format, small}, decoded, error) || decoded.size() != 4 ||
            !bench::runChild("picture-open", {file, extension, small}, opened, error) || opened.size() != 2) {
            bench::fail(state, error.empty() ? "a child printed no figures" : error.c_str());
            break;
        }
        state.SetIterationTime(opened[0] / 1e3);
        readMs += decoded[0];
        decodeMs += decoded[1];
        decodePeak = std::max(decodePeak, decoded[2]);
        openMs += opened[0];
        openPeak = std::max(openPeak, opened[1]);
    }
    fs::remove_all(folder, ignored);
    const double n = static_cast<double>(state.iterations());
    if (n == 0 || decodeMs <= 0 || readMs <= 0 || decodePeak <= 0) return;
    state.counters["open_ms"] = openMs / n;
    state.counters["decode_ms"] = decodeMs / n;
    state.counters["read_ms"] = readMs / n;
    state.counters["x_decode"] = openMs / decodeMs;
    state.counters["x_read"] = openMs / readMs;
    state.counters["open_peak_mb"] = openPeak;
    state.counters["decode_peak_mb"] = decodePeak;
    state.counters["x_memory"] = openPeak / decodePeak;
}
BENCHMARK(BM_PictureOpen)
    ->ArgName("jpeg")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(bench::iterations(3));

}  // namespace
