#include "app/rc4.h"

#include <utility>

#include "app/errorreport.h"
#include "app/translation.h"

TRC4::TRC4(const QByteArray& key) {
    setKey(key);
}

void TRC4::setKey(const QByteArray& key) {
    if (key.isEmpty()) throw EKwpError(_("Der Schluessel fuer RC4 ist leer."));
    for (int n = 0; n < 256; ++n) m_keyed[n] = static_cast<std::uint8_t>(n);
    std::uint8_t j = 0;
    for (int n = 0; n < 256; ++n) {
        j = static_cast<std::uint8_t>(j + m_keyed[n] +
                                      static_cast<std::uint8_t>(key[n % key.size()]));
        std::swap(m_keyed[n], m_keyed[j]);
    }
    reset();
}

void TRC4::reset() {
    m_state = m_keyed;
    m_i = 0;
    m_j = 0;
}

QByteArray TRC4::process(const QByteArray& data) {
    QByteArray result = data;
    processInPlace(result.data(), result.size());
    return result;
}

void TRC4::processInPlace(char* data, qsizetype size) {
    for (qsizetype n = 0; n < size; ++n) {
        m_i = static_cast<std::uint8_t>(m_i + 1);
        m_j = static_cast<std::uint8_t>(m_j + m_state[m_i]);
        std::swap(m_state[m_i], m_state[m_j]);
        const std::uint8_t k = m_state[static_cast<std::uint8_t>(m_state[m_i] + m_state[m_j])];
        data[n] = static_cast<char>(static_cast<std::uint8_t>(data[n]) ^ k);
    }
}
