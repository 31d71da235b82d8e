#pragma once

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kelton::test {

// A fixture whose program folder is a fresh temporary folder.
class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    QString Path(const QString& relative) const;

    QTemporaryDir m_dir;
};

// A file under tests/fixtures.
QString FixturePath(const QString& relative);

// The real draw history shipped as sample data (issue, date, three digits).
QString SampleHistoryPath();

}  // namespace kelton::test

// Lets gtest print QStrings readably.
QT_BEGIN_NAMESPACE
void PrintTo(const QString& s, std::ostream* os);
QT_END_NAMESPACE
