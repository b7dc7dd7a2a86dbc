#pragma once

#include <memory>
#include <string>

#include "forms/geometry.h"

namespace quorvel::forms {

// A decoded picture. The core never looks inside: it only places pictures on images and asks
// for their natural size (the full Recycle Bin image draws its picture unstretched). Each host
// derives its own kind (a GDI bitmap on Windows, a recorded file name in the simulation).
class Picture {
public:
    virtual ~Picture() = default;
    // Natural size of the picture in twips at the design resolution (15 twips per pixel).
    [[nodiscard]] virtual Rect naturalSize() const noexcept = 0;
    // What the picture was made from: a file path, or "builtin:<name>". For logs and tests.
    [[nodiscard]] virtual const std::string& source() const noexcept = 0;
};

using PictureRef = std::shared_ptr<const Picture>;

// The pictures the program carries itself. Their pixels are drawn by the project's own code
// (src/resources); the simulation only records which one was asked for.
enum class BuiltinPicture {
    ProgramIcon,
    MyComputer,
    MyDocuments,
    RecycleBinEmpty,
    RecycleBinFull,
    CloseButton,
    Divider,
    Background,
    TaskbarDown,      // the button that hides the taskbar
    TaskbarUp,        // the button that brings it back
    PanelButton,      // the switch panel's light-blue square button
    PanelFourFrames,  // the switch panel's icon of four small frames
    SelectionMarker,  // the settings window's arrow under the selected item
    PreviewScreen,    // the settings window's miniature screen
    PreviewTaskbar,   // ... its taskbar
    PreviewBar,       // ... the bar's background in it
    PreviewBarItems,  // ... the bar's items in it
    Link              // a link whose target has no picture of its own to show
};
inline constexpr int kBuiltinPictureCount = static_cast<int>(BuiltinPicture::Link) + 1;

// Where windows get the built-in pictures of their layout tables.
class PictureSource {
public:
    virtual ~PictureSource() = default;
    [[nodiscard]] virtual PictureRef builtin(BuiltinPicture which) = 0;
};

// What a built-in picture reports as its source: "builtin:<name>", alike on every host.
[[nodiscard]] std::string builtinSource(BuiltinPicture which);

}  // namespace quorvel::forms
