#pragma once

#include <QByteArray>
#include <QString>

namespace kelton {

// Texts in files are GBK; texts in memory are Unicode. GB18030 is a superset
// of GBK, so it reads every GBK file and writes GBK for every character GBK has.
QString FromGbk(QByteArrayView bytes);
QByteArray ToGbk(const QString& text);

// True when the platform's codec knows GB18030; checked once at start-up.
bool GbkAvailable();

}  // namespace kelton
