// File-dialog filters as the windows write them, and the extension a save
// gives a name typed without one.

#include "platform/ui/file_dialogs.h"

#include <QDialog>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include "platform/chinese_locale.h"
#include "platform/ui/modal_dialog.h"
#include "shell/ui/qt_app_env.h"
#include "support/test_support.h"

namespace kelton {
namespace {

TEST(FileDialogsTest, FiltersAndTheirSuffixes)
{
    const struct {
        const char* filter;
        const char* qt;
        const char* suffix;
    } cases[] = {
        {"Kelton公式文件(*.way)|*.way|文本文件(*.txt)|*.txt", "Kelton公式文件(*.way);;文本文件(*.txt)", "way"},
        {"文本文件|*.txt;*.csv", "文本文件 (*.txt *.csv)", "txt"},
        {"所有文件(*.*)|*.*", "所有文件(*.*)", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        const QString qt = QtFileFilter(QString::fromUtf8(c.filter));
        EXPECT_EQ(qt, QString::fromUtf8(c.qt)) << c.filter;
        EXPECT_EQ(FilterSuffix(qt), QString::fromUtf8(c.suffix)) << c.filter;
    }
}

TEST(FileDialogsTest, TheFileListWritesSizesAndDatesTheChineseWay)
{
    // Under the C locale of the tests Qt wrote "207 bytes" and "11 Dec 2026 09:05:00".
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("a.txt"));
    const QDateTime when(QDate(2026, 12, 11), QTime(9, 5));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(207, 'x'));
        file.close(); // the write's last flush would move the time
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
    }
    QStringList shown;
    for (const bool save : {false, true}) {
        const ScopedService<ModalRunner> runner([&](QDialog& dialog) {
            auto* view = dialog.findChild<QTreeView*>();
            const auto text = [&](int column) {
                const QModelIndex name = view->model()->match(view->rootIndex().isValid()
                                                                  ? view->model()->index(0, 0, view->rootIndex())
                                                                  : QModelIndex(),
                                                              Qt::DisplayRole, QStringLiteral("a.txt"))
                                             .value(0);
                return name.isValid() ? name.siblingAtColumn(column).data().toString() : QString();
            };
            if (view && QTest::qWaitFor([&] { return !text(3).isEmpty(); }, 5000))
                shown << text(1) + QLatin1Char('|') + text(3);
            return 0;
        });
        const QString chosen = save ? GetSaveFile(nullptr, QStringLiteral("保存"), QStringLiteral("文本文件(*.txt)|*.txt"), path)
                                    : GetOpenFile(nullptr, QStringLiteral("打开"), QStringLiteral("文本文件(*.txt)|*.txt"), path);
        EXPECT_TRUE(chosen.isEmpty()); // left open: cancelled
    }
    const QString expected = QStringLiteral("207 字节|") + ChineseLocale().toString(when, QLocale::ShortFormat);
    EXPECT_EQ(shown, QStringList({expected, expected}));
}

}  // namespace
}  // namespace kelton
