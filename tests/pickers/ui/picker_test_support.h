#pragma once

// What the picker window tests share: a game definition of a given shape,
// message boxes that answer at once, the modal dialogs worked by the test,
// and clicks on a number grid's cells.

#include <functional>

#include <QCoreApplication>
#include <QDialog>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

#include "data/app_state.h"
#include "pickers/number_grid.h"
#include "pickers/picker_head.h"
#include "platform/services.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/message_box.h"
#include "platform/ui/modal_dialog.h"
#include "shell/ui/qt_app_env.h"
#include "support/test_support.h"

namespace kelton::test {

// Answers every message box with Ok and remembers what was asked.
class AnsweringBoxes : public IMessageBoxes {
public:
    QMessageBox::StandardButton Show(QWidget*, QMessageBox::Icon, const QString& title, const QString& text,
                                     QMessageBox::StandardButtons buttons) override
    {
        Titles << title;
        Texts << text;
        Buttons.push_back(buttons);
        return QMessageBox::Ok;
    }
    QStringList Titles;
    QStringList Texts;
    std::vector<QMessageBox::StandardButtons> Buttons;

private:
    ScopedService<IMessageBoxes> m_installed{this};
};

// Lets the pending events through.
inline void Settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// Works every modal dialog with the handler, the dialog shown unless asked
// not to; counts the dialogs. A dialog the handler leaves open is cancelled.
class WorkedDialogs {
public:
    explicit WorkedDialogs(std::function<void(QDialog&)> handler, bool show = true)
        : m_handler(std::move(handler)),
          m_runner([this, show](QDialog& dialog) {
              ++Shown;
              if (show) {
                  dialog.show();
                  Settle();
              }
              m_handler(dialog);
              return dialog.result();
          })
    {
    }
    int Shown = 0;

private:
    std::function<void(QDialog&)> m_handler;
    ScopedService<ModalRunner> m_runner;
};

// Clicks the cell of a value on a number grid that is shown.
inline void ClickNumber(CFlexGrid* grid, int value)
{
    const QPoint centre = grid->CellRect(number_grid::RowOf(value), number_grid::ColOf(value)).center();
    QWidget* target = grid->childAt(centre);
    ASSERT_NE(target, nullptr);
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(grid, centre));
}

// The values whose cells on a number grid have their own back colour.
inline std::vector<int> ColouredNumbers(const CFlexGrid* grid)
{
    std::vector<int> values;
    for (int v = 0; v < grid->Rows() * number_grid::kCols; ++v) {
        if (grid->CellBackColor(number_grid::RowOf(v), number_grid::ColOf(v)).isValid())
            values.push_back(v);
    }
    return values;
}

} // namespace kelton::test
