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

    // The grid, with the day shown on the page (it carries the keyboard focus frame).
    void setGrid(const MonthGrid& grid, Date current);
    const MonthGrid& grid() const { return grid_; }
    int currentIndex() const;

    int indexAt(const QPoint& point) const;       // -1 outside the cells
    QRect cellRect(int index) const;
    int indexOfName(const QString& cell_name) const;  // "E3d5" → its index, -1 if none

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The keys of the grid: arrows a day and a week, Page Up and Page Down a
    // month, Home and End the first and last day of the month.
    enum class Step { Days, Months, MonthStart, MonthEnd };

signals:
    void cellClicked(int index);
    void cellMenuWanted(int index, const QPoint& global_position);
    void stepWanted(MonthGridWidget::Step step, int count);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    MonthGrid grid_;
    Date current_;
};

}  // namespace indikt
