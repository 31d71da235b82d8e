#pragma once

#include <QList>
#include <QString>

#include "data/server_info.h"

namespace kelton {

// The notice ticker of the status bar. Every tick reveals one more
// character of the notice on show, followed by a blank gap; once the gap
// has run out the next notice starts (after the last one, the first
// again). It starts with the second notice: the first tick moves on from
// the empty text.
class NoticeTicker {
public:
    // Blank steps after each notice before the next one starts.
    static constexpr int kGap = 60;

    // One tick over the current notices; returns the text to show. A list
    // that shrank under the ticker starts over with its first notice.
    QString Tick(const QList<SysNotice>& notices);
    // The list was emptied: nothing is on show; the index stays.
    void Clear();

    // The notice on show (its place in the list), its text with the gap and
    // the number of characters revealed.
    int Index() const { return m_index; }
    QString Text() const { return m_text; }
    int Shown() const { return m_shown; }

private:
    int m_index = 0;
    QString m_text;
    int m_shown = 0;
};

} // namespace kelton
