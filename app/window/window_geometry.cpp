#include "window_geometry.h"

#include <algorithm>
#include <cstdlib>

namespace indikt {

QRect OptimalWindowGeometry(const OptimalWindowInput& input)
{
    const int width =
        std::min((input.icons_beside_day_page ? 800 : 1070) + input.day_page_left, input.screen.width() - 10);
    const int height = 520 + input.extra_height;
    const QPoint centred(input.screen.left() + (input.screen.width() - width) / 2,
                         input.screen.top() + (input.screen.height() - height) / 2);
    QPoint place = input.window.topLeft();
    if (std::abs(place.x() - centred.x()) > 50 || std::abs(place.y() - centred.y()) > 50)
        place = centred;
    place.setX(std::max(place.x(), input.screen.left() + 5));
    place.setY(std::max(place.y(), input.screen.top() + 5));
    return {place, QSize(width, height)};
}

}  // namespace indikt
