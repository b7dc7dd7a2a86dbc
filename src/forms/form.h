#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "forms/button.h"
#include "forms/command.h"
#include "forms/control.h"
#include "forms/control_table.h"
#include "forms/double_click.h"
#include "forms/geometry.h"
#include "forms/image.h"
#include "forms/item_row.h"
#include "forms/keys.h"
#include "forms/label.h"
#include "forms/list_control.h"
#include "forms/menu.h"
#include "forms/text_box.h"
#include "forms/text_field.h"
#include "forms/timer.h"

namespace quorvel::forms {

class Form;

// The window system's side of a form. The host creates a real window when a form is
// created, drops it when the form is destroyed, and after every event it dispatched brings
// the real window in line with the form (position, size, visibility, stacking, colour key,
// child controls, and a repaint when the revision moved).
class WindowHost {
public:
    virtual ~WindowHost() = default;
    virtual void formCreated(Form& form) = 0;
    virtual void formDestroyed(Form& form) = 0;
    // Shows the visible entries of `menu` as a popup menu owned by `owner`'s window, at the
    // pointer or, given an item's rectangle on the screen, beside that item, and waits for the
    // user: the entry chosen, or null when the menu was dismissed. Hidden entries are left out,
    // disabled ones cannot be chosen.
    [[nodiscard]] virtual MenuItem* popupMenu(Form& owner, MenuItem& menu,
                                              const std::optional<Rect>& beside) = 0;
    // The size of the form's whole window as the window system draws it, title bar, frame and
    // menu bar included; a borderless window is as large as its form.
    [[nodiscard]] virtual Size windowSize(const Form& form);
    // How near in time and place a second press must come to make a double-click.
    [[nodiscard]] virtual DoubleClickLimits doubleClickLimits() { return {}; }
    // Brings every window in line with its form and draws it at once, without waiting for the
    // end of the event: a handler that shows a window and then works on for a while would
    // otherwise show nothing until it has finished.
    virtual void updateNow() {}
};

struct FormServices {
    WindowHost& host;
    TimerService& timers;
    PictureSource& pictures;
};

// How the window looks around its controls: a bare borderless rectangle (the bar and its
// popups), or a dialog window with a title bar, a close box and a fixed size.
enum class FormStyle { Borderless, Dialog };

// A top-level window made of controls. Controls are kept in creation order, which is also
// their stacking order: a later control is drawn over an earlier one and is hit first.
class Form {
public:
    Form(std::string name, FormServices services, Rect bounds,
         std::span<const ControlRow> layout = {}, std::span<const MenuRow> menus = {});
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
    // it also shows the window. Every call stacks the window afresh, even with the value it
    // already has: a window that is top-most comes back to the top of the top-most windows.
    [[nodiscard]] bool topmost() const noexcept { return topmost_; }
    void setTopmost(bool t);
    // Stacks the window afresh as it is (top-most or not) without showing it.
    void restack() noexcept;
    // Moves with every stacking request; the host stacks the window again when it moved.
    [[nodiscard]] std::uint64_t stackingSerial() const noexcept { return stackingSerial_; }
    // Asks for the window to become the active one, in front of the other programs' windows,
    // as a window a person opens a second time comes forward instead of appearing twice.
    void bringToFront() noexcept;
    // Moves with every such request; the host activates the window when it moved.
    [[nodiscard]] std::uint64_t activationSerial() const noexcept { return activationSerial_; }
    // Asks for the window the keyboard had before this one took it to have it back (another
    // program's window; none of this program's counts).
    void handBackFocus() noexcept;
    [[nodiscard]] std::uint64_t focusReturnSerial() const noexcept { return focusReturnSerial_; }

    // A key combination that reaches the window wherever the keyboard is, held while the
    // window exists; the host notes it if the system will not give it (another program holds
    // it).
    [[nodiscard]] const std::optional<Hotkey>& hotkey() const noexcept { return hotkey_; }
    void setHotkey(std::optional<Hotkey> key);
    void hotkeyPressed() const;
    std::function<void()> onHotkey;

