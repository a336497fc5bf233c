#include "platform/kvgc/picture_codec.h"

#include <Magick++.h>

#include <array>
#include <list>
#include <cstdio>
#include <mutex>
#include <stdexcept>

#include "platform/kvgc/plain_bitmap.h"

namespace platform::kvgc {

namespace {

struct FormatName {
    const wchar_t* extension;
    const char* format;
};

constexpr std::array kExtensionFormats{
    FormatName{L".png", "PNG"},  FormatName{L".bmp", "BMP"},   FormatName{L".dib", "BMP"},
    FormatName{L".jpg", "JPEG"}, FormatName{L".jpeg", "JPEG"}, FormatName{L".gif", "GIF"},
    FormatName{L".tif", "TIFF"}, FormatName{L".tiff", "TIFF"}, FormatName{L".pcx", "PCX"},
    FormatName{L".tga", "TGA"},
};

bool sameExtension(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const wchar_t x = a[i] >= L'A' && a[i] <= L'Z' ? a[i] - L'A' + L'a' : a[i];
        if (x != b[i]) return false;
    }
    return true;
}

const char* formatOfExtension(std::wstring_view extension) {
    for (const FormatName& entry : kExtensionFormats)
        if (sameExtension(extension, entry.extension)) return entry.format;
    return nullptr;
}

bool startsWith(std::string_view bytes, std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; }

// The library is set up once per process: no signal handlers of its own (the program has its
// own), one worker thread (deterministic and sanitizer-friendly), pictures of bounded size.
void initialiseLibrary() {
    static std::once_flag once;
    std::call_once(once, [] {
        using namespace MagickLib;
        ExceptionInfo exception;
        GetExceptionInfo(&exception);
        InitializeMagickEx(nullptr, MAGICK_OPT_NO_SIGNAL_HANDER, &exception);
        DestroyExceptionInfo(&exception);
        SetMagickResourceLimit(ThreadsResource, 1);
        SetMagickResourceLimit(PixelsResource, kMaxPicturePixels);
        SetMagickResourceLimit(WidthResource, kMaxPictureSide);
        SetMagickResourceLimit(HeightResource, kMaxPictureSide);
        SetMagickResourceLimit(DiskResource, 0);
    });
}

// The picture read by the named codec alone: Magick++'s blob reading lets the library pick a
// codec by the content whatever format is named, so the codec is pinned here ("PNG:" and the
// affirm flag) through the library's C layer.
MagickLib::Image* readWithCodec(std::string_view bytes, const std::string& format) {
    using namespace MagickLib;
    struct Cleanup {
        ImageInfo* info = CloneImageInfo(nullptr);
        ExceptionInfo exception;
        Cleanup() { GetExceptionInfo(&exception); }
        ~Cleanup() {
            DestroyExceptionInfo(&exception);
            DestroyImageInfo(info);
        }
    } c;
    std::snprintf(c.info->filename, sizeof c.info->filename, "%s:", format.c_str());
    std::snprintf(c.info->magick, sizeof c.info->magick, "%s", format.c_str());
    c.info->affirm = MagickTrue;
    c.info->subimage = 0;
    c.info->subrange = 1;
    Image* image = BlobToImage(c.info, bytes.data(), bytes.size(), &c.exception);
    if (!image) throw std::runtime_error("unreadable picture");
    if (c.exception.severity >= ErrorException) {
        DestroyImageList(image);
        throw std::runtime_error("damaged picture");
    }
    // Only the first frame of a multi-frame picture (an animated GIF, a TIFF with pages) is shown.
    if (Image* rest = image->next) {
        image->next = nullptr;
        rest->previous = nullptr;
        DestroyImageList(rest);
    }
    return image;
}

}  // namespace

std::string pictureFormat(std::string_view bytes, std::wstring_view extension) {
    if (startsWith(bytes, "\x89PNG\r\n\x1a\n")) return "PNG";
    if (startsWith(bytes, "\xFF\xD8\xFF")) return "JPEG";
    if (startsWith(bytes, "GIF87a") || startsWith(bytes, "GIF89a")) return "GIF";
    if (startsWith(bytes, "BM")) return "BMP";
    if (startsWith(bytes, std::string_view("II*\0", 4)) || startsWith(bytes, std::string_view("MM\0*", 4)))
        return "TIFF";
    // Manufacturer 10, a known version, encoding 0 (none) or 1 (run lengths).
    if (bytes.size() >= 3 && bytes[0] == 0x0A && (bytes[1] == 0 || (bytes[1] >= 2 && bytes[1] <= 5)) &&
        (bytes[2] == 0 || bytes[2] == 1))
        return "PCX";
    const char* named = formatOfExtension(extension);
    if (named && std::string_view(named) == "TGA") return named;
    return {};
}

namespace {

// Lays a pixel with its opacity over the background (0x00RRGGBB).
std::uint32_t over(std::uint32_t pixel, std::uint32_t background) {
    const std::uint32_t alpha = pixel >> 24;
    std::uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t front = (pixel >> shift) & 0xFF, back = (background >> shift) & 0xFF;
        result |= ((front * alpha + back * (255 - alpha) + 127) / 255) << shift;
    }
    return result;
}

