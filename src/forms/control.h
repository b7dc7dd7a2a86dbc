#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "forms/geometry.h"
#include "forms/picture.h"

namespace quorvel::forms {

class Form;
class TimerService;

enum class ControlKind { Image, Label, TextField, Command, Timer };

enum class MouseButton : int { Left = 1, Right = 2, Middle = 4 };

// A control of a form, with the few properties the windows use. Setting a property never
// calls back into the program, except where a real control would: a text field whose text
// changes fires its change handler, a pressed command runs its click handler, an enabled
// timer ticks. Every change bumps the owning form's revision so the host knows to repaint.
class Control {
public:
    Control(Form& owner, std::string name, ControlKind kind, Rect bounds);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    [[nodiscard]] const std::string& name() const noexcept { return name_; }
    [[nodiscard]] ControlKind kind() const noexcept { return kind_; }
    [[nodiscard]] Form& owner() const noexcept { return owner_; }

    [[nodiscard]] Rect bounds() const noexcept { return bounds_; }
    [[nodiscard]] Twips left() const noexcept { return bounds_.left; }
    [[nodiscard]] Twips top() const noexcept { return bounds_.top; }
    [[nodiscard]] Twips width() const noexcept { return bounds_.width; }
    [[nodiscard]] Twips height() const noexcept { return bounds_.height; }
    void setLeft(Twips v);
    void setTop(Twips v);
    void setWidth(Twips v);
    void setHeight(Twips v);
    void move(Twips left, Twips top);
    void setBounds(Rect r);

    [[nodiscard]] bool visible() const noexcept { return visible_; }
    void setVisible(bool v);

protected:
    void touch() noexcept;

private:
    Form& owner_;
    std::string name_;
    ControlKind kind_;
    Rect bounds_;
    bool visible_ = true;
};

// Pointer events of images, labels and the form background. Coordinates are in twips,
// relative to the control's (or the form's) top-left corner.
struct PointerHandlers {
    std::function<void()> onClick;
    std::function<void(MouseButton, Point)> onMouseDown;
    std::function<void(Point)> onMouseMove;
    std::function<void(const std::vector<std::string>&)> onDrop;  // files dropped (UTF-8)
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

    PointerHandlers events;

private:
    PictureRef picture_;
    bool stretch_ = true;
    int borderStyle_ = 0;
};

struct Font {
    std::string name = "ＭＳ Ｐゴシック";
    int sizePt = 9;
    bool bold = false;
    bool italic = false;
    friend bool operator==(const Font&, const Font&) = default;
};

enum class Alignment { Left, Center };

class Label : public Control {
public:
    Label(Form& owner, std::string name, Rect bounds);

    [[nodiscard]] const std::string& caption() const noexcept { return caption_; }
    void setCaption(std::string c);
    [[nodiscard]] const Font& font() const noexcept { return font_; }
    void setFont(Font f);
    [[nodiscard]] ColorNumber foreColor() const noexcept { return foreColor_; }
    void setForeColor(ColorNumber c);
    [[nodiscard]] Alignment alignment() const noexcept { return alignment_; }
    void setAlignment(Alignment a);

    PointerHandlers events;

private:
    std::string caption_;
    Font font_;
    ColorNumber foreColor_ = kButtonText;
    Alignment alignment_ = Alignment::Left;
};

// A hidden text field: windows hand each other values through these. The change handler
// runs only when the text really changes.
class TextField : public Control {
public:
    TextField(Form& owner, std::string name);

    [[nodiscard]] const std::string& text() const noexcept { return text_; }
    void setText(std::string t);

    std::function<void()> onChange;

private:
    std::string text_;
};

// A hidden command button: pressing it runs its handler at once, inside the caller.
class Command : public Control {
public:
    Command(Form& owner, std::string name, std::string caption);

    [[nodiscard]] const std::string& caption() const noexcept { return caption_; }
    void press() const;

    std::function<void()> onClick;

private:
    std::string caption_;
};

// A window timer: while enabled with a non-zero interval it ticks every interval
// milliseconds. Setting the interval or enabling it starts the count afresh. The ticks are
// delivered by a TimerService (the window system's timers, or a virtual clock in tests).
class Timer : public Control {
public:
    Timer(Form& owner, std::string name, TimerService& service);
    ~Timer() override;

    [[nodiscard]] std::uint32_t interval() const noexcept { return interval_; }
    void setInterval(std::uint32_t ms);
    [[nodiscard]] bool enabled() const noexcept { return enabled_; }
    void setEnabled(bool e);
    // Interval and enabled together, as the windows mostly do: "enable Tim1 with 10 ms".
    void start(std::uint32_t ms);
    void stop() { setEnabled(false); }
    [[nodiscard]] bool running() const noexcept { return enabled_ && interval_ > 0; }

    // Called by the timer service when the interval has elapsed.
    void tick();

    std::function<void()> onTimer;

private:
    void rearm();

    TimerService& service_;
    std::uint32_t interval_ = 0;
    bool enabled_ = true;
};

// Delivers timer ticks. The host arms a real window timer; the simulation keeps a virtual
// clock. Arming a timer that is already armed restarts its count.
class TimerService {
public:
    virtual ~TimerService() = default;
    virtual void arm(Timer& timer, std::uint32_t intervalMs) = 0;
    virtual void disarm(Timer& timer) = 0;
};

}  // namespace quorvel::forms
