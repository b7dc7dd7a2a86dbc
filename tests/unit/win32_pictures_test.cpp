// The built-in pictures, the scaler, the icon writer and decoding picture files. Windows build
// only: the decoding goes through the system's imaging component.
#ifdef _WIN32

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/failure_log.h"
#include "platform/win32/handles.h"
#include "platform/win32/host_picture.h"
#include "platform/win32/pictures.h"
#include "resources/bitmap_files.h"
#include "resources/builtin_art.h"
#include "resources/canvas.h"
#include "resources/icon_file.h"
#include "resources/pixel_image.h"

namespace quorvel {
namespace {

using forms::BuiltinPicture;
using resources::PixelImage;

constexpr std::uint32_t kOpaqueRed = 0xFFFF0000U;

PixelImage filled(int w, int h, std::uint32_t px) {
    PixelImage img(w, h);
    std::fill(img.pixels.begin(), img.pixels.end(), px);
    return img;
}

bool premultiplied(const PixelImage& img) {
    for (std::uint32_t px : img.pixels) {
        const std::uint32_t a = px >> 24U;
        if ((px & 0xFFU) > a || ((px >> 8U) & 0xFFU) > a || ((px >> 16U) & 0xFFU) > a) {
            return false;
        }
    }
    return true;
}

TEST(Resample, KeepsAnEvenColourEvenAtEverySize) {
    const PixelImage src = filled(7, 5, kOpaqueRed);
    for (auto [w, h] : {std::pair{3, 2}, {7, 5}, {20, 13}, {1, 1}}) {
        const PixelImage out = resources::resample(src, w, h);
        ASSERT_EQ(out.width, w);
        ASSERT_EQ(out.height, h);
        for (std::uint32_t px : out.pixels) {
            EXPECT_EQ(px, kOpaqueRed) << w << "x" << h;
        }
    }
}

TEST(Resample, ShrinkingAveragesSoAThinLineSurvives) {
    PixelImage src(8, 8);
    for (int y = 0; y < 8; ++y) {
        src.pixels[static_cast<std::size_t>(y * 8 + 3)] = 0xFF000000U;  // opaque black column 3
    }
    const PixelImage out = resources::resample(src, 2, 2);
    // Column 3 falls in the left half: a quarter of its area, never dropped.
    EXPECT_EQ(resources::alphaOf(out.at(0, 0)), 64U);
    EXPECT_EQ(resources::alphaOf(out.at(1, 0)), 0U);
    EXPECT_TRUE(premultiplied(out));
}

TEST(Resample, EmptyInputOrSizeGivesAnEmptyPicture) {
    EXPECT_TRUE(resources::resample(PixelImage{}, 4, 4).empty());
    EXPECT_TRUE(resources::resample(filled(2, 2, kOpaqueRed), 0, 4).empty());
    EXPECT_TRUE(resources::resample(filled(2, 2, kOpaqueRed), 4, -1).empty());
}

TEST(BuiltinArt, EveryPictureIsDrawnAtTheSizeItIsShownAt) {
    for (int which = 0; which < forms::kBuiltinPictureCount; ++which) {
        const auto picture = static_cast<BuiltinPicture>(which);
        const forms::Rect natural = resources::naturalSize(picture);
        for (int dpi : {96, 144}) {
            const int w = natural.width * dpi / 1440;
            const int h = natural.height * dpi / 1440;
            const PixelImage img = resources::drawBuiltin(picture, w, h);
            ASSERT_EQ(img.width, w) << which;
            ASSERT_EQ(img.height, h) << which;
            EXPECT_TRUE(premultiplied(img)) << which;
            const auto shown = std::count_if(img.pixels.begin(), img.pixels.end(),
                                             [](std::uint32_t px) { return (px >> 24U) >= 128U; });
            EXPECT_GT(shown, 0) << "picture " << which << " draws nothing visible at " << dpi;
        }
    }
    EXPECT_TRUE(resources::drawBuiltin(BuiltinPicture::MyComputer, 0, 0).empty());
}

TEST(BuiltinArt, SizesTheBarExpects) {
    EXPECT_EQ(resources::naturalSize(BuiltinPicture::CloseButton), (forms::Rect{0, 0, 225, 225}));
    EXPECT_EQ(resources::naturalSize(BuiltinPicture::Divider), (forms::Rect{0, 0, 240, 480}));
    EXPECT_EQ(resources::naturalSize(BuiltinPicture::TaskbarUp), (forms::Rect{0, 0, 235, 300}));
    EXPECT_EQ(resources::naturalSize(BuiltinPicture::RecycleBinFull),
              (forms::Rect{0, 0, 480, 480}));
}

TEST(BuiltinArt, RoundPicturesLeaveTheirCornersSeeThrough) {
    // A corner pixel of the key colour's neighbour would show as a square on a transparent bar.
    for (BuiltinPicture p : {BuiltinPicture::CloseButton, BuiltinPicture::ProgramIcon,
                             BuiltinPicture::MyComputer, BuiltinPicture::RecycleBinEmpty}) {
        const PixelImage img = resources::drawBuiltin(p, 30, 30);
        EXPECT_EQ(resources::alphaOf(img.at(0, 0)), 0U);
        EXPECT_EQ(resources::alphaOf(img.at(29, 29)), 0U);
    }
    const PixelImage full = resources::drawBuiltin(BuiltinPicture::RecycleBinFull, 32, 32);
    const PixelImage empty = resources::drawBuiltin(BuiltinPicture::RecycleBinEmpty, 32, 32);
    EXPECT_NE(full.pixels, empty.pixels);
}

TEST(BuiltinArt, LaterFillsLieOverEarlierOnesWhereTheDesignIsCentred) {
    // A 6 x 2 design in a 12 x 2 picture: scaled by 1, centred with 3 pixels either side.
    resources::Canvas c(12, 2, 6, 2);
    c.fill(resources::roundRect(0, 0, 6, 2, 0), resources::rgb(0x0000FF));
    c.fill(resources::roundRect(3, 0, 6, 1, 0), resources::rgb(0xFF0000, 0.5F));
    c.fill(resources::roundRect(3.5F, 1, 6, 2, 0), resources::rgb(0x00FF00));
    const PixelImage img = c.take();
    ASSERT_EQ(img.pixels.size(), 24U);
    EXPECT_EQ(img.at(2, 0), 0U);           // outside the design
    EXPECT_EQ(img.at(3, 0), 0xFF0000FFU);  // only the first fill
    EXPECT_EQ(img.at(7, 0), 0xFF800080U);  // half red over blue, top row only
    EXPECT_EQ(img.at(5, 1), 0xFF0000FFU);
    EXPECT_EQ(img.at(6, 1), 0xFF008080U);  // half covered by the green edge
    EXPECT_EQ(img.at(7, 1), 0xFF00FF00U);
    EXPECT_EQ(img.at(9, 1), 0U);
}

std::uint32_t read16(const std::string& b, std::size_t at) {
    return static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8U);
}

TEST(IconFile, DirectoryListsEachUsableSize) {
    const std::string bytes =
        resources::encodeIco({filled(16, 16, kOpaqueRed), filled(256, 256, kOpaqueRed),
                              filled(0, 0, 0), filled(300, 300, kOpaqueRed)});
    ASSERT_GE(bytes.size(), 6U + 2 * 16U);
    EXPECT_EQ(read16(bytes, 2), 1U);  // an icon, not a cursor
    EXPECT_EQ(read16(bytes, 4), 2U);  // the empty and the oversized picture are left out
    EXPECT_EQ(static_cast<unsigned char>(bytes[6]), 16U);
    EXPECT_EQ(static_cast<unsigned char>(bytes[6 + 16]), 0U);  // 256 is written as 0
    EXPECT_EQ(read16(bytes, 6 + 6), 32U);                      // bits per pixel
}

std::string utf8(const std::filesystem::path& p) {
    const std::u8string s = p.u8string();
    return {s.begin(), s.end()};
}

std::filesystem::path fromUtf8(const std::string& s) {
    return std::filesystem::path(std::u8string(s.begin(), s.end()));
}

class PictureFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / "quorvel-pictures-test";
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string write(const std::string& name, const std::string& bytes) {
        const auto path = dir_ / fromUtf8(name);
        std::ofstream(path, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return utf8(path);
    }

    platform::win32::ComScope com_;
    platform::win32::FailureLog failures_;
    platform::win32::WicPictures pictures_{failures_};
    std::filesystem::path dir_;
};

TEST_F(PictureFiles, AnIconFileLoadsItsLargestSizeAtFifteenTwipsPerPixel) {
    const std::string path =
        write("アイコン.ico",
              resources::encodeIco({filled(16, 16, kOpaqueRed), filled(48, 48, kOpaqueRed),
                                    filled(32, 32, kOpaqueRed)}));
    const forms::PictureRef picture = pictures_.load(path);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->naturalSize(), (forms::Rect{0, 0, 720, 720}));
    EXPECT_EQ(picture->source(), path);
    const auto& host = dynamic_cast<const platform::win32::HostPicture&>(*picture);
    const PixelImage& shown = host.pixelsAt(24, 24);
    ASSERT_EQ(shown.width, 24);
    EXPECT_EQ(shown.at(12, 12), kOpaqueRed);
}

