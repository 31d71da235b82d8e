#include "platform/chinese_locale.h"

namespace kelton {

QLocale ChineseLocale()
{
    return QLocale(QLocale::Chinese, QLocale::China);
}

} // namespace kelton
