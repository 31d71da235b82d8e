#include <QAction>
#include <QMenu>
#include <QToolButton>

#include <gtest/gtest.h>

#include "host/ui/xp_toolbar.h"
#include "shell/ui/qt_app_env.h"

namespace kelton {
namespace {

class XpToolBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_bar.AddSeparator();
        m_bar.AddButton(QStringLiteral("A"), QStringLiteral("a"), QStringLiteral("tip a"), QIcon());
        m_bar.AddButton(QString(), QStringLiteral("drop"), QString(), QIcon());
        m_bar.AddSpacer();
        m_bar.AddButton(QStringLiteral("B"), QStringLiteral("b"), QString(), QIcon());
        connect();
    }
    void connect()
    {
        QObject::connect(&m_bar, &CXpToolBar::ButtonClick,
                         [this](QAction* button) { Clicked << CXpToolBar::Key(button); });
    }
    QToolButton* Tool(int index)
    {
        return qobject_cast<QToolButton*>(m_bar.widgetForAction(m_bar.Button(index)));
    }

    CXpToolBar m_bar{QStringLiteral("bar")};
    QMenu m_menu;
    QStringList Clicked;
};

TEST_F(XpToolBarTest, ButtonsAreFoundByIndexAndKey)
{
    EXPECT_TRUE(m_bar.Button(0)->isSeparator());
    EXPECT_EQ(m_bar.Button(1), m_bar.ButtonByKey(QStringLiteral("A")));
    EXPECT_EQ(m_bar.Button(4), m_bar.ButtonByKey(QStringLiteral("B")));
    EXPECT_EQ(m_bar.Button(5), nullptr);
    EXPECT_EQ(m_bar.Button(-1), nullptr);
    EXPECT_EQ(m_bar.ButtonByKey(QString()), nullptr);
    EXPECT_EQ(m_bar.ButtonByKey(QStringLiteral("a")), nullptr); // keys are case-sensitive
    EXPECT_EQ(m_bar.Button(1)->toolTip(), QStringLiteral("tip a"));
}

TEST_F(XpToolBarTest, OnlyAButtonTakesADropDownMenu)
{
    m_bar.SetButtonMenu(2, &m_menu);
    EXPECT_EQ(m_bar.ButtonMenu(2), &m_menu);
    EXPECT_EQ(Tool(2)->popupMode(), QToolButton::InstantPopup);
    // A separator, the spacer, an index out of range or no menu: nothing.
    m_bar.SetButtonMenu(0, &m_menu);
    m_bar.SetButtonMenu(3, &m_menu);
    m_bar.SetButtonMenu(9, &m_menu);
    m_bar.SetButtonMenu(1, nullptr);
    EXPECT_EQ(m_bar.ButtonMenu(0), nullptr);
    EXPECT_EQ(m_bar.ButtonMenu(1), nullptr);
    EXPECT_EQ(m_bar.ButtonMenu(3), nullptr);
}

TEST_F(XpToolBarTest, APlainButtonReportsItsClickAMenuButtonDoesNot)
{
    m_bar.SetButtonMenu(2, &m_menu);
    m_bar.Button(1)->trigger();
    m_bar.Button(2)->trigger();
    m_bar.Button(4)->trigger();
    EXPECT_EQ(Clicked, QStringList({"A", "B"}));
}

TEST_F(XpToolBarTest, FlatSwitchesTheButtonFrames)
{
    EXPECT_FALSE(m_bar.Flat());
    EXPECT_FALSE(Tool(1)->autoRaise());
    m_bar.SetFlat(true);
    EXPECT_TRUE(m_bar.Flat());
    EXPECT_TRUE(Tool(1)->autoRaise());
    EXPECT_TRUE(Tool(4)->autoRaise());
    // A button added later takes the look too.
    m_bar.AddButton(QStringLiteral("C"), QStringLiteral("c"), QString(), QIcon());
    EXPECT_TRUE(Tool(5)->autoRaise());
    m_bar.SetFlat(false);
    EXPECT_FALSE(Tool(5)->autoRaise());
}

} // namespace
} // namespace kelton
