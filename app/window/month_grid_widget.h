#pragma once

// The month grid (`PanelMes`): 42 day cells painted from what the engine
// computed, with their frames, hints and clicks. The cells keep their names
// (E1d7 is the top-left cell, E1d1 the top-right one) for whoever asks.

#ifndef Q_MOC_RUN
#include "calendar/month_grid.h"
#endif

#include <QColor>
#include <QWidget>

namespace indikt {

// A colour of the settings, written 0xBBGGRR.
QColor ColourFromSetting(int bbggrr);

class MonthGridWidget : public QWidget {
    Q_OBJECT
public:
    explicit MonthGridWidget(QWidget* parent = nullptr);

    void setGrid(const MonthGrid& grid);
    const MonthGrid& grid() const { return grid_; }

    int indexAt(const QPoint& point) const;       // -1 outside the cells
    QRect cellRect(int index) const;
    int indexOfName(const QString& cell_name) const;  // "E3d5" → its index, -1 if none

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void cellClicked(int index);
    void cellMenuWanted(int index, const QPoint& global_position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    MonthGrid grid_;
};

}  // namespace indikt
