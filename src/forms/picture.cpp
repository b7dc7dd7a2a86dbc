#include "forms/picture.h"

namespace quorvel::forms {

std::string builtinSource(BuiltinPicture which) {
    const char* name = "?";
    switch (which) {
        case BuiltinPicture::ProgramIcon:
            name = "ProgramIcon";
            break;
        case BuiltinPicture::MyComputer:
            name = "MyComputer";
            break;
        case BuiltinPicture::MyDocuments:
            name = "MyDocuments";
            break;
        case BuiltinPicture::RecycleBinEmpty:
            name = "RecycleBinEmpty";
            break;
        case BuiltinPicture::RecycleBinFull:
            name = "RecycleBinFull";
            break;
        case BuiltinPicture::CloseButton:
            name = "CloseButton";
            break;
        case BuiltinPicture::Divider:
            name = "Divider";
            break;
        case BuiltinPicture::Background:
            name = "Background";
            break;
        case BuiltinPicture::TaskbarDown:
            name = "TaskbarDown";
            break;
        case BuiltinPicture::TaskbarUp:
            name = "TaskbarUp";
            break;
        case BuiltinPicture::PanelButton:
            name = "PanelButton";
            break;
        case BuiltinPicture::PanelFourFrames:
            name = "PanelFourFrames";
            break;
        case BuiltinPicture::SelectionMarker:
            name = "SelectionMarker";
            break;
        case BuiltinPicture::PreviewScreen:
            name = "PreviewScreen";
            break;
        case BuiltinPicture::PreviewTaskbar:
            name = "PreviewTaskbar";
            break;
        case BuiltinPicture::PreviewBar:
            name = "PreviewBar";
            break;
        case BuiltinPicture::PreviewBarItems:
            name = "PreviewBarItems";
            break;
        case BuiltinPicture::Link:
            name = "Link";
            break;
    }
    return std::string("builtin:") + name;
}

}  // namespace quorvel::forms
