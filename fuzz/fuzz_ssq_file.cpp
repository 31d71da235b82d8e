// The record container read from a file of any content: refused or read,
// never a crash; a container that was read is written back and reads again
// with the same streams.
#include <QFile>

#include "data/settings.h"
#include "data/ssq_file.h"
#include "support.h"

using namespace kelton;

namespace {

// A fixed sequence of fractions, so that a crash replays the same writes.
std::function<double()> Script(uint32_t seed)
{
    return [state = seed]() mutable {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / static_cast<double>(1u << 24);
    };
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzz::WorkFolder() + QStringLiteral("/box.dat");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            fuzz::Fail("write the input file", __FILE__, __LINE__);
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }

    CSsqFile box(Script(static_cast<uint32_t>(size)));
    KELTON_FUZZ_CHECK(box.SetKey(QString::fromLatin1(kSetFileKey)));
    bool first = false;
    if (!box.OpenSsqFile(path, first)) {
        KELTON_FUZZ_CHECK(!box.IsOpen());
        return 0;
    }
    const QByteArray stream = box.GetData();
    const QByteArray record = box.GetRecord();
    (void)box.RecCount();

    // Written back as it is and read again: nothing of either stream is lost.
    KELTON_FUZZ_CHECK(box.UpData(false));
    KELTON_FUZZ_CHECK(box.CloseSsqFile());
    CSsqFile again;
    KELTON_FUZZ_CHECK(again.SetKey(QString::fromLatin1(kSetFileKey)));
    bool firstAgain = false;
    KELTON_FUZZ_CHECK(again.OpenSsqFile(path, firstAgain));
    KELTON_FUZZ_CHECK(!firstAgain);
    const QByteArray stream2 = again.GetData();
    const QByteArray record2 = again.GetRecord();
    KELTON_FUZZ_CHECK(stream2.startsWith(stream));
    KELTON_FUZZ_CHECK(stream2.mid(stream.size()).count('\0') == stream2.size() - stream.size());
    KELTON_FUZZ_CHECK(record2.startsWith(record));
    KELTON_FUZZ_CHECK(record2.mid(record.size()).count('\0') == record2.size() - record.size());
    return 0;
}
