#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "core/child_forms.h"
#include "shell/win_history.h"
#include "support/test_support.h"

namespace kelton {
namespace {

class FakeHost;

// A child window that only records what happens to it. ShowForm feeds the
// history as a real child window does.
class FakeForm : public IChildForm {
public:
    FakeForm(CWinHistory& history, FakeHost& host, QString caption)
        : m_history(history), m_host(host), m_caption(std::move(caption))
    {
    }
    QString Name() const override { return QStringLiteral("fake"); }
    QString Caption() const override { return m_caption; }
    void ShowForm() override;
    bool Visible() const override { return m_visible; }
    void SetVisible(bool bVisible) override { m_visible = bVisible; }
    void SetFocus() override;
    void Unload() override
    {
        m_history.WinHistDel(m_caption);
        m_visible = false;
    }
    bool FormOpen() const override { return true; }

    int ShowCount = 0;

private:
    CWinHistory& m_history;
    FakeHost& m_host;
    QString m_caption;
    bool m_visible = false;
};

class FakeHost : public IWinHistoryHost {
public:
    void EnablePrev(bool bEnabled) override { PrevEnabled = bEnabled; }
    void EnableNext(bool bEnabled) override { NextEnabled = bEnabled; }
    bool ActiveChildCaption(QString* oCaption) const override
    {
        if (!Active)
            return false;
        *oCaption = Active->Caption();
        return true;
    }
    std::vector<IChildForm*> LoadedForms() const override
    {
        std::vector<IChildForm*> out;
        for (const auto& form : Forms)
            out.push_back(form.get());
        return out;
    }

    bool PrevEnabled = false;
    bool NextEnabled = false;
    IChildForm* Active = nullptr;
    std::vector<std::unique_ptr<FakeForm>> Forms;
};

void FakeForm::ShowForm()
{
    ++ShowCount;
    m_visible = true;
    m_history.WinHistAdd(m_caption);
    SetFocus();
}

void FakeForm::SetFocus()
{
    m_host.Active = this;
    m_history.WinHistActive();
}

class WinHistoryTest : public ::testing::Test {
protected:
    void SetUp() override { m_history.SetHost(&m_host); }

    FakeForm& Form(const QString& caption)
    {
        for (auto& form : m_host.Forms) {
            if (form->Caption() == caption)
                return *form;
        }
        m_host.Forms.push_back(std::make_unique<FakeForm>(m_history, m_host, caption));
        return *m_host.Forms.back();
    }
    QString Active() const { return m_host.Active ? m_host.Active->Caption() : QString(); }

