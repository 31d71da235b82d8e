#include "data/ssq_file.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include "data/app_tables.h"
#include "data/text_helpers.h"
#include "platform/little_endian.h"
#include "platform/save_file.h"

namespace kelton {

namespace {

// The key of the header, the position tables and first-write blocks.
constexpr char kFixedKey[] = "813460725194036";

constexpr int kHeaderFileBytes = 2 * CSsqFile::kHeaderBytes;
constexpr int kSignatureBytes = 50;
constexpr int kFirstFlagAt = 50;
constexpr int kBlockSizeAt = 52;
constexpr int kDataBlocksAt = 56;
constexpr int kRecBlocksAt = 60;
constexpr int kSaltAt = 64;
constexpr int kRecCountAt = 96;

int FixedCode(int64_t i)
{
    return static_cast<unsigned char>(kFixedKey[i % CSsqFile::kKeyLength]);
}

int16_t ReadInt16(const QByteArray& bytes, int64_t offset)
{
    return ReadLe<int16_t>(bytes.constData() + offset);
}

void WriteInt16(QByteArray& bytes, int64_t offset, int16_t value)
{
    WriteLe<int16_t>(bytes.data() + offset, value);
}

bool FitsInt16(int64_t value)
{
    return value >= std::numeric_limits<int16_t>::min() && value <= std::numeric_limits<int16_t>::max();
}

using Keys = std::array<int32_t, CSsqFile::kKeyLength>;
using Salts = std::array<int32_t, CSsqFile::kKeyLength>;

Keys FixedKeys()
{
    Keys k{};
    for (int r = 0; r < CSsqFile::kKeyLength; ++r)
        k[r] = FixedCode(r);
    return k;
}

// Decodes a position table of n entries at offset: 4 bytes per entry.
bool ReadPositionTable(const QByteArray& file, int64_t offset, int64_t n, const Salts& salt,
                       std::vector<int32_t>& out)
{
    out.assign(static_cast<size_t>(n), 0);
    for (int64_t e = 0; e < n; ++e) {
        uint32_t pos = 0;
        for (int k = 0; k < 4; ++k) {
            const int64_t i = 4 * e + k;
            const int r = static_cast<int>(i % CSsqFile::kKeyLength);
            const int value = ReadInt16(file, offset + 2 * i);
            const int64_t byte = RoundHalfEven(static_cast<double>(value - salt[r]) / (r + 1)) + FixedCode(r);
            if (byte < 0 || byte > 255)
                return false;
            pos |= static_cast<uint32_t>(byte) << (8 * k);
        }
        out[static_cast<size_t>(e)] = static_cast<int32_t>(pos);
    }
    return true;
}

// Decodes the blocks of one stream; every block must lie inside the block
// area of the file.
bool ReadBlocks(const QByteArray& file, const std::vector<int32_t>& positions, int blockSize,
                int64_t areaStart, const Keys& key, const Salts& salt, QByteArray& out)
{
    const int64_t size = file.size();
    out = QByteArray(static_cast<qsizetype>(positions.size()) * blockSize, '\0');
    for (size_t b = 0; b < positions.size(); ++b) {
        const int64_t at = static_cast<int64_t>(positions[b]) - 1;
        if (at < areaStart || at + 2 * static_cast<int64_t>(blockSize) > size)
            return false;
        for (int j = 0; j < blockSize; ++j) {
            const int64_t i = static_cast<int64_t>(b) * blockSize + j;
            const int r = static_cast<int>(i % CSsqFile::kKeyLength);
            const int value = ReadInt16(file, at + 2 * j);
            const int64_t byte = RoundHalfEven(static_cast<double>(value + salt[r]) / (r + 1)) - key[r];
            if (byte < 0 || byte > 255)
                return false;
            out[static_cast<qsizetype>(i)] = static_cast<char>(byte);
        }
    }
    return true;
}

} // namespace

CSsqFile::CSsqFile(std::function<double()> random) : m_random(std::move(random)) {}

CSsqFile::~CSsqFile()
{
    CloseSsqFile();
}

double CSsqFile::NextRandom()
{
    const double r = m_random ? m_random() : QRandomGenerator::global()->generateDouble();
    if (!(r >= 0.0))
        return 0.0;
    return r < 1.0 ? r : std::nextafter(1.0, 0.0);
}

int32_t CSsqFile::RecCount() const
{
    return m_header.Int32(kRecCountAt);
}

bool CSsqFile::SignatureBytes(std::array<uint8_t, 50>& out) const
{
    const QString& signature = SsqSignature();
    if (signature.size() != kSignatureBytes)
        return false;
    for (int i = 0; i < kSignatureBytes; ++i) {
        const char16_t c = signature[i].unicode();
        if (c > 255)
            return false;
        out[i] = static_cast<uint8_t>(c);
    }
    return true;
}

bool CSsqFile::SetKey(const QString& sKey)
{
    if (sKey.size() > kKeyLength)
        return false;
    for (int i = 0; i < kKeyLength; ++i) {
        m_keyCodes[i] = i < sKey.size() ? static_cast<int32_t>(sKey[i].unicode()) : 0;
        const int m = (i % 2 == 0) ? i : 14 - i;
        m_keyTable[i] = m_keyCodes[i] + 2 * m;
    }
    return true;
}

bool CSsqFile::CloseSsqFile()
{
    if (!m_open)
        return false;
    m_open = false;
    return true;
}

bool CSsqFile::OpenSsqFile(const QString& sFile, bool& bFirst)
{
    CloseSsqFile();
    const bool keySet = std::any_of(m_keyTable.begin(), m_keyTable.end(), [](int32_t k) { return k != 0; });
    if (sFile.isEmpty() || !keySet)
        return false;
    QFile file(sFile);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    const bool complete = file.error() == QFileDevice::NoError;
    file.close();
    if (!complete || !ReadContainer(bytes)) {
        m_data.clear();
        m_record.clear();
        m_dataPos.clear();
        m_recPos.clear();
        return false;
    }
    m_fileName = sFile;
    m_open = true;
    if (m_header.Int16(kFirstFlagAt) == 1) {
        bFirst = true;
        // A first-write container is keyed with the fixed key only: rekey it
        // with the caller's key at once. The content is read either way.
        UpData(false);
    }
    return true;
}

bool CSsqFile::ReadContainer(const QByteArray& file)
{
    const int64_t size = file.size();
    if (size < kHeaderFileBytes)
        return false;

    LeBytes<kHeaderBytes> header{};
    for (int i = 0; i < kHeaderBytes; ++i) {
        const int byte = ReadInt16(file, 2 * i) + FixedCode(i);
        if (byte < 0 || byte > 255)
            return false;
        header[i] = static_cast<uint8_t>(byte);
    }
    m_header = header;

    std::array<uint8_t, 50> signature{};
    if (!SignatureBytes(signature) || !std::equal(signature.begin(), signature.end(), m_header.begin()))
        return false;

    const int blockSize = m_header.Int16(kBlockSizeAt);
    if (blockSize < kMinBlockSize || blockSize > kMaxBlockSize)
        return false;
    const int64_t dataBlocks = m_header.Int32(kDataBlocksAt);
    const int64_t recBlocks = m_header.Int32(kRecBlocksAt);
    if (dataBlocks < 0 || recBlocks < 0)
        return false;
    const int64_t areaStart = kHeaderFileBytes + 8 * (dataBlocks + recBlocks);
    if (areaStart + 2 * static_cast<int64_t>(blockSize) * (dataBlocks + recBlocks) > size)
        return false;

    Salts salt{};
    for (int r = 0; r < kKeyLength; ++r)
        salt[r] = m_header.Int16(kSaltAt + 2 * r);
    Keys key = FixedKeys();
    if (m_header.Int16(kFirstFlagAt) == 0) {
        for (int r = 0; r < kKeyLength; ++r)
            key[r] = m_keyTable[r];
    }

    m_data.clear();
    m_dataPos.clear();
    if (dataBlocks >= 1) {
        if (!ReadPositionTable(file, kHeaderFileBytes, dataBlocks, salt, m_dataPos) ||
            !ReadBlocks(file, m_dataPos, blockSize, areaStart, key, salt, m_data))
            return false;
    }
    m_record.clear();
    m_recPos.clear();
    if (RecCount() >= 1 && recBlocks >= 1) {
        if (!ReadPositionTable(file, kHeaderFileBytes + 8 * dataBlocks, recBlocks, salt, m_recPos) ||
            !ReadBlocks(file, m_recPos, blockSize, areaStart, key, salt, m_record))
            return false;
    }
    return true;
}

bool CSsqFile::CreateSsqFile(const QString& sFile)
{
    CloseSsqFile();
    const bool keySet = std::any_of(m_keyTable.begin(), m_keyTable.end(), [](int32_t k) { return k != 0; });
    std::array<uint8_t, 50> signature{};
    if (sFile.isEmpty() || !keySet || QFileInfo::exists(sFile) || !SignatureBytes(signature))
        return false;
    m_header.fill(0);
    std::copy(signature.begin(), signature.end(), m_header.begin());
    m_data.clear();
    m_record.clear();
    m_dataPos.clear();
    m_recPos.clear();
    m_fileName = sFile;
    m_open = true;
    return true;
}

QByteArray CSsqFile::GetData() const
{
    return m_data;
}

bool CSsqFile::SetData(const QByteArray& nData)
{
    if (nData.isEmpty() || !m_open)
        return false;
    m_data = nData;
    return true;
}

bool CSsqFile::UpData(bool bFirst)
{
    m_writeFailure.clear();
    if (!m_open)
        return false;

    const int blockSize = kMinBlockSize + static_cast<int>(RoundHalfEven(NextRandom() * 45));
    Salts salt{};
    for (int r = 0; r < kKeyLength; ++r)
        salt[r] = static_cast<int32_t>(NextRandom() * 256);

    // A stream takes as many blocks as it needs; the last one is padded with zeros.
    auto blocksFor = [blockSize](const QByteArray& s) -> int64_t {
        return (static_cast<int64_t>(s.size()) + blockSize - 1) / blockSize;
    };
    const int64_t dataBlocks = blocksFor(m_data);
    const int64_t recBlocks = blocksFor(m_record);
    if (dataBlocks + recBlocks > std::numeric_limits<int32_t>::max() / (2 * kMaxBlockSize + 8))
        return false;
    QByteArray data = m_data.leftJustified(static_cast<qsizetype>(dataBlocks * blockSize), '\0');
    QByteArray record = m_record.leftJustified(static_cast<qsizetype>(recBlocks * blockSize), '\0');

    Keys key = FixedKeys();
    if (!bFirst) {
        for (int r = 0; r < kKeyLength; ++r)
            key[r] = m_keyTable[r];
    }

    const int64_t tableStart = kHeaderFileBytes;
    const int64_t areaStart = tableStart + 8 * (dataBlocks + recBlocks);
    const int64_t total = areaStart + 2 * static_cast<int64_t>(blockSize) * (dataBlocks + recBlocks);
    QByteArray out(static_cast<qsizetype>(total), '\0');

    // Encodes one stream into its blocks at random slots from areaOffset on
    // and its position table at tableOffset.
    auto writeStream = [&](const QByteArray& stream, int64_t blocks, int64_t tableOffset, int64_t areaOffset,
                           std::vector<int32_t>& positions) -> bool {
        std::vector<int64_t> freeSlots(static_cast<size_t>(blocks));
        for (int64_t s = 0; s < blocks; ++s)
            freeSlots[static_cast<size_t>(s)] = s;
        positions.assign(static_cast<size_t>(blocks), 0);
        for (int64_t b = 0; b < blocks; ++b) {
            int64_t t = RoundHalfEven(NextRandom() * static_cast<double>(blocks - 1 - b));
            t = std::clamp<int64_t>(t, 0, static_cast<int64_t>(freeSlots.size()) - 1);
            const int64_t slot = freeSlots[static_cast<size_t>(t)];
            freeSlots.erase(freeSlots.begin() + t);
            const int64_t at = areaOffset + slot * 2 * blockSize;
            positions[static_cast<size_t>(b)] = static_cast<int32_t>(at + 1);
            for (int j = 0; j < blockSize; ++j) {
                const int64_t i = b * blockSize + j;
                const int r = static_cast<int>(i % kKeyLength);
                const int64_t value =
                    (static_cast<int64_t>(static_cast<uint8_t>(stream[static_cast<qsizetype>(i)])) + key[r]) *
                        (r + 1) -
                    salt[r];
                if (!FitsInt16(value))
                    return false; // a key whose codes are too large to store
                WriteInt16(out, at + 2 * j, static_cast<int16_t>(value));
            }
        }
        for (int64_t e = 0; e < blocks; ++e) {
            const auto pos = static_cast<uint32_t>(positions[static_cast<size_t>(e)]);
            for (int k = 0; k < 4; ++k) {
                const int64_t i = 4 * e + k;
                const int r = static_cast<int>(i % kKeyLength);
                const int byte = static_cast<int>((pos >> (8 * k)) & 0xFF);
                WriteInt16(out, tableOffset + 2 * i,
                           static_cast<int16_t>((byte - FixedCode(r)) * (r + 1) + salt[r]));
            }
        }
        return true;
    };

    std::vector<int32_t> dataPos;
    std::vector<int32_t> recPos;
    if (!writeStream(data, dataBlocks, tableStart, areaStart, dataPos) ||
        !writeStream(record, recBlocks, tableStart + 8 * dataBlocks,
                     areaStart + 2 * static_cast<int64_t>(blockSize) * dataBlocks, recPos))
        return false;

    const LeBytes<kHeaderBytes> held = m_header;
    m_header.SetInt16(kFirstFlagAt, bFirst ? 1 : 0);
    m_header.SetInt16(kBlockSizeAt, static_cast<int16_t>(blockSize));
    m_header.SetInt32(kDataBlocksAt, static_cast<int32_t>(dataBlocks));
    m_header.SetInt32(kRecBlocksAt, static_cast<int32_t>(recBlocks));
    for (int r = 0; r < kKeyLength; ++r)
        m_header.SetInt16(kSaltAt + 2 * r, static_cast<int16_t>(salt[r]));
    for (int i = 0; i < kHeaderBytes; ++i)
        WriteInt16(out, 2 * i, static_cast<int16_t>(m_header[i] - FixedCode(i)));

    const SaveOutcome saved = SaveWholeFile(m_fileName, out);
    m_writeFailure = saved.Reason;
    if (!saved.Ok) {
        m_header = held;
        return false;
    }
    m_data = data;
    m_record = record;
    m_dataPos = std::move(dataPos);
    m_recPos = std::move(recPos);
    return true;
}

} // namespace kelton
