#pragma once

#include <QLabel>
#include <QString>

// The host's picture label: shows a picture of the host's image cache by its path, optionally
// pixelated for privacy.
class Piclab : public QLabel
{
    Q_OBJECT
public:
    explicit Piclab(QWidget *parent = nullptr);
    ~Piclab() override;

    // How the host shell treats the label (search entry, context menu); only stored here.
    void setType(int p_nType);
    int type() const { return m_nType; }
    // Whether the picture may be used to search by picture.
    void setOpenSearch(bool p_bOpen);
    bool isOpenSearch() const { return m_bOpenSearch; }
    void setPicScaledContents(bool p_bScaled);
    // Shows the picture at the path (a downloaded file or a ":/..." resource) from the image
    // cache; a picture that is not there leaves the label empty. The path is kept either way.
    bool setPicurl(const QString &p_strUrl, bool p_bMosaic = false);
    QString getPicurl() const { return m_strPicUrl; }

    // Set while the label shows a picture the user may not see as is (placeholder or mosaic);
    // the host then offers no save or search on it.
    bool m_bProtectedPic = false;

public slots:
    // Drops the picture and its path and announces it with signalDelete.
    void slotDeletePic();

signals:
    void signalDelete();

protected:
    // Type 7 (a picture the user chose for a setting) offers to remove it.
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QString m_strPicUrl;
    int m_nType = 0;
    bool m_bOpenSearch = true;
};
