#include <optional>
#include <span>
#include <vector>

#include <gtest/gtest.h>

#include "platform/grid_data.h"
#include "support/test_support.h"

namespace kelton {

void PrintTo(const GridSpan& s, std::ostream* os)
{
    *os << "{" << s.row << "," << s.col << "," << s.rows << "," << s.cols << "}";
}

namespace {

using namespace Qt::StringLiterals;

// A grid from lines of comma-separated cells.
CGridData Grid(const std::vector<const char*>& lines, int fixedRows = 0, int fixedCols = 0)
{
    CGridData grid;
    grid.SetRows(0);
    grid.SetCols(static_cast<int>(QString::fromUtf8(lines.front()).count(QLatin1Char(','))) + 1);
    for (const char* line : lines)
        grid.AddItem(QString::fromUtf8(line).replace(QLatin1Char(','), QLatin1Char('\t')));
    grid.SetFixedRows(fixedRows);
    grid.SetFixedCols(fixedCols);
    return grid;
}

TEST(GridData, ShrinkingDropsFixedRowsAndColumnsAsATableIsRebuilt)
{
    CGridData grid;
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.Cols(), 2);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 1);

    // A view with two fixed columns, then the reset of a number table.
    grid.SetRows(5);
    grid.SetCols(5);
    grid.SetFixedRows(2);
    grid.SetFixedCols(2);
    grid.SetText(4, 4, QStringLiteral("old"));
    grid.Clear();
    grid.SetRows(1);
    grid.SetCols(1);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.FixedCols(), 1);
    grid.SetRows(3);
    grid.SetFixedRows(2);
    grid.SetRows(10);
    EXPECT_EQ(grid.FixedRows(), 2);
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_EQ(grid.Row(), 2);  // out of the new fixed rows
    grid.SetCols(5);
    EXPECT_EQ(grid.Text(4, 4), QString());

    grid.SetFixedRows(11);  // more than the rows: refused
    EXPECT_EQ(grid.FixedRows(), 2);
    grid.SetRows(-1);
    EXPECT_EQ(grid.Rows(), 10);
}

TEST(GridData, ColumnsKeepTheirTextWhenTheirCountChanges)
{
    CGridData grid = Grid({"a,b,c", "d,e,f", "g,h,i"});
    // Every cell coloured, so that a colour left behind where a cell moved
    // away shows.
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            grid.SetForeColor(r, c, 0xff000000u | static_cast<GridColor>(r * 3 + c + 1));
    grid.SetCols(2);
    grid.SetCols(4);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            SCOPED_TRACE(testing::Message() << "cell " << r << "," << c);
            if (c < 2) {
                EXPECT_EQ(grid.Text(r, c), QString(QChar(u'a' + r * 3 + c)));
                EXPECT_EQ(grid.ForeColor(r, c), 0xff000000u | static_cast<GridColor>(r * 3 + c + 1));
            } else {
                EXPECT_EQ(grid.Text(r, c), QString());
                EXPECT_EQ(grid.ForeColor(r, c), kNoGridColor);
            }
        }
    }
    // Emptied and grown again, as a table is rebuilt: nothing of the old
    // cells comes back.
    grid.SetRows(1);
    grid.SetCols(1);
    grid.SetCols(3);
    grid.SetRows(3);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            SCOPED_TRACE(testing::Message() << "rebuilt cell " << r << "," << c);
            EXPECT_EQ(grid.Text(r, c), r == 0 && c == 0 ? u"a"_s : QString());
            EXPECT_EQ(grid.ForeColor(r, c), r == 0 && c == 0 ? 0xff000001u : kNoGridColor);
        }
    }
    // Reads and writes outside the grid do nothing.
    grid.SetText(3, 0, QStringLiteral("x"));
    grid.SetText(-1, 0, QStringLiteral("x"));
    EXPECT_EQ(grid.Text(3, 0), QString());
    EXPECT_EQ(grid.Text(0, -1), QString());
    EXPECT_EQ(grid.RowData(7), 0);
}

