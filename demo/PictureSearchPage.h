#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QListWidget;

// Function card 27 of the demo host: the searched snapshot picture and today's snapshots of
// the same person from the platform's history, newest first. The platform's match is the
// traffic simulator's knowledge of who each synthetic face is, recorded with the snapshot.
class PictureSearchPage : public QWidget
{
    Q_OBJECT
public:
    static constexpr int CardId = 27;
    // Bounds of one search: history rows read, snapshots listed.
    static constexpr int MaxRowsRead = 5000;
    static constexpr int MaxListed = 200;

    explicit PictureSearchPage(QWidget *parent = nullptr);

    // Searches for the local picture (a path inside the host's cache folder).
    void search(const QString &p_strLocalPicture);
    int listedCount() const;
    int matchedArchiveId() const { return m_nArchiveId; }

private:
    QLabel *m_pPicture;
    QLabel *m_pSummary;
    QListWidget *m_pList;
    int m_nArchiveId = -99999;
};
