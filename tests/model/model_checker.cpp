#include "model/model_checker.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "bar/bar_numbers.h"
#include "bar/dock.h"
#include "bar/dropped_links.h"
#include "platform/sim/sim_platform.h"
#include "program/program.h"
#include "settings/record_layout.h"
#include "settings/set_lookup.h"
#include "settings/settings_files.h"
#include "settings_window/frm_dir_box.h"
#include "settings_window/frm_set.h"
#include "support/random_settings.h"
#include "window_api/storage_message.h"
#include "windows/frm_btn.h"
#include "windows/frm_ver_info.h"
#include "windows/lnk_name.h"

namespace quorvel::testing {

namespace {

namespace w = settings::words;
using platform::sim::ProgramEnded;

constexpr std::uint64_t kSettleMs = 300;
constexpr std::uint64_t kIdleMs = 5000;
constexpr std::uint64_t kNameShownAtMostMs = 1000;
constexpr std::size_t kRecentEvents = 40;
constexpr std::uint64_t kTidyEvery = 256;
// The windows the program may have open, by form name.
constexpr std::array<std::string_view, 7> kFormNames = {
    "Dock", "LnkName", "frmBTN", "frmMenu", "frmSet", "frmDirBox", "frmVerInfo"};

// What a person might type: plain and Japanese text, numbers a field reads leniently, text
// too long for any field, characters Shift-JIS cannot hold, paths.
constexpr std::array<std::string_view, 16> kTyped = {
    "",
    "メモ帳",
    "ﾒﾓ",
    "notepad.exe",
    "C:\\Windows\\notepad.exe /a \"b c\"",
    "http://example.jp/",
    "12495",
    "-1",
    "99999999999999999999",
    "abc",
    "表計算ソフトウェアの一番新しい版とその次の版とそのまた次の版",
    "\xF0\x9F\x98\x80",  // an emoji
    "\xF0\xA0\xAE\xB7",  // a character beyond Shift-JIS
    "C:\\icons\\1.ico",
    "\\\\server\\share\\folder",
    "上"};

// What a person might drop on the bar: files, a folder, a program and an Internet shortcut
// (arranged on the disk), a path with a character Shift-JIS cannot hold, one too long for a
// link, one that names nothing, a web address and text that is none.
constexpr std::array<std::string_view, 10> kDroppable = {"C:\\drop\\メモ.txt",
                                                         "C:\\drop\\写真",
                                                         "C:\\drop\\tool.exe",
                                                         "C:\\drop\\site.url",
                                                         "C:\\drop\\\xF0\x9F\x98\x80.txt",
                                                         "C:\\drop\\long",
                                                         "C:\\drop\\gone.txt",
                                                         "https://www.example.jp/a",
                                                         "not an address",
                                                         "C:\\drop\\写真\\b.png"};

// An index into a table of n entries.
template <class Table>
std::size_t anyOf(Random& random, const Table& table) {
    return static_cast<std::size_t>(between(random, 0, static_cast<int>(std::size(table)) - 1));
}

// Screens the bar may find itself on, with the taskbar along each edge: from 640 x 480 to
// 1920 x 1080 pixels, 1024 x 768 at 125 % (12288 twips across), a primary monitor away from
// the origin.
struct Desk {
    forms::Rect screen;
    platform::PixelRect taskbar;
};
constexpr std::array<Desk, 10> kDesks = {{
    {{0, 0, 19200, 15360}, {0, 994, 1280, 1024}},
    {{0, 0, 28800, 16200}, {0, 1040, 1920, 1080}},
    {{0, 0, 12000, 9000}, {0, 572, 800, 600}},
    {{0, 0, 9600, 7200}, {0, 450, 640, 480}},
    {{0, 0, 12288, 9216}, {0, 738, 1024, 768}},
    {{0, 0, 15360, 11520}, {0, 0, 62, 768}},
    {{0, 0, 12000, 9000}, {738, 0, 800, 600}},
    {{0, 0, 9600, 7200}, {0, 0, 640, 30}},
    {{0, 0, 15360, 11520}, {0, 0, 1024, 1}},
    {{19200, -4500, 12000, 9000}, {1280, 270, 2080, 300}},
}};
// The parts of the bar a person cannot do without: the close button and the taskbar toggle.
constexpr forms::Twips kLeftEnd = 280;

class Explorer {
public:
    Explorer(std::uint64_t seed, ModelCheckResult& result) : random_(seed), result_(result) {
        result_.seed = seed;
        sim_.events.afterOutermost = [this] {
            if (program_) {
                program_->afterEvent();
            }
        };
        sim_.clock.afterTick = [this] {
            ++result_.timerTicks;
            checkName("after a timer tick");
        };
        sim_.windows.chooseMenuEntry = [this](const forms::MenuItem& menu) {
            return chooseEntry(menu);
        };
        arrangeWorld();
        startProgram();
    }

    void run(std::uint64_t events) {
        for (std::uint64_t i = 0; i < events && !result_.violation; ++i) {
            ++result_.events;
            step();
            if (result_.events % kTidyEvery == 0) {
                tidy();
            }
        }
        result_.virtualMs = sim_.clock.now();
    }

private:
    struct Event {
        const char* name;
        int weight;
        void (Explorer::*run)();
    };

    // --- the world -------------------------------------------------------------------------

    void useDesk(const Desk& desk) {
        sim_.screen.left = desk.screen.left;
        sim_.screen.top = desk.screen.top;
        sim_.screen.width = desk.screen.width;
        sim_.screen.height = desk.screen.height;
        sim_.screen.rect = desk.taskbar;
    }

