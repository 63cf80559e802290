// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The lock cipher: a keyed substitution over a 64-character alphabet (digits,
// "?", "@", upper- and lower-case letters). Each alphabet byte is replaced by
// the alphabet character whose index is its own index XOR the low six bits of
// a linear congruential generator modulo 32768; every other byte passes
// unchanged and does not step the generator. Running the cipher twice with
// the same keys gives back the original bytes, so one routine locks and
// unlocks.

#include <QByteArray>
#include <QStringView>

#include <cstdint>
#include <memory>

namespace sweepora::lock {

// The three keys derived from a password, each 0 to 4094.
struct CipherKeys
{
    int k1 = 0;
    int k2 = 0;
    int k3 = 0;
    friend bool operator==(const CipherKeys &, const CipherKeys &) = default;
};

// The byte codes by which a password's characters count: each character by
// its Windows-1252 code (ASCII characters by their ASCII code), so passwords
// locked on a Western Windows system give the same keys here. When any
// character lies outside that code page, the whole password counts by the
// bytes of its UTF-8 form.
QByteArray passwordCodes(QStringView password);

// K1, K2, K3 of a password (all 0 for an empty one).
CipherKeys deriveKeys(QStringView password);

// The password check value stored in a locked file's header: 8 upper-case
// hexadecimal ASCII digits, the low 16 bits of two hash passes over the
// password's codes, leading zeros kept.
QByteArray PasswordCheckValue(QStringView password);

// Applies the cipher to consecutive pieces of one text exactly as one pass
// over their concatenation would: the generator's position carries over
// from one call of apply() to the next. The generator's whole cycle is
// tabulated once, when the stream is made.
class CipherStream
{
public:
    explicit CipherStream(const CipherKeys &keys);
    ~CipherStream();
    CipherStream(const CipherStream &) = delete;
    CipherStream &operator=(const CipherStream &) = delete;

    // Transforms `size` bytes at `data` in place.
    void apply(char *data, qsizetype size);

private:
    // Low six bits of the state after each step, twice around the cycle, so
    // that a run of up to one cycle never has to wrap inside the inner loop.
    std::unique_ptr<std::uint8_t[]> m_masks;
    std::uint32_t m_step = 0; // steps taken so far, modulo the cycle length
};

// Transforms `text` in place with the given keys; the same call enciphers
// and deciphers. k1 is the generator's start state, k2 and k3 the bases of
// its multiplier (4 × k2 + 1) and increment (2 × k3 + 1).
void CipherString(QByteArray &text, int k1, int k2, int k3);

// Transforms `text` in place with the keys derived from `password`.
void Process(QByteArray &text, QStringView password);

} // namespace sweepora::lock
