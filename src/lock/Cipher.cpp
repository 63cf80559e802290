// SPDX-License-Identifier: GPL-3.0-or-later
#include "lock/Cipher.h"

#include <QList>
#include <QString>

#include <array>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define SWEEPORA_CIPHER_SSSE3 1
#endif

namespace sweepora::lock {
namespace {

constexpr std::uint32_t cycleLength = 32768; // the generator works modulo 2^15
// The cycle twice, and the start of a third time for the 16-byte windows of
// the vector path.
constexpr std::size_t maskTableSize = 2 * cycleLength + 16;

// Alphabet index of a byte: 0-9 for "0"-"9", 10-37 for "?", "@", "A"-"Z",
// 38-63 for "a"-"z"; -1 for every byte outside the alphabet.
constexpr int alphabetIndex(unsigned byte)
{
    if (byte >= 0x30 && byte <= 0x39)
        return int(byte) - 48;
    if (byte >= 0x3F && byte <= 0x5A)
        return int(byte) - 53;
    if (byte >= 0x61 && byte <= 0x7A)
        return int(byte) - 59;
    return -1;
}

constexpr char alphabetChar(int index)
{
    return char(index <= 9 ? index + 48 : index <= 37 ? index + 53 : index + 59);
}

// substitution[mask * 256 + byte]: what `byte` becomes when the generator's
// low six bits are `mask`. Bytes outside the alphabet map to themselves.
constexpr std::array<char, 64 * 256> makeSubstitution()
{
    std::array<char, 64 * 256> table{};
    for (int mask = 0; mask < 64; ++mask) {
        for (unsigned byte = 0; byte < 256; ++byte) {
            const int index = alphabetIndex(byte);
            table[mask * 256 + byte] = index < 0 ? char(byte) : alphabetChar(index ^ mask);
        }
    }
    return table;
}

// 1 for alphabet bytes (the generator steps), 0 for all others.
constexpr std::array<std::uint8_t, 256> makeSteps()
{
    std::array<std::uint8_t, 256> table{};
    for (unsigned byte = 0; byte < 256; ++byte)
        table[byte] = alphabetIndex(byte) < 0 ? 0 : 1;
    return table;
}

constexpr auto substitution = makeSubstitution();
constexpr auto steps = makeSteps();

static_assert(alphabetIndex('?') == 10 && alphabetIndex('@') == 11 && alphabetIndex('Z') == 37);
static_assert(alphabetIndex('a') == 38 && alphabetIndex('z') == 63 && alphabetIndex(':') == -1);
static_assert(alphabetChar(63) == 'z' && alphabetChar(10) == '?' && alphabetChar(9) == '9');

// The check value's hash steps: h = ((h + c) × m + m) mod 2^20. All operands
// stay below 2^31, as they do in the signed 32-bit arithmetic of the format.
constexpr std::uint32_t hashStep(std::uint32_t h, std::uint32_t c, std::uint32_t m)
{
    return ((h + c) * m + m) % 1048576u;
}

void appendHexHalf(QByteArray &out, std::uint32_t h)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += digits[(h >> shift) & 0xF];
}

// Windows-1252 codes 0x80 to 0x9F. The five positions that the code page
// leaves undefined map, as on Windows, to the C1 control of the same number.
constexpr char16_t cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The Windows-1252 byte of a code point, or -1 when the code page has none.
int cp1252Byte(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return int(codePoint);
    for (int i = 0; i < 32; ++i) {
        if (cp1252High[i] == codePoint)
            return 0x80 + i;
    }
    return -1;
}

void appendUtf8(QByteArray &out, char32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// One byte at a time: the substitution of the byte under the current mask,
// and a step of the generator for alphabet bytes. Returns the new step.
std::uint32_t applyRunScalar(unsigned char *bytes, qsizetype size, const std::uint8_t *masks,
                             std::uint32_t step)
{
    for (qsizetype i = 0; i < size; ++i) {
        const unsigned byte = bytes[i];
        bytes[i] = static_cast<unsigned char>(substitution[masks[step] * 256u + byte]);
        step += steps[byte];
    }
    return step;
}

#ifdef SWEEPORA_CIPHER_SSSE3
// Sixteen bytes at a time. The alphabet bytes of a block take the next masks
// of the key stream in order, so the block needs the 16 masks from `step` on;
// each lane picks its own by the number of alphabet bytes before it (an
// exclusive prefix count, used as a byte shuffle of that window).
__attribute__((target("ssse3")))
std::uint32_t applyRunSsse3(unsigned char *bytes, qsizetype size, const std::uint8_t *masks,
                            std::uint32_t step)
{
    // x < n for unsigned bytes, as all-ones lanes.
    const auto below = [](__m128i x, char n) {
        return _mm_cmpeq_epi8(_mm_min_epu8(x, _mm_set1_epi8(char(n - 1))), x);
    };
    const __m128i one = _mm_set1_epi8(1);
    qsizetype i = 0;
    for (; i + 16 <= size; i += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + i));
        // Alphabet index of each lane, by range: "0"-"9", "?"-"Z", "a"-"z".
        const __m128i d0 = _mm_sub_epi8(x, _mm_set1_epi8(0x30));
        const __m128i d1 = _mm_sub_epi8(x, _mm_set1_epi8(0x3F));
        const __m128i d2 = _mm_sub_epi8(x, _mm_set1_epi8(0x61));
        const __m128i in0 = below(d0, 10);
        const __m128i in1 = below(d1, 28);
        const __m128i in2 = below(d2, 26);
        const __m128i alpha = _mm_or_si128(in0, _mm_or_si128(in1, in2));
        const __m128i index = _mm_or_si128(
            _mm_and_si128(in0, d0),
            _mm_or_si128(_mm_and_si128(in1, _mm_add_epi8(d1, _mm_set1_epi8(10))),
                         _mm_and_si128(in2, _mm_add_epi8(d2, _mm_set1_epi8(38)))));

        // Inclusive prefix count of alphabet lanes, then exclusive.
        const __m128i count = _mm_and_si128(alpha, one);
        __m128i prefix = _mm_add_epi8(count, _mm_slli_si128(count, 1));
        prefix = _mm_add_epi8(prefix, _mm_slli_si128(prefix, 2));
        prefix = _mm_add_epi8(prefix, _mm_slli_si128(prefix, 4));
        prefix = _mm_add_epi8(prefix, _mm_slli_si128(prefix, 8));
        const __m128i before = _mm_sub_epi8(prefix, count);

        const __m128i window = _mm_loadu_si128(reinterpret_cast<const __m128i *>(masks + step));
        const __m128i v = _mm_xor_si128(index, _mm_shuffle_epi8(window, before));

        // Index back to its character: +48, +5 more past 9, +6 more past 37.
        const __m128i offset = _mm_add_epi8(
            _mm_set1_epi8(48),
            _mm_add_epi8(_mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8(9)), _mm_set1_epi8(5)),
                         _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8(37)), _mm_set1_epi8(6))));
        const __m128i out = _mm_add_epi8(v, offset);
        _mm_storeu_si128(reinterpret_cast<__m128i *>(bytes + i),
                         _mm_or_si128(_mm_and_si128(alpha, out), _mm_andnot_si128(alpha, x)));
        step += std::uint32_t(_mm_extract_epi16(prefix, 7)) >> 8;
    }
    return applyRunScalar(bytes + i, size - i, masks, step);
}
#endif