    void arrangeWorld() {
        useDesk(kDesks[anyOf(random_, kDesks)]);
        // Other monitors, each with a taskbar of its own.
        for (int n = between(random_, 0, 2); n > 0; --n) {
            sim_.screen.secondaryTaskbars.push_back({platform::WindowHandle(0x5EC0 + n)});
        }
        settings::SettingsFiles files(sim_.disk, sim_.identity.current, "taro");
        sim_.disk.addDirectory(files.folder());
        for (const char* file : {"C:\\drop\\メモ.txt", "C:\\drop\\tool.exe",
                                 "C:\\drop\\\xF0\x9F\x98\x80.txt", "C:\\drop\\写真\\b.png"}) {
            sim_.disk.addFile(file, "x");
        }
        sim_.disk.addFile("C:\\drop\\site.url", "[InternetShortcut]\r\nURL=https://a.jp/\r\n");
        longPath_ = "C:\\drop\\long\\" + std::string(300, 'x') + ".txt";
        sim_.disk.addFile(longPath_, "x");
        const int sets = between(random_, 0, settings::kSetCount);
        for (int n = 1; n <= sets; ++n) {
            settings::SettingsModel m = randomSet(random_, between(random_, 0, 17));
            m.RNo = std::to_string(n);
            for (settings::LinkSlot& slot : m.L) {
                for (std::string* value : {&slot.N, &slot.I, &slot.P}) {
                    if (!value->empty()) {
                        *value = tagOf(n) + *value;
                    }
                }
            }
            if (chance(random_, 0.5)) {
                m.Clr = std::string(w::kYes);  // a transparent bar: the name slides
            }
            static_cast<void>(files.write(m, n));
        }
    }

    void startProgram() {
        ++result_.programRuns;
        sim_.files.failures.clear();
        sim_.identity.user =
            chance(random_, 0.02) ? std::nullopt : std::optional<std::string>("taro");
        program_ = std::make_unique<program::Program>(sim_.ports());
        guarded("start", [this] { sim_.dispatch([this] { program_->start(); }); });
        advance(kSettleMs);
        // A start after a hard kill applies the taskbar setting, whatever the killed run left.
        if (program_ && !result_.violation) {
            checkTaskbarFollowsSetting("the start after a program run");
        }
    }

    // --- one step --------------------------------------------------------------------------

    void step() {
        static constexpr Event kEvents[] = {
            {"hover", 22, &Explorer::hover},
            {"click", 12, &Explorer::click},
            {"double-click", 4, &Explorer::doubleClick},
            {"right click", 8, &Explorer::rightClick},
            {"keys", 10, &Explorer::keys},
            {"time passes", 18, &Explorer::timePasses},
            {"idle", 5, &Explorer::idle},
            {"settings window", 18, &Explorer::settingsWindow},
            {"folder chooser, About", 3, &Explorer::smallWindows},
            {"panel", 3, &Explorer::panelClick},
            {"save", 2, &Explorer::save},
            {"set switch", 5, &Explorer::setSwitch},
            {"restart request", 1, &Explorer::restartRequest},
            {"bin changes", 3, &Explorer::binChanges},
            {"drop on the bar", 3, &Explorer::drop},
            {"file faults", 2, &Explorer::fileFaults},
            {"screen changes", 1, &Explorer::screenChanges},
            {"shell restarts", 1, &Explorer::shellRestarts},
            {"session", 1, &Explorer::session},
            {"end", 1, &Explorer::end},
        };
        int total = 0;
        for (const Event& e : kEvents) {
            total += e.weight;
        }
        int pick = between(random_, 0, total - 1);
        const Event* chosen = &kEvents[0];
        for (const Event& e : kEvents) {
            if (pick < e.weight) {
                chosen = &e;
                break;
            }
            pick -= e.weight;
        }
        ++result_.eventCounts[chosen->name];
        current_ = chosen->name;
        scriptAnswers();
        const int written = sim_.disk.replaceCount();
        if (!program_) {
            startProgram();
            return;
        }
        before_ = dock().model();
        menuEntry_.clear();
        resetPressed_ = false;
        guarded(chosen->name, [this, chosen] { (this->*chosen->run)(); });
        noteChooser();
        if (sim_.disk.replaceCount() != written) {
            result_.filesWritten += static_cast<std::uint64_t>(sim_.disk.replaceCount() - written);
            checkFilesRead();
            checkEverySetKeepsItsOwnValues();
        }
        if (program_) {
            checkAlways();
            checkQuickEdit();
            checkSavedWindowMatchesItsSet();
        } else {
            startProgram();
        }
    }

    // Runs an event; the program's own end is a way of ending, anything else thrown is a
    // fault.
    void guarded(std::string_view what, const std::function<void()>& action) {
        try {
            action();
        } catch (const ProgramEnded&) {
            note(std::string(what) + ": the program ended");
            programEnded(true);
        } catch (const std::exception& e) {
            fail(std::string("an exception escaped (") + e.what() + ")");
        }
    }

    void programEnded(bool restoresTaskbar) {
        program_.reset();
        if (restoresTaskbar && !sim_.screen.everyTaskbar(true)) {
            fail("a taskbar stayed hidden after the program ended");
        }
    }

    // --- the person ------------------------------------------------------------------------

    bar::Dock& dock() { return program_->dock(); }

    // A point on one of the window's visible images (mostly), or anywhere in it.
    forms::Point somewhere(const forms::Form& form) {
        std::vector<const forms::Image*> images;
        for (const auto& control : form.controls()) {
            if (const auto* image = dynamic_cast<const forms::Image*>(control.get());
                image != nullptr && image->visible() && image->left() < form.width() &&
                image->top() < form.height()) {
                images.push_back(image);
            }
        }
        if (!images.empty() && chance(random_, 0.85)) {
            const forms::Image* image = images[anyOf(random_, images)];
            const forms::Rect r = image->bounds();
            return {std::min(r.left + between(random_, 0, std::max(0, r.width - 1)),
                             std::max(0, form.width() - 1)),
                    std::min(r.top + between(random_, 0, std::max(0, r.height - 1)),
                             std::max(0, form.height() - 1))};
        }
        return {between(random_, 0, std::max(0, form.width() - 1)),
                between(random_, 0, std::max(0, form.height() - 1))};
    }

    void hover() {
        if (!dock().visible() || dock().width() <= 2) {
            return;
        }
        const forms::Point at = somewhere(dock());
        if (const auto* image = dynamic_cast<const forms::Image*>(dock().controlAt(at));
            image != nullptr && image->events.onMouseMove) {
            lastHoverMs_ = sim_.clock.now();
        }
        note("hover " + describe(dock(), at));
        // The name slides out from behind the items without the bar being stacked afresh:
        // a bar set not to stay on top stays under the windows that cover it.
        const std::uint64_t stacking = dock().stackingSerial();
        sim_.dispatch([&] { dock().mouseMove(at); });
        advance(static_cast<std::uint64_t>(between(random_, 0, 40)));
        if (program_ && dock().stackingSerial() != stacking) {
            fail("hovering over the bar stacked it afresh");
        }
    }

