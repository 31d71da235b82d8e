#include "shell/win_history.h"

#include "core/child_forms.h"

namespace kelton {

void CWinHistory::WinHistAdd(const QString& sCaption)
{
    if (m_pos < 0 || m_pos >= m_list.size())
        m_pos = -1;
    ++m_pos;
    m_list.insert(m_pos, sCaption);
    if (m_list.size() >= 2 && m_host) {
        m_host->EnablePrev(true);
        m_host->EnableNext(true);
    }
}

void CWinHistory::WinHistDel(const QString& sCaption)
{
    const qsizetype at = m_list.indexOf(sCaption);
    if (at >= 0)
        m_list.removeAt(at);
    if (m_list.isEmpty())
        m_pos = -1;
    if (m_list.size() <= 1 && m_host) {
        m_host->EnablePrev(false);
        m_host->EnableNext(false);
    }
}

void CWinHistory::WinHistActive()
{
    if (!m_host)
        return;
    QString caption;
    if (!m_host->ActiveChildCaption(&caption))
        return;
    m_pos = static_cast<int16_t>(m_list.indexOf(caption));
    if (m_pos < 1) {
        if (m_pos < m_list.size() - 1)
            m_host->EnableNext(true);
    } else {
        m_host->EnablePrev(true);
    }
}

void CWinHistory::WinHistNext()
{
    if (m_list.isEmpty())
        return;
    ++m_pos;
    if (m_pos >= m_list.size())
        m_pos = 0;
    BringUp();
}

void CWinHistory::WinHistPrev()
{
    if (m_list.isEmpty())
        return;
    --m_pos;
    if (m_pos < 0)
        m_pos = static_cast<int16_t>(m_list.size() - 1);
    BringUp();
}

void CWinHistory::Clear()
{
    m_list.clear();
    m_pos = 0;
}

void CWinHistory::BringUp()
{
    // A position past the end is left where it is (a window was closed
    // after the last step back).
    if (!m_host || m_pos < 0 || m_pos >= m_list.size())
        return;
    const QString caption = m_list.at(m_pos);
    for (IChildForm* form : m_host->LoadedForms()) {
        if (!form || form->Caption() != caption)
            continue;
        if (!form->Visible())
            form->ShowForm();
        form->SetFocus();
        return;
    }
}

} // namespace kelton
