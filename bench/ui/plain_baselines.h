#pragma once

// The baselines of the window benchmarks: the same drawing done the plain
// way, without Kelton's logic, as a careful programmer would write it with
// Qt alone. A table is a QTableView over a model that hands out strings it
// was given; a chart is a widget that draws its lines, bars and value
// labels with QPainter; a page of text is drawn line by line.

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include <QAbstractTableModel>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTableView>
#include <QWidget>

#include "platform/ui/flex_grid.h"

namespace kelton::bench {

using Clock = std::chrono::steady_clock;

inline double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Lets the event loop deliver what a change left queued (the views' new
// rows, the paint of what changed), as it does before the user sees it.
inline void Settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

inline double MedianMs(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t m = values.size() / 2;
    return values.size() % 2 ? values[m] : (values[m - 1] + values[m]) / 2;
}

// A table of strings, row by row, with its fixed rows and columns and the
// pixel widths of its columns.
struct PlainTableContent {
    int Rows = 0;
    int Cols = 0;
    int FixedRows = 0;
    int FixedCols = 0;
    std::vector<QString> Texts;
    std::vector<int> ColPixels;
    int RowPixels = 20;
};

// What a grid shows: its texts (read through the grid, so lazily sourced
// texts are made here, not in the baseline) and its sizes.
inline PlainTableContent ContentOf(const CFlexGrid& grid)
{
    PlainTableContent c;
    c.Rows = grid.Rows();
    c.Cols = grid.Cols();
    c.FixedRows = grid.FixedRows();
    c.FixedCols = grid.FixedCols();
    c.Texts.reserve(static_cast<size_t>(c.Rows) * static_cast<size_t>(c.Cols));
    for (int r = 0; r < c.Rows; ++r) {
        for (int col = 0; col < c.Cols; ++col)
            c.Texts.push_back(grid.TextMatrix(r, col));
    }
    for (int col = 0; col < c.Cols; ++col)
        c.ColPixels.push_back(std::max(1, grid.CellRect(0, col).width()));
    c.RowPixels = std::max(1, grid.CellRect(0, 0).height());
    return c;
}

// The model of the plain table: the body of the content, its fixed rows and
// columns as the headers.
class PlainTableModel : public QAbstractTableModel {
public:
    void Take(PlainTableContent content)
    {
        beginResetModel();
        m_c = std::move(content);
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : std::max(0, m_c.Rows - m_c.FixedRows);
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : std::max(0, m_c.Cols - m_c.FixedCols);
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        return Text(index.row() + m_c.FixedRows, index.column() + m_c.FixedCols);
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        if (orientation == Qt::Horizontal)
            return m_c.FixedRows > 0 ? Text(0, section + m_c.FixedCols) : QVariant();
        return m_c.FixedCols > 0 ? Text(section + m_c.FixedRows, 0) : QVariant();
    }
    const PlainTableContent& Content() const { return m_c; }

private:
    QString Text(int row, int col) const
    {
        return m_c.Texts[static_cast<size_t>(row) * static_cast<size_t>(m_c.Cols) + static_cast<size_t>(col)];
    }
    PlainTableContent m_c;
};

// A shown QTableView of a given size; Show hands it a table and lets it
// draw, as a careful programmer would show the same strings.
class PlainTable {
public:
    explicit PlainTable(QSize size)
    {
        m_view.setModel(&m_model);
        m_view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        m_view.horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        m_view.resize(size);
        m_view.show();
        Settle();
    }
    // The time of handing the content over and drawing it, in ms.
    double Show(PlainTableContent content)
    {
        const Clock::time_point start = Clock::now();
        const int rowPixels = content.RowPixels;
        const std::vector<int> widths = content.ColPixels;
        const int fixedCols = content.FixedCols;
        m_model.Take(std::move(content));
        m_view.verticalHeader()->setDefaultSectionSize(rowPixels);
        for (size_t c = static_cast<size_t>(fixedCols); c < widths.size(); ++c)
            m_view.setColumnWidth(static_cast<int>(c) - fixedCols, widths[c]);
        m_view.scrollToTop();
        Settle();
        return MsSince(start);
    }
    // The time of scrolling down by a page and drawing it, in ms.
    double PageDown()
    {
        const Clock::time_point start = Clock::now();
        QScrollBar* bar = m_view.verticalScrollBar();
        bar->setValue(bar->value() + bar->pageStep());
        Settle();
        return MsSince(start);
    }
    QTableView& View() { return m_view; }

private:
    PlainTableModel m_model;
    QTableView m_view;
};

// A chart drawn plainly: per series a polyline through its points (or a bar
// per point), the value of each point above it, a label per category, the
// grid lines and a frame.
class PlainChart : public QWidget {
public:
    struct Series {
        std::vector<double> Values;
    };
    explicit PlainChart(QSize size)
    {
        resize(size);
        show();
        Settle();
    }
    // The time of handing the data over and drawing it, in ms.
    double Show(std::vector<Series> series, std::vector<QString> labels, bool bars)
    {
        const Clock::time_point start = Clock::now();
        m_series = std::move(series);
        m_labels = std::move(labels);
        m_bars = bars;
        update();
        Settle();
        return MsSince(start);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        const QRectF plot = QRectF(rect()).adjusted(40, 20, -20, -30);
        p.setPen(Qt::black);
        p.drawRect(plot);
        size_t points = 0;
        double low = 0;
        double high = 1;
        for (const Series& s : m_series) {
            points = std::max(points, s.Values.size());
            for (double v : s.Values) {
                low = std::min(low, v);
                high = std::max(high, v);
            }
        }
        if (points == 0)
            return;
        const double dx = plot.width() / static_cast<double>(points);
        const auto y = [&](double v) { return plot.bottom() - (v - low) / (high - low) * plot.height(); };
        p.setPen(QColor(150, 150, 150));
        for (int g = 1; g < 10; ++g)
            p.drawLine(QPointF(plot.left(), plot.top() + plot.height() * g / 10),
                       QPointF(plot.right(), plot.top() + plot.height() * g / 10));
        p.setPen(Qt::black);
        for (size_t i = 0; i < m_labels.size() && i < points; ++i)
            p.drawText(QPointF(plot.left() + dx * static_cast<double>(i), plot.bottom() + 15), m_labels[i]);
        const QColor colors[] = {Qt::red, Qt::blue, Qt::darkGreen, Qt::magenta, Qt::darkCyan};
        for (size_t k = 0; k < m_series.size(); ++k) {
            const Series& s = m_series[k];
            p.setPen(colors[k % std::size(colors)]);
            QPolygonF line;
            for (size_t i = 0; i < s.Values.size(); ++i) {
                const QPointF at(plot.left() + dx * (static_cast<double>(i) + 0.5), y(s.Values[i]));
                if (m_bars)
                    p.drawRect(QRectF(at.x() - dx / 3, at.y(), dx * 2 / 3, plot.bottom() - at.y()));
                else
                    line << at;
                p.drawText(at + QPointF(-4, -4), QString::number(s.Values[i]));
            }
            if (!m_bars)
                p.drawPolyline(line);
        }
    }

private:
    std::vector<Series> m_series;
    std::vector<QString> m_labels;
    bool m_bars = false;
};

// The visible vertical scroll bar of a widget's scrolling part, or nullptr.
inline QScrollBar* VerticalBarOf(QWidget* widget)
{
    for (QScrollBar* bar : widget->findChildren<QScrollBar*>()) {
        if (bar->orientation() == Qt::Vertical && bar->isVisible() && bar->maximum() > 0)
            return bar;
    }
    return nullptr;
}

// Scrolls down by a page as a click on the bar's track does and lets the
// window draw; the time in ms.
inline double PageDownMs(QScrollBar* bar)
{
    const Clock::time_point start = Clock::now();
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    Settle();
    return MsSince(start);
}

// A window of the same controls as another, made plainly: each child control
// of the original as a bare Qt control of its kind, with its text, items and
// place; tables as empty QTableViews. Made and shown in one go.
class PlainReplica {
public:
    // The time of making and showing the copy, in ms.
    static double ShowCopyOf(const QWidget& original, std::unique_ptr<QWidget>& copy)
    {
        copy.reset();
        const Clock::time_point start = Clock::now();
        copy = std::make_unique<QWidget>();
        copy->resize(original.size());
        CopyChildren(original, *copy);
        copy->show();
        Settle();
        return MsSince(start);
    }

private:
    static void CopyChildren(const QWidget& from, QWidget& to)
    {
        for (QObject* object : from.children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (!child || child->isWindow())
                continue;
            QWidget* made = nullptr;
            bool leaf = true;
            if (auto* v = qobject_cast<QAbstractItemView*>(child)) {
                (void)v;
                made = new QTableView(&to);
            } else if (auto* l = qobject_cast<QLabel*>(child)) {
                made = new QLabel(l->text(), &to);
            } else if (auto* c = qobject_cast<QCheckBox*>(child)) {
                made = new QCheckBox(c->text(), &to);
            } else if (auto* r = qobject_cast<QRadioButton*>(child)) {
                made = new QRadioButton(r->text(), &to);
            } else if (auto* b = qobject_cast<QPushButton*>(child)) {
                made = new QPushButton(b->text(), &to);
            } else if (auto* e = qobject_cast<QLineEdit*>(child)) {
                made = new QLineEdit(e->text(), &to);
            } else if (auto* box = qobject_cast<QComboBox*>(child)) {
                auto* copy = new QComboBox(&to);
                for (int i = 0; i < box->count(); ++i)
                    copy->addItem(box->itemText(i));
                made = copy;
            } else if (auto* t = qobject_cast<QTabBar*>(child)) {
                auto* copy = new QTabBar(&to);
                for (int i = 0; i < t->count(); ++i)
                    copy->addTab(t->tabText(i));
                made = copy;
            } else if (auto* s = qobject_cast<QScrollBar*>(child)) {
                made = new QScrollBar(s->orientation(), &to);
            } else {
                made = new QWidget(&to);
                leaf = false;
            }
            made->setGeometry(child->geometry());
            made->setVisible(child->isVisibleTo(&from));
            if (!leaf)
                CopyChildren(*child, *made);
        }
    }
};

} // namespace kelton::bench
