#include <memory>
#include <optional>
#include <vector>

#include <QAbstractItemView>
#include <QAccessible>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QToolTip>

#include <gtest/gtest.h>

#include "platform/twips.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/screen_twips.h"
#include "shell/ui/qt_app_env.h"
#include "support/test_support.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

// Counts the paint events of a widget.
class PaintCounter : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

class FlexGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_grid = std::make_unique<CFlexGrid>();
        m_grid->resize(400, 300);
    }

    // rows x cols, each cell holding "r,c".
    void Fill(int rows, int cols)
    {
        m_grid->SetRows(rows);
        m_grid->SetCols(cols);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                m_grid->SetTextMatrix(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
    }
    void Show()
    {
        m_grid->show();
        Settle();
    }
    static void Settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    QImage Picture() const { return m_grid->grab().toImage(); }

    // A mouse event at a point of the grid, sent to the widget drawn there.
    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = m_grid->childAt(at);
        ASSERT_NE(target, nullptr);
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, QPointF(target->mapFrom(m_grid.get(), at)), QPointF(m_grid->mapToGlobal(at)),
                          type == QEvent::MouseMove ? Qt::NoButton : button, held, modifiers);
        QCoreApplication::sendEvent(target, &event);
    }
    QPoint Centre(int row, int col) const { return m_grid->CellRect(row, col).center(); }
    void ClickCell(int row, int col, Qt::MouseButton button = Qt::LeftButton,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        Mouse(QEvent::MouseButtonPress, Centre(row, col), button, modifiers);
        Mouse(QEvent::MouseButtonRelease, Centre(row, col), button, modifiers);
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(m_grid->focusProxy(), &event);
    }
    std::vector<int> Selection() const { return {m_grid->Row(), m_grid->Col(), m_grid->RowSel(), m_grid->ColSel()}; }
    std::vector<QAbstractItemView*> Views() const
    {
        const QList<QAbstractItemView*> all = m_grid->findChildren<QAbstractItemView*>();
        std::vector<QAbstractItemView*> views;
        for (QAbstractItemView* view : all)
            if (view->inherits("QTableView"))
                views.push_back(view);
        return views;
    }

    std::unique_ptr<CFlexGrid> m_grid;
};

TEST_F(FlexGridTest, FixedCellsAreNeverSelected)
{
    Fill(6, 4);
    Show();

    ClickCell(3, 0);  // a fixed column selects the row's scrolling cells
    EXPECT_EQ(Selection(), (std::vector<int>{3, 1, 3, 3}));
    ClickCell(0, 2);  // a fixed row the column's
    EXPECT_EQ(Selection(), (std::vector<int>{1, 2, 5, 2}));
    ClickCell(0, 0);
    EXPECT_EQ(Selection(), (std::vector<int>{1, 2, 5, 2}));

    // The keyboard stops at the fixed cells.
    m_grid->SetRow(1);
    m_grid->SetCol(1);
    Key(Qt::Key_Up);
    Key(Qt::Key_Left);
    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(Selection(), (std::vector<int>{1, 1, 1, 1}));
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(Selection(), (std::vector<int>{1, 1, 2, 2}));

    // A block set by code over the fixed cells highlights only the others.
    m_grid->SetRow(0);
    m_grid->SetCol(0);
    m_grid->SetRowSel(5);
    m_grid->SetColSel(3);
    Settle();
    const QImage shown = Picture();
    const QColor fixed = m_grid->BackColorFixed();
    const QColor base = m_grid->palette().color(QPalette::Base);
    for (const QPoint cell : {QPoint(0, 2), QPoint(3, 0), QPoint(0, 0)})
        EXPECT_EQ(shown.pixelColor(m_grid->CellRect(cell.x(), cell.y()).topLeft() + QPoint(2, 2)), fixed)
            << cell.x() << "," << cell.y();
    EXPECT_NE(shown.pixelColor(m_grid->CellRect(2, 2).topLeft() + QPoint(2, 2)), base);

    for (QAbstractItemView* view : Views()) {
        const QModelIndex first = view->model()->index(0, 0);
        const bool body = view->objectName() == u"cells"_s;
        EXPECT_EQ(static_cast<bool>(view->model()->flags(first) & Qt::ItemIsSelectable), body)
            << view->objectName().toStdString();
    }

    m_grid->SetHighLight(GridHighLight::Never);
    Settle();
    EXPECT_EQ(Picture().pixelColor(m_grid->CellRect(2, 2).topLeft() + QPoint(2, 2)), base);
}