    // A window that only shows something (the name beside the bar) and never takes the pointer:
    // a press on it acts on whatever lies below, as if it were not there. Decided before the
    // window is first shown, and only for a window with a colour key.
    [[nodiscard]] bool passesPointer() const noexcept { return passesPointer_; }
    void letPointerThrough() noexcept { passesPointer_ = true; }

    // Parts of the window drawn as if another window lay over them: only the background
    // colour, see-through under a colour key. The name popup seems to pass behind the bar's
    // pictures this way, while the bar stays stacked where its setting has it.
    [[nodiscard]] const std::vector<Rect>& coveredAreas() const noexcept { return covered_; }
    void setCoveredAreas(std::vector<Rect> areas);

    [[nodiscard]] ColorNumber backColor() const noexcept { return backColor_; }
    void setBackColor(ColorNumber c);

    // With a colour key the window is layered and every pixel of that colour is see-through.
    [[nodiscard]] const std::optional<ColorNumber>& colorKey() const noexcept { return colorKey_; }
    void setColorKey(std::optional<ColorNumber> key);

    // A dialog's title bar text; the window is sized by its client area either way.
    [[nodiscard]] FormStyle style() const noexcept { return style_; }
    void setStyle(FormStyle s);
    [[nodiscard]] const std::string& caption() const noexcept { return caption_; }
    void setCaption(std::string c);

    // A dialog window can carry its top-level menus as a menu bar under its title bar.
    [[nodiscard]] bool menuBar() const noexcept { return menuBar_; }
    void setMenuBar(bool shown);
    // The whole window's size, frame included (see WindowHost::windowSize).
    [[nodiscard]] Size windowSize() const { return services_.host.windowSize(*this); }
    // Puts every window on screen as its form now is, before the running handler ends.
    void refresh() { services_.host.updateNow(); }

    // An unloaded window that cannot be destroyed yet (one of its handlers is still running):
    // every timer stops and the window leaves the screen.
    void quieten();

    // --- controls ---
    // Builds the rows of a layout table, in order.
    void build(std::span<const ControlRow> layout);

    Image& addImage(std::string name, Rect bounds);
    Label& addLabel(std::string name, Rect bounds);
    TextField& addTextField(std::string name);
    Command& addCommand(std::string name, std::string caption);
    Timer& addTimer(std::string name);
    TextBox& addTextBox(std::string name, Rect bounds);
    ComboBox& addComboBox(std::string name, Rect bounds);
    ListBox& addListBox(std::string name, Rect bounds);
    Button& addButton(std::string name, Rect bounds, std::string caption);
    ItemRow& addItemRow(std::string name, Rect bounds, bool wholeWindow);

    [[nodiscard]] Control* find(std::string_view name) const noexcept;
    // The control of that name and kind; a window asking for one it does not have is a
    // programming error, found the first time the window is built.
    template <class T>
    [[nodiscard]] T& get(std::string_view name) const {
        auto* control = dynamic_cast<T*>(find(name));
        if (control == nullptr) {
            throw std::logic_error(name_ + " has no such control: " + std::string(name));
        }
        return *control;
    }
    // A control array: prefix1 .. prefixN, or prefix1suffix .. prefixNsuffix.
    template <class T, std::size_t N>
    [[nodiscard]] std::array<T*, N> getArray(std::string_view prefix,
                                             std::string_view suffix = {}) const {
        std::array<T*, N> members{};
        for (std::size_t i = 0; i < N; ++i) {
            members[i] = &get<T>(std::string(prefix) + std::to_string(i + 1) + std::string(suffix));
        }
        return members;
    }
    [[nodiscard]] Image& image(std::string_view name) const { return get<Image>(name); }
    [[nodiscard]] Label& label(std::string_view name) const { return get<Label>(name); }
    [[nodiscard]] TextField& textField(std::string_view name) const { return get<TextField>(name); }
    [[nodiscard]] Command& command(std::string_view name) const { return get<Command>(name); }
    [[nodiscard]] Timer& timer(std::string_view name) const { return get<Timer>(name); }
    [[nodiscard]] TextBox& textBox(std::string_view name) const { return get<TextBox>(name); }
    [[nodiscard]] ComboBox& comboBox(std::string_view name) const { return get<ComboBox>(name); }
    [[nodiscard]] ListBox& listBox(std::string_view name) const { return get<ListBox>(name); }
    [[nodiscard]] Button& button(std::string_view name) const { return get<Button>(name); }
    [[nodiscard]] ItemRow& itemRow(std::string_view name) const { return get<ItemRow>(name); }
    // The item row that is the window's own keyboard focus, if it has one.
    [[nodiscard]] ItemRow* windowRow() const noexcept;
    [[nodiscard]] const std::vector<std::unique_ptr<Control>>& controls() const noexcept {
        return controls_;
    }