TEST_F(PictureFiles, WhatIsNotAReadablePictureGivesNoPicture) {
    std::string hugeBmp = "BM";
    hugeBmp += std::string(12, '\0');
    // BITMAPINFOHEADER claiming 100000 x 100000 pixels at 32 bits, with no pixel data at all.
    const unsigned char header[] = {40, 0, 0, 0, 0xA0, 0x86, 0x01, 0, 0xA0, 0x86, 0x01, 0, 1, 0,
                                    32, 0, 0, 0, 0,    0,    0,    0, 0,    0,    0,    0, 0, 0,
                                    0,  0, 0, 0, 0,    0,    0,    0, 0,    0,    0,    0};
    hugeBmp.append(reinterpret_cast<const char*>(header), sizeof(header));
    hugeBmp[10] = 54;  // pixel data offset

    EXPECT_EQ(pictures_.load(write("text.png", "this is not a picture")), nullptr);
    EXPECT_EQ(pictures_.load(write("empty.jpg", "")), nullptr);
    EXPECT_EQ(pictures_.load(write("huge.bmp", hugeBmp)), nullptr);
    EXPECT_EQ(pictures_.load(utf8(dir_ / "missing.gif")), nullptr);
    EXPECT_EQ(pictures_.load(""), nullptr);
    EXPECT_EQ(pictures_.load(utf8(dir_)), nullptr);  // a folder
}