    void press(forms::Form& form, forms::MouseButton button) {
        const forms::Point at = somewhere(form);
        note(std::string(button == forms::MouseButton::Left ? "click " : "right click ") +
             describe(form, at));
        sim_.dispatch([&] { form.mouseDown(button, at); });
        if (sim_.windows.live(form.name()) == &form) {
            sim_.dispatch([&] { form.mouseUp(button, at); });
        }
    }

    void click() {
        if (dock().visible()) {
            press(dock(), forms::MouseButton::Left);
        }
    }

    // Two or three clicks at one spot, as quick as a double-click or a little slower: a run
    // within the system's double-click time acts once, so nothing the clicks after the first
    // could do (start, open, toggle) happens.
    void doubleClick() {
        forms::Form* form = &dock();
        windows::FrmBtn* panel = program_->windows().frmBtnIfLoaded();
        if (panel != nullptr && chance(random_, 0.3)) {
            form = panel;
        }
        if (!form->visible()) {
            return;
        }
        // The pointer stays where it is on the screen, whatever moves under it meanwhile (a
        // bottom bar follows the taskbar it hides).
        const forms::Point first = somewhere(*form);
        const forms::Point pointer{form->left() + first.x, form->top() + first.y};
        const int clicks = between(random_, 2, 3);
        const bool quick = chance(random_, 0.8);
        note(std::to_string(clicks) + (quick ? " quick" : " slow") + " clicks on " +
             describe(*form, first));
        const std::string name = form->name();
        std::size_t launches = 0;
        std::string taskB;
        for (int i = 0; i < clicks && program_; ++i) {
            if (i > 0) {
                advance(static_cast<std::uint64_t>(quick ? between(random_, 30, 450)
                                                         : between(random_, 520, 900)));
            }
            const forms::Point at{pointer.x - form->left(), pointer.y - form->top()};
            if (!program_ || sim_.windows.live(name) != form || !form->visible() ||
                !forms::Rect{0, 0, form->width(), form->height()}.contains(at)) {
                return;  // the window went (a set switch unloads the panel), or moved away
            }
            const auto time = static_cast<std::uint32_t>(sim_.clock.now());
            sim_.dispatch([&] { form->mouseDown(forms::MouseButton::Left, at, time); });
            if (sim_.windows.live(name) == form) {
                sim_.dispatch([&] { form->mouseUp(forms::MouseButton::Left, at); });
            }
            const std::size_t now = sim_.shell.executed.size() + sim_.shell.started.size();
            // A set switch from the panel may load another taskbar setting meanwhile.
            const bool toggled = form == &dock() && dock().model().TaskB != taskB;
            if (i > 0 && quick && (now != launches || toggled)) {
                fail("a click within the double-click time of the one before acted again");
                return;
            }
            launches = now;
            taskB = dock().model().TaskB;
        }
    }

    void rightClick() {
        if (dock().visible()) {
            press(dock(), forms::MouseButton::Right);
        }
    }

    // The global key now and then, and the keys that do something on the bar while it has the
    // keyboard: the host delivers keys to it only then.
    void keys() {
        if (sim_.windows.focused() != &dock() || chance(random_, 0.2)) {
            note("the global key");
            lastHoverMs_ = sim_.clock.now();  // it shows the name of the item it lands on
            sim_.dispatch([this] { dock().hotkeyPressed(); });
            advance(kSettleMs);
            checkBarHasTheKeyboard();
            return;
        }
        using forms::Key;
        static constexpr forms::KeyPress kKeys[] = {
            {Key::Left},  {Key::Right}, {Key::Right},    {Key::Home},    {Key::End},
            {Key::Enter}, {Key::Space}, {Key::Menu},     {Key::Escape},  {Key::Digit, 1},
            {Key::Up},    {Key::Down},  {Key::Digit, 0}, {Key::Digit, 4}};
        const forms::KeyPress key = kKeys[anyOf(random_, kKeys)];
        note("key " + std::to_string(static_cast<int>(key.key)) + "." + std::to_string(key.digit));
        lastHoverMs_ = sim_.clock.now();
        sim_.dispatch([&] { static_cast<void>(dock().items().keyDown(key)); });
        advance(static_cast<std::uint64_t>(between(random_, 0, 40)));
    }

    void panelClick() {
        if (windows::FrmBtn* panel = program_->windows().frmBtnIfLoaded(); panel != nullptr) {
            press(*panel,
                  chance(random_, 0.8) ? forms::MouseButton::Left : forms::MouseButton::Right);
        }
    }

    std::string chooseEntry(const forms::MenuItem& menu) {
        std::vector<const forms::MenuItem*> reachable;
        const std::function<void(const forms::MenuItem&)> walk = [&](const forms::MenuItem& m) {
            for (const auto& child : m.children()) {
                if (!child->visible() || !child->enabled() || child->separator()) {
                    continue;
                }
                if (child->children().empty()) {
                    reachable.push_back(child.get());
                } else {
                    walk(*child);
                }
            }
        };
        walk(menu);
        if (!forcedEntry_.empty()) {
            // The entry asked for, if the person can choose it in this menu.
            const bool choosable =
                std::any_of(reachable.begin(), reachable.end(),
                            [this](const forms::MenuItem* m) { return m->name() == forcedEntry_; });
            note(choosable ? "  menu: " + forcedEntry_ : "  menu dismissed");
            menuEntry_ = choosable ? forcedEntry_ : "";
            return menuEntry_;
        }
        if (reachable.empty() || chance(random_, 0.2)) {
            note("  menu dismissed");
            return "";
        }
        const forms::MenuItem* chosen = reachable[anyOf(random_, reachable)];
        note("  menu: " + chosen->name());
        menuEntry_ = chosen->name();
        return chosen->name();
    }