// The kernel for this processor, chosen once.
using RunKernel = std::uint32_t (*)(unsigned char *, qsizetype, const std::uint8_t *, std::uint32_t);
RunKernel chooseKernel()
{
#ifdef SWEEPORA_CIPHER_SSSE3
    if (__builtin_cpu_supports("ssse3"))
        return applyRunSsse3;
#endif
    return applyRunScalar;
}

std::uint32_t applyRun(unsigned char *bytes, qsizetype size, const std::uint8_t *masks,
                       std::uint32_t step)
{
    static const RunKernel kernel = chooseKernel();
    return kernel(bytes, size, masks, step);
}

} // namespace

QByteArray passwordCodes(QStringView password)
{
    // toUcs4() joins surrogate pairs and turns a lone surrogate into U+FFFD.
    const QList<uint> codePoints = password.toUcs4();
    QByteArray codes;
    codes.reserve(password.size());
    for (const uint cp : codePoints) {
        const int byte = cp1252Byte(cp);
        if (byte < 0) {
            // One character outside the code page: the password was not typed
            // on a Western system, so all of it counts by its UTF-8 bytes.
            codes.clear();
            for (const uint each : codePoints)
                appendUtf8(codes, each);
            return codes;
        }
        codes += char(byte);
    }
    return codes;
}

