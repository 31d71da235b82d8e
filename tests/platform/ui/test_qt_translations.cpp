#include <memory>

#include <QApplication>
#include <QDate>
#include <QFileDialog>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include "platform/ui/qt_translations.h"
#include "shell/ui/qt_app_env.h"

namespace kelton {
namespace {

QStringList MenuTexts(QMenu* menu)
{
    QStringList texts;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator())
            texts << action->text().section(QLatin1Char('\t'), 0, 0);
    }
    delete menu;
    return texts;
}

TEST(QtTranslationsTest, MessageBoxesAndTextMenusSpeakChinese)
{
    ASSERT_TRUE(InstallQtTranslations(*QApplication::instance()));

    QMessageBox box(QMessageBox::Question, QStringLiteral("系统提示！"),
                    QStringLiteral("你真的要退出程序吗？按确定退出。"),
                    QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("取消"));

    QLineEdit edit(QStringLiteral("3 5-9"));
    EXPECT_TRUE(MenuTexts(edit.createStandardContextMenu()).contains(QStringLiteral("复制(&C)")));
    QTextBrowser help;
    help.setPlainText(QStringLiteral("帮助"));
    EXPECT_TRUE(MenuTexts(help.createStandardContextMenu()).contains(QStringLiteral("复制(&C)")));

    // Qt's own dialogs write dates in the Chinese form, whatever the
    // system's locale (the tests run under the C locale).
    QFileDialog files;
    EXPECT_EQ(files.locale().toString(QDate(2026, 12, 11), QLocale::ShortFormat), QStringLiteral("2026/12/11"));
    EXPECT_EQ(QLocale().toString(QDate(2026, 12, 11), QLocale::ShortFormat), QStringLiteral("2026/12/11"));
}

} // namespace
} // namespace kelton
