#pragma once

#include <QByteArray>
#include <array>
#include <cstdint>

// RC4 stream cipher. Keyed once; reset() returns to the freshly keyed state so that every
// value of a protected settings file starts from the same key stream.
class TRC4 {
public:
    // Throws EKwpError for an empty key (the key schedule needs at least one byte).
    explicit TRC4(const QByteArray& key);

    void setKey(const QByteArray& key);
    void reset();
    // Enciphers or deciphers (the same operation) and advances the key stream.
    QByteArray process(const QByteArray& data);
    void processInPlace(char* data, qsizetype size);

private:
    std::array<std::uint8_t, 256> m_keyed{};
    std::array<std::uint8_t, 256> m_state{};
    std::uint8_t m_i = 0;
    std::uint8_t m_j = 0;
};
