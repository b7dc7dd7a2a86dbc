// The Win32 shell port, popup menus built from menu trees, stacking behind another window,
// drops routed to the image under the pointer (the system's file drops and OLE's, with the
// shell's own data objects) and the pictures of dropped items. Windows build only (run under
// Wine).
#ifdef _WIN32

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "forms/form.h"
#include "platform/win32/drag_data_reader.h"
#include "platform/win32/drop_target.h"
#include "platform/win32/failure_log.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/pictures.h"
#include "platform/win32/popup_menu.h"
#include "platform/win32/shell.h"
#include "platform/win32/strconv.h"
#include "platform/win32/timer_service.h"
#include "platform/win32/window_host.h"

namespace quorvel::platform::win32 {
namespace {

class MenuForm : public forms::Form {
public:
    explicit MenuForm(forms::FormServices services)
        : Form("ShellTestMenu", services, {0, 0, 15, 15}) {
        forms::MenuItem& file = addMenu("File", "File");
        file.addChild("Hidden", "見えない").setVisible(false);
        file.addChild("Set", "仕事 & 遊び").setChecked(true);
        forms::MenuItem& sub = file.addChild("Sub", "アクセサリ");
        sub.addChild("Off", "電卓").setEnabled(false);
        sub.addChild("Pad", "メモ帳");
        file.addChild("End", "終了");
        announce();
    }
};

std::wstring menuString(HMENU menu, int position) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
    return text;
}

TEST(PopupMenu, ShowsTheVisibleEntriesWithTheirStatesAndAmpersandsAsThemselves) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    FailureLog failures;
    Win32WindowHost host(instance, failures);
    Win32TimerService timers(instance, failures);
    WicPictures pictures(failures);
    MenuForm form(forms::FormServices{host, timers, pictures});