TEST_F(FlexGridTest, MergedCellsSpan)
{
    Fill(5, 6);
    m_grid->SetMergeCells(GridMerge::RestrictColumns);
    m_grid->SetMergeRow(0, true);
    for (int c = 1; c <= 3; ++c) {
        m_grid->SetTextMatrix(0, c, u"百位号码"_s);
        m_grid->SetTextMatrix(1, c, u"5"_s);  // no merging in this row
    }
    Show();

    const QRect caption = m_grid->CellRect(0, 1);
    EXPECT_EQ(m_grid->CellRect(0, 2), caption);
    EXPECT_EQ(m_grid->CellRect(0, 3), caption);
    EXPECT_EQ(caption.width(), 3 * TwipsToScreenPixels(m_grid->ColWidth(1), m_grid.get()));
    EXPECT_NE(m_grid->CellRect(0, 4), caption);
    EXPECT_NE(m_grid->CellRect(1, 1), m_grid->CellRect(1, 2));

    // The merge follows the text.
    m_grid->SetTextMatrix(0, 4, u"百位号码"_s);
    Settle();
    EXPECT_EQ(m_grid->CellRect(0, 4).left(), caption.left());
    EXPECT_EQ(m_grid->CellRect(0, 4).width(), 4 * caption.width() / 3);

    // A fixed column merges down its scrolling rows, not into the fixed row.
    m_grid->SetMergeCells(GridMerge::Free);
    m_grid->SetMergeCol(0, true);
    for (int r = 0; r < 5; ++r)
        m_grid->SetTextMatrix(r, 0, u"期数"_s);
    Settle();
    const QRect label = m_grid->CellRect(1, 0);
    EXPECT_EQ(m_grid->CellRect(4, 0), label);
    EXPECT_EQ(label.top(), m_grid->CellRect(1, 1).top());
    EXPECT_EQ(label.bottom(), m_grid->CellRect(4, 1).bottom());
    EXPECT_NE(m_grid->CellRect(0, 0), label);
}

TEST_F(FlexGridTest, TwipsMapToPixels)
{
    Fill(4, 5);
    const double dpi = ScreenDpi(m_grid.get());
    m_grid->SetColWidth(1, 1440);
    m_grid->SetColWidth(2, 30);
    m_grid->SetColWidth(3, 0);
    m_grid->SetRowHeight(2, 300);
    Show();

    EXPECT_EQ(m_grid->CellRect(1, 1).width(), TwipsToPixels(1440, dpi));
    EXPECT_EQ(m_grid->CellRect(1, 2).width(), TwipsToPixels(30, dpi));
    EXPECT_TRUE(m_grid->CellRect(1, 3).isEmpty());
    EXPECT_EQ(m_grid->CellRect(2, 1).height(), TwipsToPixels(300, dpi));
    EXPECT_EQ(m_grid->ColWidth(1), 1440);
    EXPECT_EQ(m_grid->ColWidth(3), 0);
    EXPECT_EQ(m_grid->RowHeight(2), 300);
    EXPECT_EQ(m_grid->RowHeight(9), 0);

    m_grid->SetColWidth(1, -1);
    Settle();
    EXPECT_EQ(m_grid->CellRect(1, 1).width(), TwipsToPixels(m_grid->ColWidth(1), dpi));
    EXPECT_EQ(m_grid->CellRect(1, 1).height(), TwipsToPixels(m_grid->RowHeight(1), dpi));
}

