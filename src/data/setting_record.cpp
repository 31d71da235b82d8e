#include "data/setting_record.h"

#include "data/text_helpers.h"
#include "platform/little_endian.h"

namespace kelton {

SettingRecordType SettingRecordType::Defaults()
{
    SettingRecordType record;
    record.SetShowToolBar(kTrue);
    record.SetShowStatusBar(kTrue);
    record.SetShowChooser(kTrue);
    return record;
}

int16_t SettingRecordType::Int16(int offset) const
{
    return ReadLe<int16_t>(m_bytes.data() + offset);
}

int32_t SettingRecordType::Int32(int offset) const
{
    return ReadLe<int32_t>(m_bytes.data() + offset);
}

void SettingRecordType::SetInt16(int offset, int16_t value)
{
    WriteLe<int16_t>(m_bytes.data() + offset, value);
}

void SettingRecordType::SetInt32(int offset, int32_t value)
{
    WriteLe<int32_t>(m_bytes.data() + offset, value);
}

QString SettingRecordType::Text(int offset) const
{
    QString text;
    for (int i = 0; i < kProxyTextChars; ++i) {
        const auto c = static_cast<uint16_t>(Int16(offset + 2 * i));
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
        SetInt16(offset + 2 * i, static_cast<int16_t>(c));
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
