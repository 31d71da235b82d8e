#include "support/layout_check.h"

#include <algorithm>
#include <vector>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSizeGrip>
#include <QSplitterHandle>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTableView>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>

#include "chart/ui/chart_painter.h"
#include "chart/ui/chart_view.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/label_fit.h"

namespace kelton::test {

namespace {

QString Size(const QRect& r)
{
    return QStringLiteral("%1x%2 at (%3,%4)").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y());
}

QString Quoted(const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

// Controls whose inside is their own business: they draw it, or Qt lays
// it out. Everything else with visible children is a container.
bool IsControl(const QWidget& w)
{
    if (qobject_cast<const QAbstractButton*>(&w) || qobject_cast<const QLabel*>(&w) ||
        qobject_cast<const QComboBox*>(&w) || qobject_cast<const QLineEdit*>(&w) ||
        qobject_cast<const QAbstractSpinBox*>(&w) || qobject_cast<const QAbstractSlider*>(&w) ||
        qobject_cast<const QTabBar*>(&w) || qobject_cast<const QProgressBar*>(&w) ||
        qobject_cast<const QMenuBar*>(&w) || qobject_cast<const QToolBar*>(&w) ||
        qobject_cast<const QSizeGrip*>(&w) || qobject_cast<const QSplitterHandle*>(&w) ||
        qobject_cast<const CFlexGrid*>(&w) || qobject_cast<const ChartView*>(&w))
        return true;
    if (qobject_cast<const QAbstractScrollArea*>(&w) && !qobject_cast<const QScrollArea*>(&w))
        return true;
    for (const QObject* child : w.children()) {
        const auto* c = qobject_cast<const QWidget*>(child);
        if (c && !c->isWindow() && !c->isHidden())
            return false;
    }
    return true;
}

// A plain box with nothing in it draws nothing.
bool DrawsNothing(const QWidget& w)
{
    if (w.autoFillBackground())
        return false;
    if (w.metaObject() == &QWidget::staticMetaObject)
        return true;
    const auto* frame = qobject_cast<const QFrame*>(&w);
    return frame && frame->metaObject() == &QFrame::staticMetaObject && frame->frameShape() == QFrame::NoFrame;
}

// A frame drawn behind controls that lie upon it.
bool IsBackdrop(const QWidget& w)
{
    const auto* frame = qobject_cast<const QFrame*>(&w);
    if (!frame || frame->metaObject() != &QFrame::staticMetaObject)
        return false;
    const QFrame::Shape shape = frame->frameShape();
    return shape == QFrame::Box || shape == QFrame::Panel || shape == QFrame::StyledPanel ||
           shape == QFrame::WinPanel;
}

bool IsLine(const QWidget& w)
{
    const auto* frame = qobject_cast<const QFrame*>(&w);
    return frame && !qobject_cast<const QLabel*>(&w) &&
           (frame->frameShape() == QFrame::HLine || frame->frameShape() == QFrame::VLine);
}

// The viewport of a scrolling area, or a box that scrolls what it holds
// with scroll bars of its own: what lies in it may be scrolled out of sight.
bool IsScrollViewport(const QWidget& w)
{
    const auto* area = qobject_cast<const QAbstractScrollArea*>(w.parentWidget());
    if (area && area->viewport() == &w)
        return true;
    for (const QObject* child : w.children()) {
        const auto* bar = qobject_cast<const QScrollBar*>(child);
        if (bar && !bar->isHidden())
            return true;
    }
    return false;
}

QString Plain(QString text)
{
    // A mnemonic's ampersand is not drawn; a doubled one draws one.
    text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QLatin1String("&"));
    return text;
}

// Where a text goes in room, as the style draws it (line boxes, not ink).
QRect TextBox(const QFontMetrics& fm, const QRect& room, Qt::Alignment alignment, const QString& text)
{
    return fm.boundingRect(room, int(alignment) | Qt::TextShowMnemonic, text);
}

// The pixels the glyphs of a text drawn into room with those flags cover,
// clipped or not: the text drawn into an image with a margin round room.
// Line boxes do not tell: glyphs of a fallback font may reach past them,
// and a line box taller than the room need not mean a cut glyph.
QRect Ink(const QWidget& w, const QRect& room, int flags, const QString& text)
{
    const QFontMetrics fm(w.font());
    const int margin = 2 * fm.height();
    QImage image(room.size() + QSize(2 * margin, 2 * margin), QImage::Format_ARGB32_Premultiplied);
    // Fonts take their size in pixels from the surface's dots per inch.
    image.setDotsPerMeterX(qRound(w.logicalDpiX() / 0.0254));
    image.setDotsPerMeterY(qRound(w.logicalDpiY() / 0.0254));
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setFont(w.font());
        painter.setPen(Qt::black);
        painter.drawText(QRect(QPoint(margin, margin), room.size()), flags | Qt::TextDontClip, text);
    }
    int top = image.height(), bottom = -1, left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) > 96) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    if (bottom < 0)
        return QRect();
    return QRect(QPoint(left, top), QPoint(right, bottom)).translated(room.topLeft() - QPoint(margin, margin));
}

