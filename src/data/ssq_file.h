#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include <QByteArray>
#include <QString>

#include "platform/little_endian.h"

namespace kelton {

// A scrambled file container holding two byte streams, the Data stream and
// the Record stream. The settings file is one.
//
// File layout (16-bit signed little-endian values unless said otherwise):
//   0      200 bytes  the 100-byte header, value i = byte i - code of FixedKey[i % 15]
//   200    8 x DataBlocks  the Data position table (32-bit 1-based block positions,
//                          byte i stored as (byte - FixedKey[r]) x (r + 1) + Salt[r])
//   ..     8 x RecBlocks   the Record position table, the same way
//   ..     2 x BlockSize x DataBlocks  the Data blocks in random slot order
//   ..     2 x BlockSize x RecBlocks   the Record blocks in random slot order
// Stream byte i is stored as (byte + K[r]) x (r + 1) - Salt[r], r = i % 15, K being
// FixedKey for a first-write container and the caller's key table otherwise.
//
// Header (100 bytes): Signature 50, FirstFlag 2, BlockSize 2, gap 2, DataBlocks 4,
// RecBlocks 4, 15 salts 30, gap 2, RecCount 4.
//
// The whole container is read by OpenSsqFile and written as a whole by UpData
// (through a temporary file renamed into place); no file handle stays open
// between the calls, but the container counts as open until CloseSsqFile.
class CSsqFile {
public:
    static constexpr int kHeaderBytes = 100;
    static constexpr int kKeyLength = 15;
    static constexpr int kMinBlockSize = 5;
    static constexpr int kMaxBlockSize = 50;

    // random gives fractions in [0, 1); the default draws from the system's
    // generator. Tests pass a scripted source.
    explicit CSsqFile(std::function<double()> random = {});
    ~CSsqFile();

    CSsqFile(const CSsqFile&) = delete;
    CSsqFile& operator=(const CSsqFile&) = delete;

    // Sets the caller's key (at most 15 characters). A longer key is refused:
    // false, the key table stays as it was.
    bool SetKey(const QString& sKey);

    // Closes any open container, then reads and checks the container at
    // sFile. Out bFirst: true when it was a first-write container, which is
    // rewritten with the caller's key at once. False for no key set, a
    // missing file, or a file that is damaged in any way; nothing is open then.
    bool OpenSsqFile(const QString& sFile, bool& bFirst);

    // Closes any open container and starts an empty one for sFile, which is
    // written by the first UpData. False for no key set, an empty name, a file
    // that already exists, or a signature that is not 50 characters.
    bool CreateSsqFile(const QString& sFile);

    // The Data stream, padded to whole blocks.
    QByteArray GetData() const;

    // Replaces the Data stream; false, with nothing changed, for an empty
    // array or when no container is open.
    bool SetData(const QByteArray& nData);

    // Writes the whole container to the open container's file: new block
    // size, salts and block order. bFirst keys the blocks with FixedKey.
    // A failed write leaves the file as it was; WriteFailure says why.
    bool UpData(bool bFirst);
    // Why the last UpData could not write the file; empty after a success.
    const QString& WriteFailure() const { return m_writeFailure; }

    // Closes the open container; false when none was open.
    bool CloseSsqFile();

    bool IsOpen() const { return m_open; }

    // The Record stream as read (carried unchanged through every write).
    QByteArray GetRecord() const { return m_record; }
    int32_t RecCount() const;

private:
    double NextRandom();
    bool SignatureBytes(std::array<uint8_t, 50>& out) const;
    bool ReadContainer(const QByteArray& file);

    std::function<double()> m_random;
    QString m_fileName;
    QString m_writeFailure;
    bool m_open = false;
    LeBytes<kHeaderBytes> m_header{};
    std::array<int32_t, kKeyLength> m_keyCodes{};
    std::array<int32_t, kKeyLength> m_keyTable{};
    std::vector<int32_t> m_dataPos;
    std::vector<int32_t> m_recPos;
    QByteArray m_data;
    QByteArray m_record;
};

} // namespace kelton
