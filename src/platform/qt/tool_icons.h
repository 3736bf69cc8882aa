#pragma once
// The pictures of the toolbar tools: the desktop's icon theme where it has one, else a
// standard picture of the widget style.

#include <QIcon>
#include <string>

class QStyle;

namespace pyx {

QIcon toolIcon(const std::string& toolName, const QStyle& style);

} // namespace pyx
