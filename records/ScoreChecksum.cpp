#include "records/ScoreChecksum.h"

namespace {

constexpr std::uint32_t kPolynomial = 0xEDB88320u;

// Each byte of a score is taken as a signed char: bytes of 0x80 and above
// enter with their sign bit copied into the upper 24 bits.
std::uint32_t signExtended(std::uint8_t byte)
{
    return byte >= 0x80u ? 0xFFFFFF00u | byte : byte;
}

// The accumulator shifts right as a signed int does, keeping bit 31. Written
// out on the unsigned pattern, because shifting a negative int is
// implementation-defined before C++20.
std::uint32_t shiftedKeepingTopBit(std::uint32_t c)
{
    return (c >> 1) | (c & 0x80000000u);
}

std::uint32_t mixByte(std::uint32_t c, std::uint8_t byte)
{
    c ^= signExtended(byte);
    for (int bit = 0; bit < 8; ++bit) {
        const std::uint32_t shifted = shiftedKeepingTopBit(c);
        c = (c & 1u) != 0 ? shifted ^ kPolynomial : shifted;
    }
    return c;
}

}  // namespace

std::uint32_t computeScoreChecksum(const std::list<ScoreRecord>& records)
{
    std::uint32_t c = 0xFFFFFFFFu;
    for (const ScoreRecord& record : records) {
        const auto pattern = static_cast<std::uint32_t>(record.score);
        for (int byteIndex = 0; byteIndex < 4; ++byteIndex) {  // little-endian
            c = mixByte(c, static_cast<std::uint8_t>(pattern >> (8 * byteIndex)));
        }
    }
    return ~c;
}