// Columns widen, never narrow, to show their texts whole: a text the window
// names, or the widest of a table's cells. A caption merged across columns
// counts for none of them and a hidden column stays hidden.
TEST_F(FlexGridTest, ColumnsFitTheirTexts)
{
    m_grid->SetRows(4);
    m_grid->SetCols(5);
    for (int c = 0; c < 5; ++c)
        m_grid->SetColWidth(c, 270);
    m_grid->SetMergeCells(GridMerge::Free);
    m_grid->SetMergeRow(0, true);
    for (int c = 1; c < 4; ++c)
        m_grid->SetTextMatrix(0, c, u"一个很长的合并标题"_s);
    // A merged block lower down counts for none of its columns either.
    m_grid->SetMergeRow(3, true);
    for (int c = 2; c < 4; ++c)
        m_grid->SetTextMatrix(3, c, u"又一个很长的合并文字"_s);
    m_grid->SetTextMatrix(1, 1, u"2529"_s);
    m_grid->SetTextMatrix(2, 1, u"7"_s);
    m_grid->SetTextMatrix(2, 2, u"36"_s);
    m_grid->SetTextMatrix(1, 3, u"5"_s);
    m_grid->SetColWidth(4, 0);
    m_grid->SetTextMatrix(1, 4, u"hidden"_s);
    m_grid->FitColsToTexts();
    m_grid->FitColWidth(0, u"2025217"_s);
    Show();
    const int margins = m_grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) * 2 + 2;
    const QFontMetrics fm(m_grid->font());
    for (const auto& [col, text] : {std::pair{0, u"2025217"_s}, {1, u"2529"_s}, {2, u"36"_s}}) {
        EXPECT_GE(m_grid->CellRect(1, col).width() - 1, fm.horizontalAdvance(text) + margins) << col;
        // No wider than it needs.
        EXPECT_LE(m_grid->CellRect(1, col).width() - 1, fm.horizontalAdvance(text) + margins + 1) << col;
    }
    EXPECT_EQ(m_grid->ColWidth(3), 270); // "5" fits as it was
    EXPECT_EQ(m_grid->ColWidth(4), 0);
    m_grid->FitColWidth(1, u"1"_s);
    EXPECT_EQ(m_grid->ColWidth(1), m_grid->TextTwips(u"2529"_s));
}

// Fitting goes by what cells show: a shown name rather than the code held,
// a text source's text, a text written since the last fit, and the grid's
// font as it is now.
TEST_F(FlexGridTest, ColumnsFitWhatTheyShowInTheCurrentFont)
{
    m_grid->SetRows(3);
    m_grid->SetCols(4);
    m_grid->SetShownText([](int, int col, const QString& text) { return col == 1 ? u"名称"_s + text : text; });
    m_grid->SetTextSource([](int row, int col) { return col == 2 && row == 2 ? u"来自来源的文字"_s : QString(); });
    for (int r = 1; r < 3; ++r) {
        m_grid->SetTextMatrix(r, 1, u"7"_s);
        m_grid->SetTextMatrix(r, 3, u"12"_s);
    }
    const auto fit = [&] {
        for (int c = 0; c < 4; ++c)
            m_grid->SetColWidth(c, 100);
        m_grid->FitColsToTexts();
    };
    const auto expect = [&](const char* when) {
        EXPECT_EQ(m_grid->ColWidth(1), m_grid->TextTwips(u"名称7"_s)) << when;
        EXPECT_EQ(m_grid->ColWidth(2), m_grid->TextTwips(u"来自来源的文字"_s)) << when;
        EXPECT_EQ(m_grid->ColWidth(3), m_grid->TextTwips(u"123456789"_s)) << when;
    };
    fit();
    EXPECT_EQ(m_grid->ColWidth(3), m_grid->TextTwips(u"12"_s));
    m_grid->SetTextMatrix(2, 3, u"123456789"_s);
    fit();
    expect("first font");
    QFont larger = m_grid->font();
    larger.setPointSizeF(larger.pointSizeF() * 2);
    m_grid->setFont(larger);
    fit();
    expect("larger font");

    // Which text is the widest depends on the font, numeric texts (whose
    // widths are added up) as much as others.
    m_grid->SetTextMatrix(1, 3, u"iiiiiiii"_s);
    m_grid->SetTextMatrix(2, 3, u"WWW"_s);
    m_grid->SetTextMatrix(1, 0, u"00000000"_s);
    m_grid->SetTextMatrix(2, 0, u"1.1.1.1.1"_s);
    fit();
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    ASSERT_GT(QFontMetrics(fixed).horizontalAdvance(u"iiiiiiii"_s), QFontMetrics(fixed).horizontalAdvance(u"WWW"_s));
    ASSERT_GT(QFontMetrics(fixed).horizontalAdvance(u"1.1.1.1.1"_s), QFontMetrics(fixed).horizontalAdvance(u"00000000"_s));
    ASSERT_EQ(m_grid->ColWidth(3), m_grid->TextTwips(u"WWW"_s)) << "a proportional font to start with";
    ASSERT_EQ(m_grid->ColWidth(0), m_grid->TextTwips(u"00000000"_s)) << "a proportional font to start with";
    m_grid->setFont(fixed);
    fit();
    EXPECT_EQ(m_grid->ColWidth(3), m_grid->TextTwips(u"iiiiiiii"_s));
    EXPECT_EQ(m_grid->ColWidth(0), m_grid->TextTwips(u"1.1.1.1.1"_s));
}