    // Something done to a window with controls: typing, picking, pressing, clicking its
    // pictures, Enter, Escape or its close box.
    void operate(forms::Form& form) {
        std::vector<forms::Control*> controls;
        for (const auto& control : form.controls()) {
            if (auto* native = dynamic_cast<forms::NativeControl*>(control.get());
                native != nullptr && native->acceptsInput()) {
                controls.push_back(native);
            } else if (auto* image = dynamic_cast<forms::Image*>(control.get());
                       image != nullptr && image->visible()) {
                controls.push_back(image);
            }
        }
        const int action = between(random_, 0, 19);
        if (action == 0) {
            note(form.name() + ": close box");
            // A window that does not take its close box itself is left alone by the host.
            sim_.dispatch([&] { static_cast<void>(form.requestClose()); });
            return;
        }
        if (action == 1) {
            note(form.name() + ": Enter");
            sim_.dispatch([&] { form.enterKey(); });
            return;
        }
        if (action == 2) {
            note(form.name() + ": Escape");
            sim_.dispatch([&] { form.escapeKey(); });
            return;
        }
        if (controls.empty()) {
            return;
        }
        forms::Control* control = controls[anyOf(random_, controls)];
        if (auto* box = dynamic_cast<forms::TextBox*>(control)) {
            const std::string text =
                tagFor(form, box->name()) + std::string(kTyped[anyOf(random_, kTyped)]);
            note(form.name() + ": type into " + box->name() + " \"" + text + "\"");
            sim_.dispatch([&] { box->typeText(text); });
        } else if (auto* list = dynamic_cast<forms::ListBox*>(control)) {
            const int index = between(random_, -1, static_cast<int>(list->items().size()));
            const bool activate = chance(random_, 0.3);
            note(form.name() + ": " + (activate ? "activate " : "choose ") + list->name() + " " +
                 std::to_string(index));
            sim_.dispatch([&] { activate ? list->activate(index) : list->choose(index); });
        } else if (auto* combo = dynamic_cast<forms::ListControl*>(control)) {
            const int index = between(random_, -1, static_cast<int>(combo->items().size()));
            note(form.name() + ": choose " + combo->name() + " " + std::to_string(index));
            sim_.dispatch([&] { combo->choose(index); });
        } else if (auto* button = dynamic_cast<forms::Button*>(control)) {
            note(form.name() + ": press " + button->name());
            resetPressed_ = button->name() == "cmdReset";
            sim_.dispatch([&] { button->press(); });
        } else if (auto* image = dynamic_cast<forms::Image*>(control)) {
            const forms::Point at{image->left() + image->width() / 2,
                                  image->top() + image->height() / 2};
            note(form.name() + ": click " + image->name());
            sim_.dispatch([&] { form.mouseDown(forms::MouseButton::Left, at); });
            if (sim_.windows.live(form.name()) == &form) {
                sim_.dispatch([&] { form.mouseUp(forms::MouseButton::Left, at); });
            }
        }
    }

    void settingsWindow() {
        if (settings_window::FrmSet* win = program_->windows().frmSetIfLoaded()) {
            if (chance(random_, 0.5)) {
                editSettings(*win);
            } else {
                operate(*win);
            }
        } else if (!dock().model().DockPos.empty() && chance(random_, 0.3)) {
            // Opened from the menu of a bar that has laid a set out.
            note("open the settings window");
            sim_.dispatch([this] { program_->windows().frmSet(); });
        }
    }

    // What a person mostly does in the settings window: picks a link, renames it or gives it
    // another target (a folder through the chooser, too), names a set, picks another set,
    // resets, saves.
    void editSettings(settings_window::FrmSet& win) {
        const auto type = [&](const char* box, const std::string& text) {
            note("frmSet: type into " + std::string(box) + " \"" + text + "\"");
            sim_.dispatch([&] { win.textBox(box).typeText(text); });
        };
        const auto pressButton = [&](const char* button) {
            note("frmSet: press " + std::string(button));
            resetPressed_ = std::string_view(button) == "cmdReset";
            sim_.dispatch([&] { win.button(button).press(); });
        };
        const auto chooseItem = [&](const char* list, int index) {
            note("frmSet: choose " + std::string(list) + " " + std::to_string(index));
            sim_.dispatch([&] { win.comboBox(list).choose(index); });
        };
        switch (between(random_, 0, 7)) {
            case 0: {
                forms::Image& slot = win.image("IL" + std::to_string(between(random_, 1, 17)));
                const forms::Point at{slot.left() + 10, slot.top() + 10};
                note("frmSet: click " + slot.name());
                sim_.dispatch([&] { win.mouseDown(forms::MouseButton::Left, at); });
                sim_.dispatch([&] { win.mouseUp(forms::MouseButton::Left, at); });
                break;
            }
            case 1:
                type(chance(random_, 0.5) ? "LN" : "LP",
                     tagFor(win, "LN") + "編集" + std::to_string(result_.events));
                break;
            case 2:
                type("LN1", "名" + std::to_string(between(random_, 0, 99)));
                break;
            case 3:
                chooseItem("RNo", between(random_, 0, settings::kSetCount - 1));
                break;
            case 4:
                pressButton("cmdReset");
                break;
            case 5:
                pressButton("Command22");
                break;
            case 6:
                chooseItem("LT", 2);  // a folder
                pressButton("Command27");
                break;
            default:
                if (settings_window::FrmDirBox* chooser = program_->windows().frmDirBoxIfLoaded()) {
                    const std::string folder = chooserTag_ + "C:\\選んだ";
                    note("frmDirBox: type \"" + folder + "\" and OK");
                    sim_.dispatch([&] { chooser->textBox("txtFldrPas").typeText(folder); });
                    sim_.dispatch([&] { chooser->button("cmdOK").press(); });
                }
                break;
        }
    }

    // The small windows: the folder chooser and the About window, whichever is open.
    void smallWindows() {
        if (settings_window::FrmDirBox* chooser = program_->windows().frmDirBoxIfLoaded();
            chooser != nullptr && chance(random_, 0.5)) {
            operate(*chooser);
        } else if (windows::FrmVerInfo* about = program_->windows().frmVerInfoIfLoaded()) {
            operate(*about);
        }
    }

    void timePasses() {
        const int kind = between(random_, 0, 9);
        const std::uint64_t ms = kind < 6 ? static_cast<std::uint64_t>(between(random_, 1, 50))
                                 : kind < 9
                                     ? static_cast<std::uint64_t>(between(random_, 100, 1000))
                                     : static_cast<std::uint64_t>(between(random_, 1000, 4000));
        note("time passes " + std::to_string(ms) + " ms");
        advance(ms);
    }

    void idle() {
        note("idle 5 s");
        advance(kIdleMs);
        if (program_) {
            checkIdle();
        }
    }

    // --- what other windows and the system do --------------------------------------------

    void save() {
        note("bar save (cmdDsSave)");
        const std::size_t messages = sim_.dialogs.messages.size();
        const int written = sim_.disk.replaceCount();
        sim_.dispatch([this] { dock().cmdDsSave(); });
        if (sim_.dialogs.messages.size() == messages && sim_.disk.replaceCount() == written + 2) {
            checkSavedRecord();
        }
    }

