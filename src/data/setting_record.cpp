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

int16_t SettingRecordType::Int16(int offset) const
{
    return static_cast<int16_t>(static_cast<uint16_t>(m_bytes[offset] | (m_bytes[offset + 1] << 8)));
}

int32_t SettingRecordType::Int32(int offset) const
{
    uint32_t v = 0;
    for (int k = 0; k < 4; ++k)
        v |= static_cast<uint32_t>(m_bytes[offset + k]) << (8 * k);
    return static_cast<int32_t>(v);
}

void SettingRecordType::SetInt16(int offset, int16_t value)
{
    const auto u = static_cast<uint16_t>(value);
    m_bytes[offset] = static_cast<uint8_t>(u & 0xFF);
    m_bytes[offset + 1] = static_cast<uint8_t>(u >> 8);
}

void SettingRecordType::SetInt32(int offset, int32_t value)
{
    const auto u = static_cast<uint32_t>(value);
    for (int k = 0; k < 4; ++k)
        m_bytes[offset + k] = static_cast<uint8_t>((u >> (8 * k)) & 0xFF);
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
