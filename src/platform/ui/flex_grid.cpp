#include "platform/ui/flex_grid.h"

#include <algorithm>
#include <cmath>

#include <QCursor>
#include <QEvent>
#include <QFontMetrics>
#include <QHash>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPalette>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>

#include "platform/ui/flex_grid_views.h"
#include "platform/ui/screen_twips.h"

namespace kelton {

using grid_detail::CRegionModel;
using grid_detail::CRegionView;

namespace {

constexpr int kDefaultColTwips = 960;

// A colour written with a cell is shown opaque; none keeps the cell's.
std::optional<GridColor> Opaque(std::optional<QRgb> c)
{
    return c ? std::optional<GridColor>(*c | 0xff000000u) : std::nullopt;
}

// A run of a row's colours made opaque, into out (kept from row to row).
std::span<const std::optional<GridColor>> OpaqueRun(std::span<const std::optional<QRgb>> run,
                                                    std::vector<std::optional<GridColor>>& out)
{
    out.resize(run.size());
    std::transform(run.begin(), run.end(), out.begin(), Opaque);
    return out;
}

GridColor ToGridColor(const QColor& color)
{
    return color.isValid() ? color.rgb() : kNoGridColor; // rgb() is opaque, never 0
}

QColor FromGridColor(GridColor color)
{
    return color == kNoGridColor ? QColor() : QColor::fromRgb(color);
}

// A text's characters where it is held: two texts held at once in the
// same place are the same text.
struct Buffer {
    const QChar* data;
    qsizetype size;
    friend bool operator==(const Buffer&, const Buffer&) = default;
    friend size_t qHash(const Buffer& b, size_t seed) { return qHashMulti(seed, b.data, b.size); }
};

} // namespace

CFlexGrid::CFlexGrid(QWidget* parent) : QWidget(parent)
{
    const bool fixedRows[kRegionCount] = {false, true, false, true};
    const bool fixedCols[kRegionCount] = {false, false, true, true};
    for (int r = 0; r < kRegionCount; ++r)
        m_models[r] = new CRegionModel(this, fixedRows[r], fixedCols[r], this);
    CRegionView* body = new CRegionView(this, m_models[kBody], true, this);
    m_views[kBody] = body;
    for (int r = kTop; r < kRegionCount; ++r)
        m_views[r] = new CRegionView(this, m_models[r], false, body);
    body->setObjectName(QStringLiteral("cells"));
    m_views[kTop]->setObjectName(QStringLiteral("fixedRows"));
    m_views[kLeft]->setObjectName(QStringLiteral("fixedCols"));
    m_views[kCorner]->setObjectName(QStringLiteral("fixedCorner"));

    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(body);
    body->installEventFilter(this);
    for (CRegionView* view : m_views)
        view->viewport()->installEventFilter(this);

    connect(body->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { FollowBody(); });
    connect(body->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (!m_applyingTopRow && !m_reshaping)
            m_pendingTopRow = -1; // the user scrolled
        FollowBody();
    });
    FlushNow();
}

CFlexGrid::~CFlexGrid()
{
    // The views go first: while they are torn down they still report their
    // layout to the grid.
    m_views[kCorner] = nullptr;
    delete m_views[kBody];
}

// ---- shape and cells ------------------------------------------------------

void CFlexGrid::SetRows(int rows)
{
    m_data.SetRows(rows);
    ShapeChanged();
}

void CFlexGrid::SetCols(int cols)
{
    m_data.SetCols(cols);
    ShapeChanged();
}

void CFlexGrid::SetFixedRows(int rows)
{
    m_data.SetFixedRows(rows);
    ShapeChanged();
}

void CFlexGrid::SetFixedCols(int cols)
{
    m_data.SetFixedCols(cols);
    ShapeChanged();
}

void CFlexGrid::Clear()
{
    m_data.Clear();
    m_cellsDirty = true;
    Schedule();
}

void CFlexGrid::SetTextMatrix(int row, int col, const QString& text)
{
    m_data.SetText(row, col, text);
    CellChanged(row, col);
}