    // The bar switched to another set, from its menu or its panel, whether or not the settings
    // window and its folder chooser are open; now and then to a number no set has, as a damaged
    // file could make it.
    void setSwitch() {
        const int how = between(random_, 0, 9);
        const int n = between(random_, 1, settings::kSetCount);
        if (!dock().visible() || dock().model().DockPos.empty()) {
            return;  // neither menu nor panel can be reached
        }
        if (how < 5) {
            if (dock().model().RNo == std::to_string(n)) {
                return;  // the menu's entry of the set shown is disabled
            }
            note("switch to set " + std::to_string(n) + " from the menu");
            forcedEntry_ = "Set" + std::to_string(n);
            press(dock(), forms::MouseButton::Right);
            forcedEntry_.clear();
        } else if (how < 9) {
            windows::FrmBtn* panel = program_->windows().frmBtnIfLoaded();
            if (panel == nullptr) {
                return;
            }
            note("switch to set " + std::to_string(n) + " on the panel");
            forms::Image& button = panel->setButton(n);
            const forms::Point at{button.left() + 10, button.top() + 10};
            sim_.dispatch([&] { panel->mouseDown(forms::MouseButton::Left, at); });
            if (sim_.windows.live(panel->name()) == panel) {
                sim_.dispatch([&] { panel->mouseUp(forms::MouseButton::Left, at); });
            }
            advance(kSettleMs);
        } else {
            const std::string number = chance(random_, 0.5) ? "0" : "5";
            note("switch to set " + number);
            sim_.dispatch([&] {
                dock().model().RNo = number;
                dock().model().MRNo = number;
                dock().cmdReStart();
            });
        }
    }

    void restartRequest() {
        const std::string text = chance(random_, 0.5) ? "1" : "";
        note("restart request \"" + text + "\"");
        sim_.dispatch([&] { dock().textField("txtSvSw").setText(text); });
    }

    void binChanges() {
        const int items = between(random_, -1, 5);
        sim_.shell.binItems = items < 0 ? std::nullopt : std::optional<std::int64_t>(items);
        note("the bin holds " + std::to_string(items));
        sim_.dispatch([this] { sim_.shell.binChanged(); });
    }

    // A few of the droppable things, dropped on the bar (on a link, the bin, the background)
    // now and then while the settings window and the disk do whatever they do.
    void drop() {
        if (!dock().visible()) {
            return;
        }
        const forms::Point at = somewhere(dock());
        forms::DragData data;
        std::string what;
        for (int i = between(random_, 1, 4); i > 0; --i) {
            std::string item(kDroppable[anyOf(random_, kDroppable)]);
            if (item == "C:\\drop\\long") {
                item = longPath_;
            }
            what += " " + item.substr(0, 40);
            (item.starts_with("C:") ? data.paths : data.addresses).push_back(std::move(item));
        }
        note("drop" + what + " on " + describe(dock(), at));
        const forms::DropEffect effect = dock().dropEffectAt(at, data);
        const std::size_t made = bar::linksFor(data, sim_.files).size();
        const std::size_t messages = sim_.dialogs.messages.size();
        sim_.dispatch([&] { dock().drop(at, data); });
        if (program_) {
            checkDroppedLinks(effect, made, sim_.dialogs.messages.size() != messages);
        }
    }

    void fileFaults() {
        using platform::sim::FileOp;
        if (!sim_.files.failures.empty() && chance(random_, 0.6)) {
            note("the disk works again");
            sim_.files.failures.clear();
            return;
        }
        constexpr std::array<FileOp, 5> kOps = {FileOp::CreateDirectory, FileOp::EnsureFile,
                                                FileOp::FileSize, FileOp::ReadAt,
                                                FileOp::ReplaceFile};
        const FileOp op = kOps[anyOf(random_, kOps)];
        note("the disk fails operation " + std::to_string(static_cast<int>(op)));
        sim_.files.failures[op] = platform::Error{112, "ディスクの空き領域が不足しています。"};
    }

    void screenChanges() {
        const std::size_t n = anyOf(random_, kDesks);
        useDesk(kDesks[n]);
        note("the screen becomes desk " + std::to_string(n));
        sim_.dispatch([this] { program_->screenChanged(); });
    }

    void shellRestarts() {
        note("the shell restarts with its taskbars shown");
        sim_.screen.taskbarVisible = true;
        for (auto& secondary : sim_.screen.secondaryTaskbars) {
            secondary.visible = true;
        }
        sim_.dispatch([this] { program_->shellRestarted(); });
    }

    void session() {
        const bool ends = chance(random_, 0.4);
        note(ends ? "the session ends" : "the session nearly ends, then goes on");
        sim_.dispatch([this] { program_->sessionEnding(); });
        if (!sim_.screen.everyTaskbar(true)) {
            fail("a taskbar is hidden while the session is ending");
            return;
        }
        if (ends) {
            sim_.dispatch([this] { program_->sessionEnded(); });
            programEnded(true);
        } else {
            sim_.dispatch([this] { program_->sessionContinues(); });
        }
    }

    void end() {
        const int how = between(random_, 0, 2);
        if (how == 0) {
            note("quit");
            sim_.dispatch([this] { dock().cndEnd(); });
        } else if (how == 1) {
            note("the bar window is closed");
            sim_.dispatch([this] { program_->unload(); });
            programEnded(true);
        } else {
            note("killed outright");
            programEnded(false);
        }
    }

    // --- what any user would state -----------------------------------------------------------

    void checkAlways() {
        checkName("after the event");
        if (sim_.windows.liveCount("frmSet") > 1) {
            fail("more than one settings window");
        }
        checkOnScreen();
    }

