// The built-in pictures, the scaler, the icon writer and decoding picture files. Windows build
// only: the decoding goes through the system's imaging component.
#ifdef _WIN32

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/win32/failure_log.h"
#include "platform/win32/handles.h"
#include "platform/win32/host_picture.h"
#include "platform/win32/pictures.h"
#include "resources/builtin_art.h"
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