// A cell written whole: text and the colours given at once, a colour left
// out kept and one given opaque; a shown grid shows it.
TEST_F(FlexGridTest, SetCellWritesTextAndColoursAtOnce)
{
    Fill(3, 3);
    Show();
    struct Case {
        const char* name;
        std::optional<QRgb> back;
        std::optional<QRgb> fore;
        QColor backAfter;
        QColor foreAfter;
    };
    const Case cases[] = {
        {"text only", std::nullopt, std::nullopt, Qt::yellow, Qt::blue},
        {"both", qRgb(255, 0, 0), qRgb(0, 255, 0), Qt::red, Qt::green},
        {"back only, transparent", qRgba(0, 0, 0, 0), std::nullopt, Qt::black, Qt::blue},
        {"fore only", std::nullopt, qRgb(1, 2, 3), Qt::yellow, QColor(1, 2, 3)},
    };
    PaintCounter painted;
    for (QAbstractItemView* view : Views())
        view->viewport()->installEventFilter(&painted);
    for (const Case& c : cases) {
        m_grid->SetCellBackColor(2, 1, Qt::yellow);
        m_grid->SetCellForeColor(2, 1, Qt::blue);
        Settle();
        painted.count = 0;
        m_grid->SetCell(2, 1, QString::fromUtf8(c.name), c.back, c.fore);
        EXPECT_EQ(m_grid->TextMatrix(2, 1), QString::fromUtf8(c.name));
        EXPECT_EQ(m_grid->CellBackColor(2, 1), c.backAfter) << c.name;
        EXPECT_EQ(m_grid->CellForeColor(2, 1), c.foreAfter) << c.name;
        EXPECT_EQ(m_grid->TextMatrix(2, 2), u"2,2"_s) << c.name;
        Settle();
        EXPECT_GT(painted.count, 0) << c.name;
    }
    m_grid->SetCell(3, 1, u"out"_s, qRgb(255, 0, 0), std::nullopt); // nothing there: nothing happens
    EXPECT_EQ(m_grid->TextMatrix(3, 1), QString());
}

TEST_F(FlexGridTest, FixedCellsTakeTheColumnAlignmentUnlessTheirOwnIsSet)
{
    Fill(3, 4);
    m_grid->SetTextMatrix(0, 3, u"号码"_s);
    m_grid->SetTextMatrix(2, 3, u"12"_s);
    m_grid->SetColAlignment(1, Qt::AlignCenter);
    m_grid->SetColAlignment(2, Qt::AlignCenter);
    m_grid->SetFixedAlignment(2, Qt::AlignRight | Qt::AlignTop);
    Show();
    struct Case {
        int row;
        int col;
        Qt::Alignment alignment;
    };
    const Case cases[] = {
        {0, 1, Qt::AlignCenter},
        {2, 1, Qt::AlignCenter},
        {0, 2, Qt::AlignRight | Qt::AlignTop},
        {2, 2, Qt::AlignCenter},
        {0, 3, Qt::AlignLeft | Qt::AlignVCenter},   // text
        {2, 3, Qt::AlignRight | Qt::AlignVCenter},  // a number
    };
    for (const Case& c : cases) {
        QAbstractItemView* view = m_grid->findChild<QAbstractItemView*>(c.row == 0 ? u"fixedRows"_s : u"cells"_s);
        const QModelIndex index = view->model()->index(c.row == 0 ? 0 : c.row - 1, c.col - 1);
        EXPECT_EQ(index.data(Qt::TextAlignmentRole).value<Qt::Alignment>(), c.alignment) << c.row << "," << c.col;
    }
}