// The text of a check box or option button and the room it has.
struct ButtonText {
    QRect Indicator;
    QRect Room;
};
ButtonText CheckableParts(const QAbstractButton& button)
{
    QStyleOptionButton opt;
    opt.initFrom(&button);
    opt.text = button.text();
    opt.icon = button.icon();
    opt.iconSize = button.iconSize();
    const bool check = qobject_cast<const QCheckBox*>(&button);
    QStyle* style = button.style();
    return {style->subElementRect(check ? QStyle::SE_CheckBoxIndicator : QStyle::SE_RadioButtonIndicator, &opt,
                                  &button),
            style->subElementRect(check ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents, &opt,
                                  &button)};
}

bool IsCheckable(const QWidget& w)
{
    return qobject_cast<const QCheckBox*>(&w) || qobject_cast<const QRadioButton*>(&w);
}

// What a label's text takes in the label.
QRect LabelText(const QLabel& label)
{
    QRect room = label.contentsRect();
    const int margin = label.margin();
    room.adjust(margin, margin, -margin, -margin);
    if (label.wordWrap())
        return room;
    return TextBox(QFontMetrics(label.font()), room, label.alignment(), label.text());
}

struct Control {
    const QWidget* W = nullptr;
    QRect Rect;  // in the window's coordinates
    QRect Shown; // the part not scrolled out of sight
};

class Checker {
public:
    Checker(const QWidget& window, const LayoutCheckOptions& options) : m_window(window), m_options(options) {}

    QStringList Run()
    {
        CheckWindowPlace();
        if (IsControl(m_window)) // a window that is one control, as a drop-down list
            m_controls.push_back({&m_window, m_window.rect(), m_window.rect()});
        else
            Walk(m_window, m_window.rect());
        CheckOverlaps();
        for (const Control& c : m_controls) {
            if (!c.Shown.isEmpty())
                CheckText(c);
        }
        return m_faults;
    }

private:
    QString Name(const QWidget& w) const
    {
        const QString path = WidgetPath(w);
        return path.isEmpty() ? QStringLiteral("the window") : path;
    }

    void Fault(const QWidget& w, const QString& what)
    {
        QString title = m_window.windowTitle();
        if (title.isEmpty())
            title = m_window.objectName();
        m_faults << QStringLiteral("[%1] %2: %3").arg(title, Name(w), what);
    }

    QRect InWindow(const QWidget& w) const
    {
        return QRect(w.mapTo(&m_window, QPoint(0, 0)), w.size());
    }