bool CFlexGrid::AddItem(QString item, int index)
{
    if (!m_data.AddItem(std::move(item), index))
        return false;
    ShapeChanged();
    return true;
}

bool CFlexGrid::InsertRows(std::span<const int> before, std::span<const QString> texts)
{
    if (!m_data.InsertRows(before, texts))
        return false;
    ShapeChanged();
    return true;
}

bool CFlexGrid::RemoveItem(int index)
{
    if (!m_data.RemoveItem(index))
        return false;
    ShapeChanged();
    return true;
}

void CFlexGrid::SetTextSource(GridTextSource source)
{
    m_data.SetTextSource(std::move(source));
    m_cellsDirty = true;
    Schedule();
}

void CFlexGrid::SetShownText(ShownText shown)
{
    m_shownText = std::move(shown);
    m_cellsDirty = true;
    Schedule();
}

QString CFlexGrid::ShownTextOf(int row, int col) const
{
    const QString text = m_data.Text(row, col);
    return m_shownText ? m_shownText(row, col, text) : text;
}

QColor CFlexGrid::CellForeColor(int row, int col) const
{
    return FromGridColor(m_data.ForeColor(row, col));
}

QColor CFlexGrid::CellBackColor(int row, int col) const
{
    return FromGridColor(m_data.BackColor(row, col));
}

void CFlexGrid::SetCellForeColor(int row, int col, const QColor& color)
{
    m_data.SetForeColor(row, col, ToGridColor(color));
    CellChanged(row, col);
}

void CFlexGrid::SetCellBackColor(int row, int col, const QColor& color)
{
    m_data.SetBackColor(row, col, ToGridColor(color));
    CellChanged(row, col);
}

void CFlexGrid::SetCell(int row, int col, const QString& text, std::optional<QRgb> back, std::optional<QRgb> fore)
{
    if (!m_data.Contains(row, col))
        return;
    m_data.SetCell(row, col, text, Opaque(back), Opaque(fore));
    m_cellsDirty = true;
    Schedule();
}

void CFlexGrid::SetRowCells(int row, int col, std::span<const QString* const> texts, std::optional<QRgb> back,
                            std::span<const std::optional<QRgb>> fore)
{
    if (!m_data.Contains(row, col))
        return;
    m_data.SetRowCells(row, col, texts, Opaque(back), OpaqueRun(fore, m_rowFore));
    m_cellsDirty = true;
    Schedule();
}

void CFlexGrid::SetRowColors(int row, int col, std::span<const std::optional<QRgb>> back,
                             std::span<const std::optional<QRgb>> fore)
{
    if (!m_data.Contains(row, col))
        return;
    m_data.SetRowColors(row, col, OpaqueRun(back, m_rowBack), OpaqueRun(fore, m_rowFore));
    m_cellsDirty = true;
    Schedule();
}

QColor CFlexGrid::BackColorFixed() const
{
    return palette().color(QPalette::Button);
}

void CFlexGrid::SetColAlignment(int col, Qt::Alignment alignment)
{
    m_data.SetColAlignment(col, alignment);
    m_cellsDirty = true;
    Schedule();
}

void CFlexGrid::SetFixedAlignment(int col, Qt::Alignment alignment)
{
    m_data.SetFixedAlignment(col, alignment);
    m_cellsDirty = true;
    Schedule();
}

int CFlexGrid::ColWidth(int col) const
{
    if (col < 0 || col >= Cols())
        return 0;
    const int twips = m_data.ColWidth(col);
    return twips >= 0 ? twips : kDefaultColTwips;
}

void CFlexGrid::SetColWidth(int col, int twips)
{
    m_data.SetColWidth(col, twips);
    SizesChanged();
}

int CFlexGrid::RowHeight(int row) const
{
    if (row < 0 || row >= Rows())
        return 0;
    const int twips = m_data.RowHeight(row);
    return twips >= 0 ? twips
                      : static_cast<int>(std::nearbyint(ScreenPixelsToTwips(DefaultRowPixels(), this)));
}