TEST_F(FlexGridTest, RowDataStaysWithItsRowOnScreen)
{
    m_grid->SetRows(1);
    m_grid->SetCols(2);
    for (int i = 1; i <= 6; ++i) {
        m_grid->AddItem(QString::number(i) + u"\t号码"_s + QString::number(i));
        m_grid->SetRowData(i, 10 * i);
    }
    Show();
    m_grid->RemoveItem(2);
    m_grid->AddItem(u"9\t号码9"_s, 4);
    m_grid->SetRowData(4, 90);
    Settle();

    QAbstractItemView* cells = m_grid->findChild<QAbstractItemView*>(u"cells"_s);
    ASSERT_NE(cells, nullptr);
    ASSERT_EQ(cells->model()->rowCount(), m_grid->Rows() - 1);
    for (int r = 1; r < m_grid->Rows(); ++r) {
        EXPECT_EQ(m_grid->RowData(r), 10 * m_grid->TextMatrix(r, 0).toInt()) << r;
        EXPECT_EQ(cells->model()->index(r - 1, 0).data().toString(), u"号码"_s + m_grid->TextMatrix(r, 0)) << r;
    }
}

TEST_F(FlexGridTest, RedrawOffSuppressesPainting)
{
    Fill(5, 3);
    Show();
    PaintCounter painted;
    m_grid->installEventFilter(&painted);
    for (QAbstractItemView* view : Views())
        view->viewport()->installEventFilter(&painted);

    m_grid->SetRedraw(false);
    Fill(60, 4);
    m_grid->SetCellBackColor(40, 2, Qt::red);
    m_grid->SetTopRow(30);
    m_grid->update();
    m_grid->repaint();
    Settle();
    EXPECT_EQ(painted.count, 0);
    EXPECT_EQ(m_grid->TopRow(), 30);
    EXPECT_EQ(m_grid->TextMatrix(59, 3), u"59,3"_s);

    m_grid->SetRedraw(true);
    Settle();
    EXPECT_GT(painted.count, 0);
    EXPECT_EQ(m_grid->TopRow(), 30);
    const QRect top = m_grid->CellRect(30, 1);
    EXPECT_EQ(top.top(), m_grid->CellRect(0, 1).bottom() + 1);
}

TEST_F(FlexGridTest, CellRectIsWhereTheCellIsDrawn)
{
    Fill(200, 6);
    m_grid->SetFixedRows(2);
    m_grid->SetMergeCells(GridMerge::RestrictColumns);
    m_grid->SetMergeRow(0, true);
    for (int c = 1; c <= 3; ++c)
        m_grid->SetTextMatrix(0, c, QString());
    m_grid->SetColWidth(2, 600);
    m_grid->SetHighLight(GridHighLight::Never);
    struct Probe {
        int row;
        int col;
        QColor colour;
    };
    const Probe probes[] = {
        {0, 0, QColor(255, 0, 0)},    // the corner
        {0, 1, QColor(0, 160, 0)},    // merged over columns 1 .. 3
        {1, 4, QColor(0, 0, 255)},    // a fixed row
        {105, 0, QColor(200, 200, 0)}, // the fixed column, scrolled
        {105, 2, QColor(0, 200, 200)}, // scrolled cells
        {101, 5, QColor(200, 0, 200)},
    };
    for (const Probe& p : probes) {
        m_grid->SetTextMatrix(p.row, p.col, QString());
        m_grid->SetCellBackColor(p.row, p.col, p.colour);
    }
    m_grid->SetTopRow(100);
    Show();
    ASSERT_EQ(m_grid->TopRow(), 100);

    const QImage shown = Picture();
    for (const Probe& p : probes) {
        const QRect rect = m_grid->CellRect(p.row, p.col);
        ASSERT_FALSE(rect.isEmpty()) << p.row << "," << p.col;
        EXPECT_EQ(shown.pixelColor(rect.topLeft() + QPoint(2, 2)), p.colour) << p.row << "," << p.col;
        EXPECT_EQ(shown.pixelColor(rect.bottomRight() - QPoint(2, 2)), p.colour) << p.row << "," << p.col;
        if (rect.left() > 3) {
            EXPECT_NE(shown.pixelColor(rect.left() - 3, rect.center().y()), p.colour) << p.row << "," << p.col;
        }
    }
    EXPECT_EQ(m_grid->CellRect(0, 3), m_grid->CellRect(0, 1));
    EXPECT_EQ(m_grid->CellRect(99, 2).bottom(), m_grid->CellRect(100, 2).top() - 1);
    EXPECT_TRUE(m_grid->CellRect(200, 0).isEmpty());
}

