#include <QAccessible>
#include <QApplication>
#include <QDialog>

#include <gtest/gtest.h>

#include "host/ui/shell_windows.h"
#include "platform/ui/help_viewer.h"
#include "platform/ui/modal_dialog.h"
#include "qt_app_env.h"
#include "results/ui/printer_form.h"
#include "shell/ui/about_dialog.h"
#include "shell/ui/mdi_main.h"
#include "shell_test_fakes.h"

namespace kelton {
namespace {

// The shown top-level windows (menus and tool tips are no windows) that a
// screen reader does not see as a named window or dialog, by class; and in
// `seen` the names of those it does.
QStringList UnnamedWindows(QStringList* seen)
{
    QStringList unnamed;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = window->windowType();
        if (!window->isVisible() || (type != Qt::Window && type != Qt::Dialog && type != Qt::Tool))
            continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(window);
        const QString name = face ? face->text(QAccessible::Name) : QString();
        if (!face || (face->role() != QAccessible::Window && face->role() != QAccessible::Dialog)
            || name.isEmpty())
            unnamed << QLatin1String(window->metaObject()->className());
        else
            *seen << name;
    }
    return unnamed;
}

class TopLevelWindowsTest : public test::MainWindowTest {};

TEST_F(TopLevelWindowsTest, EveryTopLevelWindowIsANamedWindowOrDialog)
{
    MDIMain& main = Start();
    InstallPrinterWindow(Windows(), m_context.State);
    Windows().PrintPreview(&main);
    Service<HelpViewerOwner>()->Viewer().show();

    QStringList seen;
    EXPECT_EQ(UnnamedWindows(&seen), QStringList());
    for (const char* name : {"Kelton 2.04", "打印(适用A4纸)", "使用帮助"})
        EXPECT_TRUE(seen.contains(QString::fromUtf8(name))) << name;

    // A dialog over them, as the program shows one.
    QStringList inDialog;
    QStringList seenInDialog;
    const ScopedService<ModalRunner> runner([&](QDialog& dialog) {
        dialog.show();
        inDialog = UnnamedWindows(&seenInDialog);
        return 0;
    });
    ShowAboutBox(m_context.State, &main);
    EXPECT_EQ(inDialog, QStringList());
    EXPECT_EQ(seenInDialog.size(), seen.size() + 1);
    Service<HelpViewerOwner>()->Close();
}

} // namespace
} // namespace kelton
