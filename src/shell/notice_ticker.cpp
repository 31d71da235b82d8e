#include "shell/notice_ticker.h"

namespace kelton {

QString NoticeTicker::Tick(const QList<SysNotice>& notices)
{
    const int n = static_cast<int>(notices.size());
    if (n == 0) {
        Clear();
        return QString();
    }
    ++m_shown;
    if (m_shown > m_text.size()) {
        ++m_index;
        if (m_index >= n || m_index < 0)
            m_index = 0;
        m_text = notices[m_index].NotifyText + QString(kGap, QLatin1Char(' '));
        m_shown = 1;
    }
    return m_text.left(m_shown);
}

void NoticeTicker::Clear()
{
    m_text.clear();
    m_shown = 0;
}

} // namespace kelton
