#pragma once
// The pictures of the main window's toolbar tools.

#include "platform/qt/tool_icons.h"

namespace pyx {

ToolPictures mainToolPictures();

} // namespace pyx
