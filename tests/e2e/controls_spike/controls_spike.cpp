// A test-only program: one dialog form with a text box, a drop-down list of three entries and a
// default button, realised by the real window host with the program's own message loop. Every
// event that reaches the model is appended to the UTF-8 log file named on the command line, one
// line each: "change<TAB>text", "click<TAB>index<TAB>text", "press", "close".
//
// Usage: controls_spike.exe LOG-FILE
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include "forms/form.h"
#include "platform/event_dispatcher.h"
#include "platform/win32/handles.h"
#include "platform/win32/pictures.h"
#include "platform/win32/strconv.h"
#include "platform/win32/timer_service.h"
#include "platform/win32/window_host.h"

namespace {

using namespace quorvel;
namespace w = platform::win32;
using K = forms::ControlKind;

constexpr forms::ControlRow kLayout[] = {
    {"lblName", K::Label, {240, 270, 1080, 300}, "名前："},
    {"txtName", K::TextBox, {1320, 210, 3240, 330}},
    {"lblKind", K::Label, {240, 810, 1080, 300}, "種類："},
    {"cboKind", K::ComboBox, {1320, 750, 3240, 330}, "ｱﾌﾟﾘｹｰｼｮﾝ\nﾌｧｲﾙ\nﾌｫﾙﾀﾞ"},
    {"cmdOK", K::Button, {3120, 1440, 1440, 420}, "決定", forms::kDefaultButton},
};

class SpikeForm final : public forms::Form {
public:
    SpikeForm(forms::FormServices services, const std::filesystem::path& logFile)
        : Form("ControlsSpike", services, {1500, 1500, 4800, 2100}, kLayout),
          log_(logFile, std::ios::binary | std::ios::app) {
        setStyle(forms::FormStyle::Dialog);
        setCaption("コントロールの試験");
        txtName_->setToolTip("名前を入力してください");
        lblKind_->setToolTip("リンクの種類");
        txtName_->onChange = [this] { write("change\t" + txtName_->text()); };
        cboKind_->onClick = [this] {
            write("click\t" + std::to_string(cboKind_->listIndex()) + "\t" + cboKind_->text());
        };
        cmdOK_->onClick = [this] { write("press"); };
        onCloseRequest = [this] {
            write("close");
            PostQuitMessage(0);
        };
        announce();
        show();
    }

private:
    void write(const std::string& line) {
        log_ << line << '\n';
        log_.flush();
    }

    std::ofstream log_;
    forms::TextBox* txtName_ = &textBox("txtName");
    forms::Label* lblKind_ = &label("lblKind");
    forms::ComboBox* cboKind_ = &comboBox("cboKind");
    forms::Button* cmdOK_ = &button("cmdOK");
};

std::filesystem::path logFileArgument() {
    int count = 0;
    w::LocalMemory arguments(CommandLineToArgvW(GetCommandLineW(), &count));
    auto* argv = static_cast<wchar_t**>(arguments.get());
    return argv != nullptr && count >= 2 ? std::filesystem::path(argv[1])
                                         : std::filesystem::path(L"controls_spike.log");
}

int run(HINSTANCE instance) {
    w::FailureLog failures;
    w::Win32WindowHost host(instance, failures);
    platform::EventDispatcher events;
    w::Win32TimerService timers(instance, failures);
    w::WicPictures pictures(failures);
    events.bringUpToDate = [&host] { host.sync(); };
    host.setDispatcher(&events);
    timers.setDispatcher(&events);
    struct Detach {
        w::Win32WindowHost& host;
        w::Win32TimerService& timers;
        ~Detach() {
            host.setDispatcher(nullptr);
            timers.setDispatcher(nullptr);
        }
    } detach{host, timers};

    SpikeForm form({host, timers, pictures}, logFileArgument());
    host.sync();

    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!host.preTranslate(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        failures.rethrowParked();
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    try {
        return run(instance);
    } catch (const std::exception& e) {
        MessageBoxW(nullptr, w::toWide(e.what()).c_str(), L"controls_spike", MB_OK);
        return 1;
    }
}
