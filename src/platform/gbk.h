#pragma once

#include <cstdint>

#include <QByteArray>
#include <QString>

namespace kelton {

// Texts in files are GBK; texts in memory are Unicode. GB18030 is a superset
// of GBK, so it reads every GBK file and writes GBK for every character GBK has.
QString FromGbk(QByteArrayView bytes);
QByteArray ToGbk(const QString& text);

// The length ToGbk gives the texts added, together, without making their
// bytes: plain ASCII is counted as it is added, the other characters are
// gathered and encoded once.
class GbkByteCount {
public:
    void Add(QStringView text);
    int64_t Bytes() const;

private:
    int64_t m_ascii = 0;
    QString m_other;
};

// True when the platform's codec knows GB18030; checked once at start-up.
bool GbkAvailable();

}  // namespace kelton
