#include "lock_password.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>

namespace ampera {

namespace {
// Enough rounds that trying passwords against a stolen file is slow, few
// enough that unlocking takes no noticeable time.
constexpr int kRounds = 20000;
constexpr int kDigestBytes = 32;
constexpr int kSaltBytes = 16;
} // namespace

std::string MakeLockSalt() {
    QByteArray salt(kSaltBytes, Qt::Uninitialized);
    for (char& byte : salt)
        byte = static_cast<char>(QRandomGenerator::system()->bounded(256));
    return salt.toHex().toStdString();
}

std::string LockDigest(const std::string& password, const std::string& salt) {
    if (password.empty()) return {};
    const QByteArray digest = QPasswordDigestor::deriveKeyPbkdf2(
        QCryptographicHash::Sha256, QByteArray::fromStdString(password),
        QByteArray::fromHex(QByteArray::fromStdString(salt)), kRounds, kDigestBytes);
    return digest.toHex().toStdString();
}

bool LockOpensWith(const std::string& password, const std::string& salt, const std::string& digest) {
    return LockDigest(password, salt) == digest;
}

} // namespace ampera