    void CheckWindowPlace()
    {
        if (const QMdiSubWindow* sub = qobject_cast<const QMdiSubWindow*>(m_window.parentWidget())) {
            if (!sub->rect().contains(sub->widget() ? sub->widget()->geometry() : QRect()))
                Fault(m_window, QStringLiteral("lies outside its frame"));
            // Inside the work area where the window fits; where it does not,
            // it starts at the area's edge and the area scrolls to the rest.
            const QWidget* viewport = sub->parentWidget();
            const auto* area = viewport ? qobject_cast<const QAbstractScrollArea*>(viewport->parentWidget()) : nullptr;
            if (viewport) {
                const QRect room = viewport->rect();
                const QRect place = sub->geometry();
                const auto fits = [](int start, int length, int roomLength, bool scrolls) {
                    return length <= roomLength ? start >= 0 && start + length <= roomLength : start == 0 && scrolls;
                };
                if (!fits(place.left(), place.width(), room.width(),
                          area && area->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff) ||
                    !fits(place.top(), place.height(), room.height(),
                          area && area->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff))
                    Fault(m_window, QStringLiteral("window %1 lies outside the work area %2")
                                        .arg(Size(place), Size(room)));
            }
            return;
        }
        if (m_window.isWindow() && !m_options.Screen.isEmpty() && !m_options.Screen.contains(m_window.frameGeometry()))
            Fault(m_window, QStringLiteral("window %1 lies outside the screen %2")
                                .arg(Size(m_window.frameGeometry()), Size(m_options.Screen)));
    }

    // clip: the part of the window a scrolling area above lets show.
    void Walk(const QWidget& parent, const QRect& clip)
    {
        const bool viewport = IsScrollViewport(parent);
        const QRect parentRect = InWindow(parent);
        const QRect inner = viewport ? clip & parentRect : clip;
        const auto* scrollArea = qobject_cast<const QScrollArea*>(&parent);
        for (const QObject* object : parent.children()) {
            const auto* w = qobject_cast<const QWidget*>(object);
            if (!w || w->isWindow() || w->isHidden())
                continue;
            if (scrollArea && w != scrollArea->viewport())
                continue; // the area's own scroll bars
            const QRect rect = InWindow(*w);
            if (!viewport && !parentRect.contains(rect) && !rect.isEmpty())
                Fault(*w, QStringLiteral("%1 lies outside %2 %3")
                              .arg(Size(rect), &parent == &m_window ? QStringLiteral("the window") : Name(parent),
                                   Size(parentRect)));
            if (IsControl(*w))
                m_controls.push_back({w, rect, rect & inner});
            else
                Walk(*w, inner);
        }
    }

    // What a control draws on: its rectangle, less what it leaves free.
    static std::vector<QRect> Drawn(const Control& c)
    {
        if (const auto* label = qobject_cast<const QLabel*>(c.W);
            label && !label->autoFillBackground() && label->frameShape() == QFrame::NoFrame &&
            label->pixmap().isNull() && !dynamic_cast<const CFramingLabel*>(label)) {
            return {c.Shown & LabelText(*label).translated(c.Rect.topLeft())};
        }
        if (IsCheckable(*c.W)) {
            const auto& button = static_cast<const QAbstractButton&>(*c.W);
            const ButtonText parts = CheckableParts(button);
            QRect drawn = parts.Indicator;
            if (!button.text().isEmpty())
                drawn |= TextBox(QFontMetrics(button.font()), parts.Room, Qt::AlignLeft | Qt::AlignVCenter,
                                 button.text());
            return {c.Shown & drawn.translated(c.Rect.topLeft())};
        }
        if (const auto* view = qobject_cast<const ChartView*>(c.W))
            return {c.Shown & c.Rect.adjusted(0, 0, 0, -view->BottomReserve())};
        if (const auto* framing = dynamic_cast<const CFramingLabel*>(c.W)) {
            // Controls stand in its runs of blanks.
            std::vector<QRect> words;
            for (const CFramingLabel::Word& word : framing->Words())
                words.push_back(c.Shown & word.Place.translated(c.Rect.topLeft()));
            return words;
        }
        return {c.Shown};
    }

