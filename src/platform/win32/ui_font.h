#pragma once

#include <vector>

#include "forms/font.h"
#include "platform/win32/handles.h"

namespace quorvel::platform::win32 {

// The one font of every real control: the system's message font at the window's DPI. Where that
// face has no Japanese glyphs (an English Windows, Wine), the font mapper picks a Japanese face
// of the same height instead, so Japanese text in an edit box never turns into empty boxes. One
// font per DPI, made when a window at that DPI first needs it and kept until the host goes.
class UiFont {
public:
    [[nodiscard]] HFONT at(int dpi);

private:
    struct Entry {
        int dpi = 0;
        UniqueFont font;
    };
    std::vector<Entry> fonts_;
};

// The message font's description at that DPI, with a Japanese face where the system's has none.
[[nodiscard]] LOGFONTW uiFontDescription(int dpi);

// A form's typeface at that DPI. A face the system lacks (a settings file from another machine,
// a font that came with other software) must not turn Japanese text into empty boxes: the font
// mapper then chooses a Japanese face of the same size instead.
[[nodiscard]] LOGFONTW fontDescription(const forms::Font& font, int dpi, bool antialiased);

}  // namespace quorvel::platform::win32
