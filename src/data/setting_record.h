#pragma once

#include <array>
#include <cstdint>

#include <QByteArray>
#include <QString>

#include "platform/little_endian.h"

namespace kelton {

// The program-wide settings: a 2092-byte little-endian record kept byte for
// byte as read, reserved bytes included, and written back the same way.
//
//   0  4  GameListLen     byte length of the game-list text after the server text
//   4  4  SysInfoLen      byte length of the server-information text
//  66  2  ShowToolBar     flags: True = -1
//  68  2  ShowStatusBar
//  84  2  ShowChooser     the game chooser opens at start
//  86  2  UseProxy
//  88 50  ProxyHost       UTF-16 code units, at most 25 characters, zero-filled
// 140  4  ProxyPort
// 144  2  ProxyAuth
// 146 50  ProxyUser
// 196 50  ProxyPassword
// Every other byte is reserved.
class SettingRecordType {
public:
    static constexpr int kSize = 2092;
    static constexpr int kProxyTextChars = 25;

    // All bytes 0.
    SettingRecordType() = default;

    // The record of a fresh installation: toolbar, status bar and the game
    // chooser shown, no proxy.
    static SettingRecordType Defaults();

    int32_t GameListLen() const { return m_bytes.Int32(0); }
    void SetGameListLen(int32_t v) { m_bytes.SetInt32(0, v); }
    int32_t SysInfoLen() const { return m_bytes.Int32(4); }
    void SetSysInfoLen(int32_t v) { m_bytes.SetInt32(4, v); }

    int16_t ShowToolBar() const { return m_bytes.Int16(66); }
    void SetShowToolBar(int16_t v) { m_bytes.SetInt16(66, v); }
    int16_t ShowStatusBar() const { return m_bytes.Int16(68); }
    void SetShowStatusBar(int16_t v) { m_bytes.SetInt16(68, v); }
    int16_t ShowChooser() const { return m_bytes.Int16(84); }
    void SetShowChooser(int16_t v) { m_bytes.SetInt16(84, v); }

    int16_t UseProxy() const { return m_bytes.Int16(86); }
    void SetUseProxy(int16_t v) { m_bytes.SetInt16(86, v); }
    QString ProxyHost() const { return Text(88); }
    void SetProxyHost(const QString& v) { SetText(88, v); }
    int32_t ProxyPort() const { return m_bytes.Int32(140); }
    void SetProxyPort(int32_t v) { m_bytes.SetInt32(140, v); }
    int16_t ProxyAuth() const { return m_bytes.Int16(144); }
    void SetProxyAuth(int16_t v) { m_bytes.SetInt16(144, v); }
    QString ProxyUser() const { return Text(146); }
    void SetProxyUser(const QString& v) { SetText(146, v); }
    QString ProxyPassword() const { return Text(196); }
    void SetProxyPassword(const QString& v) { SetText(196, v); }

    // The raw record.
    QByteArray Bytes() const;
    // Takes the first kSize bytes; false (nothing changed) when fewer are given.
    bool SetBytes(QByteArrayView bytes);

    friend bool operator==(const SettingRecordType&, const SettingRecordType&) = default;

private:
    QString Text(int offset) const;
    void SetText(int offset, const QString& value);

    LeBytes<kSize> m_bytes{};
};

// How the settings file fared when it was read at start-up. Only a file that
// was read, or one that does not exist, is written at exit.
enum class SettingsFileState : int16_t {
    NotRead,    // not read yet
    Missing,    // there was no settings file
    Loaded,     // read
    Unreadable, // the file exists but was refused; it is left alone
};

} // namespace kelton