    void CheckOverlaps()
    {
        std::vector<const Control*> drawn;
        for (const Control& c : m_controls) {
            if (!c.Shown.isEmpty() && !DrawsNothing(*c.W))
                drawn.push_back(&c);
        }
        for (size_t i = 0; i < drawn.size(); ++i) {
            for (size_t j = i + 1; j < drawn.size(); ++j) {
                const Control& a = *drawn[i];
                const Control& b = *drawn[j];
                if (IsLine(*a.W) && IsLine(*b.W))
                    continue;
                // What a box scrolls passes under the box's own scroll bars.
                const auto under = [](const Control& bar, const Control& content) {
                    return qobject_cast<const QScrollBar*>(bar.W) && bar.W->parentWidget()->isAncestorOf(content.W);
                };
                if (under(a, b) || under(b, a))
                    continue;
                // Controls may lie wholly upon a backdrop, not half on it; a
                // tab bar sits on its body's edge.
                const auto upon = [](const Control& backdrop, const Control& control) {
                    return IsBackdrop(*backdrop.W) &&
                           (backdrop.Rect.contains(control.Shown) || qobject_cast<const QTabBar*>(control.W));
                };
                if (upon(a, b) || upon(b, a))
                    continue;
                for (const QRect& ra : Drawn(a)) {
                    for (const QRect& rb : Drawn(b)) {
                        if (ra.intersects(rb)) {
                            Fault(*a.W, QStringLiteral("%1 overlaps %2 %3").arg(Size(a.Rect), Name(*b.W), Size(b.Rect)));
                            goto next;
                        }
                    }
                }
            next:;
            }
        }
    }

    void TooWide(const QWidget& w, const QString& text, int needed, int available)
    {
        Fault(w, QStringLiteral("text %1 needs %2 px, has %3").arg(Quoted(text)).arg(needed).arg(available));
    }

    void TooTall(const QWidget& w, const QString& text, int needed, int available)
    {
        Fault(w, QStringLiteral("text %1 needs %2 px height, has %3").arg(Quoted(text)).arg(needed).arg(available));
    }

    void CheckText(const Control& c)
    {
        const QWidget& w = *c.W;
        if (const auto* label = qobject_cast<const QLabel*>(&w))
            CheckLabel(*label);
        else if (const auto* button = qobject_cast<const QAbstractButton*>(&w))
            CheckButton(*button);
        else if (const auto* combo = qobject_cast<const QComboBox*>(&w))
            CheckCombo(*combo);
        else if (const auto* edit = qobject_cast<const QLineEdit*>(&w); edit && edit->isReadOnly())
            CheckShownLine(*edit);
        else if (const auto* grid = qobject_cast<const CFlexGrid*>(&w))
            CheckGrid(*grid);
        else if (const auto* view = qobject_cast<const QAbstractItemView*>(&w))
            CheckItemView(*view, false);
        else if (const auto* chart = qobject_cast<const ChartView*>(&w))
            CheckLegend(*chart);
        else if (const auto* box = qobject_cast<const QGroupBox*>(&w))
            CheckGroupTitle(*box);
    }