    BuiltPopupMenu built = buildPopupMenu(form.menuItem("File"));
    ASSERT_TRUE(built.menu);
    HMENU menu = built.menu.get();
    ASSERT_EQ(GetMenuItemCount(menu), 3);
    EXPECT_EQ(menuString(menu, 0), L"仕事 && 遊び");
    EXPECT_EQ(GetMenuState(menu, 0, MF_BYPOSITION) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(menuString(menu, 1), L"アクセサリ");
    HMENU sub = GetSubMenu(menu, 1);
    ASSERT_NE(sub, nullptr);
    ASSERT_EQ(GetMenuItemCount(sub), 2);
    EXPECT_NE(GetMenuState(sub, 0, MF_BYPOSITION) & MF_GRAYED, 0U);
    EXPECT_EQ(GetMenuState(sub, 1, MF_BYPOSITION) & MF_GRAYED, 0U);
    // Command ids lead back to the entries, submenus have none.
    ASSERT_EQ(built.commands.size(), 4U);
    EXPECT_EQ(built.commands[GetMenuItemID(menu, 0) - 1]->name(), "Set");
    EXPECT_EQ(built.commands[GetMenuItemID(sub, 1) - 1]->name(), "Pad");
    EXPECT_EQ(built.commands[GetMenuItemID(menu, 2) - 1]->name(), "End");
    EXPECT_EQ(menuText("A&B&&C"), L"A&&B&&&&C");
}

// A temporary folder with a file and a subfolder, removed again afterwards.
class TempFolder {
public:
    TempFolder() {
        wchar_t base[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, base);
        path_ =
            std::wstring(base) + L"quorvel shell test " + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(path_.c_str(), nullptr);
        CreateDirectoryW((path_ + L"\\フォルダ").c_str(), nullptr);
        std::ofstream(std::filesystem::path(path_ + L"\\メモ.txt")) << "x";
    }
    ~TempFolder() {
        DeleteFileW((path_ + L"\\メモ.txt").c_str());
        DeleteFileW((path_ + L"\\サイト.url").c_str());
        DeleteFileW((path_ + L"\\tool.exe").c_str());
        RemoveDirectoryW((path_ + L"\\フォルダ").c_str());
        RemoveDirectoryW(path_.c_str());
    }
    [[nodiscard]] std::string utf8(const std::wstring& below = {}) const {
        return toUtf8(below.empty() ? path_ : path_ + L"\\" + below);
    }

private:
    std::wstring path_;
};

TEST(RecycleList, TakesOnlyAbsolutePathsOfExistingFilesAndFoldersThatAreNoRoots) {
    TempFolder temp;
    const std::string file = temp.utf8(L"メモ.txt");
    const std::string folder = temp.utf8(L"フォルダ");
    const std::wstring list =
        recyclableList({file, "C:\\", "C:", "Z:\\", "\\\\server\\share", "\\\\server\\share\\",
                        "relative.txt", "\\\\?\\C:\\x", temp.utf8(L"missing.txt"), folder, ""});
    EXPECT_EQ(list, toWide(file) + L'\0' + toWide(folder) + L'\0' + L'\0');
    EXPECT_TRUE(recyclableList({"C:\\", "D:\\"}).empty());
}

TEST(Win32ShellDirectory, AShellStartGetsAFolderAsItsWorkingDirectory) {
    TempFolder temp;
    const std::wstring folder = toWide(temp.utf8());
    EXPECT_EQ(usableDirectory(folder), folder);
    EXPECT_EQ(usableDirectory(toWide(temp.utf8(L"メモ.txt"))), folder + L"\\");
    EXPECT_EQ(usableDirectory(L"https://example.com/"), L"");
    EXPECT_EQ(usableDirectory(toWide(temp.utf8(L"missing.txt"))), L"");
    EXPECT_EQ(usableDirectory(L""), L"");
}

TEST(Win32ShellPrograms, FindsFilesAsTheyStandAndBareNamesAlongTheSearchPath) {
    TempFolder temp;
    FailureLog failures;
    HandleWaits waits;
    Win32Shell shell(GetModuleHandleW(nullptr), nullptr, waits, failures);
    const std::string system = shell.systemFolder();
    EXPECT_FALSE(system.empty());
    const auto cmd = shell.findProgram("cmd");
    ASSERT_TRUE(cmd.has_value());
    EXPECT_EQ(CompareStringOrdinal(toWide(*cmd).c_str(), -1, toWide(system + "\\cmd.exe").c_str(),
                                   -1, TRUE),
              CSTR_EQUAL);
    EXPECT_EQ(shell.findProgram(temp.utf8(L"メモ.txt")), temp.utf8(L"メモ.txt"));
    EXPECT_FALSE(shell.findProgram(temp.utf8(L"フォルダ")).has_value());  // a folder is no program
    EXPECT_FALSE(shell.findProgram(temp.utf8(L"missing")).has_value());
    EXPECT_FALSE(shell.findProgram("no-such-program-anywhere").has_value());
    EXPECT_FALSE(shell.findProgram("").has_value());
}

TEST(Win32ShellPrograms, StartsExactlyTheProgramGivenAndReportsOneThatIsMissing) {
    FailureLog failures;
    HandleWaits waits;
    Win32Shell shell(GetModuleHandleW(nullptr), nullptr, waits, failures);
    const auto cmd = shell.findProgram("cmd.exe");
    ASSERT_TRUE(cmd.has_value());
    EXPECT_TRUE(shell.startProgram(*cmd, "/c exit 0").ok());
    const auto missing = shell.startProgram("C:\\no such folder\\app.exe", "-x");
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().code, 0);
}

TEST(Win32ShellBin, QueriesTheBinAndTellsWhatItCost) {
    FailureLog failures;
    HandleWaits waits;
    Win32Shell shell(GetModuleHandleW(nullptr), nullptr, waits, failures);
    auto state = shell.queryRecycleBin();
    ASSERT_TRUE(state.ok()) << state.error().message;
    EXPECT_GE(state.value().items, 0);
}

class StackForm : public forms::Form {
public:
    StackForm(std::string name, forms::FormServices services, forms::Rect at)
        : Form(std::move(name), services, at) {
        bin = &addImage("bin", {150, 150, 480, 480});
        slot = &addImage("slot", {1500, 150, 480, 480});
        announce();
    }
    forms::Image* bin;
    forms::Image* slot;
};

