#pragma once
// The bands and tools of the main window's command bar, in their order.

#include "platform/command_bar.h"

namespace pyx {

void buildMainCommandBar(CommandBar& bar);

} // namespace pyx