void add16(std::string& out, std::uint32_t v) {
    out.push_back(static_cast<char>(v & 0xFFU));
    out.push_back(static_cast<char>((v >> 8U) & 0xFFU));
}
void add32(std::string& out, std::uint32_t v) {
    add16(out, v & 0xFFFFU);
    add16(out, v >> 16U);
}

// A bitmap's header, palette and rows (bottom row first unless `topDown`); of an icon's picture
// also its mask, a pixel masked where `value` has bit 31 set. `value` gives a palette index at 8
// bits or fewer, otherwise the pixel's bytes (blue lowest).
std::string dib(int w, int h, int bits, int colours, bool icon, bool topDown,
                const std::function<std::uint32_t(int, int)>& value) {
    std::string out;
    add32(out, 40);
    add32(out, static_cast<std::uint32_t>(w));
    add32(out, static_cast<std::uint32_t>(topDown ? -h : (icon ? 2 * h : h)));
    add16(out, 1);
    add16(out, static_cast<std::uint32_t>(bits));
    out.append(16, '\0');
    add32(out, static_cast<std::uint32_t>(colours));
    add32(out, 0);
    for (int i = 0; i < colours; ++i) {
        add32(out, static_cast<std::uint32_t>(i * 0x0A1B2C) & 0xFFFFFFU);
    }
    const auto rows = [&](int rowBits, const std::function<std::uint32_t(int, int)>& of) {
        const std::size_t stride = (static_cast<std::size_t>(w) * rowBits + 31) / 32 * 4;
        for (int r = 0; r < h; ++r) {
            const int y = topDown ? r : h - 1 - r;
            std::string row(stride, '\0');
            for (int x = 0; x < w; ++x) {
                const std::uint32_t v = of(x, y);
                if (rowBits >= 24) {
                    for (int k = 0; k < rowBits / 8; ++k) {
                        row[static_cast<std::size_t>(x * rowBits / 8 + k)] =
                            static_cast<char>((v >> (8 * k)) & 0xFFU);
                    }
                } else {
                    const int bit = x * rowBits;
                    auto& byte = row[static_cast<std::size_t>(bit / 8)];
                    byte = static_cast<char>(
                        static_cast<unsigned char>(byte) |
                        ((v & ((1U << rowBits) - 1U)) << (8 - rowBits - bit % 8)));
                }
            }
            out += row;
        }
    };
    rows(bits, [&](int x, int y) { return value(x, y) & 0x7FFFFFFFU; });
    if (icon) {
        rows(1, [&](int x, int y) { return value(x, y) >> 31U; });
    }
    return out;
}

