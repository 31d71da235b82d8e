#include "shell/http_request.h"

#include <gtest/gtest.h>

#include "data/setting_record.h"
#include "data/text_helpers.h"
#include "support/test_support.h"

namespace kelton {
namespace {

struct AddressCase {
    const char* input;
    const char* url;
    const char* host;
    const char* path;
    const char* referer;
};

class NormaliseAddressTest : public ::testing::TestWithParam<AddressCase> {};

TEST_P(NormaliseAddressTest, SplitsAddress)
{
    const AddressCase& c = GetParam();
    const HttpAddress a = NormaliseAddress(QString::fromUtf8(c.input));
    EXPECT_EQ(a.Url, QString::fromUtf8(c.url)) << c.input;
    EXPECT_EQ(a.Host, QString::fromUtf8(c.host)) << c.input;
    EXPECT_EQ(a.Path, QString::fromUtf8(c.path)) << c.input;
    EXPECT_EQ(a.Referer, QString::fromUtf8(c.referer)) << c.input;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NormaliseAddressTest,
    ::testing::Values(
        AddressCase{"www.a.com", "http://www.a.com/", "www.a.com", "/", "http://www.a.com"},
        AddressCase{"www.a.com/x/y.txt", "http://www.a.com/x/y.txt", "www.a.com", "/x/y.txt",
                    "http://www.a.com/x"},
        AddressCase{"http://www.a.com", "http://www.a.com/", "www.a.com", "/", "http://www.a.com"},
        AddressCase{"http://h/SoftReg/KELT/Info.txt", "http://h/SoftReg/KELT/Info.txt", "h",
                    "/SoftReg/KELT/Info.txt", "http://h/SoftReg/KELT"},
        // Another scheme is kept in the address but fetched over plain HTTP all the same.
        AddressCase{"ftp://h/f", "ftp://h/f", "h", "/f", "ftp://h"},
        // The port stays part of the host.
        AddressCase{"h:8080/f", "http://h:8080/f", "h:8080", "/f", "http://h:8080"},
        AddressCase{"http://h/a?b=c/d", "http://h/a?b=c/d", "h", "/a?b=c/d", "http://h/a?b=c"}));

const char kRequestTail[] = "Accept: */*\r\n"
                            "Referer: http://www.a.com/dir\r\n"
                            "User-Agent: Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\n"
                            "Pragma: no-cache\r\n"
                            "Cache-Control: no-cache\r\n";

TEST(BuildHttpRequest, DirectAndThroughProxy)
{
    const HttpAddress a = NormaliseAddress(QStringLiteral("www.a.com/dir/f.txt"));
    ProxySettings proxy;
    EXPECT_EQ(BuildHttpRequest(a, proxy), QByteArray("GET /dir/f.txt HTTP/1.1\r\nHost: www.a.com\r\n") +
                                              kRequestTail + "Connection: close\r\n\r\n");

    // Credentials are sent only through a proxy that wants them.
    proxy.ProxyAuth = true;
    proxy.ProxyUser = QStringLiteral("user");
    proxy.ProxyPassword = QStringLiteral("pass");
    EXPECT_EQ(BuildHttpRequest(a, proxy), QByteArray("GET /dir/f.txt HTTP/1.1\r\nHost: www.a.com\r\n") +
                                              kRequestTail + "Connection: close\r\n\r\n");

    proxy.UseProxy = true;
    proxy.ProxyAuth = false;
    EXPECT_EQ(BuildHttpRequest(a, proxy),
              QByteArray("GET http://www.a.com/dir/f.txt HTTP/1.1\r\nHost: www.a.com\r\n") + kRequestTail +
                  "Connection: close\r\n\r\n");

    proxy.ProxyAuth = true;
    EXPECT_EQ(BuildHttpRequest(a, proxy),
              QByteArray("GET http://www.a.com/dir/f.txt HTTP/1.1\r\nHost: www.a.com\r\n") + kRequestTail +
                  "Proxy-Authorization: Basic dXNlcjpwYXNz\r\nConnection: close\r\n\r\n");
}

TEST(ProxyFromSettings, CopiesTheSixSettings)
{
    SettingRecordType record;
    EXPECT_FALSE(ProxyFromSettings(record).UseProxy);
    record.SetUseProxy(kTrue);
    record.SetProxyHost(QStringLiteral("10.0.0.1"));
    record.SetProxyPort(8080);
    record.SetProxyAuth(kTrue);
    record.SetProxyUser(QStringLiteral("user"));
    record.SetProxyPassword(QStringLiteral("pass"));
    const ProxySettings p = ProxyFromSettings(record);
    EXPECT_TRUE(p.UseProxy);
    EXPECT_EQ(p.ProxyHost, QStringLiteral("10.0.0.1"));
    EXPECT_EQ(p.ProxyPort, 8080);
    EXPECT_TRUE(p.ProxyAuth);
    EXPECT_EQ(p.ProxyUser, QStringLiteral("user"));
    EXPECT_EQ(p.ProxyPassword, QStringLiteral("pass"));
}

struct Base64Case {
    const char* text;
    const char* unpadded;
    const char* padded;
};

TEST(Base64, MatchesStandardEncoding)
{
    const Base64Case cases[] = {
        {"", "", ""},
        {"u", "dQ", "dQ=="},
        {"us", "dXM", "dXM="},
        {"use", "dXNl", "dXNl"},
        {"user:", "dXNlcjo", "dXNlcjo="},  // empty password
        {"Aladdin:open sesame", "QWxhZGRpbjpvcGVuIHNlc2FtZQ", "QWxhZGRpbjpvcGVuIHNlc2FtZQ=="},
    };
    for (const Base64Case& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(Base64_Encode(text), QString::fromLatin1(c.unpadded)) << c.text;
        EXPECT_EQ(StrtoBase64(text), QString::fromLatin1(c.padded)) << c.text;
    }
    // Chinese credentials go out as their GBK bytes.
    EXPECT_EQ(StrtoBase64(QStringLiteral("统计")),
              QString::fromLatin1(QByteArray("\xCD\xB3\xBC\xC6").toBase64()));
}

}  // namespace
}  // namespace kelton
