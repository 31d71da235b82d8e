// File-dialog filters as the windows write them, and the extension a save
// gives a name typed without one.

#include "platform/ui/file_dialogs.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace kelton
