#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/control.h"
#include "forms/geometry.h"

namespace quorvel::forms {

class Form;

// The window system's side of a form. The host creates a real window when a form is
// created, drops it when the form is destroyed, and after every event it dispatched brings
// the real window in line with the form (position, size, visibility, stacking, colour key,
// and a repaint when the revision moved).
class WindowHost {
public:
    virtual ~WindowHost() = default;
    virtual void formCreated(Form& form) = 0;
    virtual void formDestroyed(Form& form) = 0;
};

struct FormServices {
    WindowHost& host;
    TimerService& timers;
};

// A borderless top-level window made of controls. Controls are kept in creation order, which
// is also their stacking order: a later control is drawn over an earlier one and is hit first.
class Form {
public:
    Form(std::string name, FormServices services, Rect bounds);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    [[nodiscard]] const std::string& name() const noexcept { return name_; }

    // --- window properties ---
    [[nodiscard]] Rect bounds() const noexcept { return bounds_; }
    [[nodiscard]] Twips left() const noexcept { return bounds_.left; }
    [[nodiscard]] Twips top() const noexcept { return bounds_.top; }
    [[nodiscard]] Twips width() const noexcept { return bounds_.width; }
    [[nodiscard]] Twips height() const noexcept { return bounds_.height; }
    void setLeft(Twips v);
    void setTop(Twips v);
    void setWidth(Twips v);
    void setHeight(Twips v);

    [[nodiscard]] bool visible() const noexcept { return visible_; }
    void setVisible(bool v);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }

    // Top-most or normal stacking; like SetWindowPos with "show window, no move, no size"
    // it also shows the window.
    [[nodiscard]] bool topmost() const noexcept { return topmost_; }
    void setTopmost(bool t);

    [[nodiscard]] ColorNumber backColor() const noexcept { return backColor_; }
    void setBackColor(ColorNumber c);

    // With a colour key the window is layered and every pixel of that colour is see-through.
    [[nodiscard]] const std::optional<ColorNumber>& colorKey() const noexcept { return colorKey_; }
    void setColorKey(std::optional<ColorNumber> key);

    // --- controls ---
    Image& addImage(std::string name, Rect bounds);
    Label& addLabel(std::string name, Rect bounds);
    TextField& addTextField(std::string name);
    Command& addCommand(std::string name, std::string caption);
    Timer& addTimer(std::string name);

    [[nodiscard]] Control* find(std::string_view name) const noexcept;
    [[nodiscard]] Image& image(std::string_view name) const;
    [[nodiscard]] Label& label(std::string_view name) const;
    [[nodiscard]] TextField& textField(std::string_view name) const;
    [[nodiscard]] Command& command(std::string_view name) const;
    [[nodiscard]] Timer& timer(std::string_view name) const;
    [[nodiscard]] const std::vector<std::unique_ptr<Control>>& controls() const noexcept {
        return controls_;
    }

    // --- input from the host (coordinates relative to the form's client area) ---
    // The topmost visible image or label under the point, or null for the background.
    [[nodiscard]] Control* controlAt(Point p) const noexcept;
    void mouseMove(Point p);
    void mouseDown(MouseButton button, Point p);
    void mouseUp(MouseButton button, Point p);
    void drop(Point p, const std::vector<std::string>& files);
    PointerHandlers backgroundEvents;  // presses and moves over no control

    // Bumped by every change of the form or one of its controls; the host repaints when it moves.
    [[nodiscard]] std::uint64_t revision() const noexcept { return revision_; }
    void touch() noexcept { ++revision_; }

protected:
    [[nodiscard]] FormServices services() const noexcept { return services_; }
    // Derived windows call this at the end of their constructor, once every control exists.
    void announce();

private:
    template <class T, class... Args>
    T& add(Args&&... args);

    std::string name_;
    FormServices services_;
    Rect bounds_;
    bool visible_ = false;
    bool topmost_ = false;
    bool announced_ = false;
    ColorNumber backColor_ = kButtonFace;
    std::optional<ColorNumber> colorKey_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::uint64_t revision_ = 0;
    Control* pressed_ = nullptr;  // the control a left press went down on, for click
};

}  // namespace quorvel::forms