    void CheckLabel(const QLabel& label)
    {
        const QString text = label.text();
        if (text.isEmpty() || !label.pixmap().isNull())
            return;
        QRect room = label.contentsRect();
        const int margin = label.margin();
        room.adjust(margin, margin, -margin, -margin);
        const bool rich = label.textFormat() == Qt::RichText ||
                          (label.textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
        if (rich) {
            QTextDocument doc;
            doc.setDocumentMargin(0);
            doc.setDefaultFont(label.font());
            doc.setHtml(text);
            if (label.wordWrap())
                doc.setTextWidth(room.width());
            const QSizeF size(doc.idealWidth(), doc.size().height());
            if (!label.wordWrap() && size.width() > room.width() + 0.5)
                TooWide(label, doc.toPlainText(), qCeil(size.width()), room.width());
            else if (size.height() > room.height() + 0.5)
                TooTall(label, doc.toPlainText(), qCeil(size.height()), room.height());
            return;
        }
        if (label.wordWrap()) {
            CheckInk(label, room, int(label.alignment()) | Qt::TextWordWrap, text, label.contentsRect());
            return;
        }
        const QFontMetrics fm(label.font());
        if (const auto* framing = dynamic_cast<const CFramingLabel*>(&label)) {
            const std::vector<CFramingLabel::Word> words = framing->Words();
            const int right = words.empty() ? 0 : words.back().Place.right() + 1;
            if (right > label.width())
                TooWide(label, text, right, label.width());
            for (const CFramingLabel::Word& word : words)
                CheckInk(label, word.Place, Qt::AlignLeft | Qt::AlignTop, word.Text, label.rect());
            return;
        }
        const QRect box = TextBox(fm, room, label.alignment(), text);
        if (box.width() > room.width())
            TooWide(label, text, box.width(), room.width());
        else
            CheckInk(label, room, int(label.alignment()), text, label.contentsRect());
    }

    // The glyphs of a text drawn into room lie within visible (the
    // control's rectangle, where it may draw).
    void CheckInk(const QWidget& w, const QRect& room, int flags, const QString& text, const QRect& visible)
    {
        const QRect ink = Ink(w, room, flags | Qt::TextShowMnemonic, text);
        if (!ink.isEmpty() && !visible.contains(ink))
            Fault(w, QStringLiteral("text %1 is cut: its glyphs cover %2, the control shows %3")
                         .arg(Quoted(text), Size(ink), Size(visible)));
    }

    void CheckButton(const QAbstractButton& button)
    {
        const QString text = Plain(button.text());
        const QFontMetrics fm(button.font());
        QRect room;
        Qt::Alignment alignment = Qt::AlignCenter;
        if (IsCheckable(button)) {
            const ButtonText parts = CheckableParts(button);
            if (!button.rect().contains(parts.Indicator))
                Fault(button, QStringLiteral("box %1 does not fit %2x%3")
                                  .arg(Size(parts.Indicator))
                                  .arg(button.width())
                                  .arg(button.height()));
            room = parts.Room;
            alignment = Qt::AlignLeft | Qt::AlignVCenter;
        } else if (qobject_cast<const QPushButton*>(&button)) {
            QStyleOptionButton opt;
            opt.initFrom(&button);
            opt.text = button.text();
            room = button.style()->subElementRect(QStyle::SE_PushButtonContents, &opt, &button);
            if (!button.icon().isNull())
                room.setLeft(room.left() + button.iconSize().width() + 4);
        } else {
            return; // tool buttons show icons
        }
        if (text.isEmpty())
            return;
        const QRect box = TextBox(fm, room, alignment, button.text());
        if (box.width() > room.width())
            TooWide(button, text, box.width(), room.width());
        else
            CheckInk(button, room, int(alignment), button.text(), button.rect());
    }

    void CheckCombo(const QComboBox& combo)
    {
        if (combo.isEditable() || combo.currentText().isEmpty())
            return;
        QStyleOptionComboBox opt;
        opt.initFrom(&combo);
        opt.editable = false;
        opt.currentText = combo.currentText();
        opt.frame = combo.hasFrame();
        const QRect room =
            combo.style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, &combo);
        const int needed = QFontMetrics(combo.font()).horizontalAdvance(combo.currentText());
        if (needed > room.width())
            TooWide(combo, combo.currentText(), needed, room.width());
    }

