// The layout check finds each kind of fault it looks for, names the
// window, the control and the sizes, and finds none in a sound window.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>

#include <gtest/gtest.h>

#include "platform/ui/flex_grid.h"
#include "platform/ui/label_fit.h"
#include "shell/ui/qt_app_env.h"
#include "support/layout_check.h"

namespace kelton {
namespace {

using namespace Qt::StringLiterals;

class LayoutCheckTest : public ::testing::Test {
public:
    LayoutCheckTest()
    {
        m_window.setObjectName(u"Sample"_s);
        m_window.setWindowTitle(u"样例"_s);
        m_window.resize(400, 300);
    }

    QStringList Faults()
    {
        m_window.show();
        QApplication::processEvents();
        return test::CheckLayout(m_window, {QRect(0, 0, 1024, 700)});
    }

    template <class W> W* Add(const QString& name, const QRect& place, const QString& text = {})
    {
        auto* w = new W(&m_window);
        w->setObjectName(name);
        w->setGeometry(place);
        if constexpr (requires { w->setText(text); }) {
            if (!text.isEmpty())
                w->setText(text);
        }
        w->show();
        return w;
    }

    QDialog m_window;
};

TEST_F(LayoutCheckTest, ASoundWindowHasNoFault)
{
    Add<QLabel>(u"Caption"_s, {10, 10, 120, 24}, u"投注期号："_s);
    Add<QComboBox>(u"Issue"_s, {140, 8, 120, 28})->addItems({u"下期"_s});
    Add<QCheckBox>(u"Switch"_s, {10, 50, 140, 24}, u"子容错"_s);
    Add<QPushButton>(u"Run"_s, {160, 50, 100, 30}, u"过滤"_s);
    // A scrolled box may be cut by the area that scrolls it.
    auto* area = Add<QScrollArea>(u"Rows"_s, {10, 100, 200, 100});
    auto* rows = new QWidget;
    rows->resize(180, 600);
    for (int i = 0; i < 20; ++i) {
        auto* row = new QLabel(u"条件 %1"_s.arg(i), rows);
        row->setGeometry(0, i * 30, 150, 24);
    }
    area->setWidget(rows);
    EXPECT_EQ(Faults(), QStringList());
}

TEST_F(LayoutCheckTest, NamesEachFault)
{
    struct Case {
        const char* what;
        std::function<void(LayoutCheckTest&)> make;
        QString fault; // the start of the one fault expected
    };
    const Case cases[] = {
        {"overlap",
         [](LayoutCheckTest& t) {
             t.Add<QPushButton>(u"Left"_s, {10, 10, 100, 30}, u"左"_s);
             t.Add<QPushButton>(u"Right"_s, {100, 10, 100, 30}, u"右"_s);
         },
         u"[样例] Left: 100x30 at (10,10) overlaps Right 100x30 at (100,10)"_s},
        {"label too narrow",
         [](LayoutCheckTest& t) { t.Add<QLabel>(u"Count"_s, {10, 10, 30, 24}, u"投注数：1000"_s); },
         u"[样例] Count: text \"投注数：1000\" needs"_s},
        {"label too low: the glyphs are cut",
         [](LayoutCheckTest& t) { t.Add<QLabel>(u"Name"_s, {10, 10, 100, 6}, u"和值"_s); },
         u"[样例] Name: text \"和值\" is cut"_s},
        {"check box text cut",
         [](LayoutCheckTest& t) { t.Add<QCheckBox>(u"Err"_s, {10, 10, 40, 24}, u"数据总容错"_s); },
         u"[样例] Err: text \"数据总容错\" needs"_s},
        {"list entry cut",
         [](LayoutCheckTest& t) { t.Add<QComboBox>(u"Kind"_s, {10, 10, 40, 28})->addItem(u"0=定位号码"_s); },
         u"[样例] Kind: text \"0=定位号码\" needs"_s},
        {"outside the window",
         [](LayoutCheckTest& t) { t.Add<QPushButton>(u"Far"_s, {350, 10, 100, 30}, u"远"_s); },
         u"[样例] Far: 100x30 at (350,10) lies outside the window 400x300 at (0,0)"_s},
        {"outside its box",
         [](LayoutCheckTest& t) {
             auto* box = t.Add<QWidget>(u"Box"_s, {10, 10, 100, 100});
             auto* out = new QPushButton(u"出"_s, box);
             out->setObjectName(u"Out"_s);
             out->setGeometry(50, 50, 100, 30);
             out->show();
         },
         u"[样例] Box/Out: 100x30 at (60,60) lies outside Box 100x100 at (10,10)"_s},
        {"grid cell cut",
         [](LayoutCheckTest& t) {
             auto* grid = t.Add<CFlexGrid>(u"Table"_s, {10, 10, 300, 200});
             grid->SetCols(3);
             grid->SetRows(3);
             grid->SetColWidth(1, 270);
             grid->SetTextMatrix(1, 1, u"2529"_s);
         },
         u"[样例] Table/cells: cell (0, 0) \"2529\" needs"_s},
        {"list entry wider than its list",
         [](LayoutCheckTest& t) {
             t.Add<QListWidget>(u"Pick"_s, {10, 10, 40, 100})->addItem(u"0=定位号码"_s);
         },
         u"[样例] Pick: \"0=定位号码\" needs"_s},
        {"window larger than the screen", [](LayoutCheckTest& t) { t.m_window.resize(1100, 300); },
         u"[样例] the window: window 11"_s},
    };
    for (const Case& c : cases) {
        for (QWidget* child : m_window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            delete child;
        m_window.resize(400, 300);
        c.make(*this);
        const QStringList faults = Faults();
        ASSERT_EQ(faults.size(), 1) << c.what << ": " << faults.join(u'\n').toStdString();
        EXPECT_TRUE(faults[0].startsWith(c.fault)) << c.what << ": " << faults[0].toStdString();
    }
}

TEST_F(LayoutCheckTest, ControlsMayStandInTheBlanksOfAFramingLabel)
{
    auto* label = new CFramingLabel(u"从          到          期"_s, &m_window);
    label->setObjectName(u"Range"_s);
    label->setGeometry(10, 10, 300, 24);
    const int blank = QFontMetrics(label->font()).horizontalAdvance(u' ');
    const int from = QFontMetrics(label->font()).horizontalAdvance(u"从 "_s);
    Add<QComboBox>(u"Start"_s, {10 + from, 8, 8 * blank, 28});
    EXPECT_EQ(Faults(), QStringList());
    // Over a word it covers the label.
    Add<QComboBox>(u"Over"_s, {10, 8, from, 28});
    const QStringList faults = Faults();
    ASSERT_EQ(faults.size(), 1) << faults.join(u'\n').toStdString();
    EXPECT_TRUE(faults[0].contains(u"Range"_s) && faults[0].contains(u"overlaps Over"_s)) << faults[0].toStdString();
}

} // namespace
} // namespace kelton