// The library's pixels, a row at a time, scaled to bytes as the library scales them, each made
// a pixel of the picture by `make` (0xRRGGBB and the opacity byte to what is kept). Rows are
// appended through one buffer of a row: the picture's pixels are written once.
template <class Make>
bool copyPixels(const Magick::Image& image, Picture& picture, Make make) {
    const auto width = static_cast<std::size_t>(picture.width);
    std::vector<std::uint32_t> row(width);
    picture.pixels.reserve(width * static_cast<std::size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        const MagickLib::PixelPacket* from = image.getConstPixels(0, y, static_cast<unsigned>(width), 1);
        if (!from) return false;
        for (std::size_t x = 0; x < width; ++x) {
            const MagickLib::PixelPacket& p = from[x];
            const std::uint32_t rgb = std::uint32_t{ScaleQuantumToChar(p.red)} << 16 |
                                      std::uint32_t{ScaleQuantumToChar(p.green)} << 8 | ScaleQuantumToChar(p.blue);
            row[x] = make(rgb, p.opacity);
        }
        picture.pixels.insert(picture.pixels.end(), row.begin(), row.end());
    }
    return true;
}

}  // namespace

std::optional<Picture> decodePicture(std::string_view bytes, std::wstring_view extension,
                                     std::optional<std::uint32_t> background) {
    // The plain reader takes only files with the bitmap signature, which is how the format is told.
    if (std::optional<Picture> plain = readPlainBitmap(bytes, background.has_value())) return plain;
    return decodePictureWithLibrary(bytes, extension, background);
}

std::optional<Picture> decodePictureWithLibrary(std::string_view bytes, std::wstring_view extension,
                                                std::optional<std::uint32_t> background) {
    const std::string format = pictureFormat(bytes, extension);
    if (format.empty() || bytes.empty()) return std::nullopt;
    initialiseLibrary();
    try {
        Magick::Image image(readWithCodec(bytes, format));
        const std::int64_t width = image.columns(), height = image.rows();
        if (width <= 0 || height <= 0 || width * height > kMaxPicturePixels) return std::nullopt;
        Picture picture;
        picture.width = static_cast<int>(width);
        picture.height = static_cast<int>(height);
        // Without an alpha channel the library's opacity values are undefined: such pictures
        // are opaque.
        bool copied = false;
        if (!image.matte()) {
            const std::uint32_t opaque = background ? 0 : 0xFF000000u;
            copied = copyPixels(image, picture, [opaque](std::uint32_t rgb, MagickLib::Quantum) { return opaque | rgb; });
        } else {
            copied = copyPixels(image, picture, [background](std::uint32_t rgb, MagickLib::Quantum opacity) {
                const std::uint32_t pixel = std::uint32_t{ScaleQuantumToChar(MaxRGB - opacity)} << 24 | rgb;
                return background ? over(pixel, *background) : pixel;
            });
        }
        if (!copied) return std::nullopt;
        return picture;
    } catch (const std::exception&) {
        // The library reports unreadable, truncated and oversized pictures by exception.
        return std::nullopt;
    }
}

namespace {

// The picture as an image of the library (an opaque one without its alpha channel).
Magick::Image imageOf(const Picture& picture) {
    std::vector<unsigned char> bgra(picture.pixels.size() * 4);
    bool opaque = true;
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        const std::uint32_t pixel = picture.pixels[i];
        bgra[i * 4] = static_cast<unsigned char>(pixel);
        bgra[i * 4 + 1] = static_cast<unsigned char>(pixel >> 8);
        bgra[i * 4 + 2] = static_cast<unsigned char>(pixel >> 16);
        bgra[i * 4 + 3] = static_cast<unsigned char>(pixel >> 24);
        opaque = opaque && (pixel >> 24) == 0xFF;
    }
    Magick::Image image;
    image.quiet(true);
    image.read(picture.width, picture.height, opaque ? "BGRP" : "BGRA", Magick::CharPixel, bgra.data());
    if (opaque) image.matte(false);
    image.depth(8);
    return image;
}

bool wellFormed(const Picture& picture) {
    return picture.width > 0 && picture.height > 0 &&
           picture.pixels.size() == static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
}

// A sans-serif face of the system, or empty.
std::string labelFace() {
    for (const char* path : {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                             "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf"})
        if (std::FILE* file = std::fopen(path, "rb")) {
            std::fclose(file);
            return path;
        }
    return {};
}

}  // namespace

std::optional<std::string> encodeLabelledPicture(const Picture& picture, const std::vector<Label>& labels,
                                                 std::wstring_view extension) {
    const char* format = formatOfExtension(extension);
    if (!format || !wellFormed(picture)) return std::nullopt;
    initialiseLibrary();
    try {
        Magick::Image image = imageOf(picture);
        if (const std::string face = labelFace(); !face.empty() && !labels.empty()) {
            std::list<Magick::Drawable> drawing;
            drawing.push_back(Magick::DrawableFont(face));
            drawing.push_back(Magick::DrawablePointSize(11));
            drawing.push_back(Magick::DrawableTextAntialias(true));
            for (const Label& label : labels) {
                char colour[8];
                std::snprintf(colour, sizeof colour, "#%06X", static_cast<unsigned>(label.colour & 0xFFFFFF));
                drawing.push_back(Magick::DrawableFillColor(Magick::Color(colour)));
                drawing.push_back(Magick::DrawableText(label.x, label.y, label.utf8, "UTF-8"));
            }
            image.draw(drawing);
        }
        Magick::Blob blob;
        image.write(&blob, format);
        return std::string(static_cast<const char*>(blob.data()), blob.length());
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<std::string> encodePicture(const Picture& picture, std::wstring_view extension) {
    const char* format = formatOfExtension(extension);
    if (!format || !wellFormed(picture)) return std::nullopt;
    initialiseLibrary();
    try {
        Magick::Image image = imageOf(picture);
        Magick::Blob blob;
        image.write(&blob, format);
        return std::string(static_cast<const char*>(blob.data()), blob.length());
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace platform::kvgc
