#include <cstddef>
#include <cstdint>

#include "FuzzRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    zemra::fuzz::checkRecord(zemra::readSgfBytes(bytes));
    return 0;
}
