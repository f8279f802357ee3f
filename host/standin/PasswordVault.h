#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

// The platform's password check for the logged-in user. Passwords are never kept: the platform
// store holds, per user id, a salted PBKDF2-HMAC-SHA256 (RFC 8018) digest written as
// "pbkdf2-sha256$<iterations>$<salt, base64>$<digest, base64>". A user without a stored digest
// is checked against the scenario's digest.
//
// After MaxFailures wrong passwords in a row a user is locked out for LockoutSeconds (on the
// steady clock of System::getSecondCount); every try meanwhile is refused unchecked.
class PasswordVault
{
public:
    static constexpr int MaxFailures = 5;
    static constexpr int LockoutSeconds = 30;
    static constexpr int Iterations = 10000;
    static constexpr int SaltBytes = 16;
    static constexpr int DigestBytes = 32;

    enum class Result { Accepted, Rejected, LockedOut, NoPassword };

    struct Digest
    {
        int iterations = 0;
        QByteArray salt;
        QByteArray digest;
    };

    static PasswordVault *instance();

    static QByteArray derive(const QString &password, const QByteArray &salt, int iterations);
    static QString encode(const Digest &digest);
    static std::optional<Digest> decode(const QString &text);
    // A digest of the password with a fresh random salt.
    static Digest digestOf(const QString &password);

    // Replaces the user's stored digest; false when the store refused it.
    bool setPassword(int userId, const QString &password);
    Result check(int userId, const QString &password);
    // Seconds the user must still wait; 0 when not locked out.
    int lockoutRemaining(int userId) const;
    void resetAttempts();

    PasswordVault(const PasswordVault &) = delete;
    PasswordVault &operator=(const PasswordVault &) = delete;

private:
    PasswordVault() = default;

    struct Attempts
    {
        int failures = 0;
        qint64 lockedUntil = 0;
    };
    std::optional<Digest> storedDigest(int userId) const;

    QHash<int, Attempts> m_attempts;
};
