#pragma once

#include <functional>

#include "forms/control.h"
#include "forms/drag_data.h"
#include "forms/picture.h"

namespace quorvel::forms {

enum class MouseButton : int { Left = 1, Right = 2, Middle = 4 };

// The shape of the mouse pointer while it rests on an image: the window's own arrow, or the
// pointing hand that tells a person the place can be clicked like a link.
enum class MousePointer { Default, Hand };

// Pointer events of images, labels and the form background. Coordinates are in twips,
// relative to the control's (or the form's) top-left corner.
struct PointerHandlers {
    std::function<void()> onClick;
    std::function<void(MouseButton, Point)> onMouseDown;
    std::function<void(Point)> onMouseMove;
    // A drag over the place: what a drop would do there; and the drop itself, which comes only
    // where that is not DropEffect::None. Without onDrop nothing is ever dropped here.
    std::function<DropEffect(const DragData&)> dropEffect;
    std::function<void(const DragData&)> onDrop;
};

class Image : public Control {
public:
    Image(Form& owner, std::string name, Rect bounds);

    [[nodiscard]] const PictureRef& picture() const noexcept { return picture_; }
    void setPicture(PictureRef p);
    void clearPicture() { setPicture(nullptr); }

    // Stretched pictures fill the image's rectangle; unstretched ones keep their own size
    // from the top-left corner.
    [[nodiscard]] bool stretch() const noexcept { return stretch_; }
    void setStretch(bool s);

    // 0 = no border, 1 = a single thin line.
    [[nodiscard]] int borderStyle() const noexcept { return borderStyle_; }
    void setBorderStyle(int s);

    [[nodiscard]] MousePointer mousePointer() const noexcept { return pointer_; }
    void setMousePointer(MousePointer p);

    PointerHandlers events;

private:
    PictureRef picture_;
    bool stretch_ = true;
    int borderStyle_ = 0;
    MousePointer pointer_ = MousePointer::Default;
};

}  // namespace quorvel::forms
