#include "platform/win32/pictures.h"

#include <memory>
#include <new>
#include <optional>
#include <string>

#include "platform/win32/host_picture.h"
#include "platform/win32/strconv.h"
#include "resources/bitmap_files.h"
#include "resources/builtin_art.h"
#include "resources/icon_file.h"

namespace quorvel::platform::win32 {

namespace {

// Bitmaps and icons up to this size are decoded by the program itself; larger ones are left to
// the imaging component rather than read into memory whole.
constexpr std::size_t kMaxOwnDecoding = 4U << 20U;

// Up to `limit` of the file's first bytes; empty when it cannot be read.
std::string bytesOf(const std::wstring& path, std::size_t limit) {
    KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return {};
    }
    // No more room than the file needs: a link's picture is often a few kilobytes, and the
    // room taken for each picture at start stays with the program as free heap.
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.get(), &size) != 0 && size.QuadPart >= 0 &&
        static_cast<unsigned long long>(size.QuadPart) < limit) {
        limit = static_cast<std::size_t>(size.QuadPart);
    }
    std::string bytes(limit, '\0');
    DWORD got = 0;
    if (ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) == 0) {
        return {};
    }
    bytes.resize(got);
    return bytes;
}

// A bitmap or icon file decoded without the imaging component, when it is one of the kinds
// resources/bitmap_files.h takes.
std::optional<resources::PixelImage> ownDecoding(const std::wstring& path, std::string head,
                                                 forms::PictureFormat format) {
    if (format != forms::PictureFormat::Bitmap && format != forms::PictureFormat::Icon) {
        return std::nullopt;
    }
    const std::string bytes = head.size() < forms::kPictureHeaderBytes
                                  ? std::move(head)
                                  : bytesOf(path, kMaxOwnDecoding + 1);
    if (bytes.size() > kMaxOwnDecoding) {
        return std::nullopt;
    }
    return format == forms::PictureFormat::Bitmap ? resources::decodeBitmapFile(bytes)
                                                  : resources::decodeIconFile(bytes);
}

// An icon file holds several sizes; the largest looks best once scaled to the item.
ComPtr<IWICBitmapFrameDecode> largestFrame(IWICBitmapDecoder& decoder) {
    ComPtr<IWICBitmapFrameDecode> best;
    UINT frames = 0;
    if (FAILED(decoder.GetFrameCount(&frames))) {
        return best;
    }
    unsigned long long bestArea = 0;
    for (UINT i = 0; i < frames && i < 64; ++i) {
        ComPtr<IWICBitmapFrameDecode> frame;
        UINT w = 0;
        UINT h = 0;
        if (FAILED(decoder.GetFrame(i, frame.put())) || FAILED(frame->GetSize(&w, &h))) {
            continue;
        }
        if (!best || static_cast<unsigned long long>(w) * h > bestArea) {
            bestArea = static_cast<unsigned long long>(w) * h;
            best = std::move(frame);
        }
    }
    return best;
}

// The decoded pixels, when the picture is of a size the bar may show.
forms::PictureRef pictureOf(const std::string& path, IWICBitmapSource& source) {
    UINT w = 0;
    UINT h = 0;
    if (FAILED(source.GetSize(&w, &h)) || w == 0 || h == 0 || w > WicPictures::kMaxSide ||
        h > WicPictures::kMaxSide ||
        static_cast<unsigned long long>(w) * h > WicPictures::kMaxPixels) {
        return nullptr;
    }
    try {
        resources::PixelImage pixels(static_cast<int>(w), static_cast<int>(h));
        const UINT stride = w * 4;
        if (FAILED(source.CopyPixels(nullptr, stride, static_cast<UINT>(pixels.pixels.size() * 4),
                                     reinterpret_cast<BYTE*>(pixels.pixels.data())))) {
            return nullptr;
        }
        return std::make_shared<FilePicture>(path, std::move(pixels));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace

IWICImagingFactory* WicPictures::factory() {
    if (!factory_) {
        // COM and the imaging component are brought in by the first picture file the program
        // does not decode itself, not at start: a bar showing only built-in pictures, bitmaps
        // and icons opens sooner and stays smaller.
        if (!com_) {
            com_.emplace(failures_);
        }
        com_->createInstance(CLSID_WICImagingFactory, IID_IWICImagingFactory, factory_.putVoid());
    }
    return factory_.get();
}

forms::PictureRef WicPictures::load(const std::string& path) {
    if (path.empty()) {
        return nullptr;
    }
    const std::wstring wide = toWide(path);
    // Checked before the imaging component (and COM) is even loaded for it.
    std::string head = bytesOf(wide, forms::kPictureHeaderBytes);
    const std::optional<forms::PictureHeader> header = forms::readPictureHeader(head);
    if (!header) {
        return nullptr;
    }
    try {
        if (auto own = ownDecoding(wide, std::move(head), header->format)) {
            return std::make_shared<FilePicture>(path, std::move(*own));
        }
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    IWICImagingFactory* wic = factory();
    if (wic == nullptr) {
        return nullptr;
    }
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(wic->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ,
                                              WICDecodeMetadataCacheOnDemand, decoder.put()))) {
        return nullptr;
    }
    ComPtr<IWICBitmapFrameDecode> best = largestFrame(*decoder.get());
    if (!best) {
        return nullptr;
    }
    ComPtr<IWICFormatConverter> converted;
    if (FAILED(wic->CreateFormatConverter(converted.put())) ||
        FAILED(converted->Initialize(best.get(), GUID_WICPixelFormat32bppPBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom))) {
        return nullptr;
    }
    return pictureOf(path, *converted.get());
}

forms::PictureRef WicPictures::builtin(forms::BuiltinPicture which) {
    // One shared picture per kind: images showing the same built-in share its drawn sizes.
    auto index = static_cast<std::size_t>(which);
    if (index >= builtins_.size()) {
        return nullptr;
    }
    if (!builtins_[index]) {
        builtins_[index] = std::make_shared<BuiltinPicture>(which);
    }
    return builtins_[index];
}

std::string WicPictures::iconFileOf(forms::BuiltinPicture which) {
    return resources::encodeIco(
        {resources::drawBuiltin(which, 32, 32), resources::drawBuiltin(which, 48, 48)});
}

}  // namespace quorvel::platform::win32