    // --- menus ---
    MenuItem& addMenu(std::string name, std::string caption);
    [[nodiscard]] const std::vector<std::unique_ptr<MenuItem>>& menus() const noexcept {
        return menus_;
    }
    // The menu entry of that name at any depth; like get(), a missing one is a programming error.
    [[nodiscard]] MenuItem& menuItem(std::string_view name) const;
    // Pops `menu` up as this window's context menu, at the pointer or beside an item (its
    // rectangle on the screen): its click runs first (the preparation), then the menu is shown
    // modally, and the chosen entry's command runs after the menu has closed.
    void popupMenu(MenuItem& menu, const std::optional<Rect>& beside = std::nullopt);

    // --- input from the host (coordinates relative to the form's client area) ---
    // The topmost visible image or label under the point, or null for the background.
    [[nodiscard]] Control* controlAt(Point p) const noexcept;
    // The pointer shape over the point: the one of the image there, else the window's arrow.
    [[nodiscard]] MousePointer pointerAt(Point p) const noexcept;
    void mouseMove(Point p);
    // `pressedAtMs` is the press's time as the system stamps its input. A left press that only
    // repeats the one before (the second of a double-click, the third of a triple-click) acts no
    // more: no press handler runs and no click follows, as a double-click is one action. A press
    // without a time is a press of its own.
    void mouseDown(MouseButton button, Point p,
                   std::optional<std::uint32_t> pressedAtMs = std::nullopt);
    void mouseUp(MouseButton button, Point p);
    // The window lost the mouse capture between press and release: no click follows.
    void captureLost() noexcept { pressed_ = nullptr; }
    // What dropping `data` at the point would do; a drop runs the handler there unless that
    // is DropEffect::None.
    [[nodiscard]] DropEffect dropEffectAt(Point p, const DragData& data) const;
    void drop(Point p, const DragData& data);
    // Whether anything dropped anywhere on the window can reach a handler.
    [[nodiscard]] bool acceptsDrops() const noexcept;
    PointerHandlers backgroundEvents;  // presses and moves over no control
    // Enter and Escape in the window: they press its default and its cancel button. False when
    // the window has no such button that takes input.
    bool enterKey();
    bool escapeKey();
    // The person asked to close the window (its close box, Alt+F4). A window that handles this
    // itself offers onCloseRequest; false when it does not, and the host decides instead.
    bool requestClose();
    std::function<void()> onCloseRequest;

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
    void buildRow(const ControlRow& row, std::string name, Rect bounds);
    [[nodiscard]] int nextTabIndex() const noexcept;

    std::string name_;
    FormServices services_;
    Rect bounds_;
    bool visible_ = false;
    bool topmost_ = false;
    std::uint64_t stackingSerial_ = 0;
    std::uint64_t activationSerial_ = 0;
    std::uint64_t focusReturnSerial_ = 0;
    std::optional<Hotkey> hotkey_;
    bool announced_ = false;
    FormStyle style_ = FormStyle::Borderless;
    std::string caption_;
    bool menuBar_ = false;
    ColorNumber backColor_ = kButtonFace;
    std::optional<ColorNumber> colorKey_;
    bool passesPointer_ = false;
    std::vector<Rect> covered_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<std::unique_ptr<MenuItem>> menus_;
    std::uint64_t revision_ = 0;
    Control* pressed_ = nullptr;  // the control a left press went down on, for click
    PressSeries presses_;
};

}  // namespace quorvel::forms
