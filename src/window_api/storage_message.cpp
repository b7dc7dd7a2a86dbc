#include "window_api/storage_message.h"

#include <string_view>

#include "window_api/messages.h"

namespace quorvel::window_api {

namespace {

using Kind = settings::StorageError::Kind;

std::string_view headline(Kind kind) {
    switch (kind) {
        case Kind::FolderNotMade:
            return messages::kFolderFailed;
        case Kind::NotSaved:
        case Kind::SetNumberOutOfRange:
            return messages::kCannotSave;
        case Kind::NotRead:
        case Kind::NoSuchSetNumber:
            break;
    }
    return messages::kCannotRead;
}

}  // namespace

std::string setNumberOutOfRange(int set) {
    return "ランチャー番号 " + std::to_string(set) + " には保存できません。番号は 1 から " +
           std::to_string(settings::kSetCount) + " までです。";
}

std::string storageMessage(const settings::StorageError& error) {
    std::string text(headline(error.kind));
    const auto line = [&text](const std::string& more) {
        if (!more.empty()) {
            text.append(messages::kLineBreak).append(more);
        }
    };
    switch (error.kind) {
        case Kind::NoSuchSetNumber:
            line(error.path);
            line("ランチャー番号 " + std::to_string(error.set) + " はありません。");
            break;
        case Kind::SetNumberOutOfRange:
            line(setNumberOutOfRange(error.set));
            break;
        case Kind::FolderNotMade:
        case Kind::NotRead:
        case Kind::NotSaved:
            line(error.path);
            line(error.cause.message);
            break;
    }
    return text;
}

}  // namespace quorvel::window_api
