#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::forms {

class Form;

// An entry of a window's menu: a named item with a caption, shown or hidden, enabled or not,
// checked or not, and either children (a submenu) or a command; or a separator line between
// entries, which is never chosen. The program prepares the tree; the host shows the visible
// part of it as a real menu each time it pops up.
class MenuItem {
public:
    enum class Kind { Entry, Separator };

    MenuItem(Form& owner, std::string name, std::string caption, Kind kind = Kind::Entry);
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    [[nodiscard]] const std::string& name() const noexcept { return name_; }
    [[nodiscard]] Form& owner() const noexcept { return owner_; }
    [[nodiscard]] bool separator() const noexcept { return kind_ == Kind::Separator; }

    [[nodiscard]] const std::string& caption() const noexcept { return caption_; }
    void setCaption(std::string c);
    [[nodiscard]] bool visible() const noexcept { return visible_; }
    void setVisible(bool v);
    [[nodiscard]] bool enabled() const noexcept { return enabled_; }
    void setEnabled(bool e);
    [[nodiscard]] bool checked() const noexcept { return checked_; }
    void setChecked(bool c);

    [[nodiscard]] const std::vector<std::unique_ptr<MenuItem>>& children() const noexcept {
        return children_;
    }
    MenuItem& addChild(std::string name, std::string caption, Kind kind = Kind::Entry);
    // This item or one below it with that name, or null.
    [[nodiscard]] MenuItem* find(std::string_view name) noexcept;

    // A command runs its handler; a submenu's click is its preparation before it opens.
    void click() const;
    std::function<void()> onClick;

private:
    Form& owner_;
    std::string name_;
    std::string caption_;
    Kind kind_;
    bool visible_ = true;
    bool enabled_ = true;
    bool checked_ = false;
    std::vector<std::unique_ptr<MenuItem>> children_;
};

// One entry of a menu as a window's menu table gives it, in display order. Depth 0 is a
// top-level menu; an entry of depth d belongs to the nearest entry of depth d - 1 above it.
struct MenuRow {
    std::string_view name;
    std::string_view caption;
    int depth = 0;
    bool hidden = false;  // created invisible
    bool separator = false;

    // A separator line of that depth.
    static constexpr MenuRow line(std::string_view name, int depth) {
        return MenuRow{name, {}, depth, false, true};
    }
};

// Builds the rows of a menu table onto a form.
void buildMenus(Form& form, std::span<const MenuRow> rows);

}  // namespace quorvel::forms
