#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "commands.h"
#include "platform/native/native_file_system.h"
#include "settings/settings_model.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace quorvel::tools {

namespace {

constexpr std::string_view kUsage =
    "使い方:\n"
    "  quorvel-settings export --dir DIR --user USER\n"
    "  quorvel-settings import --dir DIR --user USER --set N   (JSON を標準入力から)\n"
    "  quorvel-settings check  --dir DIR --user USER\n"
    "DIR は作業フォルダーで、設定ファイルは DIR/UsrData にあります。\n";

int usage(const std::string& problem) {
    std::cerr << problem << '\n' << kUsage;
    return kExitUsage;
}

}  // namespace

// Not static: wmain and main below call it.
int run(const std::vector<std::string>& args) {
    if (args.empty()) {
        return usage("コマンドがありません。");
    }
    const std::string& command = args[0];
    Target target;
    std::string set;
    for (std::size_t i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) {
            return usage(args[i] + " の値がありません。");
        }
        const std::string& value = args[i + 1];
        if (args[i] == "--dir") {
            target.dir = value;
        } else if (args[i] == "--user") {
            target.user = value;
        } else if (args[i] == "--set" && command == "import") {
            set = value;
        } else {
            return usage("不明なオプション " + args[i] + " です。");
        }
    }
    if (target.dir.empty() || target.user.empty()) {
        return usage("--dir と --user が必要です。");
    }

    platform::native::NativeFileSystem files;
    if (command == "export") {
        return exportSettings(files, target, std::cout, std::cerr);
    }
    if (command == "check") {
        return checkSettings(files, target, std::cout, std::cerr);
    }
    if (command == "import") {
        if (set.size() != 1 || set[0] < '1' || set[0] > '0' + settings::kSetCount) {
            return usage("--set は 1 から 4 の番号です。");
        }
        return importSettings(files, target, set[0] - '0', std::cin, std::cerr);
    }
    return usage("不明なコマンド " + command + " です。");
}

}  // namespace quorvel::tools

#ifdef _WIN32
// The arguments come as UTF-16 so that Japanese folder and user names survive whatever the
// system code page is; JSON goes in and out as UTF-8 bytes, untranslated.
int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::u8string arg = std::filesystem::path(argv[i]).u8string();
        args.emplace_back(arg.begin(), arg.end());
    }
    return quorvel::tools::run(args);
}
#else
int main(int argc, char** argv) {
    return quorvel::tools::run(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
