#include "data/setting_record.h"

#include "data/text_helpers.h"

namespace kelton {

SettingRecordType SettingRecordType::Defaults()
{
    SettingRecordType record;
    record.SetShowToolBar(kTrue);
    record.SetShowStatusBar(kTrue);
    record.SetShowChooser(kTrue);
    return record;
}

QString SettingRecordType::Text(int offset) const
{
    QString text;
    for (int i = 0; i < kProxyTextChars; ++i) {
        const auto c = static_cast<uint16_t>(m_bytes.Int16(offset + 2 * i));
        if (c == 0)
            break;
        text.append(QChar(c));
    }
    return text;
}

void SettingRecordType::SetText(int offset, const QString& value)
{
    for (int i = 0; i < kProxyTextChars; ++i) {
        const uint16_t c = i < value.size() ? value[i].unicode() : 0;
        m_bytes.SetInt16(offset + 2 * i, static_cast<int16_t>(c));
    }
}

QByteArray SettingRecordType::Bytes() const
{
    return QByteArray(reinterpret_cast<const char*>(m_bytes.data()), kSize);
}

bool SettingRecordType::SetBytes(QByteArrayView bytes)
{
    if (bytes.size() < kSize)
        return false;
    for (int i = 0; i < kSize; ++i)
        m_bytes[i] = static_cast<uint8_t>(bytes[i]);
    return true;
}

} // namespace kelton
