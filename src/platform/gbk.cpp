#include "platform/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace kelton {

namespace {
constexpr const char* kCodec = "GB18030";
}

QString FromGbk(QByteArrayView bytes)
{
    QStringDecoder decoder(kCodec, QStringDecoder::Flag::Stateless);
    return decoder.decode(bytes);
}

QByteArray ToGbk(const QString& text)
{
    QStringEncoder encoder(kCodec, QStringEncoder::Flag::Stateless);
    return encoder.encode(text);
}

void GbkByteCount::Add(QStringView text)
{
    const QChar* begin = text.data();
    const QChar* const end = begin + text.size();
    for (const QChar* c = begin; c != end; ++c) {
        if (c->unicode() < 0x80)
            ++m_ascii;
        else
            m_other += *c;
    }
}

int64_t GbkByteCount::Bytes() const
{
    return m_ascii + (m_other.isEmpty() ? 0 : ToGbk(m_other).size());
}

bool GbkAvailable()
{
    QStringEncoder encoder(kCodec);
    if (!encoder.isValid())
        return false;
    const QByteArray bytes = ToGbk(QStringLiteral("统计"));
    return bytes == QByteArrayLiteral("\xCD\xB3\xBC\xC6") && FromGbk(bytes) == QStringLiteral("统计");
}

}  // namespace kelton
