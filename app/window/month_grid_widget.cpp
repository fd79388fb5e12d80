#include "month_grid_widget.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace indikt {

namespace {

constexpr int kFrameWidth = 3;

}  // namespace

QColor ColourFromSetting(int bbggrr) { return QColor(bbggrr & 0xFF, (bbggrr >> 8) & 0xFF, (bbggrr >> 16) & 0xFF); }

MonthGridWidget::MonthGridWidget(QWidget* parent) : QWidget(parent)
{
    setObjectName("PanelMes");
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MonthGridWidget::setGrid(const MonthGrid& grid, Date current)
{
    grid_ = grid;
    current_ = current;
    update();
}

int MonthGridWidget::currentIndex() const
{
    for (int index = 0; index < kGridCells; ++index)
        if (grid_.cells[static_cast<size_t>(index)].date == current_)
            return index;
    return -1;
}

void MonthGridWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() & ~Qt::KeypadModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left: emit stepWanted(Step::Days, -1); break;
    case Qt::Key_Right: emit stepWanted(Step::Days, +1); break;
    case Qt::Key_Up: emit stepWanted(Step::Days, -kGridColumns); break;
    case Qt::Key_Down: emit stepWanted(Step::Days, +kGridColumns); break;
    case Qt::Key_PageUp: emit stepWanted(Step::Months, -1); break;
    case Qt::Key_PageDown: emit stepWanted(Step::Months, +1); break;
    case Qt::Key_Home: emit stepWanted(Step::MonthStart, 0); break;
    case Qt::Key_End: emit stepWanted(Step::MonthEnd, 0); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (const int index = currentIndex(); index >= 0)
            emit cellClicked(index);
        break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

QSize MonthGridWidget::sizeHint() const { return {kGridColumns * 36, kGridRows * 26}; }
QSize MonthGridWidget::minimumSizeHint() const { return {kGridColumns * 28, kGridRows * 20}; }

QRect MonthGridWidget::cellRect(int index) const
{
    if (index < 0 || index >= kGridCells)
        return {};
    const int column = index % kGridColumns;
    const int row = index / kGridColumns;
    const int left = width() * column / kGridColumns;
    const int right = width() * (column + 1) / kGridColumns;
    const int top = height() * row / kGridRows;
    const int bottom = height() * (row + 1) / kGridRows;
    return {left, top, right - left, bottom - top};
}

int MonthGridWidget::indexAt(const QPoint& point) const
{
    if (!rect().contains(point) || width() <= 0 || height() <= 0)
        return -1;
    const int column = std::min(point.x() * kGridColumns / width(), kGridColumns - 1);
    const int row = std::min(point.y() * kGridRows / height(), kGridRows - 1);
    return row * kGridColumns + column;
}

int MonthGridWidget::indexOfName(const QString& cell_name) const
{
    for (int index = 0; index < kGridCells; ++index) {
        const GridCell& cell = grid_.cells[static_cast<size_t>(index)];
        if (QString::fromStdString(CellName(cell.row, cell.column)) == cell_name)
            return index;
    }
    return -1;
}

void MonthGridWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    QFont normal = font();
    QFont bold = font();
    bold.setBold(true);
    for (int index = 0; index < kGridCells; ++index) {
        const GridCell& cell = grid_.cells[static_cast<size_t>(index)];
        const QRect box = cellRect(index).adjusted(1, 1, -1, -1);
        // The frame behind the cell, then the cell itself inside it.
        painter.fillRect(box, ColourFromSetting(cell.frame));
        const QRect inner = box.adjusted(kFrameWidth, kFrameWidth, -kFrameWidth, -kFrameWidth);
        painter.fillRect(inner, ColourFromSetting(cell.background));
        painter.setFont(cell.bold ? bold : normal);
        painter.setPen(cell.font == kWindowText ? palette().color(QPalette::WindowText) : ColourFromSetting(cell.font));
        painter.drawText(inner, Qt::AlignCenter, QString::fromStdString(cell.text).trimmed());
    }
    // The keyboard works on the day shown: a dotted frame marks it while the grid has the focus.
    if (const int index = currentIndex(); hasFocus() && index >= 0) {
        QPen pen(palette().color(QPalette::Highlight), 2, Qt::DotLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cellRect(index).adjusted(2, 2, -3, -3));
    }
}

void MonthGridWidget::mouseReleaseEvent(QMouseEvent* event)
{
    const int index = indexAt(event->position().toPoint());
    if (index < 0)
        return;
    if (event->button() == Qt::LeftButton)
        emit cellClicked(index);
    else if (event->button() == Qt::RightButton)
        emit cellMenuWanted(index, event->globalPosition().toPoint());
}

bool MonthGridWidget::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int index = indexAt(help->pos());
        const QString hint =
            index < 0 ? QString() : QString::fromStdString(grid_.cells[static_cast<size_t>(index)].hint).replace("\n\r", "\n");
        if (hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), hint, this, cellRect(index));
        return true;
    }
    return QWidget::event(event);
}

}  // namespace indikt