    // A box that only shows a text (one the user cannot type into) shows
    // it whole; typed text may scroll.
    void CheckShownLine(const QLineEdit& edit)
    {
        if (edit.text().isEmpty())
            return;
        const QMargins margins = edit.textMargins();
        const int frame = edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &edit) : 0;
        const int room = edit.contentsRect().width() - margins.left() - margins.right() - 2 * frame - 4;
        const int needed = QFontMetrics(edit.font()).horizontalAdvance(edit.text());
        if (needed > room)
            TooWide(edit, edit.text(), needed, room);
    }

    void CheckGroupTitle(const QGroupBox& box)
    {
        const int needed = QFontMetrics(box.font()).horizontalAdvance(Plain(box.title())) + 16;
        if (!box.title().isEmpty() && needed > box.width())
            TooWide(box, box.title(), needed, box.width());
    }

    // Every cell on screen shows its whole text. Elided texts are allowed
    // only where the user can widen the column.
    void CheckItemView(const QAbstractItemView& view, bool cellsOfGrid)
    {
        const QAbstractItemModel* model = view.model();
        const QWidget* viewport = view.viewport();
        if (!model || viewport->width() <= 0 || viewport->height() <= 0)
            return;
        const auto* table = qobject_cast<const QTableView*>(&view);
        const auto* list = qobject_cast<const QListView*>(&view);
        const QHeaderView* header = table ? table->horizontalHeader() : nullptr;
        const bool widenable = header && header->isVisible() && view.textElideMode() != Qt::ElideNone;
        if (widenable)
            return;
        const int margin = view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
        const QFontMetrics fm(view.font());
        const QModelIndex root = view.rootIndex();
        std::vector<QRect> seen;
        int reported = 0;
        for (int r = 0; r < model->rowCount(root); ++r) {
            for (int col = 0; col < model->columnCount(root); ++col) {
                const QModelIndex index = model->index(r, col, root);
                QRect rect = view.visualRect(index);
                if (rect.isEmpty() || !rect.intersects(viewport->rect()))
                    continue;
                if (std::find(seen.begin(), seen.end(), rect) != seen.end())
                    continue;
                seen.push_back(rect);
                const QString text = model->data(index, Qt::DisplayRole).toString();
                if (text.isEmpty())
                    continue;
                if (list) // a list's entries are read without scrolling sideways
                    rect.setWidth(std::min(rect.width(), viewport->width() - rect.left()));
                int needed = fm.horizontalAdvance(text) + 2 * margin;
                if (list && !model->data(index, Qt::DecorationRole).isNull())
                    needed += view.iconSize().width() + 4;
                if (needed > rect.width() && reported++ < 3) {
                    const QString cell = cellsOfGrid ? QStringLiteral("cell (%1, %2) ").arg(r).arg(col) : QString();
                    Fault(view, QStringLiteral("%1%2 needs %3 px, has %4")
                                    .arg(cell, Quoted(text))
                                    .arg(needed)
                                    .arg(rect.width()));
                }
            }
        }
    }

    void CheckGrid(const CFlexGrid& grid)
    {
        for (const QObject* child : grid.findChildren<QTableView*>()) {
            const auto* view = qobject_cast<const QTableView*>(child);
            if (view->isVisibleTo(&grid))
                CheckItemView(*view, true);
        }
    }

    void CheckLegend(const ChartView& view)
    {
        const ChartPicture& picture = view.Picture();
        if (!picture.Legend || !picture.Data)
            return;
        const ChartPaintStyle style = view.PaintStyle();
        const ChartFrame frame = LayOutChart(picture, view.size(), style);
        const QRectF surface(0, 0, view.width(), view.height() - view.BottomReserve());
        const QFontMetricsF fm(style.Font);
        int reported = 0;
        for (size_t i = 0; i < frame.LegendEntries.size(); ++i) {
            const QRectF& entry = frame.LegendEntries[i];
            // A name too long for the legend is drawn cut short with an
            // ellipsis, which reads; one cut by the chart's edge does not.
            const QString& name = i < static_cast<size_t>(frame.LegendNames.size()) ? frame.LegendNames[static_cast<qsizetype>(i)]
                                                                                      : picture.Data->SeriesNames[static_cast<qsizetype>(i)];
            const bool inside = surface.contains(entry) && surface.contains(frame.Legend);
            const bool fits = fm.horizontalAdvance(name) <= entry.width() + 0.5;
            if ((!inside || !fits) && reported++ < 3)
                Fault(view, QStringLiteral("legend entry %1 of %2 %3 %4 in %5x%6")
                                .arg(i + 1)
                                .arg(frame.LegendEntries.size())
                                .arg(Quoted(name), inside ? QStringLiteral("is cut") : QStringLiteral("lies outside"))
                                .arg(view.width())
                                .arg(view.height()));
        }
    }

    const QWidget& m_window;
    LayoutCheckOptions m_options;
    std::vector<Control> m_controls;
    QStringList m_faults;
};

} // namespace

QString WidgetPath(const QWidget& widget)
{
    QStringList parts;
    for (const QWidget* w = &widget; w && !w->isWindow(); w = w->parentWidget()) {
        if (qobject_cast<const QMdiSubWindow*>(w))
            break;
        const QString name = w->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")))
            parts.prepend(name);
        else if (!w->parentWidget() || !qobject_cast<const QMdiSubWindow*>(w->parentWidget()))
            parts.prepend(QString::fromLatin1(w->metaObject()->className()));
        if (w->parentWidget() && qobject_cast<const QMdiSubWindow*>(w->parentWidget()))
            break;
    }
    return parts.join(QLatin1Char('/'));
}

QStringList CheckLayout(const QWidget& window, const LayoutCheckOptions& options)
{
    return Checker(window, options).Run();
}

} // namespace kelton::test
