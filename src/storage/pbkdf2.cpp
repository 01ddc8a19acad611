#include "storage/pbkdf2.h"

#include <QCryptographicHash>
#include <array>
#include <cstring>

namespace {

constexpr int BlockSize = 64;  // SHA-256 input block
constexpr int HashLength = 32; // SHA-256 digest

using Digest = std::array<char, HashLength>;

// HMAC-SHA256 with the key's padded blocks prepared once; one hash object is reused for every
// round, so the inner loop does not allocate.
class HmacSha256 {
public:
    explicit HmacSha256(QByteArrayView password)
    {
        QByteArray key = password.size() > BlockSize
            ? QCryptographicHash::hash(password, QCryptographicHash::Sha256)
            : password.toByteArray();
        key.append(QByteArray(BlockSize - key.size(), '\0'));
        for (int i = 0; i < BlockSize; ++i) {
            m_innerPad[i] = static_cast<char>(key[i] ^ 0x36);
            m_outerPad[i] = static_cast<char>(key[i] ^ 0x5c);
        }
    }

    void sign(QByteArrayView first, QByteArrayView second, Digest& out)
    {
        m_hash.reset();
        m_hash.addData(QByteArrayView(m_innerPad.data(), BlockSize));
        m_hash.addData(first);
        m_hash.addData(second);
        Digest inner;
        std::memcpy(inner.data(), m_hash.resultView().data(), HashLength);
        m_hash.reset();
        m_hash.addData(QByteArrayView(m_outerPad.data(), BlockSize));
        m_hash.addData(QByteArrayView(inner.data(), HashLength));
        std::memcpy(out.data(), m_hash.resultView().data(), HashLength);
    }

private:
    std::array<char, BlockSize> m_innerPad;
    std::array<char, BlockSize> m_outerPad;
    QCryptographicHash m_hash{QCryptographicHash::Sha256};
};

} // namespace

QByteArray Pbkdf2HmacSha256(QByteArrayView password, QByteArrayView salt, int iterations, int length)
{
    if (iterations < 1 || length < 1)
        return {};
    HmacSha256 hmac(password);
    QByteArray derived;
    derived.reserve(length);
    for (quint32 block = 1; derived.size() < length; ++block) {
        const char index[4] = {static_cast<char>(block >> 24), static_cast<char>(block >> 16),
                               static_cast<char>(block >> 8), static_cast<char>(block)};
        Digest u;
        hmac.sign(salt, QByteArrayView(index, 4), u);
        Digest t = u;
        for (int round = 1; round < iterations; ++round) {
            hmac.sign(QByteArrayView(u.data(), HashLength), {}, u);
            for (int i = 0; i < HashLength; ++i)
                t[i] = static_cast<char>(t[i] ^ u[i]);
        }
        derived.append(t.data(), std::min<qsizetype>(HashLength, length - derived.size()));
    }
    return derived;
}

bool EqualInConstantTime(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}