std::string bitmapFile(const std::string& dibBytes, int colours) {
    std::string out = "BM";
    add32(out, static_cast<std::uint32_t>(14 + dibBytes.size()));
    add32(out, 0);
    add32(out, static_cast<std::uint32_t>(14 + 40 + 4 * colours));
    return out + dibBytes;
}

std::string iconFile(const std::vector<std::pair<int, std::string>>& pictures) {
    std::string out;
    add16(out, 0);
    add16(out, 1);
    add16(out, static_cast<std::uint32_t>(pictures.size()));
    auto offset = static_cast<std::uint32_t>(6 + 16 * pictures.size());
    for (const auto& [side, bytes] : pictures) {
        out.push_back(static_cast<char>(side));
        out.push_back(static_cast<char>(side));
        out.append(6, '\0');
        add32(out, static_cast<std::uint32_t>(bytes.size()));
        add32(out, offset);
        offset += static_cast<std::uint32_t>(bytes.size());
    }
    for (const auto& picture : pictures) {
        out += picture.second;
    }
    return out;
}

// The imaging component's own reading of a file: its largest frame, premultiplied.
std::optional<PixelImage> readByTheImagingComponent(const std::string& path) {
    using platform::win32::ComPtr;
    ComPtr<IWICImagingFactory> wic;
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, wic.putVoid())) ||
        FAILED(wic->CreateDecoderFromFilename(fromUtf8(path).c_str(), nullptr, GENERIC_READ,
                                              WICDecodeMetadataCacheOnDemand, decoder.put()))) {
        return std::nullopt;
    }
    UINT frames = 0;
    decoder->GetFrameCount(&frames);
    ComPtr<IWICBitmapFrameDecode> best;
    UINT bw = 0, bh = 0;
    for (UINT i = 0; i < frames; ++i) {
        ComPtr<IWICBitmapFrameDecode> frame;
        UINT w = 0, h = 0;
        if (SUCCEEDED(decoder->GetFrame(i, frame.put())) && SUCCEEDED(frame->GetSize(&w, &h)) &&
            (!best || w * h > bw * bh)) {
            best = std::move(frame);
            bw = w;
            bh = h;
        }
    }
    ComPtr<IWICFormatConverter> converted;
    if (!best || FAILED(wic->CreateFormatConverter(converted.put())) ||
        FAILED(converted->Initialize(best.get(), GUID_WICPixelFormat32bppPBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom))) {
        return std::nullopt;
    }
    PixelImage image(static_cast<int>(bw), static_cast<int>(bh));
    if (FAILED(converted->CopyPixels(nullptr, bw * 4, static_cast<UINT>(image.pixels.size() * 4),
                                     reinterpret_cast<BYTE*>(image.pixels.data())))) {
        return std::nullopt;
    }
    return image;
}

