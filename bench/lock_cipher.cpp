// SPDX-License-Identifier: GPL-3.0-or-later
// Throughput of the lock cipher in memory: CipherString over 256 MiB of
// random bytes (about a quarter of them in the cipher alphabet) and over
// 256 MiB of text (mostly alphabet). Built and run by lock_cipher.sh.

#include "lock/Cipher.h"

#include <QByteArray>
#include <QRandomGenerator>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

int main()
{
    const qsizetype size = qsizetype(256) << 20;
    QByteArray random(size, Qt::Uninitialized);
    QRandomGenerator generator(7);
    generator.fillRange(reinterpret_cast<quint32 *>(random.data()), size / 4);
    QByteArray text(size, Qt::Uninitialized);
    const QByteArray line = "The quick brown fox jumps over the lazy dog, 0123456789 times.\r\n";
    for (qsizetype i = 0; i < size; ++i)
        text[i] = line[i % line.size()];

    for (const auto &[name, data] : {std::pair{"random bytes", &random}, std::pair{"text", &text}}) {
        std::vector<double> rates;
        for (int round = 0; round < 7; ++round) {
            const auto start = std::chrono::steady_clock::now();
            sweepora::lock::CipherString(*data, 2823, 3134, 1799);
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            rates.push_back(double(size) / took.count() / 1e9);
        }
        std::sort(rates.begin(), rates.end());
        std::printf("CipherString, %-12s 256 MiB: median %.2f GB/s, best %.2f GB/s (target >= 1 GB/s)\n", name,
                    rates[rates.size() / 2], rates.back());
    }
    return 0;
}
