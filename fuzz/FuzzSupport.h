#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A property that must hold for every input. Unlike assert it also stops optimised builds, and
// it names the property, so a corpus replay in an ordinary test run fails the same way.
#define FUZZ_CHECK(cond) ((cond) ? void(0) : ::fuzz::fail(#cond, __FILE__, __LINE__))

namespace fuzz {

[[noreturn]] inline void fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, what);
    std::fflush(stderr);
    std::abort();
}

// Hands the fuzzer's bytes out as choices, a piece at a time. Past the end every read gives
// zero or nothing, so a short input is still a complete (small) case.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : p_(data), end_(data + size) {}

    bool empty() const { return p_ == end_; }
    std::size_t left() const { return static_cast<std::size_t>(end_ - p_); }

    std::uint8_t byte() { return p_ < end_ ? *p_++ : 0; }
    bool flag() { return byte() & 1; }
    // 0 .. n-1 (n >= 1).
    int pick(int n) {
        const unsigned v = n > 256 ? unsigned(byte()) << 8 | byte() : byte();
        return static_cast<int>(v % unsigned(n));
    }
    // A length-prefixed run of at most `maxLength` bytes.
    QByteArray bytes(int maxLength) {
        int n = pick(maxLength + 1);
        if (std::size_t(n) > left()) n = static_cast<int>(left());
        QByteArray out(reinterpret_cast<const char*>(p_), n);
        p_ += n;
        return out;
    }
    QByteArray rest() {
        QByteArray out(reinterpret_cast<const char*>(p_), static_cast<qsizetype>(left()));
        p_ = end_;
        return out;
    }
    // At most `maxLength` code units, each drawn from `alphabet` (one byte per unit chosen).
    QString text(QStringView alphabet, int maxLength) {
        const int n = pick(maxLength + 1);
        QString out;
        out.reserve(n);
        for (int i = 0; i < n && !empty(); ++i) out.append(alphabet[pick(int(alphabet.size()))]);
        return out;
    }

private:
    const std::uint8_t* p_;
    const std::uint8_t* end_;
};

} // namespace fuzz