    // Whatever the screen, the bar's left end and its switch panel, open or folded, are on it,
    // and so is a name on show: the person can always fold, unfold, switch and quit.
    void checkOnScreen() {
        if (!program_ || result_.violation || dock().model().DockPos.empty()) {
            return;
        }
        const forms::Rect screen = sim_.screen.bounds();
        const auto within = [&](const forms::Form& form, forms::Twips width) {
            return form.left() >= screen.left && form.top() >= screen.top &&
                   form.left() + width <= screen.left + screen.width &&
                   form.top() + form.height() <= screen.top + screen.height;
        };
        const auto where = [](const forms::Form& form) {
            return " at (" + std::to_string(form.left()) + "," + std::to_string(form.top()) + ") " +
                   std::to_string(form.width()) + " wide";
        };
        if (!within(dock(), kLeftEnd)) {
            fail("the bar's left end is off the screen:" + where(dock()));
        } else if (const windows::FrmBtn* panel = program_->windows().frmBtnIfLoaded();
                   panel != nullptr && !within(*panel, panel->width())) {
            fail("the switch panel is off the screen:" + where(*panel));
        } else if (const windows::LnkName* popup = program_->windows().lnkNameIfLoaded();
                   popup != nullptr && popup->visible() && !popup->label("LNm").caption().empty() &&
                   !within(*popup, popup->width())) {
            fail("the name on show is off the screen:" + where(*popup));
        }
    }

    // A name shown on the screen goes within a second of the last move over an item.
    void checkName(std::string_view when) {
        if (!program_ || result_.violation) {
            return;
        }
        windows::LnkName* popup = program_->windows().lnkNameIfLoaded();
        if (popup == nullptr || !popup->visible() || popup->label("LNm").caption().empty()) {
            return;
        }
        const std::uint64_t since = sim_.clock.now() - lastHoverMs_;
        if (since > kNameShownAtMostMs) {
            fail("the name \"" + popup->label("LNm").caption() + "\" is still shown " +
                 std::to_string(since) + " ms after the pointer was last over an item (" +
                 std::string(when) + ")");
        }
    }

    void checkIdle() {
        for (std::string_view name : kFormNames) {
            const forms::Form* form = sim_.windows.live(std::string(name));
            if (form == nullptr) {
                continue;
            }
            for (const auto& control : form->controls()) {
                if (const auto* timer = dynamic_cast<const forms::Timer*>(control.get());
                    timer != nullptr && timer->running() && timer->interval() <= 10) {
                    fail("after 5 s without input, " + form->name() + "." + timer->name() +
                         " still runs every " + std::to_string(timer->interval()) + " ms");
                    return;
                }
            }
        }
        for (int n = 1; n <= settings::kSlotCount; ++n) {
            if (!dock().slotImage(n).visible()) {
                fail("after 5 s without input link " + std::to_string(n) + " is still hidden");
                return;
            }
        }
        const settings::SettingsModel& m = dock().model();
        if (m.DockPos.empty()) {
            return;  // no set was ever laid out (no user name): a sliver by design
        }
        const forms::Twips full = bar::fullWidthOf(m.FWdth);
        if (dock().visible() && dock().width() != full) {
            fail("after 5 s without input the bar is " + std::to_string(dock().width()) +
                 " wide, neither open at FWdth " + m.FWdth + " nor hidden");
            return;
        }
        checkTaskbarFollowsSetting("after 5 s without input");
        if (const windows::FrmBtn* panel = program_->windows().frmBtnIfLoaded();
            panel != nullptr && dock().visible() && panel->top() != dock().top() + 50) {
            fail("after 5 s without input the panel is not beside the bar");
        }
    }

    // Whatever the bar was doing (folded by its close button, closing for a set switch, covered
    // by the settings window), the global key leaves it open with the keyboard, the focus mark
    // on an item that is on it.
    void checkBarHasTheKeyboard() {
        if (!program_ || result_.violation || dock().model().DockPos.empty()) {
            return;
        }
        if (!dock().visible()) {
            fail("after the global key the bar is not shown");
        } else if (sim_.windows.focused() != &dock()) {
            fail("after the global key the bar does not have the keyboard");
        } else if (!dock().items().showsFocus()) {
            fail("after the global key the bar shows no focus mark");
        }
    }

    void checkTaskbarFollowsSetting(std::string_view when) {
        const std::string& taskB = dock().model().TaskB;
        if (taskB == w::kShown && !sim_.screen.everyTaskbar(true)) {
            fail(std::string(when) + ": TaskB is 表示 but a taskbar is hidden");
        } else if (taskB == w::kHidden && !sim_.screen.everyTaskbar(false)) {
            fail(std::string(when) + ": TaskB is 非表示 but a taskbar is shown");
        }
    }

    void checkFilesRead() {
        settings::SettingsFiles files(sim_.disk, sim_.identity.current, "taro");
        auto count = files.countSets();
        if (!count) {
            fail("the sets file written does not read back: " +
                 window_api::storageMessage(count.error()));
            return;
        }
        for (int n = 1; n <= std::min(count.value(), 8); ++n) {
            if (auto set = files.readSet(n); !set) {
                fail("set " + std::to_string(n) + " written does not read back");
                return;
            }
        }
        if (auto dockFile = files.readDock(); !dockFile) {
            fail("the dock file written does not read back");
        }
    }

    // A bar save that said nothing wrote exactly the bar's fields where its set belongs.
    void checkSavedRecord() {
        settings::SettingsFiles files(sim_.disk, sim_.identity.current, "taro");
        const int set = dock().currentSetNumber();
        const auto sets = sim_.disk.fileBytes(files.setsPath()).value_or("");
        const auto dockBytes = sim_.disk.fileBytes(files.dockPath()).value_or("");
        const auto at = static_cast<std::size_t>(set - 1) * settings::kSetRecordLength;
        if (set < 1 || sets.size() < at + settings::kSetRecordLength) {
            fail("a save that said nothing left no record for set " + std::to_string(set));
            return;
        }
        if (sets.compare(at, settings::kSetRecordLength,
                         settings::encodeRecord(dock().model(), settings::setRecordLayout())) !=
            0) {
            fail("set " + std::to_string(set) + " as saved differs from the bar's fields");
        }
        if (dockBytes.compare(
                0, settings::kDockRecordLength,
                settings::encodeRecord(dock().model(), settings::dockRecordLayout())) != 0) {
            fail("the dock record as saved differs from the bar's fields");
        }
    }

