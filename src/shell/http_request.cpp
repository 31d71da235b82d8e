#include "shell/http_request.h"

#include <algorithm>

#include <QStringList>

#include "data/setting_record.h"
#include "platform/gbk.h"

namespace kelton {

namespace {

const char kBase64Symbols[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

}  // namespace

HttpAddress NormaliseAddress(const QString& sURL)
{
    HttpAddress a;
    const QString slashes = QStringLiteral("//");
    if (!sURL.contains(slashes)) {
        a.Url = QStringLiteral("http://") + sURL;
        if (!sURL.contains(QLatin1Char('/')))
            a.Url += QLatin1Char('/');
    } else {
        a.Url = sURL;
        const qsizetype afterSlashes = a.Url.indexOf(slashes) + 2;
        if (a.Url.indexOf(QLatin1Char('/'), afterSlashes) < 0)
            a.Url += QLatin1Char('/');
    }
    const QString rest = a.Url.mid(a.Url.indexOf(slashes) + 2);
    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    a.Host = rest.left(slash);
    a.Path = rest.mid(slash);
    a.Referer = a.Url.left(a.Url.lastIndexOf(QLatin1Char('/')));
    return a;
}

ProxySettings ProxyFromSettings(const SettingRecordType& record)
{
    ProxySettings proxy;
    proxy.UseProxy = record.UseProxy() != 0;
    proxy.ProxyHost = record.ProxyHost();
    proxy.ProxyPort = record.ProxyPort();
    proxy.ProxyAuth = record.ProxyAuth() != 0;
    proxy.ProxyUser = record.ProxyUser();
    proxy.ProxyPassword = record.ProxyPassword();
    return proxy;
}

QByteArray BuildHttpRequest(const HttpAddress& address, const ProxySettings& proxy)
{
    QStringList lines;
    lines << QStringLiteral("GET ") + (proxy.UseProxy ? address.Url : address.Path) +
                 QStringLiteral(" HTTP/1.1");
    lines << QStringLiteral("Host: ") + address.Host;
    lines << QStringLiteral("Accept: */*");
    lines << QStringLiteral("Referer: ") + address.Referer;
    lines << QStringLiteral("User-Agent: Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)");
    lines << QStringLiteral("Pragma: no-cache");
    lines << QStringLiteral("Cache-Control: no-cache");
    if (proxy.UseProxy && proxy.ProxyAuth)
        lines << QStringLiteral("Proxy-Authorization: Basic ") +
                     StrtoBase64(proxy.ProxyUser + QLatin1Char(':') + proxy.ProxyPassword);
    lines << QStringLiteral("Connection: close");
    lines << QString();
    lines << QString();
    return ToGbk(lines.join(QStringLiteral("\r\n")));
}

QString Base64_Encode(const QString& DecryptedText)
{
    // Characters outside the single-byte range give their multi-byte code,
    // so credentials in Chinese still reach the proxy as GBK.
    const QByteArray bytes = ToGbk(DecryptedText);
    QString out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (qsizetype i = 0; i < bytes.size(); i += 3) {
        const qsizetype n = std::min<qsizetype>(3, bytes.size() - i);
        uint32_t group = 0;
        for (qsizetype k = 0; k < 3; ++k)
            group = (group << 8) | (k < n ? static_cast<uint8_t>(bytes[i + k]) : 0u);
        // n bytes give n + 1 symbols; missing values give none.
        for (qsizetype k = 0; k <= n; ++k)
            out += QLatin1Char(kBase64Symbols[(group >> (18 - 6 * k)) & 0x3F]);
    }
    return out;
}

QString StrtoBase64(const QString& str)
{
    QString out = Base64_Encode(str);
    switch (out.size() % 4) {
    case 3:
        out += QLatin1Char('=');
        break;
    case 2:
        out += QStringLiteral("==");
        break;
    default:
        break;
    }
    return out;
}

}  // namespace kelton
