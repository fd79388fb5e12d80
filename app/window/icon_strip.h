#pragma once

// The strip of the day's small icons (`Image1` to `Image6`) and the large
// view of the selected one (`PanelIcoSee` with `ImageLarge`). The widget
// only shows what `OpenIcon` chose; what a click does is the window's.

#include "lectionary/day_icons.h"

#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include <array>
#include <functional>

namespace indikt {

class PictureLabel;

class IconStrip : public QWidget {
public:
    explicit IconStrip(QWidget* parent = nullptr);

    // The pictures of the filled slots (absolute paths) with their hints.
    void setIcons(const std::vector<IconSlot>& icons, const QString& data_root);
    int filled() const { return filled_; }
    QLabel* image(int slot) const { return images_[static_cast<size_t>(slot - 1)]; }

    // A left click on slot 1..6, a right click with its place on the screen.
    std::function<void(int slot)> onClick;
    std::function<void(int slot, const QPoint& global)> onMenu;

    // Lays the images out by the strip's rule for its present width.
    void layOut();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<QLabel*, kIconSlots> images_{};
    std::array<QPixmap, kIconSlots> pictures_{};
    int filled_ = 0;
};

}  // namespace indikt
