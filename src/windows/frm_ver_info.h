#pragma once

#include <string_view>

#include "forms/form.h"
#include "window_api/windows.h"

namespace quorvel::windows {

// The About window: the program's name, version and author, and its home page, which a click
// on the address opens in the browser. Modeless; "O K", Enter, Escape or the close box close it.
class FrmVerInfo final : public forms::Form {
public:
    static constexpr std::string_view kFormName = "frmVerInfo";
    static constexpr std::string_view kCaption = "バージョン情報";
    static constexpr forms::Twips kWidth = 4815;
    static constexpr forms::Twips kHeight = 2985;
    static constexpr forms::ColorNumber kBackColor = 0xF4E1CC;  // RGB (204, 225, 244)
    // The short name and the program's name, far apart on one title.
    static constexpr std::string_view kTitle = "Qvl           Quorvel";
    static constexpr std::string_view kVersion = "ver1.7.1";
    static constexpr std::string_view kAuthor = "Quorvel project";
    static constexpr std::string_view kAuthorSuffix = "制作";
    static constexpr std::string_view kHomePage = "https://quorvel.example.org/";

    explicit FrmVerInfo(window_api::Windows& windows);

private:
    void Form_Load();
    void Command1_Click();
    void Image2_Click();

    window_api::Windows& windows_;
};

}  // namespace quorvel::windows
