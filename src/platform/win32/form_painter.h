#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "forms/form.h"
#include "platform/win32/handles.h"
#include "platform/win32/units.h"

namespace quorvel::platform::win32 {

// Paints one form into an off-screen 32-bpp picture and copies it to the window in one go, so
// the bar never flickers while its opening animation resizes it many times a second.
class FormPainter {
public:
    void paint(const forms::Form& form, HDC target, int width, int height, int dpi);
    // Frees the off-screen picture until the next paint; the fonts stay.
    void releaseBuffer() noexcept;

private:
    struct FontEntry {
        forms::Font font;
        int dpi;
        bool keyed;
        UniqueFont handle;
    };

    bool ensureBuffer(HDC reference, int width, int height);
    HFONT fontFor(const forms::Font& font, int dpi, bool keyed);
    void drawImage(const forms::Image& image, int dpi, bool keyed);
    void drawLabel(const forms::Label& label, int dpi, bool keyed);
    // The label's font, made smaller as far as it takes for the text to fit on one line.
    HFONT oneLineFont(const forms::Label& label, const std::wstring& text, int width, int dpi,
                      bool keyed);
    void drawFocusMark(const forms::ItemRow& row, int dpi);
    void frame(const PixelBox& box, int thickness, std::uint32_t colour);

    UniqueBitmap bitmap_;  // declared before the DC so the DC lets go of it first
    MemoryDc dc_;
    std::uint32_t* bits_ = nullptr;
    int bufferWidth_ = 0;
    int bufferHeight_ = 0;
    int width_ = 0;  // the part of the buffer this paint uses
    int height_ = 0;
    std::vector<FontEntry> fonts_;
};

}  // namespace quorvel::platform::win32