int CFlexGrid::TextTwips(const QString& text) const
{
    // The item delegate's margin at each side, and the grid line.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_views[kBody]) + 1;
    const int pixels = QFontMetrics(font()).horizontalAdvance(text) + 2 * margin + 1;
    return static_cast<int>(std::ceil(ScreenPixelsToTwips(pixels, this)));
}

void CFlexGrid::FitColWidth(int col, const QString& text)
{
    if (col < 0 || col >= Cols())
        return;
    const int twips = TextTwips(text);
    if (ColWidth(col) > 0 && ColWidth(col) < twips)
        SetColWidth(col, twips);
}

void CFlexGrid::FitColsToTexts()
{
    const int rows = Rows();
    const int cols = Cols();
    // The cells merged across columns, flagged over the rows that hold such
    // blocks (mostly a caption row or two, often none).
    int mergedFrom = rows;
    int mergedTo = 0;
    for (const GridSpan& span : m_data.Merges()) {
        if (span.cols < 2)
            continue;
        mergedFrom = std::min(mergedFrom, span.row);
        mergedTo = std::max(mergedTo, std::min(rows, span.row + span.rows));
    }
    const int mergedRows = std::max(0, mergedTo - mergedFrom);
    std::vector<char> merged(static_cast<size_t>(mergedRows) * static_cast<size_t>(cols), 0);
    for (const GridSpan& span : m_data.Merges()) {
        if (span.cols < 2)
            continue;
        for (int r = span.row; r < std::min(rows, span.row + span.rows); ++r)
            for (int c = span.col; c < std::min(cols, span.col + span.cols); ++c)
                merged[static_cast<size_t>(r - mergedFrom) * static_cast<size_t>(cols) + static_cast<size_t>(c)] = 1;
    }
    // Tables repeat their texts, mostly as copies sharing one buffer: a
    // buffer met before is looked up by its address, a text met before (in
    // this or an earlier fit, in the same font) by its characters, and only
    // a new text is measured.
    const QFont current = font();
    if (current != m_widthsFont || !m_plainWidths) {
        m_widths.clear();
        m_widthsFont = current;
        m_plainWidths.emplace(current);
    } else if (m_widths.size() > kMaxKnownWidths) {
        m_widths.clear();
    }
    const QFontMetrics metrics(current);
    const auto measure = [&](const QString& t) {
        if (const std::optional<int> plain = m_plainWidths->Of(t))
            return *plain;
        auto known = m_widths.constFind(t);
        if (known == m_widths.constEnd())
            known = m_widths.insert(t, metrics.horizontalAdvance(t));
        return *known;
    };
    QHash<Buffer, int> byBuffer;
    struct Recent {
        Buffer buffer{nullptr, 0};
        int width = 0;
    };
    constexpr size_t kRecent = 64;
    std::array<Recent, kRecent> recents{};
    // Each column's widest text so far and the buffer of its cell above.
    struct Widest {
        int width = 0;
        QString text;
        Buffer last{nullptr, 0};
    };
    std::vector<Widest> widest(static_cast<size_t>(cols));
    const bool asHeld = !m_shownText;
    // Row by row, as the cells are held: each column is still read from
    // the top down.
    for (int r = 0; r < rows; ++r) {
        const char* mergedRow = r >= mergedFrom && r < mergedTo
                                    ? merged.data() + static_cast<size_t>(r - mergedFrom) * static_cast<size_t>(cols)
                                    : nullptr;
        for (int c = 0; c < cols; ++c) {
            if (mergedRow && mergedRow[c])
                continue;
            Widest& w = widest[static_cast<size_t>(c)];
            const QString& held = m_data.HeldText(r, c);
            int width = 0;
            if (asHeld && !held.isEmpty()) {
                // Held texts stay put while the table is measured: their
                // buffers name them.
                const Buffer buffer{held.constData(), held.size()};
                if (buffer == w.last)
                    continue; // a run of one text down the column
                w.last = buffer;
                // A few recent buffers first, then all of them.
                Recent& recent = recents[(reinterpret_cast<quintptr>(buffer.data) >> 4) % kRecent];
                if (recent.buffer == buffer) {
                    width = recent.width;
                } else {
                    auto known = byBuffer.constFind(buffer);
                    if (known == byBuffer.constEnd())
                        known = byBuffer.insert(buffer, measure(held));
                    width = *known;
                    recent = {buffer, width};
                }
                if (width > w.width) {
                    w.width = width;
                    w.text = held;
                }
                continue;
            }
            const QString t = ShownTextOf(r, c);
            if (t.isEmpty())
                continue;
            width = measure(t);
            if (width > w.width) {
                w.width = width;
                w.text = t;
            }
        }
    }
    for (int c = 0; c < cols; ++c) {
        const QString& text = widest[static_cast<size_t>(c)].text;
        if (!text.isEmpty())
            FitColWidth(c, text);
    }
}