TEST(GridData, AddItemSplitsAtTabs)
{
    CGridData grid = Grid({"h0,h1,h2"}, 1, 0);
    EXPECT_TRUE(grid.AddItem(QStringLiteral("1\tA\tB\textra")));
    EXPECT_TRUE(grid.AddItem(QStringLiteral("only")));
    EXPECT_TRUE(grid.AddItem(QStringLiteral("\t\tlast")));
    EXPECT_TRUE(grid.AddItem(QStringLiteral("first\tx"), 1));
    EXPECT_FALSE(grid.AddItem(QStringLiteral("no"), 6));
    EXPECT_FALSE(grid.AddItem(QStringLiteral("no"), -2));

    const std::vector<std::vector<const char*>> expected = {
        {"h0", "h1", "h2"}, {"first", "x", ""}, {"1", "A", "B"}, {"only", "", ""}, {"", "", "last"},
    };
    ASSERT_EQ(grid.Rows(), static_cast<int>(expected.size()));
    for (int r = 0; r < grid.Rows(); ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(grid.Text(r, c), QString::fromUtf8(expected[r][c])) << r << "," << c;
}

TEST(GridData, RowDataColoursAndHeightsStayWithTheirRows)
{
    CGridData grid = Grid({"h,h", "1,a", "2,b", "3,c", "4,d"}, 1, 1);
    for (int r = 1; r < 5; ++r)
        grid.SetRowData(r, 100 + r);
    grid.SetBackColor(3, 1, 0xffff0000);
    grid.SetRowHeight(3, 400);
    grid.SetRow(4);
    grid.SetRowSel(2);

    ASSERT_TRUE(grid.RemoveItem(2));
    EXPECT_EQ(grid.Text(2, 1), QStringLiteral("c"));
    EXPECT_EQ(grid.RowData(2), 103);
    EXPECT_EQ(grid.BackColor(2, 1), 0xffff0000u);
    EXPECT_EQ(grid.RowHeight(2), 400);
    EXPECT_EQ(grid.Row(), 3);  // still on "4"
    EXPECT_EQ(grid.RowSel(), 2);

    ASSERT_TRUE(grid.AddItem(QStringLiteral("new\tn"), 1));
    EXPECT_EQ(grid.RowData(1), 0);
    EXPECT_EQ(grid.RowData(3), 103);
    EXPECT_EQ(grid.BackColor(3, 1), 0xffff0000u);
    EXPECT_EQ(grid.Text(grid.Row(), 1), QStringLiteral("d"));

    // Removing the current last row leaves the current cell on the new last row.
    grid.SetRow(4);
    ASSERT_TRUE(grid.RemoveItem(4));
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_FALSE(grid.RemoveItem(4));

    // Clear empties text and colours, not the row data.
    grid.Clear();
    EXPECT_EQ(grid.Text(3, 1), QString());
    EXPECT_EQ(grid.BackColor(3, 1), kNoGridColor);
    EXPECT_EQ(grid.RowData(3), 103);
}

TEST(GridData, InsertRowsPutsEachRowInFrontOfItsRowInOnePass)
{
    CGridData grid = Grid({"h,h", "1,a", "2,b", "3,c"}, 1, 1);
    for (int r = 1; r < 4; ++r)
        grid.SetRowData(r, 100 + r);
    grid.SetBackColor(2, 1, 0xffff0000);
    grid.SetRowHeight(3, 400);
    grid.SetRow(2);
    grid.SetRowSel(3);
    // Two rows in front of "1", one in front of "3", two after the last.
    const std::vector<int> before = {1, 1, 3, 4, 4};
    const std::vector<QString> texts = {u"x"_s, u"0"_s, u"y"_s, u"0"_s, u"z"_s, u"2"_s,
                                        u"v"_s, u"3"_s, u"w"_s, u"3"_s};
    ASSERT_TRUE(grid.InsertRows(before, texts));
    QStringList rows;
    for (int r = 0; r < grid.Rows(); ++r)
        rows << grid.Text(r, 0) + grid.Text(r, 1);
    EXPECT_EQ(rows, QStringList({u"hh"_s, u"x0"_s, u"y0"_s, u"1a"_s, u"2b"_s, u"z2"_s, u"3c"_s, u"v3"_s,
                                 u"w3"_s}));
    // What each old row kept moves with it; the new rows have nothing.
    EXPECT_EQ(grid.RowData(3), 101);
    EXPECT_EQ(grid.RowData(6), 103);
    EXPECT_EQ(grid.RowData(5), 0);
    EXPECT_EQ(grid.BackColor(4, 1), 0xffff0000u);
    EXPECT_EQ(grid.BackColor(5, 1), kNoGridColor);
    EXPECT_EQ(grid.RowHeight(6), 400);
    EXPECT_EQ(grid.RowHeight(5), -1);
    // The current cell and the selection stay on their rows ("2" and "3").
    EXPECT_EQ(grid.Row(), 4);
    EXPECT_EQ(grid.RowSel(), 6);

    // Wrong counts or positions change nothing.
    const std::pair<std::vector<int>, std::vector<QString>> refused[] = {
        {{1}, {u"a"_s}},                           // one text short
        {{2, 1}, {u"a"_s, u"b"_s, u"c"_s, u"d"_s}}, // out of order
        {{10}, {u"a"_s, u"b"_s}},                  // past the last row
        {{-1}, {u"a"_s, u"b"_s}},
    };
    for (const auto& [at, cells] : refused) {
        EXPECT_FALSE(grid.InsertRows(at, cells));
        EXPECT_EQ(grid.Rows(), 9);
    }
    // Into an empty grid: the rows in order, the current cell on the first.
    CGridData empty;
    empty.SetRows(0);
    ASSERT_TRUE(empty.InsertRows(std::vector<int>{0, 0}, std::vector<QString>{u"a"_s, u"1"_s, u"b"_s, u"2"_s}));
    EXPECT_EQ(empty.Text(1, 0), u"b"_s);
    EXPECT_EQ(empty.Row(), 0);
}

TEST(GridData, ATextSourceFillsCellsWithoutText)
{
    CGridData grid = Grid({"h,h", ",", ","}, 1, 1);
    int asked = 0;
    grid.SetTextSource([&](int row, int col) {
        ++asked;
        EXPECT_TRUE(grid.Contains(row, col));
        return QStringLiteral("%1:%2").arg(row).arg(col);
    });
    EXPECT_EQ(grid.Text(2, 1), QStringLiteral("2:1"));
    grid.SetText(2, 1, QStringLiteral("kept"));
    EXPECT_EQ(grid.Text(2, 1), QStringLiteral("kept"));
    EXPECT_EQ(grid.Text(0, 0), QStringLiteral("h"));
    EXPECT_EQ(grid.Text(3, 0), QString());
    EXPECT_EQ(asked, 1);
}

// A cell written whole: its text, and each colour given; a colour left out
// keeps what the cell had, and a write outside the grid changes nothing.
TEST(GridData, SetCellWritesTextAndTheColoursGiven)
{
    constexpr GridColor red = 0xffff0000;
    constexpr GridColor blue = 0xff0000ff;
    struct Case {
        const char* name;
        int row;
        int col;
        std::optional<GridColor> back;
        std::optional<GridColor> fore;
        QString text;      // what (1, 1) holds afterwards
        GridColor backAfter;
        GridColor foreAfter;
    };
    const Case cases[] = {
        {"text only", 1, 1, std::nullopt, std::nullopt, u"new"_s, red, blue},
        {"back only", 1, 1, blue, std::nullopt, u"new"_s, blue, blue},
        {"fore only", 1, 1, std::nullopt, red, u"new"_s, red, red},
        {"both, one cleared", 1, 1, kNoGridColor, red, u"new"_s, kNoGridColor, red},
        {"outside", 2, 1, blue, red, u"old"_s, red, blue},
        {"negative", -1, 0, blue, red, u"old"_s, red, blue},
    };
    for (const Case& c : cases) {
        CGridData grid = Grid({"h,h", "a,old"});
        grid.SetBackColor(1, 1, red);
        grid.SetForeColor(1, 1, blue);
        grid.SetCell(c.row, c.col, u"new"_s, c.back, c.fore);
        EXPECT_EQ(grid.Text(1, 1), c.text) << c.name;
        EXPECT_EQ(grid.HeldText(1, 1), c.text) << c.name;
        EXPECT_EQ(grid.BackColor(1, 1), c.backAfter) << c.name;
        EXPECT_EQ(grid.ForeColor(1, 1), c.foreAfter) << c.name;
        EXPECT_EQ(grid.Text(1, 0), u"a"_s) << c.name;
        EXPECT_EQ(grid.BackColor(1, 0), kNoGridColor) << c.name;
    }
    // The first colour of a grid without any, and merges that follow.
    CGridData grid = Grid({"a,b"});
    grid.SetMergeCells(GridMerge::Free);
    grid.SetMergeRow(0, true);
    EXPECT_TRUE(grid.Merges().empty());
    grid.SetCell(0, 1, u"a"_s, red, std::nullopt);
    EXPECT_EQ(grid.BackColor(0, 1), red);
    EXPECT_EQ(grid.ForeColor(0, 1), kNoGridColor);
    EXPECT_EQ(grid.Merges(), (std::vector<GridSpan>{{0, 0, 1, 2}}));
}

// A run of a row's cells written in one go: the texts from the column on,
// the one back colour over the run, each text colour given; a colour left
// out keeps the cell's, cells past the last column are dropped and a run
// starting outside the grid changes nothing.
TEST(GridData, SetRowCellsWritesARunOfCells)
{
    constexpr GridColor red = 0xffff0000;
    constexpr GridColor blue = 0xff0000ff;
    constexpr GridColor green = 0xff00ff00;
    const std::optional<GridColor> fores[] = {green, std::nullopt, red};
    struct Case {
        const char* name;
        int row;
        int col;
        int count;         // texts x, y, z taken
        bool withFore;     // fores[0 .. count) given
        const char* after; // row 1's texts afterwards
        GridColor backAfter[3];
        GridColor foreAfter[3];
    };
    const Case cases[] = {
        {"whole row", 1, 0, 3, true, "x,y,z", {blue, blue, blue}, {green, blue, red}},
        {"from column 1", 1, 1, 2, true, "a,x,y", {red, blue, blue}, {blue, green, blue}},
        {"past the last column", 1, 2, 3, true, "a,b,x", {red, red, blue}, {blue, blue, green}},
        {"no text colours", 1, 0, 2, false, "x,y,c", {blue, blue, red}, {blue, blue, blue}},
        {"nothing", 1, 0, 0, true, "a,b,c", {red, red, red}, {blue, blue, blue}},
        {"row outside", 2, 0, 3, true, "a,b,c", {red, red, red}, {blue, blue, blue}},
        {"negative row", -1, 0, 3, true, "a,b,c", {red, red, red}, {blue, blue, blue}},
        {"column outside", 1, 3, 1, true, "a,b,c", {red, red, red}, {blue, blue, blue}},
        {"negative column", 1, -1, 3, true, "a,b,c", {red, red, red}, {blue, blue, blue}},
    };
    const QString xyz[] = {u"x"_s, u"y"_s, u"z"_s};
    const QString* const texts[] = {&xyz[0], &xyz[1], &xyz[2]};
    for (const Case& c : cases) {
        CGridData grid = Grid({"h,h,h", "a,b,c"});
        for (int col = 0; col < 3; ++col) {
            grid.SetBackColor(1, col, red);
            grid.SetForeColor(1, col, blue);
        }
        const auto count = static_cast<size_t>(c.count);
        grid.SetRowCells(c.row, c.col, std::span(texts, count), blue,
                         c.withFore ? std::span(fores, count) : std::span<const std::optional<GridColor>>());
        const QStringList after = QString::fromLatin1(c.after).split(u',');
        for (int col = 0; col < 3; ++col) {
            EXPECT_EQ(grid.HeldText(1, col), after[col]) << c.name << " " << col;
            EXPECT_EQ(grid.BackColor(1, col), c.backAfter[col]) << c.name << " " << col;
            EXPECT_EQ(grid.ForeColor(1, col), c.foreAfter[col]) << c.name << " " << col;
            EXPECT_EQ(grid.HeldText(0, col), u"h"_s) << c.name;
            EXPECT_EQ(grid.BackColor(0, col), kNoGridColor) << c.name;
        }
    }
    // The first colours of a grid without any, no back colour given, and
    // the merges that follow.
    CGridData grid = Grid({"a,b,c"});
    grid.SetMergeCells(GridMerge::Free);
    grid.SetMergeRow(0, true);
    EXPECT_TRUE(grid.Merges().empty());
    grid.SetRowCells(0, 1, std::span(texts, 1), std::nullopt, std::span(fores + 2, 1));
    grid.SetRowCells(0, 2, std::span(texts, 1), std::nullopt, {});
    EXPECT_EQ(grid.BackColor(0, 1), kNoGridColor);
    EXPECT_EQ(grid.ForeColor(0, 1), red);
    EXPECT_EQ(grid.ForeColor(0, 2), kNoGridColor);
    EXPECT_EQ(grid.Merges(), (std::vector<GridSpan>{{0, 1, 1, 2}}));
}

// The colours of a run of cells painted in one go, each cell its own: a
// colour left out keeps the cell's, cells past the last column are dropped
// and a run starting outside the grid changes nothing.
TEST(GridData, SetRowColorsPaintsEachCellOfARun)
{
    constexpr GridColor red = 0xffff0000;
    constexpr GridColor blue = 0xff0000ff;
    constexpr GridColor green = 0xff00ff00;
    const std::optional<GridColor> backs[] = {green, std::nullopt, blue};
    const std::optional<GridColor> fores[] = {red, green, std::nullopt};
    struct Case {
        const char* name;
        int row;
        int col;
        bool withBack;
        bool withFore;
        GridColor backAfter[3];
        GridColor foreAfter[3];
    };
    constexpr GridColor none = kNoGridColor;
    const Case cases[] = {
        {"whole row", 0, 0, true, true, {green, none, blue}, {red, green, none}},
        {"past the last column", 0, 1, true, true, {none, green, none}, {none, red, green}},
        {"backs only", 0, 0, true, false, {green, none, blue}, {none, none, none}},
        {"text colours only", 0, 0, false, true, {none, none, none}, {red, green, none}},
        {"row outside", 1, 0, true, true, {none, none, none}, {none, none, none}},
        {"negative column", 0, -1, true, true, {none, none, none}, {none, none, none}},
    };
    for (const Case& c : cases) {
        CGridData grid = Grid({"a,b,c"});
        grid.SetRowColors(c.row, c.col, c.withBack ? std::span(backs) : std::span<const std::optional<GridColor>>(),
                          c.withFore ? std::span(fores) : std::span<const std::optional<GridColor>>());
        for (int col = 0; col < 3; ++col) {
            EXPECT_EQ(grid.BackColor(0, col), c.backAfter[col]) << c.name << " " << col;
            EXPECT_EQ(grid.ForeColor(0, col), c.foreAfter[col]) << c.name << " " << col;
        }
    }
}

// What a cell holds, read without the text source.
TEST(GridData, HeldTextIsWhatTheCellHolds)
{
    CGridData grid = Grid({"h,h", "x,"});
    grid.SetTextSource([](int, int) { return u"source"_s; });
    EXPECT_EQ(grid.HeldText(1, 0), u"x"_s);
    EXPECT_EQ(grid.HeldText(1, 1), QString());
    EXPECT_EQ(grid.Text(1, 1), u"source"_s);
    EXPECT_EQ(grid.HeldText(5, 0), QString());
}

TEST(GridData, EqualNeighboursMerge)
{
    struct Case {
        const char* name;
        std::vector<const char*> lines;
        int fixedRows;
        int fixedCols;
        GridMerge merge;
        std::vector<int> mergeRows;
        std::vector<int> mergeCols;
        std::vector<GridSpan> spans;
    };
    const std::vector<const char*> numberTable = {
        "位码,百位号码,百位号码,百位号码,,十位号码,十位号码",
        "期数,0,1,2,,0,1",
        "101,5,5,5,,5,5",
    };
    const Case cases[] = {
        {"caption row over blocks", numberTable, 2, 1, GridMerge::RestrictColumns, {0}, {}, {{0, 1, 1, 3}, {0, 5, 1, 2}}},
        {"no merging", numberTable, 2, 1, GridMerge::Never, {0, 1, 2}, {1}, {}},
        {"fixed and scrolling cells stay apart",
         {"a,a,a", "a,a,a"}, 1, 1, GridMerge::Free, {0, 1}, {0}, {{0, 1, 1, 2}, {1, 1, 1, 2}}},
        {"pair table headers",
         {"号码,,十位,十位,十位", "号码,,0,1,2", "百位,0,5,5,5", "百位,1,1,2,3", "百位,2,0,0,0"}, 2, 2, GridMerge::Free,
         {0, 1}, {0, 1}, {{0, 2, 1, 3}, {0, 0, 2, 1}, {2, 0, 3, 1}, {0, 1, 2, 1}}},
        {"free columns", {"a,x", "a,x", "b,x", "b,x"}, 0, 0, GridMerge::Free, {}, {0, 1},
         {{0, 0, 2, 1}, {2, 0, 2, 1}, {0, 1, 4, 1}}},
        {"a column merges inside the merges on its left", {"a,x", "a,x", "b,x", "b,x"}, 0, 0,
         GridMerge::RestrictColumns, {}, {0, 1}, {{0, 0, 2, 1}, {2, 0, 2, 1}, {0, 1, 2, 1}, {2, 1, 2, 1}}},
        {"no merged column on the left", {"a,x", "b,x"}, 0, 0, GridMerge::RestrictColumns, {}, {1}, {}},
        {"a row merges inside the merges above", {"a,a,b,b", "x,x,x,x"}, 0, 0, GridMerge::RestrictRows, {0, 1}, {},
         {{0, 0, 1, 2}, {0, 2, 1, 2}, {1, 0, 1, 2}, {1, 2, 1, 2}}},
        {"both restrictions", {"a,a", "a,a"}, 0, 0, GridMerge::RestrictAll, {1}, {0, 1}, {{0, 0, 2, 1}, {0, 1, 2, 1}}},
        {"a row merge wins over a column merge", {"a,a", "a,b"}, 0, 0, GridMerge::Free, {0}, {0}, {{0, 0, 1, 2}}},
    };
    for (const Case& c : cases) {
        CGridData grid = Grid(c.lines, c.fixedRows, c.fixedCols);
        grid.SetMergeCells(c.merge);
        for (int r : c.mergeRows)
            grid.SetMergeRow(r, true);
        for (int col : c.mergeCols)
            grid.SetMergeCol(col, true);
        EXPECT_EQ(grid.Merges(), c.spans) << c.name;
    }
}

TEST(GridData, MergesFollowTheText)
{
    CGridData grid = Grid({"a,a,b"});
    grid.SetMergeCells(GridMerge::Free);
    grid.SetMergeRow(0, true);
    EXPECT_EQ(grid.Merges(), (std::vector<GridSpan>{{0, 0, 1, 2}}));
    EXPECT_FALSE(grid.MergesStale());
    grid.SetText(0, 2, QStringLiteral("a"));
    EXPECT_TRUE(grid.MergesStale());
    EXPECT_EQ(grid.Merges(), (std::vector<GridSpan>{{0, 0, 1, 3}}));
    grid.AddItem(QStringLiteral("a\ta\ta"), 0);
    EXPECT_EQ(grid.Merges(), (std::vector<GridSpan>{{1, 0, 1, 3}}));  // the flag moved with its row
}

} // namespace
} // namespace kelton