TEST_F(FlexGridTest, ScrollingToTheEndShowsTheLastRow)
{
    Fill(500, 3);
    m_grid->SetTopRow(499);  // before the grid has a size
    Show();
    const QRect last = m_grid->CellRect(499, 1);
    EXPECT_GT(m_grid->TopRow(), 400);
    EXPECT_LE(last.bottom(), m_grid->height());
    EXPECT_GE(last.top(), m_grid->CellRect(0, 1).bottom());

    // Adding a row keeps the scroll position.
    const int top = m_grid->TopRow();
    m_grid->AddItem(u"new"_s);
    Settle();
    EXPECT_EQ(m_grid->TopRow(), top);

    // A grid filled anew and sent to a row goes there, its first scrolling
    // row included, whether it was hidden while it was filled or not and
    // whether its old scroll position still fits or not.
    struct Case {
        bool hidden;
        int rows;
        int top;
    };
    for (const Case c : {Case{true, 400, 2}, Case{false, 400, 2}, Case{true, 40, 2}, Case{false, 40, 2},
                         Case{true, 40, 39}, Case{false, 40, 20}}) {
        SCOPED_TRACE(testing::Message() << c.hidden << " " << c.rows << " " << c.top);
        Fill(500, 3);
        m_grid->SetTopRow(300);
        Settle();
        ASSERT_EQ(m_grid->TopRow(), 300);
        if (c.hidden)
            m_grid->hide();
        m_grid->SetRedraw(false);
        m_grid->Clear();
        m_grid->SetRows(1);
        m_grid->SetFixedRows(0);
        Fill(c.rows, 3);
        m_grid->SetFixedRows(2);
        m_grid->SetTopRow(c.top);
        m_grid->show();
        m_grid->SetRedraw(true);
        Settle();
        const QRect cell = m_grid->CellRect(c.top, 1);
        EXPECT_TRUE(m_grid->rect().contains(cell)) << m_grid->TopRow();
        if (c.top == 2) {
            EXPECT_EQ(cell.top(), m_grid->CellRect(1, 1).bottom() + 1);
        }
    }
}

TEST_F(FlexGridTest, MouseEventsComeInOrder)
{
    Fill(5, 3);
    Show();
    std::vector<QString> events;
    QObject::connect(m_grid.get(), &CFlexGrid::MouseDown, [&](Qt::MouseButton b, Qt::KeyboardModifiers, QPoint) {
        events.push_back(b == Qt::LeftButton ? u"down"_s : u"right down"_s);
    });
    QObject::connect(m_grid.get(), &CFlexGrid::MouseUp, [&](Qt::MouseButton b, Qt::KeyboardModifiers, QPoint) {
        events.push_back(b == Qt::LeftButton ? u"up"_s : u"right up"_s);
    });
    QObject::connect(m_grid.get(), &CFlexGrid::Click, [&] { events.push_back(u"click %1,%2"_s.arg(m_grid->Row()).arg(m_grid->Col())); });
    QObject::connect(m_grid.get(), &CFlexGrid::DblClick, [&] { events.push_back(u"double"_s); });

    ClickCell(2, 1);
    Mouse(QEvent::MouseButtonPress, Centre(3, 2));
    Mouse(QEvent::MouseButtonRelease, Centre(3, 2));
    Mouse(QEvent::MouseButtonDblClick, Centre(3, 2));
    Mouse(QEvent::MouseButtonRelease, Centre(3, 2));
    ClickCell(4, 1, Qt::RightButton);  // leaves the current cell
    const std::vector<QString> expected = {
        u"down"_s, u"up"_s, u"click 2,1"_s, u"down"_s, u"up"_s, u"click 3,2"_s,
        u"double"_s, u"up"_s, u"right down"_s, u"right up"_s,
    };
    EXPECT_EQ(events, expected);
    EXPECT_EQ(Selection(), (std::vector<int>{3, 2, 3, 2}));

    Mouse(QEvent::MouseMove, Centre(4, 1));
    EXPECT_EQ(m_grid->MouseRow(), 4);
    EXPECT_EQ(m_grid->MouseCol(), 1);
    Mouse(QEvent::MouseMove, Centre(1, 0));
    EXPECT_EQ(m_grid->MouseRow(), 1);
    EXPECT_EQ(m_grid->MouseCol(), 0);
    Mouse(QEvent::MouseMove, QPoint(m_grid->width() - 30, m_grid->height() - 30));  // past the cells
    EXPECT_EQ(m_grid->MouseRow(), -1);
    EXPECT_EQ(m_grid->MouseCol(), -1);
    EXPECT_EQ(m_grid->TextMatrix(m_grid->MouseRow(), 0), QString());
}