    // Every value typed or chosen for a set carries that set's tag: no record may hold another
    // set's. A save that wrote one set's window over another, a reset that brought the bar's
    // set in under the window's number, a folder chooser that outlived its set: each puts a
    // value tagged for one set into another's record.
    void checkEverySetKeepsItsOwnValues() {
        settings::SettingsFiles files(sim_.disk, sim_.identity.current, "taro");
        const auto count = files.countSets();
        if (!count) {
            return;
        }
        for (int n = 1; n <= std::min(count.value(), settings::kSetCount); ++n) {
            const auto set = files.readSet(n);
            if (!set) {
                continue;
            }
            for (int slot = 1; slot <= settings::kSlotCount; ++slot) {
                const settings::LinkSlot& link = set.value().L[static_cast<std::size_t>(slot - 1)];
                for (const std::string* value : {&link.N, &link.I, &link.P}) {
                    const int owner = tagIn(*value);
                    if (owner != 0 && owner != n) {
                        fail("set " + std::to_string(n) + " holds, in slot " +
                             std::to_string(slot) + ", a value meant for set " +
                             std::to_string(owner) + ": " + settings::trimRight(*value));
                        return;
                    }
                }
            }
        }
    }

    // A settings window that counts itself saved shows exactly what its set holds: nothing on
    // its screen is an edit that closing would drop without a question.
    void checkSavedWindowMatchesItsSet() {
        settings_window::FrmSet* win = program_->windows().frmSetIfLoaded();
        if (win == nullptr && dock().model().RNo != unsavedDropSet_) {
            unsavedDropSet_.clear();  // the bar let go of the links the failed save left
        }
        if (win == nullptr || !win->saved() || win->showsStandIn() || result_.violation) {
            return;
        }
        const std::string shown = win->launcherSetNumber();
        // A window opened on links a failed save left on the bar starts from them.
        if (shown == unsavedDropSet_) {
            return;
        }
        settings::SettingsModel set;
        if (dock().model().RNo == shown) {
            if (dock().setUnread()) {
                return;  // the bar's own stand-in, the window's likewise once it takes it
            }
            set = dock().model();
        } else {
            settings::SettingsFiles files(sim_.disk, sim_.identity.current, dock().model().txtUsr);
            const settings::SetLookup found = settings::lookUpSet(files, shown);
            if (found.found == settings::SetLookup::Found::Unreadable) {
                return;
            }
            set = found.fields;
        }
        for (const settings::FieldLayout& f : settings::setRecordLayout()) {
            // The set names are the bar's, which a first stored set loaded later may bring in
            // under an open window; right after a reset they are the bar's again.
            const bool names = f.group == settings::FieldGroup::SetName;
            if ((f.group < settings::FieldGroup::SlotType && !names) || (names && !resetPressed_)) {
                continue;
            }
            // An empty set name is shown as its default wherever it appears.
            const auto shownAs = [&](std::string value) {
                value = settings::trimRight(value);
                return names && value.empty() ? settings::defaultSetName(f.index) : value;
            };
            const std::string expected =
                shownAs(settings::valueOf(names ? dock().model() : set, f));
            const std::string onScreen = shownAs(win->field(f.name));
            if (onScreen != expected) {
                fail("the settings window counts itself saved but shows " + f.name + " \"" +
                     onScreen + "\" where set " + shown + " holds \"" + expected + "\"");
                return;
            }
        }
    }

    // A drop on a link, the bin or another item leaves the links alone. One on the background,
    // the divider or a separator adds exactly the links dropped, after the last slot in use and
    // each with a picture file to show, or, with a message, nothing; the links there stay.
    void checkDroppedLinks(forms::DropEffect effect, std::size_t made, bool told) {
        const auto& before = before_.L;
        const auto& now = dock().model().L;
        int last = 0;
        for (int n = 1; n <= settings::kSlotCount; ++n) {
            if (!before[static_cast<std::size_t>(n - 1)].P.empty()) {
                last = n;
            }
        }
        int changed = 0;
        for (int n = 1; n <= settings::kSlotCount; ++n) {
            const settings::LinkSlot& was = before[static_cast<std::size_t>(n - 1)];
            const settings::LinkSlot& is = now[static_cast<std::size_t>(n - 1)];
            if (was == is) {
                continue;
            }
            ++changed;
            if (effect != forms::DropEffect::Link || n <= last ||
                n > last + static_cast<int>(made)) {
                fail("a drop changed slot " + std::to_string(n) + " (links up to " +
                     std::to_string(last) + ", " + std::to_string(made) + " dropped)");
                return;
            }
            if (is.P.empty() || !sim_.disk.fileExists(is.I)) {
                fail("the link a drop put in slot " + std::to_string(n) +
                     " has no picture file to show: \"" + is.I + "\"");
                return;
            }
        }
        if (changed != 0 && told) {
            // Added, but the save failed: the links stay on the bar alone, as a failed quick
            // edit's change does, until the bar shows another set.
            unsavedDropSet_ = dock().model().RNo;
        }
        if (changed != 0 && changed != static_cast<int>(made)) {
            fail("a drop of " + std::to_string(made) + " usable items added " +
                 std::to_string(changed) + " links");
        } else if (changed == 0 && made > 0 && effect == forms::DropEffect::Link && !told) {
            fail("a drop on the background added nothing and said nothing");
        }
    }

    // A quick edit from the menu leaves the bar as the person set it, whether its save worked
    // or not, and only the taskbar entry changes the taskbar's state.
    void checkQuickEdit() {
        if (menuEntry_.empty() || result_.violation) {
            return;
        }
        const settings::SettingsModel& now = dock().model();
        const auto flipped = [](const std::string& value, std::string_view a, std::string_view b) {
            return value == a ? std::string(b) : value == b ? std::string(a) : value;
        };
        std::string field;
        std::string expected;
        std::string actual;
        if (menuEntry_ == "LnchPos") {
            field = "DockPos";
            expected = flipped(before_.DockPos, w::kTop, w::kBottom);
            actual = now.DockPos;
        } else if (menuEntry_ == "DClr") {
            field = "Clr";
            expected = std::string(before_.Clr == w::kYes ? w::kNo : w::kYes);
            actual = now.Clr;
        } else if (menuEntry_ == "BStrch") {
            field = "BkStrch";
            expected = flipped(before_.BkStrch, w::kYes, w::kNo);
            actual = now.BkStrch;
        } else if (menuEntry_ == "TBar") {
            field = "TaskB";
            expected = std::string(before_.TaskB == w::kHidden ? w::kShown : w::kHidden);
            actual = now.TaskB;
        } else {
            return;
        }
        if (before_.DockPos.empty()) {
            return;  // a bar that never loaded a set
        }
        if (actual != expected) {
            fail("after the menu's " + menuEntry_ + " the bar's " + field + " is \"" + actual +
                 "\", not \"" + expected + "\"");
        } else if (menuEntry_ != "TBar" && now.TaskB != before_.TaskB) {
            fail("the menu's " + menuEntry_ + " changed the taskbar state from \"" + before_.TaskB +
                 "\" to \"" + now.TaskB + "\"");
        }
    }