    CWinHistory m_history;
    FakeHost m_host;
};

TEST_F(WinHistoryTest, PrevAndNextWalkTheListWithWrapAround)
{
    for (const char* c : {"P", "Q", "R"})
        Form(QLatin1String(c)).ShowForm();
    EXPECT_EQ(m_history.WinHistory(), QStringList({"P", "Q", "R"}));
    EXPECT_EQ(m_history.WinHistPos(), 2);

    const char* const back[] = {"Q", "P", "R", "Q"};
    for (const char* expected : back) {
        m_history.WinHistPrev();
        EXPECT_EQ(Active(), QLatin1String(expected));
    }
    const char* const forward[] = {"R", "P", "Q"};
    for (const char* expected : forward) {
        m_history.WinHistNext();
        EXPECT_EQ(Active(), QLatin1String(expected));
    }
    // Visible windows are only focused: nothing was added on the way.
    EXPECT_EQ(m_history.WinHistCount(), 3);
}

TEST_F(WinHistoryTest, ANewWindowGoesAfterTheCurrentEntry)
{
    for (const char* c : {"P", "Q", "R"})
        Form(QLatin1String(c)).ShowForm();
    m_history.WinHistPrev(); // Q current
    Form(QStringLiteral("S")).ShowForm();
    EXPECT_EQ(m_history.WinHistory(), QStringList({"P", "Q", "S", "R"}));
    EXPECT_EQ(m_history.WinHistPos(), 2);
    m_history.WinHistNext();
    EXPECT_EQ(Active(), QStringLiteral("R"));
    m_history.WinHistNext();
    EXPECT_EQ(Active(), QStringLiteral("P"));
}

TEST_F(WinHistoryTest, ButtonsFollowTheNumberOfEntries)
{
    m_history.WinHistAdd(QStringLiteral("P"));
    EXPECT_FALSE(m_host.PrevEnabled);
    EXPECT_FALSE(m_host.NextEnabled);
    m_history.WinHistAdd(QStringLiteral("Q"));
    EXPECT_TRUE(m_host.PrevEnabled);
    EXPECT_TRUE(m_host.NextEnabled);
    m_history.WinHistDel(QStringLiteral("Q"));
    EXPECT_FALSE(m_host.PrevEnabled);
    EXPECT_FALSE(m_host.NextEnabled);

    // A caption not in the list changes nothing but still disables them.
    m_host.PrevEnabled = m_host.NextEnabled = true;
    m_history.WinHistDel(QStringLiteral("X"));
    EXPECT_EQ(m_history.WinHistory(), QStringList({"P"}));
    EXPECT_FALSE(m_host.PrevEnabled);
    m_history.WinHistDel(QStringLiteral("P"));
    EXPECT_EQ(m_history.WinHistCount(), 0);
    EXPECT_EQ(m_history.WinHistPos(), -1);
}

TEST_F(WinHistoryTest, ClosingTheCurrentWindowLeavesThePositionPastTheEnd)
{
    for (const char* c : {"P", "Q", "R"})
        Form(QLatin1String(c)).ShowForm();
    Form(QStringLiteral("R")).Unload();
    EXPECT_EQ(m_history.WinHistory(), QStringList({"P", "Q"}));
    EXPECT_EQ(m_history.WinHistPos(), 2);
    m_history.WinHistNext();
    EXPECT_EQ(m_history.WinHistPos(), 0);
    EXPECT_EQ(Active(), QStringLiteral("P"));
}

TEST_F(WinHistoryTest, AHiddenWindowIsShownAndEntersTheListAgain)
{
    for (const char* c : {"P", "Q", "R"})
        Form(QLatin1String(c)).ShowForm();
    // P is hidden without leaving the history (as after a game change the
    // windows are hidden by code, not closed by the user).
    Form(QStringLiteral("P")).SetVisible(false);
    m_history.WinHistNext(); // wraps to P
    EXPECT_EQ(Form(QStringLiteral("P")).ShowCount, 2);
    EXPECT_TRUE(Form(QStringLiteral("P")).Visible());
    EXPECT_EQ(m_history.WinHistory(), QStringList({"P", "P", "Q", "R"}));
    // The active window's first occurrence is current.
    EXPECT_EQ(m_history.WinHistPos(), 0);
}

TEST_F(WinHistoryTest, ActiveTakesTheFirstOccurrenceAndEnablesOneButton)
{
    m_history.WinHistAdd(QStringLiteral("P"));
    m_history.WinHistAdd(QStringLiteral("Q"));
    m_history.WinHistAdd(QStringLiteral("P"));
    m_host.PrevEnabled = m_host.NextEnabled = false;
    m_host.Active = &Form(QStringLiteral("P"));
    m_history.WinHistActive();
    EXPECT_EQ(m_history.WinHistPos(), 0);
    EXPECT_TRUE(m_host.NextEnabled);
    EXPECT_FALSE(m_host.PrevEnabled);

    m_host.Active = &Form(QStringLiteral("Q"));
    m_history.WinHistActive();
    EXPECT_EQ(m_history.WinHistPos(), 1);
    EXPECT_TRUE(m_host.PrevEnabled);

    // A caption that is not listed leaves no current entry.
    m_host.Active = &Form(QStringLiteral("Z"));
    m_history.WinHistActive();
    EXPECT_EQ(m_history.WinHistPos(), -1);
    m_history.WinHistNext();
    EXPECT_EQ(m_history.WinHistPos(), 0);

    // Without an active child nothing changes.
    m_host.Active = nullptr;
    m_history.WinHistActive();
    EXPECT_EQ(m_history.WinHistPos(), 0);
}

TEST_F(WinHistoryTest, AnEmptyListOrAMissingWindowDoesNothing)
{
    m_history.WinHistNext();
    m_history.WinHistPrev();
    EXPECT_EQ(m_history.WinHistCount(), 0);
    EXPECT_EQ(m_host.Active, nullptr);

    // An entry whose window is gone: no window is brought up.
    m_history.WinHistAdd(QStringLiteral("Gone"));
    m_history.WinHistAdd(QStringLiteral("Also gone"));
    m_history.WinHistPrev();
    EXPECT_EQ(m_history.WinHistPos(), 0);
    EXPECT_EQ(m_host.Active, nullptr);
}

TEST_F(WinHistoryTest, WorksWithoutAHost)
{
    CWinHistory history;
    history.WinHistAdd(QStringLiteral("P"));
    history.WinHistAdd(QStringLiteral("Q"));
    history.WinHistActive();
    history.WinHistPrev();
    history.WinHistDel(QStringLiteral("P"));
    EXPECT_EQ(history.WinHistory(), QStringList({"Q"}));
}

} // namespace
} // namespace kelton