void CFlexGrid::SetRowHeight(int row, int twips)
{
    m_data.SetRowHeight(row, twips);
    ShapeChanged(); // a reset sets every row back to the default first
}

void CFlexGrid::SetMergeCells(GridMerge merge)
{
    m_data.SetMergeCells(merge);
    Schedule();
}

void CFlexGrid::SetMergeRow(int row, bool merge)
{
    m_data.SetMergeRow(row, merge);
    Schedule();
}

void CFlexGrid::SetMergeCol(int col, bool merge)
{
    m_data.SetMergeCol(col, merge);
    Schedule();
}

// ---- current cell, selection, scrolling ----------------------------------

void CFlexGrid::SetRow(int row)
{
    m_data.SetRow(row);
    SelectionChanged();
}

void CFlexGrid::SetCol(int col)
{
    m_data.SetCol(col);
    SelectionChanged();
}

void CFlexGrid::SetRowSel(int row)
{
    m_data.SetRowSel(row);
    SelectionChanged();
}

void CFlexGrid::SetColSel(int col)
{
    m_data.SetColSel(col);
    SelectionChanged();
}

void CFlexGrid::SetHighLight(GridHighLight highLight)
{
    m_highLight = highLight;
    m_repaintDirty = true;
    Schedule();
}

void CFlexGrid::SetSelectionMode(GridSelectionMode mode)
{
    m_selectionMode = mode;
    m_repaintDirty = true;
    Schedule();
}

bool CFlexGrid::Highlighted(int row, int col) const
{
    if (m_data.IsFixed(row, col) || m_highLight == GridHighLight::Never)
        return false;
    if (m_highLight == GridHighLight::WithFocus && !m_views[kBody]->hasFocus())
        return false;
    const bool inRows = row >= std::min(Row(), RowSel()) && row <= std::max(Row(), RowSel());
    const bool inCols = col >= std::min(Col(), ColSel()) && col <= std::max(Col(), ColSel());
    switch (m_selectionMode) {
    case GridSelectionMode::ByRow:
        return inRows;
    case GridSelectionMode::ByColumn:
        return inCols;
    default:
        // The current cell shows its own colours and the focus frame.
        return inRows && inCols && (row != Row() || col != Col());
    }
}

int CFlexGrid::TopRow() const
{
    if (m_pendingTopRow >= 0)
        return m_pendingTopRow;
    Sync();
    return std::min(m_shown.fixedRows + m_views[kBody]->verticalScrollBar()->value(),
                    std::max(Rows() - 1, 0));
}

void CFlexGrid::SetTopRow(int row)
{
    if (Rows() <= FixedRows())
        return;
    m_pendingTopRow = std::clamp(row, FixedRows(), Rows() - 1);
    if (m_redraw && !m_shapeDirty)
        ApplyTopRow();
    else
        Schedule();
}

void CFlexGrid::SetRedraw(bool redraw)
{
    if (redraw == m_redraw)
        return;
    m_redraw = redraw;
    setUpdatesEnabled(redraw);
    if (redraw) {
        FlushNow();
        RepaintAll();
    }
}

void CFlexGrid::SetToolTipText(const QString& text)
{
    if (text == m_toolTip)
        return;
    m_toolTip = text;
    if (!QToolTip::isVisible())
        return;
    for (CRegionView* view : m_views) {
        QWidget* viewport = view->viewport();
        if (viewport->underMouse()) {
            const QPoint global = QCursor::pos();
            ShowToolTip(viewport, viewport->mapFromGlobal(global), global);
            return;
        }
    }
}

