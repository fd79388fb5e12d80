#include "icon_strip.h"

#include "texts/data_files.h"

#include <QContextMenuEvent>
#include <QImageReader>
#include <QMouseEvent>

#include <algorithm>

namespace indikt {

namespace {

// An icon of the strip is a few hundred pixels; a larger file is not read.
constexpr int kMaxIconSide = 4000;

QPixmap ReadPicture(const QString& path)
{
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxIconSide || size.height() > kMaxIconSide)
        return {};
    return QPixmap::fromImage(reader.read());
}

}  // namespace

IconStrip::IconStrip(QWidget* parent) : QWidget(parent)
{
    setObjectName("PanelIcoStrip");
    for (int slot = 1; slot <= kIconSlots; ++slot) {
        auto* image = new QLabel(this);
        image->setObjectName("Image" + QString::number(slot));
        image->setProperty("slot", slot);
        image->setAlignment(Qt::AlignCenter);
        image->setCursor(Qt::PointingHandCursor);
        image->installEventFilter(this);
        image->hide();
        images_[static_cast<size_t>(slot - 1)] = image;
    }
}

void IconStrip::setIcons(const std::vector<IconSlot>& icons, const QString& data_root)
{
    filled_ = static_cast<int>(std::min<size_t>(icons.size(), kIconSlots));
    for (int i = 0; i < kIconSlots; ++i) {
        QLabel* image = images_[static_cast<size_t>(i)];
        if (i < filled_) {
            const IconSlot& slot = icons[static_cast<size_t>(i)];
            pictures_[static_cast<size_t>(i)] = ReadPicture(DataPath(data_root, slot.path));
            image->setToolTip(slot.hint);
            image->setStatusTip(slot.hint);
        } else {
            pictures_[static_cast<size_t>(i)] = QPixmap();
            image->setToolTip({});
            image->setStatusTip({});
            image->clear();
        }
        image->setVisible(i < filled_);
    }
    layOut();
}

void IconStrip::layOut()
{
    const IconStripLayout layout = LayOutIconStrip(width(), filled_);
    setMinimumHeight(layout.height);
    setMaximumHeight(layout.height);
    for (int i = 0; i < filled_; ++i) {
        const QRect place = layout.images[static_cast<size_t>(i)];
        QLabel* image = images_[static_cast<size_t>(i)];
        image->setGeometry(place);
        const QPixmap& picture = pictures_[static_cast<size_t>(i)];
        if (!picture.isNull() && !place.isEmpty())
            image->setPixmap(picture.scaled(place.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        image->raise();
    }
}

void IconStrip::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
}

bool IconStrip::eventFilter(QObject* watched, QEvent* event)
{
    const int slot = watched->property("slot").toInt();
    if (slot >= 1 && slot <= filled_) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* press = static_cast<QMouseEvent*>(event);
            if (press->button() == Qt::LeftButton && onClick) {
                onClick(slot);
                return true;
            }
        } else if (event->type() == QEvent::ContextMenu && onMenu) {
            onMenu(slot, static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace indikt
