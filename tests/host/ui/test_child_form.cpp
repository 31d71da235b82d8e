#include <optional>
#include <vector>

#include <QCoreApplication>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include <gtest/gtest.h>

#include "host/ui/child_form.h"
#include "host/ui/window_host.h"
#include "platform/services.h"
#include "shell/ui/qt_app_env.h"
#include "shell/win_history.h"

namespace kelton {
namespace {

// A child window with nothing in it; `unloads` makes it one that is unloaded
// whenever it is closed.
class Form : public CChildForm {
public:
    explicit Form(const QString& caption, bool unloads = false)
        : CChildForm(QStringLiteral("Form"), caption), m_unloads(unloads)
    {
    }

protected:
    bool UnloadsWhenClosed() const override { return m_unloads; }

private:
    bool m_unloads;
};

// A host with a work area and no menus; Closing says whether it is
// unloading its windows.
class FakeHost : public IWindowHost {
public:
    QWidget* HostWidget() override { return &Area; }
    QMdiSubWindow* AddChildWindow(QWidget* holder, QSize client) override
    {
        QMdiSubWindow* sub = Area.addSubWindow(holder);
        sub->resize(client);
        return sub;
    }
    QAction* WindowEntry(const IChildForm&) const override { return nullptr; }
    QAction* DataEntry(const IChildForm&) const override { return nullptr; }
    QAction* Entry(MainCommand) const override { return nullptr; }
    QMenu* Menu(MainMenu) const override { return nullptr; }
    IOtherFilterPanel* PicOtherFilter() const override { return nullptr; }
    ChildFormList& ChildForms() override { return *List; }
    CWinHistory& WindowHistory() override { return History; }

    bool Closing = false;
    QMdiArea Area;
    CWinHistory History;
    std::optional<ChildFormList> List{std::in_place, [this] { return Closing; }};
};

class ChildFormTest : public ::testing::Test {
protected:
    ChildFormTest() { m_host.Area.show(); }

    static void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    std::vector<CChildForm*> Listed() const { return m_host.List->Forms(); }

    FakeHost m_host;
    std::optional<ScopedService<IWindowHost>> m_inForce{std::in_place, &m_host};
};

TEST_F(ChildFormTest, WindowsJoinTheirHostsListAndLeaveItWhenTheyGo)
{
    auto* first = new Form(QStringLiteral("first"));
    // Made with no host in force: it joins the host that gives it a frame.
    m_inForce.reset();
    auto* second = new Form(QStringLiteral("second"));
    EXPECT_EQ(Listed(), std::vector<CChildForm*>{first});
    m_inForce.emplace(&m_host);
    second->ShowForm();
    EXPECT_EQ(Listed(), (std::vector<CChildForm*>{first, second}));

    delete first;
    EXPECT_EQ(Listed(), std::vector<CChildForm*>{second});
    second->Unload(); // only hidden
    EXPECT_EQ(Listed(), std::vector<CChildForm*>{second});
    delete second->SubWindow();
    EXPECT_TRUE(Listed().empty());
}

TEST_F(ChildFormTest, AClosedWindowHidesUnlessItsHostUnloadsItsWindowsOrItAlwaysUnloads)
{
    struct Case {
        const char* name;
        bool hostClosing;
        bool unloads;
        bool unloaded;
    };
    const Case cases[] = {
        {"hidden", false, false, false},
        {"host unloading", true, false, true},
        {"unloaded whenever closed", false, true, true},
    };
    for (const Case& c : cases) {
        for (const bool framed : {true, false}) {
            SCOPED_TRACE(testing::Message() << c.name << (framed ? ", framed" : ", never shown"));
            m_host.Closing = c.hostClosing;
            QPointer<Form> form = new Form(QStringLiteral("form"), c.unloads);
            if (framed)
                form->ShowForm();
            form->Unload();
            FlushDeletes();
            EXPECT_EQ(form.isNull(), c.unloaded);
            EXPECT_EQ(Listed().empty(), c.unloaded);
            if (!form)
                continue;
            EXPECT_TRUE(form->FormOpen());
            EXPECT_FALSE(form->Visible());
            form->ShowForm();
            EXPECT_TRUE(form->Visible());
            if (QMdiSubWindow* sub = form->SubWindow())
                delete sub;
            else
                delete form.data();
            EXPECT_TRUE(Listed().empty());
        }
    }
}

TEST_F(ChildFormTest, AWindowOutlivingItsHostsListIsOnNoList)
{
    Form form(QStringLiteral("form"));
    m_host.List.reset();
    // A list made afterwards in the same place, whose host unloads its
    // windows, is not taken for the one that went.
    m_host.List.emplace([] { return true; });
    form.close();
    EXPECT_TRUE(form.FormOpen());
    EXPECT_TRUE(Listed().empty());
}

} // namespace
} // namespace kelton
