#include "PictureSearchPage.h"

#include "AppLanguageTr.h"
#include "FileDataCacheHelper.h"
#include "PlatformPictureStore.h"
#include "SnapshotHistory.h"
#include "VORNClientAIManager.h"
#include "VornClient.h"

#include <QDateTime>
#include <QDebug>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

constexpr int NoValue = -99999;
const QSize IconSize(72, 90);

QStringList allChannelUids()
{
    QStringList uids;
    VornClient *client = VornClient::instance();
    for (const OrvaneDevice &device : client->getCurUserDevices()) {
        std::vector<OrvaneChannel> channels;
        if (client->getChannelsByDeviceId(device.get_id(), channels))
            for (const OrvaneChannel &channel : channels)
                uids << channel.get_channel_uid();
    }
    return uids;
}

int matchedArchive(const OrvaneCompareNotifyMessage &message)
{
    for (const CompareInfo &match : message.compareInfoVec) {
        if (match.matchFlag != 0 && match.archiveImage.archiveId != NoValue)
            return match.archiveImage.archiveId;
    }
    return NoValue;
}

// The downloaded copy when there is one, otherwise the platform's own file; both through the
// host's image cache.
QPixmap snapshotPixmap(const QString &url)
{
    QPixmap pixmap;
    if (FileDataCacheHelper::tryLoadPixmapData(
                VORNClientAIManager::instance()->convertToLocalSnapAbsPath(url, true), pixmap))
        return pixmap;
    const QString stored = PlatformPictureStore::absolutePath(url);
    if (!stored.isEmpty() && FileDataCacheHelper::tryLoadPixmapData(stored, pixmap))
        return pixmap;
    return QPixmap();
}

} // namespace

PictureSearchPage::PictureSearchPage(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_pPicture(new QLabel(this))
    , m_pSummary(new QLabel(this))
    , m_pList(new QListWidget(this))
{
    setObjectName(QStringLiteral("PictureSearchPage"));
    setWindowTitle(AppLanguageTr::translate(QStringLiteral("TK_SearchByPicture")));
    m_pPicture->setFixedSize(120, 150);
    m_pPicture->setAlignment(Qt::AlignCenter);
    m_pSummary->setTextFormat(Qt::PlainText);
    m_pList->setViewMode(QListView::IconMode);
    m_pList->setIconSize(IconSize);
    m_pList->setResizeMode(QListView::Adjust);
    m_pList->setSelectionMode(QAbstractItemView::NoSelection);
    auto *left = new QVBoxLayout;
    left->addWidget(m_pPicture);
    left->addStretch();
    auto *right = new QVBoxLayout;
    right->addWidget(m_pSummary);
    right->addWidget(m_pList);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);
    resize(640, 420);
}

int PictureSearchPage::listedCount() const
{
    return m_pList->count();
}

void PictureSearchPage::search(const QString &p_strLocalPicture)
{
    m_pList->clear();
    m_nArchiveId = NoValue;
    QPixmap searched;
    if (FileDataCacheHelper::tryLoadPixmapData(p_strLocalPicture, searched))
        m_pPicture->setPixmap(
                searched.scaled(m_pPicture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    else
        m_pPicture->setPixmap(QPixmap());

    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime dayStart(now.date(), QTime(0, 0));
    const QDateTime dayEnd(now.date(), QTime(23, 59, 59));
    SnapshotHistory::Filter filter;
    filter.maxCount = MaxRowsRead;
    const OrvaneCompareNotifyMessageList today =
            SnapshotHistory::query(dayStart, dayEnd, allChannelUids(), filter);
    VORNClientAIManager *ai = VORNClientAIManager::instance();
    // The snapshot whose downloaded picture was searched tells who it is.
    for (auto it = today.crbegin(); it != today.crend() && m_nArchiveId == NoValue; ++it) {
        const QString url = it->snapFaceInfo.snapTargetSource.snapDetailImageURL;
        if (ai->convertToLocalSnapAbsPath(url, true) == p_strLocalPicture)
            m_nArchiveId = matchedArchive(*it);
    }
    VornClient *client = VornClient::instance();
    for (auto it = today.crbegin(); it != today.crend() && m_pList->count() < MaxListed; ++it) {
        if (m_nArchiveId == NoValue || matchedArchive(*it) != m_nArchiveId)
            continue;
        const OrvaneSnapTargetSource &source = it->snapFaceInfo.snapTargetSource;
        auto *item =
                new QListWidgetItem(QIcon(snapshotPixmap(source.snapDetailImageURL)),
                                    source.snapTime.mid(11) + QLatin1Char('\n')
                                            + client->getDevNameByChannelUID(source.channelUID));
        m_pList->addItem(item);
    }
    m_pSummary->setText(m_nArchiveId == NoValue
                                ? AppLanguageTr::translate(QStringLiteral("TK_NoRecords"))
                                : AppLanguageTr::translate(QStringLiteral("TK_TodaySnapshots"))
                                          + QStringLiteral(" (%1)").arg(m_pList->count()));
    qDebug() << "PictureSearchPage::search archive" << m_nArchiveId << "," << m_pList->count()
             << "snapshot(s) today";
}
