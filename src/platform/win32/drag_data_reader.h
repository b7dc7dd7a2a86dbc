#pragma once

#include <string>
#include <vector>

#include "forms/drag_data.h"
#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

// What a drag carries, read the ways file managers and browsers offer it: files and folders as
// CF_HDROP or, where a source offers only that, as a shell item list (items without a path,
// such as the Recycle Bin itself, are left out); where there are none, an address as an
// Internet address (UniformResourceLocatorW, else its narrow form) or, from a source that
// gives nothing else, as text. The paths keep the source's order.
[[nodiscard]] forms::DragData readDragData(IDataObject& data);

// The full paths a CF_HDROP block holds, in its order.
[[nodiscard]] std::vector<std::string> droppedFiles(HDROP drop);

}  // namespace quorvel::platform::win32
