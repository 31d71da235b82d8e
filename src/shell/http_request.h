#pragma once

#include <cstdint>

#include <QByteArray>
#include <QString>

namespace kelton {

class SettingRecordType;

// A download address split the way the downloader uses it.
struct HttpAddress {
    QString Url;      // the normalised address
    QString Host;     // up to the first "/" after the "//"
    QString Path;     // from that "/" on
    QString Referer;  // Url up to, not including, its last "/"
};

// Normalises an address: "http://" is put in front when it holds no "//",
// and a "/" is appended when no "/" follows the "//". The scheme is not
// looked at and no port is taken from the address.
HttpAddress NormaliseAddress(const QString& sURL);

// The proxy settings every download is queued with.
struct ProxySettings {
    bool UseProxy = false;
    QString ProxyHost;
    int32_t ProxyPort = 0;
    bool ProxyAuth = false;  // send Basic proxy credentials
    QString ProxyUser;
    QString ProxyPassword;
};

// The six proxy settings of the settings record, as every download passes
// them (True = -1 flags become bools; texts end at their first zero).
ProxySettings ProxyFromSettings(const SettingRecordType& record);

// The complete GET request for an address (the full address as the target
// through a proxy, the path without one), in the system code page.
QByteArray BuildHttpRequest(const HttpAddress& address, const ProxySettings& proxy);

// Base64 of the text's bytes in the system code page, without "=" padding.
QString Base64_Encode(const QString& DecryptedText);

// Standard padded Base64 of the text's bytes in the system code page.
QString StrtoBase64(const QString& str);

}  // namespace kelton