// The window host and the services forms are made with, for tests that show several forms.
class Win32Stacking : public ::testing::Test {
protected:
    HINSTANCE instance = GetModuleHandleW(nullptr);
    FailureLog failures;
    Win32WindowHost host{instance, failures};
    Win32TimerService timers{instance, failures};
    WicPictures pictures{failures};
    forms::FormServices services{host, timers, pictures};
};

// Runs whatever the window system has queued.
void runQueuedMessages() {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool isBelow(HWND lower, HWND upper) {
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == lower) {
            return true;
        }
    }
    return false;
}

// The name popup passes behind the bar's pictures by what it paints, not by where it is
// stacked: stacking it afresh brings it over the bar and leaves the bar under a window that
// covers it, as a bar set not to stay on top must be.
TEST_F(Win32Stacking, StackingANameAfreshLeavesTheBarWhereItIs) {
    StackForm bar("StackBar", services, {1500, 1500, 4500, 735});
    StackForm cover("StackCover", services, {1500, 1500, 2000, 735});
    StackForm name("StackName", services, {1500, 1700, 4500, 240});
    bar.setTopmost(false);
    cover.setTopmost(false);
    name.setTopmost(true);
    host.sync();
    HWND barWindow = host.windowOf(bar);
    HWND coverWindow = host.windowOf(cover);
    HWND nameWindow = host.windowOf(name);
    ASSERT_TRUE(isBelow(barWindow, coverWindow));

    name.setCoveredAreas({{0, 0, 480, 240}});
    name.restack();
    host.sync();
    EXPECT_TRUE(isBelow(barWindow, coverWindow));
    EXPECT_TRUE(isBelow(barWindow, nameWindow));
    EXPECT_NE(GetWindowLongPtrW(nameWindow, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

// A window that lets the pointer through (the name sliding out across the bar) is passed over
// when the system looks for the window under the pointer; one that does not is found.
TEST_F(Win32Stacking, AWindowThatLetsThePointerThroughLeavesPressesToTheWindowBelow) {
    StackForm bar("PointerBar", services, {1500, 1500, 4500, 735});
    StackForm through("PointerName", services, {1500, 1700, 4500, 240});
    StackForm solid("PointerSolid", services, {1500, 1900, 4500, 240});
    for (StackForm* name : {&through, &solid}) {
        name->setBackColor(0x00FF00);
        name->setColorKey(0xFF00FF);  // keyed, but not the colour it shows
        name->setTopmost(true);
    }
    through.letPointerThrough();
    bar.setTopmost(true);
    through.restack();
    solid.restack();
    host.sync();
    runQueuedMessages();
    const auto windowAt = [&](const StackForm& form) {
        RECT r{};
        GetWindowRect(host.windowOf(form), &r);
        return WindowFromPoint(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    };
    EXPECT_EQ(windowAt(through), host.windowOf(bar));
    EXPECT_EQ(windowAt(solid), host.windowOf(solid));
}

// Files dropped on the window reach the image under the drop point, and only that one.
TEST(Win32Drop, FilesDroppedOnAWindowReachTheImageUnderThePoint) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    FailureLog failures;
    Win32WindowHost host(instance, failures);
    Win32TimerService timers(instance, failures);
    WicPictures pictures(failures);
    StackForm bar("DropBar", forms::FormServices{host, timers, pictures}, {1500, 1500, 4500, 735});
    std::vector<std::string> dropped;
    bar.bin->events.dropEffect = [](const forms::DragData&) { return forms::DropEffect::Move; };
    bar.bin->events.onDrop = [&](const forms::DragData& data) { dropped = data.paths; };
    StackForm other("DropOther", forms::FormServices{host, timers, pictures}, {0, 0, 900, 900});
    bar.show();
    host.sync();
    HWND window = host.windowOf(bar);
    const int dpi = static_cast<int>(GetDpiForWindow(window));
    // Only a window with a drop handler takes files at all.
    EXPECT_NE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    EXPECT_EQ(GetWindowLongPtrW(host.windowOf(other), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);

    const auto drop = [&](forms::Point at, const std::vector<std::wstring>& files) {
        std::wstring names;
        for (const auto& f : files) {
            names += f + L'\0';
        }
        names += L'\0';
        HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
        auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
        header->pFiles = sizeof(DROPFILES);
        header->pt = {MulDiv(at.x, dpi, 1440), MulDiv(at.y, dpi, 1440)};
        header->fWide = TRUE;
        std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), names.data(),
                    names.size() * sizeof(wchar_t));
        GlobalUnlock(memory);
        SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
        runQueuedMessages();
    };

    drop({1600, 300}, {L"C:\\a.txt"});  // on the slot
    EXPECT_TRUE(dropped.empty());
    drop({300, 300}, {L"C:\\b.txt", L"C:\\写真\\c.jpg", L"C:\\a.txt"});  // on the bin
    EXPECT_EQ(dropped, (std::vector<std::string>{"C:\\b.txt", "C:\\写真\\c.jpg", "C:\\a.txt"}));
}

// The shell's own data object for items of one folder, as a file manager hands it to a drag.
ComPtr<IDataObject> shellDataObject(const std::wstring& folder,
                                    const std::vector<std::wstring>& names) {
    ComPtr<IDataObject> data;
    ComPtr<IShellFolder> desktop;
    ComPtr<IShellFolder> shellFolder;
    const UniqueIdList folderItem([&] {
        PIDLIST_ABSOLUTE item = nullptr;
        SHParseDisplayName(folder.c_str(), nullptr, &item, 0, nullptr);
        return item;
    }());
    if (!folderItem || FAILED(SHGetDesktopFolder(desktop.put())) ||
        FAILED(desktop->BindToObject(folderItem.get(), nullptr, IID_IShellFolder,
                                     shellFolder.putVoid()))) {
        return data;
    }
    std::vector<UniqueIdList> owned;
    std::vector<PCUITEMID_CHILD> items;
    for (std::wstring name : names) {
        PIDLIST_RELATIVE item = nullptr;
        if (FAILED(shellFolder->ParseDisplayName(nullptr, nullptr, name.data(), nullptr, &item,
                                                 nullptr))) {
            return data;
        }
        owned.emplace_back(reinterpret_cast<PIDLIST_ABSOLUTE>(item));
        items.push_back(reinterpret_cast<PCUITEMID_CHILD>(item));
    }
    shellFolder->GetUIObjectOf(nullptr, static_cast<UINT>(items.size()), items.data(),
                               IID_IDataObject, nullptr, data.putVoid());
    return data;
}

class DropForm : public forms::Form {
public:
    explicit DropForm(forms::FormServices services)
        : Form("OleDropBar", services, {1500, 1500, 4500, 735}) {
        bin = &addImage("bin", {150, 150, 480, 480});
        slot = &addImage("slot", {1500, 150, 480, 480});
        bin->events.dropEffect = [](const forms::DragData& d) {
            return d.paths.empty() ? forms::DropEffect::None : forms::DropEffect::Move;
        };
        bin->events.onDrop = [this](const forms::DragData& d) { binGot.push_back(d); };
        slot->events.onDrop = [this](const forms::DragData& d) { slotGot.push_back(d); };
        backgroundEvents.dropEffect = [](const forms::DragData&) {
            return forms::DropEffect::Link;
        };
        backgroundEvents.onDrop = [this](const forms::DragData& d) { backgroundGot.push_back(d); };
        announce();
    }
    forms::Image* bin;
    forms::Image* slot;
    std::vector<forms::DragData> binGot, slotGot, backgroundGot;
};

// A drag from a file manager over the bar: the pointer shows a link over the background,
// nothing over a link and a move over the bin; the drop reaches the form after the drag, with
// the files in their order, and a move is reported to the source as nothing done, so that it
// never deletes what went to the bin.
TEST(Win32Drop, TheShellsDataObjectShowsEachPlacesEffectAndReachesTheFormAfterTheDrag) {
    TempFolder temp;
    std::ofstream(std::filesystem::path(toWide(temp.utf8(L"サイト.url"))))
        << "[InternetShortcut]\r\nURL=http://example.jp/\r\n";
    std::ofstream(std::filesystem::path(toWide(temp.utf8(L"tool.exe")))) << "MZ";
    HINSTANCE instance = GetModuleHandleW(nullptr);
    FailureLog failures;
    Win32WindowHost host(instance, failures);
    Win32TimerService timers(instance, failures);
    WicPictures pictures(failures);
    DropForm bar(forms::FormServices{host, timers, pictures});
    bar.show();
    host.sync();
    HWND window = host.windowOf(bar);
    IDropTarget* target = host.dropTargetOf(bar);
    ASSERT_NE(target, nullptr) << (failures.recent().empty() ? "" : failures.recent().back());
    const ComPtr<IDataObject> data = shellDataObject(
        toWide(temp.utf8()), {L"メモ.txt", L"フォルダ", L"tool.exe", L"サイト.url"});
    ASSERT_TRUE(data);
    const std::vector<std::string> files = {temp.utf8(L"メモ.txt"), temp.utf8(L"フォルダ"),
                                            temp.utf8(L"tool.exe"), temp.utf8(L"サイト.url")};
    EXPECT_EQ(readDragData(*data.get()).paths, files);

    const int dpi = static_cast<int>(GetDpiForWindow(window));
    const auto screenAt = [&](forms::Point twips) {
        POINT p{MulDiv(twips.x, dpi, 1440), MulDiv(twips.y, dpi, 1440)};
        ClientToScreen(window, &p);
        return POINTL{p.x, p.y};
    };
    constexpr DWORD kAll = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    DWORD effect = kAll;
    ASSERT_EQ(target->DragEnter(data.get(), MK_LBUTTON, screenAt({3000, 650}), &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_LINK));
    effect = kAll;
    target->DragOver(MK_LBUTTON, screenAt({1700, 300}), &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    effect = kAll;
    target->DragOver(MK_LBUTTON, screenAt({300, 300}), &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
    effect = DROPEFFECT_COPY;  // a source that only copies still reaches the bin
    target->DragOver(MK_LBUTTON, screenAt({300, 300}), &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));

    effect = kAll;
    target->Drop(data.get(), 0, screenAt({300, 300}), &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_TRUE(bar.binGot.empty());  // not inside the source's drag
    runQueuedMessages();
    ASSERT_EQ(bar.binGot.size(), 1U);
    EXPECT_EQ(bar.binGot[0].paths, files);

    for (const forms::Point at : {forms::Point{1700, 300}, forms::Point{3000, 650}}) {
        effect = kAll;
        target->DragEnter(data.get(), MK_LBUTTON, screenAt(at), &effect);
        target->Drop(data.get(), 0, screenAt(at), &effect);
    }
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_LINK));
    runQueuedMessages();
    EXPECT_TRUE(bar.slotGot.empty());
    ASSERT_EQ(bar.backgroundGot.size(), 1U);
    EXPECT_EQ(bar.backgroundGot[0].paths, files);
}

struct OleScope {
    bool ok = SUCCEEDED(OleInitialize(nullptr));
    ~OleScope() {
        if (ok) {
            OleUninitialize();
        }
    }
    OleScope() = default;
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;
};

// OLE and the drop target's registration wait until the window has been painted once: before
// that the window has no target (another can be registered and taken back), afterwards it has.
TEST(Win32Drop, AWindowTakesDropsOnceItHasBeenPainted) {
    OleScope ole;
    ASSERT_TRUE(ole.ok);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    FailureLog failures;
    Win32WindowHost host(instance, failures);
    Win32TimerService timers(instance, failures);
    WicPictures pictures(failures);
    DropForm bar(forms::FormServices{host, timers, pictures});
    bar.show();
    host.sync();
    HWND window = host.windowOf(bar);
    ASSERT_NE(window, nullptr);
    ComPtr<DropTarget> other;
    *other.put() = new DropTarget(window, {});
    ASSERT_EQ(RegisterDragDrop(window, other.get()), S_OK);
    ASSERT_EQ(RevokeDragDrop(window), S_OK);

    UpdateWindow(window);
    runQueuedMessages();
    EXPECT_EQ(RegisterDragDrop(window, other.get()), DRAGDROP_E_ALREADYREGISTERED);
}

// A browser's dragged link carries an address and no file; one from the clipboard's data object
// is read the same way.
TEST(Win32Drop, ADraggedAddressIsReadFromItsInternetAddressFormat) {
    OleScope ole;
    ASSERT_TRUE(ole.ok);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const std::wstring address = L"https://www.example.jp/a?b=1";
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (address.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(memory), address.c_str(), (address.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    SetClipboardData(RegisterClipboardFormatW(CFSTR_INETURLW), memory);
    CloseClipboard();
    ComPtr<IDataObject> data;
    ASSERT_EQ(OleGetClipboard(data.put()), S_OK);
    const forms::DragData read = readDragData(*data.get());
    EXPECT_TRUE(read.paths.empty());
    EXPECT_EQ(read.addresses, std::vector<std::string>{"https://www.example.jp/a?b=1"});
}

// What a dropped item shows: the shell's own picture of it, at the bar's two sizes, in an icon
// file the bar's picture loader reads back; and the built-in link picture the same way.
TEST(Win32DropPictures, TheShellsPictureAndTheBuiltInOneAreIconFilesThatLoad) {
    TempFolder temp;
    FailureLog failures;
    HandleWaits waits;
    Win32Shell shell(GetModuleHandleW(nullptr), nullptr, waits, failures);
    WicPictures pictures(failures);
    const std::string system = shell.systemFolder();
    struct Item {
        std::string path;
        bool address;
    };
    int n = 0;
    for (const Item& item :
         {Item{temp.utf8(L"メモ.txt"), false}, Item{temp.utf8(L"フォルダ"), false},
          Item{system + "\\notepad.exe", false}, Item{"https://www.example.jp/", true}}) {
        const auto icon = shell.iconOf(item.path, item.address);
        ASSERT_TRUE(icon.ok()) << item.path << ": " << icon.error().message;
        const std::string file = temp.utf8(L"icon" + std::to_wstring(++n) + L".ico");
        std::ofstream(std::filesystem::path(toWide(file)), std::ios::binary) << icon.value();
        const forms::PictureRef loaded = pictures.load(file);
        EXPECT_TRUE(loaded) << item.path;
        DeleteFileW(toWide(file).c_str());
    }
    const std::string builtin = temp.utf8(L"link.ico");
    std::ofstream(std::filesystem::path(toWide(builtin)), std::ios::binary)
        << pictures.iconFileOf(forms::BuiltinPicture::Link);
    EXPECT_TRUE(pictures.load(builtin));
    DeleteFileW(toWide(builtin).c_str());
}

// The message loop waits on the bin's notifications itself: a signalled handle runs its
// handler between messages, a handler may drop its own wait, and a handle that cannot be waited
// on leaves the loop running on messages instead of waking it for ever.
TEST(MessageLoopWaits, SignalledHandlesRunTheirHandlersBetweenMessages) {
    FailureLog failures;
    Win32WindowHost host(GetModuleHandleW(nullptr), failures);
    HandleWaits waits;
    const KernelHandle first(CreateEventW(nullptr, TRUE, TRUE, nullptr));
    const KernelHandle second(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::vector<std::string> ran;
    HandleWaits::Registration firstWait;
    firstWait = waits.add(first.get(), [&] {
        ran.push_back("first");
        firstWait = {};  // a handler that drops its own wait
        SetEvent(second.get());
    });
    const HandleWaits::Registration secondWait = waits.add(second.get(), [&] {
        ran.push_back("second");
        ResetEvent(second.get());
        PostQuitMessage(7);
    });
    EXPECT_EQ(runMessageLoop(host, waits, failures), 7);
    EXPECT_EQ(ran, (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(waits.handles(), std::vector<HANDLE>{second.get()});

    HANDLE closed = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    CloseHandle(closed);
    const HandleWaits::Registration broken = waits.add(closed, [&] { ran.push_back("closed"); });
    PostQuitMessage(3);
    EXPECT_EQ(runMessageLoop(host, waits, failures), 3);
    EXPECT_EQ(ran.size(), 2U);
}

}  // namespace
}  // namespace quorvel::platform::win32

#endif  // _WIN32
