#pragma once

// Pictures of our own for the buttons of the tool bar, drawn at any size so
// "Большие кнопки" shows a picture above each caption.

#include <QIcon>

#include <string_view>

namespace indikt {

// The picture of a tool bar command; an empty icon for a command without one.
QIcon ToolIcon(std::string_view command);

}  // namespace indikt
