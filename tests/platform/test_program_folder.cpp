#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/program_folder.h"

namespace kelton {
namespace {

// An installed program reads its defaults from its installation, wherever
// the installation was put; only a program without one (run where it was
// built) falls back to the source tree.
TEST(DefaultsFolderTest, AnInstalledProgramReadsTheDefaultsOfItsInstallation)
{
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    const QString bin = prefix.path() + QStringLiteral("/bin");
    ASSERT_TRUE(QDir().mkpath(bin));
    EXPECT_EQ(DefaultsFolderFor(bin), QStringLiteral(KELTON_DEFAULTS_DIR)) << "nothing installed yet";

    const QString installed =
        QDir::cleanPath(bin + QLatin1Char('/') + QStringLiteral(KELTON_INSTALLED_DEFAULTS));
    ASSERT_TRUE(installed.startsWith(prefix.path())) << installed.toStdString();
    ASSERT_TRUE(QDir().mkpath(installed + QStringLiteral("/LottorTemplate")));
    EXPECT_EQ(DefaultsFolderFor(bin), installed);
    EXPECT_EQ(DefaultsFolderFor(QString()), QStringLiteral(KELTON_DEFAULTS_DIR));
}

} // namespace
} // namespace kelton
