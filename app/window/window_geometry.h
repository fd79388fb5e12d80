#pragma once

// The size and place of the window in the "Оптимальный" mode.

#include <QRect>

namespace indikt {

struct OptimalWindowInput {
    QRect screen;                 // the available area of the screen
    QRect window;                 // the window's frame now
    int day_page_left = 0;        // the day page's left edge inside the window
    int extra_height = 0;         // tool bar (when shown above), main menu and status bar
    bool icons_beside_day_page = false;
};

// The client area: 1070 wide (800 with the icon panel beside the day page)
// plus the day page's left edge, at most the screen width less 10; 520 high
// plus the bars. The window is moved to the centre only when it is more than
// 50 pixels away from it, and never closer than 5 pixels to the top or left
// edge of the screen.
QRect OptimalWindowGeometry(const OptimalWindowInput& input);

}  // namespace indikt