    // --- tags --------------------------------------------------------------------------------

    static std::string tagOf(int set) { return "#" + std::to_string(set) + ":"; }
    // The set a value was meant for, or 0 for a value without a tag.
    static int tagIn(const std::string& value) {
        if (value.size() < 3 || value[0] != '#' || value[2] != ':' || value[1] < '1' ||
            value[1] > '4') {
            return 0;
        }
        return value[1] - '0';
    }
    // The set the settings window shows, as a tag; nothing while it is closed or shows no set.
    std::string windowTag() {
        settings_window::FrmSet* win = program_ ? program_->windows().frmSetIfLoaded() : nullptr;
        const int n = win != nullptr ? settings::toInt16(win->launcherSetNumber()) : 0;
        return n >= 1 && n <= settings::kSetCount ? tagOf(n) : "";
    }
    // What is typed into a slot's editor carries the tag of the set it is typed for: the set the
    // settings window shows, or, in the folder chooser, the set it was opened for.
    std::string tagFor(const forms::Form& form, const std::string& box) {
        if (form.name() == "frmSet" && (box == "LN" || box == "LP" || box == "LI")) {
            return windowTag();
        }
        if (form.name() == "frmDirBox" && box == "txtFldrPas") {
            return chooserTag_;
        }
        return "";
    }
    // The chooser's set is the window's when the chooser is first seen open.
    void noteChooser() {
        if (!program_) {
            chooserTag_.clear();
            return;
        }
        if (program_->windows().frmDirBoxIfLoaded() == nullptr) {
            chooserTag_.clear();
        } else if (chooserTag_.empty()) {
            chooserTag_ = windowTag();
        }
    }

    // --- bookkeeping -------------------------------------------------------------------------

    void advance(std::uint64_t ms) {
        guarded("time", [&] { sim_.clock.advance(ms); });
    }

    void scriptAnswers() {
        using platform::MessageAnswer;
        sim_.dialogs.answers.clear();
        sim_.dialogs.fileAnswers.clear();
        sim_.dialogs.fontAnswers.clear();
        sim_.dialogs.colorAnswers.clear();
        for (int i = 0; i < 4; ++i) {
            sim_.dialogs.answers.push_back(chance(random_, 0.5) ? MessageAnswer::Yes
                                                                : MessageAnswer::No);
            sim_.dialogs.fileAnswers.push_back(
                chance(random_, 0.3)
                    ? std::nullopt
                    : std::optional<std::string>(windowTag() +
                                                 std::string(kTyped[anyOf(random_, kTyped)])));
            sim_.dialogs.fontAnswers.push_back(
                chance(random_, 0.5) ? std::nullopt
                                     : std::optional<platform::FontChoice>(platform::FontChoice{
                                           "ＭＳ 明朝", between(random_, 6, 20),
                                           chance(random_, 0.5), chance(random_, 0.5)}));
            sim_.dialogs.colorAnswers.push_back(
                chance(random_, 0.5)
                    ? std::nullopt
                    : std::optional<forms::ColorNumber>(between(random_, 0, 0xFFFFFF)));
        }
    }

    // The simulated system keeps every call it saw; a long run must not keep them all.
    void tidy() {
        sim_.log.clear();
        sim_.dialogs.messages.clear();
        sim_.dialogs.fileRequests.clear();
        sim_.dialogs.fontPresets.clear();
        sim_.dialogs.colorStarts.clear();
        sim_.shell.executed.clear();
        sim_.shell.started.clear();
        sim_.shell.properties.clear();
        sim_.shell.recycled.clear();
        sim_.screen.showCalls.clear();
        sim_.windows.menusShown.clear();
        sim_.pictures.loads.clear();
        sim_.pictures.builtinRequests.clear();
    }

    std::string describe(const forms::Form& form, forms::Point at) const {
        const forms::Control* control = form.controlAt(at);
        return form.name() + "." + (control != nullptr ? control->name() : "background") + " (" +
               std::to_string(at.x) + "," + std::to_string(at.y) + ")";
    }

    void note(std::string what) {
        if (std::getenv("QUORVEL_MODEL_TRACE") != nullptr && program_) {
            const auto& m = dock().model();
            const auto links = std::count_if(m.L.begin(), m.L.end(),
                                             [](const auto& slot) { return !slot.P.empty(); });
            std::fprintf(stderr, "#%llu @%llu bar %s w=%d FWdth=%s RNo=%s set=%d links=%d | %s\n",
                         static_cast<unsigned long long>(result_.events),
                         static_cast<unsigned long long>(sim_.clock.now()),
                         dock().visible() ? "shown" : "hidden", dock().width(), m.FWdth.c_str(),
                         m.RNo.c_str(), dock().currentSetNumber(), static_cast<int>(links),
                         what.c_str());
        }
        recent_.push_back("#" + std::to_string(result_.events) + " @" +
                          std::to_string(sim_.clock.now()) + "ms " + std::move(what));
        if (recent_.size() > kRecentEvents) {
            recent_.pop_front();
        }
    }

    void fail(const std::string& what) {
        if (result_.violation) {
            return;
        }
        std::ostringstream out;
        out << "seed " << result_.seed << ", event " << result_.events << " (" << current_
            << "), at " << sim_.clock.now() << " ms: " << what << "\nthe events before it:\n";
        for (const std::string& line : recent_) {
            out << "  " << line << '\n';
        }
        result_.violation = out.str();
    }

    Random random_;
    ModelCheckResult& result_;
    platform::sim::SimPlatform sim_;
    std::unique_ptr<program::Program> program_;
    std::uint64_t lastHoverMs_ = 0;
    settings::SettingsModel before_;
    std::string menuEntry_;
    std::string chooserTag_;
    std::string forcedEntry_;     // the entry the next menu is answered with
    std::string longPath_;        // a file whose path no link can hold
    std::string unsavedDropSet_;  // the set whose dropped links no save has stored yet
    bool resetPressed_ = false;
    std::deque<std::string> recent_;
    std::string current_ = "start";
};

}  // namespace

ModelCheckResult runModelCheck(std::uint64_t seed, std::uint64_t events) {
    ModelCheckResult result;
    Explorer explorer(seed, result);
    explorer.run(events);
    return result;
}

}  // namespace quorvel::testing
