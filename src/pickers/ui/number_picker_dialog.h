#pragma once

#include <QDialog>

class QLabel;
class QRect;

namespace kelton {

class CFlexGrid;

// What the two number pickers share: building the window once, at its first
// show; ClickOk with the work of the OK, Cancel and Help buttons; and the
// rows of a caption beside a number grid.
class CNumberPickerDialog : public QDialog {
    Q_OBJECT

public:
    // True once "确定" was pressed; false after "取消" or the close box.
    bool ClickOk() const { return m_clickOk; }

    // Builds the window from what the opener set, once: the first show does
    // it unless the opener did before.
    void Load();

protected:
    virtual void Form_Load() = 0;

    // A dialog named name (its help page is name + ".htm") with a caption.
    CNumberPickerDialog(QWidget* parent, const QString& name, const QString& caption);

    void showEvent(QShowEvent* event) override;

    // "确定": ClickOk becomes true and the window closes.
    void CloseConfirmed();
    // "取消": ClickOk becomes false and the window closes.
    void CloseCancelled();
    // "帮助": the window's help page; the window stays open.
    void ShowHelpPage();
    // A click on a number above the row's largest: "号码超出范围".
    void TellOutOfRange();

    struct NumberRow {
        QLabel* Caption;
        CFlexGrid* Grid;
    };
    // Row index's caption (LblBc<index>) and number grid (msgBc<index>,
    // named after the caption for screen readers) of the values
    // 0..largest, placed in twips.
    NumberRow MakeNumberRow(int index, const QString& caption, const QRect& captionTwips,
                            const QRect& gridTwips, int largest);

private:
    bool m_clickOk = false;
    bool m_loaded = false;
};

} // namespace kelton