void CFlexGrid::SetMousePointer(Qt::CursorShape shape)
{
    m_pointer = shape;
    for (CRegionView* view : m_views)
        view->viewport()->setCursor(shape);
}

QRect CFlexGrid::CellRect(int row, int col) const
{
    if (!m_data.Contains(row, col))
        return QRect();
    Sync();
    const Region region = RegionOf(row, col);
    const CRegionView* view = m_views[region];
    const CRegionModel* model = m_models[region];
    QRect rect = view->visualRect(model->index(row - model->RowBase(), col - model->ColBase()));
    if (view->showGrid())
        rect.adjust(0, 0, 1, 1); // with its grid line, as wide as its column
    if (rect.isEmpty())
        return QRect();
    return QRect(view->viewport()->mapTo(this, rect.topLeft()), rect.size());
}

QString CFlexGrid::HeaderText(Qt::Orientation orientation, int section) const
{
    QStringList parts;
    const int fixed = orientation == Qt::Horizontal ? FixedRows() : FixedCols();
    for (int i = 0; i < fixed; ++i) {
        const QString text = orientation == Qt::Horizontal ? TextMatrix(i, section) : TextMatrix(section, i);
        if (!text.isEmpty() && !parts.contains(text))
            parts << text;
    }
    return parts.join(QLatin1Char(' '));
}

// ---- keeping the views in step --------------------------------------------
//
// Changes land in m_data at once and mark what the views must learn; the
// views catch up in FlushNow: at the next turn of the event loop while the
// grid is shown with Redraw on, when Redraw comes back on, when the grid is
// shown, and before anything that reads the views (TopRow, CellRect).

bool CFlexGrid::Live() const
{
    return m_redraw && isVisible();
}

void CFlexGrid::ShapeChanged()
{
    m_shapeDirty = true;
    Schedule();
}

void CFlexGrid::SizesChanged()
{
    m_sizesDirty = true;
    Schedule();
}

void CFlexGrid::CellChanged(int row, int col)
{
    if (!m_data.Contains(row, col))
        return;
    m_cellsDirty = true;
    Schedule();
}

void CFlexGrid::SelectionChanged()
{
    m_selectionDirty = true;
    m_repaintDirty = true;
    Schedule();
}

void CFlexGrid::Schedule()
{
    if (m_flushPosted || !Live())
        return;
    m_flushPosted = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_flushPosted = false;
            FlushNow();
        },
        Qt::QueuedConnection);
}

void CFlexGrid::Sync() const
{
    const_cast<CFlexGrid*>(this)->FlushNow();
}

void CFlexGrid::FlushNow()
{
    {
        const QScopedValueRollback reshaping(m_reshaping, true);
        if (m_shapeDirty)
            Publish();
        if (m_sizesDirty)
            ApplySizes();
        if (m_data.MergesStale())
            ApplySpans();
        if (m_selectionDirty)
            ApplySelection();
    }
    if (m_pendingTopRow >= 0)
        ApplyTopRow();
    if (m_cellsDirty || m_repaintDirty)
        RepaintAll();
}

void CFlexGrid::Publish()
{
    const int keepTop = m_pendingTopRow >= 0
                            ? m_pendingTopRow
                            : m_shown.fixedRows + m_views[kBody]->verticalScrollBar()->value();
    for (CRegionModel* model : m_models)
        model->BeginReset();
    m_shown = {Rows(), Cols(), FixedRows(), FixedCols()};
    const int bodyRows = m_shown.rows - m_shown.fixedRows;
    const int bodyCols = m_shown.cols - m_shown.fixedCols;
    m_models[kBody]->SetWindow(m_shown.fixedRows, bodyRows, m_shown.fixedCols, bodyCols);
    m_models[kTop]->SetWindow(0, m_shown.fixedRows, m_shown.fixedCols, bodyCols);
    m_models[kLeft]->SetWindow(m_shown.fixedRows, bodyRows, 0, m_shown.fixedCols);
    m_models[kCorner]->SetWindow(0, m_shown.fixedRows, 0, m_shown.fixedCols);
    for (CRegionModel* model : m_models)
        model->EndReset();
    m_shapeDirty = false;
    m_sizesDirty = true;
    m_selectionDirty = true;
    m_cellsDirty = false;
    for (CRegionView* view : m_views)
        view->clearSpans();
    m_spansShown.clear();
    ApplySpans();
    // The scroll position survives the reset, within the new rows; so does
    // a top row asked for, the first scrolling row included (the view's own
    // scroll position would be left over from the cells before).
    m_pendingTopRow = bodyRows > 0 ? std::clamp(keepTop, m_shown.fixedRows, m_shown.rows - 1) : -1;
}