CipherKeys deriveKeys(QStringView password)
{
    CipherKeys keys;
    for (const char code : passwordCodes(password)) {
        const int c = static_cast<unsigned char>(code);
        keys.k1 = ((keys.k1 + c) * 367 + 331) % 4095;
        keys.k2 = ((keys.k2 + keys.k1) * 743 + 599) % 4095;
        keys.k3 = ((keys.k3 + keys.k2) * 563 + 787) % 4095;
    }
    return keys;
}

QByteArray PasswordCheckValue(QStringView password)
{
    const QByteArray codes = passwordCodes(password);
    QByteArray value;
    value.reserve(8);
    std::uint32_t h = 0;
    for (const char code : codes)
        h = hashStep(h, static_cast<unsigned char>(code), 1717);
    for (int i = 0; i < 7; ++i)
        h = hashStep(h, 0, 997);
    appendHexHalf(value, h);
    for (const char code : codes)
        h = hashStep(h, static_cast<unsigned char>(code), 997);
    for (int i = 0; i < 7; ++i)
        h = hashStep(h, 0, 1717);
    appendHexHalf(value, h);
    return value;
}

CipherStream::CipherStream(const CipherKeys &keys)
    : m_masks(new std::uint8_t[maskTableSize])
{
    const std::uint32_t multiplier = (4u * std::uint32_t(keys.k2) + 1u) % cycleLength;
    const std::uint32_t increment = (2u * std::uint32_t(keys.k3) + 1u) % cycleLength;
    std::uint32_t state = std::uint32_t(keys.k1) % cycleLength;
    // The multiplier is 1 more than a multiple of 4 and the increment odd, so
    // the generator visits all 32768 states before it repeats: the table of
    // one cycle describes the key stream at every position.
    for (std::uint32_t i = 0; i < cycleLength; ++i) {
        state = (multiplier * state + increment) % cycleLength;
        m_masks[i] = m_masks[i + cycleLength] = std::uint8_t(state & 63);
    }
    std::memcpy(m_masks.get() + 2 * cycleLength, m_masks.get(), maskTableSize - 2 * cycleLength);
}

CipherStream::~CipherStream() = default;

void CipherStream::apply(char *data, qsizetype size)
{
    auto *bytes = reinterpret_cast<unsigned char *>(data);
    std::uint32_t step = m_step;
    while (size > 0) {
        // A run of at most one cycle's length advances `step` by at most the
        // cycle, which the doubled table covers without a wrap per byte.
        const qsizetype run = size < qsizetype(cycleLength) ? size : qsizetype(cycleLength);
        step = applyRun(bytes, run, m_masks.get(), step);
        if (step >= cycleLength)
            step -= cycleLength;
        bytes += run;
        size -= run;
    }
    m_step = step;
}

void CipherString(QByteArray &text, int k1, int k2, int k3)
{
    if (text.isEmpty())
        return;
    CipherStream stream({k1, k2, k3});
    stream.apply(text.data(), text.size());
}

void Process(QByteArray &text, QStringView password)
{
    const CipherKeys keys = deriveKeys(password);
    CipherString(text, keys.k1, keys.k2, keys.k3);
}

} // namespace sweepora::lock