// Bitmaps and icons of every kind the program decodes itself come out as the imaging component
// reads them (a channel may differ by one where it is premultiplied).
TEST_F(PictureFiles, BitmapsAndIconsDecodedByTheProgramMatchTheImagingComponent) {
    const auto colourful = [](int x, int y) {
        return static_cast<std::uint32_t>((x * 37 + y * 11) & 0xFF) |
               (static_cast<std::uint32_t>((x * 5 + y * 70) & 0xFF) << 8U) |
               (static_cast<std::uint32_t>((200 - x * 3) & 0xFF) << 16U);
    };
    const auto withAlpha = [&](int x, int y) {
        return colourful(x, y) | (static_cast<std::uint32_t>((x * 40 + y * 9) % 256) << 24U);
    };
    const auto index = [](int colours) {
        return
            [colours](int x, int y) { return static_cast<std::uint32_t>((x + 2 * y) % colours); };
    };
    const auto maskedCorner = [](const std::function<std::uint32_t(int, int)>& value) {
        return [value](int x, int y) { return value(x, y) | (x + y < 3 ? 0x80000000U : 0U); };
    };
    struct Case {
        const char* name;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"24 bits.bmp", bitmapFile(dib(5, 3, 24, 0, false, false, colourful), 0)},
        {"32 bits top down.bmp", bitmapFile(dib(3, 4, 32, 0, false, true, withAlpha), 0)},
        {"8 bits.bmp", bitmapFile(dib(7, 2, 8, 20, false, false, index(20)), 20)},
        {"4 bits.bmp", bitmapFile(dib(3, 3, 4, 16, false, false, index(16)), 16)},
        {"1 bit.bmp", bitmapFile(dib(9, 2, 1, 2, false, false, index(2)), 2)},
        {"alpha.ico", iconFile({{16, dib(16, 16, 32, 0, true, false, withAlpha)},
                                {48, dib(48, 48, 32, 0, true, false, withAlpha)},
                                {48, dib(48, 48, 32, 0, true, false, colourful)}})},
        {"no alpha.ico", iconFile({{6, dib(6, 6, 32, 0, true, false, maskedCorner(colourful))}})},
        {"24 bits.ico", iconFile({{5, dib(5, 5, 24, 0, true, false, maskedCorner(colourful))}})},
        {"4 bits.ico", iconFile({{7, dib(7, 7, 4, 16, true, false, maskedCorner(index(16)))}})},
        {"written.ico",
         resources::encodeIco({filled(16, 16, kOpaqueRed), filled(32, 32, 0x80402010U)})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const bool icon = std::string(c.name).ends_with(".ico");
        const auto own =
            icon ? resources::decodeIconFile(c.bytes) : resources::decodeBitmapFile(c.bytes);
        const auto system = readByTheImagingComponent(write(c.name, c.bytes));
        ASSERT_TRUE(own.has_value());
        ASSERT_TRUE(system.has_value());
        ASSERT_EQ(own->width, system->width);
        ASSERT_EQ(own->height, system->height);
        int differing = 0;
        for (std::size_t i = 0; i < own->pixels.size(); ++i) {
            for (unsigned shift = 0; shift < 32; shift += 8) {
                const int a = static_cast<int>((own->pixels[i] >> shift) & 0xFFU);
                const int b = static_cast<int>((system->pixels[i] >> shift) & 0xFFU);
                differing += std::abs(a - b) > (shift == 24 ? 0 : 1) ? 1 : 0;
            }
        }
        EXPECT_EQ(differing, 0);
    }
}

// What the program does not decode itself is left to the imaging component: coded bitmaps, an
// icon holding a PNG picture, a file cut short, a palette index beyond the palette.
TEST(BitmapFiles, WhatTheProgramDoesNotDecodeItselfIsLeftToTheImagingComponent) {
    const auto index = [](int x, int) { return static_cast<std::uint32_t>(x); };
    std::string coded = bitmapFile(dib(4, 1, 8, 4, false, false, index), 4);
    coded[14 + 16] = 1;  // BI_RLE8
    const std::string whole = bitmapFile(dib(4, 1, 8, 4, false, false, index), 4);
    const std::string beyond = bitmapFile(dib(4, 1, 8, 3, false, false, index), 3);
    const std::string png = "\x89PNG\r\n\x1a\n" + std::string(40, '\0');
    const std::string icon = iconFile({{4, dib(4, 4, 32, 0, true, false, index)}});
    EXPECT_TRUE(resources::decodeBitmapFile(whole).has_value());
    EXPECT_FALSE(resources::decodeBitmapFile(coded).has_value());
    EXPECT_FALSE(resources::decodeBitmapFile(whole.substr(0, whole.size() - 1)).has_value());
    EXPECT_FALSE(resources::decodeBitmapFile(beyond).has_value());
    EXPECT_TRUE(resources::decodeIconFile(icon).has_value());
    EXPECT_FALSE(resources::decodeIconFile(icon.substr(0, icon.size() - 1)).has_value());
    EXPECT_FALSE(
        resources::decodeIconFile(iconFile({{4, dib(4, 4, 32, 0, true, false, index)}, {64, png}}))
            .has_value());
}

TEST_F(PictureFiles, BuiltinPicturesAreSharedAndDrawnAtAnySize) {
    const forms::PictureRef a = pictures_.builtin(BuiltinPicture::Divider);
    EXPECT_EQ(a, pictures_.builtin(BuiltinPicture::Divider));
    EXPECT_NE(a, pictures_.builtin(BuiltinPicture::Background));
    EXPECT_EQ(a->source(), "builtin:Divider");
    const auto& host = dynamic_cast<const platform::win32::HostPicture&>(*a);
    EXPECT_EQ(host.pixelsAt(24, 48).height, 48);
    EXPECT_EQ(host.pixelsAt(16, 32).height, 32);
}

}  // namespace
}  // namespace quorvel

#endif  // _WIN32