int CFlexGrid::DefaultRowPixels() const
{
    return QFontMetrics(font()).height() + 4;
}

int CFlexGrid::DefaultColPixels() const
{
    return TwipsToScreenPixels(kDefaultColTwips, this);
}

int CFlexGrid::ColPixels(int col) const
{
    const int twips = m_data.ColWidth(col);
    return twips >= 0 ? TwipsToScreenPixels(twips, this) : DefaultColPixels();
}

int CFlexGrid::RowPixels(int row) const
{
    const int twips = m_data.RowHeight(row);
    return twips >= 0 ? TwipsToScreenPixels(twips, this) : DefaultRowPixels();
}

void CFlexGrid::ApplySizes()
{
    m_sizesDirty = false;
    const int rowPixels = DefaultRowPixels();
    const int colPixels = DefaultColPixels();
    for (CRegionView* view : m_views) {
        if (view->verticalHeader()->defaultSectionSize() != rowPixels)
            view->verticalHeader()->setDefaultSectionSize(rowPixels);
        if (view->horizontalHeader()->defaultSectionSize() != colPixels)
            view->horizontalHeader()->setDefaultSectionSize(colPixels);
    }
    const int cols = std::min(m_shown.cols, Cols());
    for (int c = 0; c < cols; ++c) {
        const bool fixed = c < m_shown.fixedCols;
        const int section = fixed ? c : c - m_shown.fixedCols;
        const int pixels = ColPixels(c);
        for (Region region : fixed ? std::array{kLeft, kCorner} : std::array{kBody, kTop})
            m_views[region]->horizontalHeader()->resizeSection(section, pixels);
    }
    if (m_data.HasRowHeights()) {
        const int rows = std::min(m_shown.rows, Rows());
        for (int r = 0; r < rows; ++r) {
            if (m_data.RowHeight(r) < 0)
                continue;
            const bool fixed = r < m_shown.fixedRows;
            const int section = fixed ? r : r - m_shown.fixedRows;
            for (Region region : fixed ? std::array{kTop, kCorner} : std::array{kBody, kLeft})
                m_views[region]->verticalHeader()->resizeSection(section, RowPixels(r));
        }
    }
    PlaceRegions();
}

void CFlexGrid::ApplySpans()
{
    const std::vector<GridSpan>& spans = m_data.Merges();
    if (spans == m_spansShown)
        return;
    for (CRegionView* view : m_views)
        view->clearSpans();
    for (const GridSpan& span : spans) {
        if (span.row + span.rows > m_shown.rows || span.col + span.cols > m_shown.cols)
            continue;
        const Region region = RegionOf(span.row, span.col);
        const CRegionModel* model = m_models[region];
        m_views[region]->setSpan(span.row - model->RowBase(), span.col - model->ColBase(), span.rows,
                                 span.cols);
    }
    m_spansShown = spans;
}

