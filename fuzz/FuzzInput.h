#pragma once

// Reading typed values off the front of a fuzz input.

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstring>

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t byte() { return size_ ? (--size_, *data_++) : 0; }
    uint64_t u64() {
        uint64_t v = 0;
        for (int i = 0; i < 8; ++i)
            v = (v << 8) | byte();
        return v;
    }
    // A text of up to max bytes: UTF-8, or raw UTF-16 code units (lone surrogates included).
    QString text(size_t max) {
        const size_t wanted = byte() % (max + 1);
        const bool utf16 = byte() & 1;
        const size_t n = std::min<size_t>(wanted, size_);
        QString s = utf16 ? QString(reinterpret_cast<const QChar*>(data_), qsizetype(n / 2))
                          : QString::fromUtf8(reinterpret_cast<const char*>(data_), qsizetype(n));
        data_ += n;
        size_ -= n;
        return s;
    }
    QString rest() {
        QString s = QString::fromUtf8(reinterpret_cast<const char*>(data_), qsizetype(size_));
        data_ += size_;
        size_ = 0;
        return s;
    }

private:
    const uint8_t* data_;
    size_t size_;
};
