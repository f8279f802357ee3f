#pragma once

#include <QDateTime>
#include <QString>

#include <vector>

// The client's operation log on the platform: who did what and when. Entries are kept in the
// platform store, newest MaxEntries only.
class CuVORNClientLogManager
{
public:
    static constexpr int MaxEntries = 5000;

    struct Entry
    {
        int nCode = 0;
        QString strUser;
        QDateTime time;
        QString strText;
        QString strDetail;
    };

    static CuVORNClientLogManager *instance();

    // An empty user stands for the logged-in user. Texts are stored as given (translation keys
    // stay keys); false when the store refused the entry.
    bool addLog(int p_nCode, const QString &p_strUser, const QString &p_strText,
                const QString &p_strDetail = QString());
    // The newest entries first, at most p_nMax.
    std::vector<Entry> getLogs(int p_nMax = 100) const;

    CuVORNClientLogManager(const CuVORNClientLogManager &) = delete;
    CuVORNClientLogManager &operator=(const CuVORNClientLogManager &) = delete;

private:
    CuVORNClientLogManager() = default;
};
