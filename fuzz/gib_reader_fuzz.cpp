#include <cstddef>
#include <cstdint>

#include "FuzzRecord.h"
#include "records/GibReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    zemra::fuzz::checkRecord(zemra::readGibBytes(bytes, QStringLiteral("/棋谱/a.gib")));
    return 0;
}
