#include "PasswordVault.h"

#include "PlatformStore.h"
#include "System.h"
#include "VornClient.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QStringList>

namespace {

const QString kKind = QStringLiteral("UserPassword");
const QString kScheme = QStringLiteral("pbkdf2-sha256");
// A stored digest asking for more would let a damaged record hold the UI thread for seconds.
constexpr int MaxIterations = 1000000;

// Compares every byte, so that the time taken does not tell how much of a digest matched.
bool sameBytes(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (int i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a.at(i) ^ b.at(i));
    return diff == 0;
}

} // namespace

PasswordVault *PasswordVault::instance()
{
    static PasswordVault vault;
    return &vault;
}

QByteArray PasswordVault::derive(const QString &password, const QByteArray &salt, int iterations)
{
    // PBKDF2 (RFC 8018) with HMAC-SHA256; one block covers the 32-byte digest.
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, password.toUtf8());
    mac.addData(salt);
    mac.addData(QByteArray::fromHex("00000001"));
    QByteArray block = mac.result();
    QByteArray key = block;
    for (int i = 1; i < iterations; ++i) {
        mac.reset();
        mac.addData(block);
        block = mac.result();
        for (int b = 0; b < key.size(); ++b)
            key[b] = static_cast<char>(key.at(b) ^ block.at(b));
    }
    return key.left(DigestBytes);
}

QString PasswordVault::encode(const Digest &digest)
{
    return QStringList{kScheme, QString::number(digest.iterations),
                       QString::fromLatin1(digest.salt.toBase64()),
                       QString::fromLatin1(digest.digest.toBase64())}
            .join(QLatin1Char('$'));
}

std::optional<PasswordVault::Digest> PasswordVault::decode(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('$'));
    if (parts.size() != 4 || parts.at(0) != kScheme)
        return std::nullopt;
    bool ok = false;
    Digest digest;
    digest.iterations = parts.at(1).toInt(&ok);
    digest.salt = QByteArray::fromBase64(parts.at(2).toLatin1());
    digest.digest = QByteArray::fromBase64(parts.at(3).toLatin1());
    if (!ok || digest.iterations < 1 || digest.iterations > MaxIterations || digest.salt.isEmpty()
        || digest.digest.size() != DigestBytes)
        return std::nullopt;
    return digest;
}

PasswordVault::Digest PasswordVault::digestOf(const QString &password)
{
    Digest digest;
    digest.iterations = Iterations;
    digest.salt.resize(SaltBytes);
    for (char &byte : digest.salt)
        byte = static_cast<char>(QRandomGenerator::system()->bounded(256));
    digest.digest = derive(password, digest.salt, digest.iterations);
    return digest;
}

bool PasswordVault::setPassword(int userId, const QString &password)
{
    return PlatformStore::instance()->writeRecord(kKind, QString::number(userId),
                                                  encode(digestOf(password)).toLatin1());
}

std::optional<PasswordVault::Digest> PasswordVault::storedDigest(int userId) const
{
    const auto payload = PlatformStore::instance()->readRecord(kKind, QString::number(userId));
    if (payload)
        return decode(QString::fromLatin1(*payload));
    if (userId != VornClient::instance()->getCurUserId())
        return std::nullopt;
    return decode(VornClient::instance()->scenarioPasswordDigest());
}

PasswordVault::Result PasswordVault::check(int userId, const QString &password)
{
    if (lockoutRemaining(userId) > 0) {
        qDebug() << "PasswordVault::check user" << userId << "locked out";
        return Result::LockedOut;
    }
    const std::optional<Digest> digest = storedDigest(userId);
    if (!digest) {
        qDebug() << "PasswordVault::check no password digest for user" << userId;
        return Result::NoPassword;
    }
    Attempts &attempts = m_attempts[userId];
    if (sameBytes(derive(password, digest->salt, digest->iterations), digest->digest)) {
        attempts = Attempts();
        return Result::Accepted;
    }
    if (++attempts.failures >= MaxFailures) {
        attempts.failures = 0;
        attempts.lockedUntil = System::getSecondCount() + LockoutSeconds;
        qDebug() << "PasswordVault::check user" << userId << "locked out for" << LockoutSeconds
                 << "s";
    }
    return Result::Rejected;
}

int PasswordVault::lockoutRemaining(int userId) const
{
    const auto it = m_attempts.constFind(userId);
    if (it == m_attempts.constEnd())
        return 0;
    const qint64 remaining = it->lockedUntil - System::getSecondCount();
    return remaining > 0 ? int(remaining) : 0;
}

void PasswordVault::resetAttempts()
{
    m_attempts.clear();
}