void CFlexGrid::ApplySelection()
{
    m_selectionDirty = false;
    CRegionModel* model = m_models[kBody];
    QItemSelectionModel* selection = m_views[kBody]->selectionModel();
    const int top = std::max(std::min(Row(), RowSel()), m_shown.fixedRows) - m_shown.fixedRows;
    const int bottom = std::min(std::max(Row(), RowSel()), m_shown.rows - 1) - m_shown.fixedRows;
    const int left = std::max(std::min(Col(), ColSel()), m_shown.fixedCols) - m_shown.fixedCols;
    const int right = std::min(std::max(Col(), ColSel()), m_shown.cols - 1) - m_shown.fixedCols;
    if (top <= bottom && left <= right && bottom < model->rowCount() && right < model->columnCount())
        selection->select(QItemSelection(model->index(top, left), model->index(bottom, right)),
                          QItemSelectionModel::ClearAndSelect);
    else
        selection->clearSelection();
    const bool bodyCell = !m_data.IsFixed(Row(), Col()) && Row() < m_shown.rows && Col() < m_shown.cols;
    selection->setCurrentIndex(bodyCell ? model->index(Row() - m_shown.fixedRows, Col() - m_shown.fixedCols)
                                        : QModelIndex(),
                               QItemSelectionModel::NoUpdate);
    m_repaintDirty = true;
}

void CFlexGrid::ApplyTopRow()
{
    if (m_applyingTopRow || m_shapeDirty || m_pendingTopRow < 0)
        return;
    m_applyingTopRow = true;
    CRegionView* body = m_views[kBody];
    body->Refit();
    body->verticalScrollBar()->setValue(m_pendingTopRow - m_shown.fixedRows);
    m_applyingTopRow = false;
    if (isVisible())
        m_pendingTopRow = -1; // hidden, the view has no size yet: apply again when shown
}

void CFlexGrid::RepaintAll()
{
    const bool texts = m_cellsDirty;
    m_cellsDirty = false;
    m_repaintDirty = false;
    if (!m_redraw)
        return;
    if (texts) // tells a screen reader too
        for (CRegionModel* model : m_models)
            model->AllChanged();
    for (CRegionView* view : m_views)
        view->viewport()->update();
}

void CFlexGrid::PlaceRegions()
{
    CRegionView* body = m_views[kBody];
    int top = 0;
    for (int r = 0; r < std::min(m_shown.fixedRows, Rows()); ++r)
        top += RowPixels(r);
    int left = 0;
    for (int c = 0; c < std::min(m_shown.fixedCols, Cols()); ++c)
        left += ColPixels(c);
    const int frame = body->frameWidth();
    top = std::clamp(top, 0, std::max(body->height() - 2 * frame, 0));
    left = std::clamp(left, 0, std::max(body->width() - 2 * frame, 0));
    if (body->SetRoom(left, top))
        body->Refit(); // moves the cells aside and fits the scroll ranges to them

    const QRect cells = body->viewport()->geometry();
    const QRect places[kRegionCount] = {
        cells,
        QRect(cells.left(), cells.top() - top, cells.width(), top),
        QRect(cells.left() - left, cells.top(), left, cells.height()),
        QRect(cells.left() - left, cells.top() - top, left, top),
    };
    for (int r = kTop; r < kRegionCount; ++r) {
        m_views[r]->setGeometry(places[r]);
        m_views[r]->setVisible(!places[r].isEmpty());
        m_views[r]->raise();
    }
    FollowBody();
}

void CFlexGrid::BodyLaidOut()
{
    if (!m_views[kCorner])
        return; // the views are being built or torn down
    {
        const QScopedValueRollback reshaping(m_reshaping, true);
        PlaceRegions();
    }
    if (m_pendingTopRow >= 0)
        ApplyTopRow();
}

void CFlexGrid::FollowBody()
{
    if (!m_views[kCorner])
        return;
    const CRegionView* body = m_views[kBody];
    m_views[kTop]->horizontalScrollBar()->setValue(body->horizontalScrollBar()->value());
    m_views[kLeft]->verticalScrollBar()->setValue(body->verticalScrollBar()->value());
}

CFlexGrid::Region CFlexGrid::RegionOf(int row, int col) const
{
    const bool fixedRow = row < m_shown.fixedRows;
    const bool fixedCol = col < m_shown.fixedCols;
    if (fixedRow)
        return fixedCol ? kCorner : kTop;
    return fixedCol ? kLeft : kBody;
}

void CFlexGrid::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    FlushNow();
}

void CFlexGrid::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_views[kBody]->setGeometry(rect());
}

void CFlexGrid::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        m_sizesDirty = true;
        m_repaintDirty = true;
        Schedule();
    }
}

} // namespace kelton