TEST_F(FlexGridTest, DraggingSelectsABlock)
{
    Fill(8, 4);
    Show();
    Mouse(QEvent::MouseButtonPress, Centre(2, 1));
    Mouse(QEvent::MouseMove, Centre(4, 3), Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, Centre(4, 3));
    EXPECT_EQ(Selection(), (std::vector<int>{2, 1, 4, 3}));

    ClickCell(6, 2, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(Selection(), (std::vector<int>{2, 1, 6, 2}));

    // Down the fixed column: whole rows.
    Mouse(QEvent::MouseButtonPress, Centre(5, 0));
    Mouse(QEvent::MouseMove, Centre(3, 0), Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, Centre(3, 0));
    EXPECT_EQ(Selection(), (std::vector<int>{5, 1, 3, 3}));

    m_grid->SetSelectionMode(GridSelectionMode::ByRow);
    ClickCell(7, 2);
    EXPECT_EQ(Selection(), (std::vector<int>{7, 1, 7, 3}));
}

TEST_F(FlexGridTest, AScreenReaderReadsEveryCell)
{
    Fill(4, 4);
    m_grid->SetMergeCells(GridMerge::Free);
    m_grid->SetMergeRow(0, true);
    m_grid->SetTextMatrix(0, 2, u"0,1"_s);  // merged with (0, 1)
    Show();

    int cellsRead = 0;
    for (QAbstractItemView* view : Views()) {
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(view);
        ASSERT_NE(table, nullptr);
        QAccessibleTableInterface* cells = table->tableInterface();
        ASSERT_NE(cells, nullptr);
        for (int i = 0; i < cells->rowCount(); ++i) {
            for (int j = 0; j < cells->columnCount(); ++j) {
                const QModelIndex index = view->model()->index(i, j);
                QAccessibleInterface* cell = cells->cellAt(i, j);
                ASSERT_NE(cell, nullptr);
                EXPECT_EQ(cell->text(QAccessible::Name), index.data().toString());
                ++cellsRead;
            }
        }
        if (view->objectName() == u"cells"_s) {
            EXPECT_EQ(cells->rowCount(), 3);
            EXPECT_EQ(cells->columnDescription(0), u"0,1"_s);  // named by its fixed cell
            EXPECT_EQ(cells->rowDescription(2), u"3,0"_s);
        }
    }
    EXPECT_EQ(cellsRead, 16);
}

TEST_F(FlexGridTest, TextsCanComeFromASource)
{
    m_grid->SetRows(100001);
    m_grid->SetCols(3);
    int asked = 0;
    m_grid->SetTextSource([&](int row, int col) {
        ++asked;
        return QStringLiteral("%1,%2").arg(row).arg(col);
    });
    Show();
    EXPECT_LT(asked, 1000);
    m_grid->SetTopRow(100000);
    Settle();
    EXPECT_LT(asked, 2000);
    EXPECT_EQ(m_grid->TextMatrix(100000, 2), u"100000,2"_s);
    EXPECT_FALSE(m_grid->CellRect(100000, 2).isEmpty());
}

TEST_F(FlexGridTest, TheTipFollowsTheText)
{
    Fill(5, 3);
    Show();
    QObject::connect(m_grid.get(), &CFlexGrid::MouseMove, [&](Qt::MouseButtons, Qt::KeyboardModifiers, QPoint) {
        m_grid->SetToolTipText(u" "_s + m_grid->TextMatrix(m_grid->MouseRow(), m_grid->MouseCol()) + u" "_s);
    });
    Mouse(QEvent::MouseMove, Centre(2, 1));
    QWidget* viewport = m_grid->childAt(Centre(2, 1));
    QHelpEvent help(QEvent::ToolTip, viewport->mapFrom(m_grid.get(), Centre(2, 1)), m_grid->mapToGlobal(Centre(2, 1)));
    QCoreApplication::sendEvent(viewport, &help);
    EXPECT_EQ(QToolTip::text(), u" 2,1 "_s);
    QToolTip::hideText();
}

} // namespace
} // namespace kelton
