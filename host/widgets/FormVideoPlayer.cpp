#include "FormVideoPlayer.h"

#include "BaseHelper.h"
#include "FormPlayer.h"
#include "OrvaneChannel.h"
#include "PictureFlow.h"
#include "VornClient.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

FormVideoPlayer::FormVideoPlayer(QWidget *parent)
    : BaseWidget(parent)
{
    setObjectName(QStringLiteral("FormVideoPlayer"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_pGrid = new FormPlayer(this);
    layout->addWidget(m_pGrid, 1);

    m_pBar = new QWidget(this);
    m_pBar->setObjectName(QStringLiteral("videoPlayerBar"));
    m_pBar->setFixedHeight(30);
    m_pBarLayout = new QHBoxLayout(m_pBar);
    m_pBarLayout->setContentsMargins(6, 2, 6, 2);
    m_pBarLayout->setSpacing(4);

    m_pLayoutButtons = new QWidget(m_pBar);
    auto *layoutButtons = new QHBoxLayout(m_pLayoutButtons);
    layoutButtons->setContentsMargins(0, 0, 0, 0);
    layoutButtons->setSpacing(2);
    for (int mode = 1; mode <= 4; ++mode) {
        auto *button = new QPushButton(QString::number(windowCountForMode(mode)), m_pLayoutButtons);
        button->setObjectName(QStringLiteral("pushButtonLayout%1").arg(mode));
        button->setFixedSize(28, 22);
        connect(button, &QPushButton::clicked, this, [this, mode]() {
            setLayoutMode(mode);
            storeLayout();
        });
        layoutButtons->addWidget(button);
    }
    m_pBarLayout->addWidget(m_pLayoutButtons);
    m_pBarLayout->addStretch(1);

    m_pSaveButton = new QPushButton(tr("Save layout"), m_pBar);
    m_pSaveButton->setObjectName(QStringLiteral("pushButtonSaveLayout"));
    connect(m_pSaveButton, &QPushButton::clicked, this,
            [this]() { emit layoutSaved(m_nLayoutMode, getCurrLayoutList()); });
    m_pBarLayout->addWidget(m_pSaveButton);

    m_pFullButton = new QPushButton(tr("Full screen"), m_pBar);
    m_pFullButton->setObjectName(QStringLiteral("pushButtonFullScreen"));
    connect(m_pFullButton, &QPushButton::clicked, this, &FormVideoPlayer::slot_fullScreen);
    m_pBarLayout->addWidget(m_pFullButton);
    layout->addWidget(m_pBar);

    // Requests arrive as the player's own signals; screens and the device tree relay to them.
    connect(this, &FormVideoPlayer::startPlay, this, &FormVideoPlayer::onStartPlay);
    connect(this, &FormVideoPlayer::doubleClickedPlay, this, &FormVideoPlayer::onDoubleClickedPlay);
    connect(this, QOverload<const QVector<int> &>::of(&FormVideoPlayer::stopPlay), this,
            &FormVideoPlayer::onStopPlayChannels);
    connect(this, QOverload<const QString &>::of(&FormVideoPlayer::stopPlay), this,
            &FormVideoPlayer::onStopPlayUid);
    connect(this, &FormVideoPlayer::changeStream, this, &FormVideoPlayer::onChangeStream);
    connect(this, &FormVideoPlayer::sig_openIOOutput, this,
            [this](int output) { m_nLastIOOutput = output; });
    connect(m_pGrid, &FormPlayer::windowClicked, this, &FormVideoPlayer::onWindowClicked);
    connect(m_pGrid, &FormPlayer::doubleclicked, this, &FormVideoPlayer::doubleclicked);
    connect(m_pGrid, &FormPlayer::sigSelectedLayoutMode, this,
            &FormVideoPlayer::sigSelectedLayoutMode);
    connect(m_pGrid, &FormPlayer::close, this, [this](int index) {
        storeLayout();
        emit close(index);
    });
    connect(m_pGrid, &FormPlayer::closeAll, this, [this]() {
        storeLayout();
        emit closeAll();
    });
    connect(m_pGrid, &FormPlayer::layoutChanged, this, [this]() {
        if (!m_bScreenSignalsDisabled)
            emit wndChanged();
    });
}

FormVideoPlayer::~FormVideoPlayer() = default;

int FormVideoPlayer::windowCountForMode(int mode)
{
    return FormPlayer::windowCountForMode(mode);
}

PREVIEWCONFIGPARAM FormVideoPlayer::layoutRecord(int mode,
                                                 const QVector<QPair<int, int>> &layoutList,
                                                 bool picInPic, const QVector<QString> &positions)
{
    PREVIEWCONFIGPARAM record;
    record.strLayoutName = QStringLiteral("last");
    record.strLayoutId = QStringLiteral("last");
    record.strLayoutMode = QString::number(mode);
    record.vecLayoutList = layoutList;
    record.nPicInPic = picInPic ? 1 : 0;
    record.vecPicInPicPos = positions;
    return record;
}

void FormVideoPlayer::storeLayout()
{
    // The screen holding the player carries the window id.
    for (const QWidget *widget = this; widget; widget = widget->parentWidget()) {
        const QVariant id = widget->property("priviewWinId");
        if (!id.isValid())
            continue;
        BaseHelper::instance()->setEpidemicPreviewConfigParam(
                id.toInt(),
                layoutRecord(m_nLayoutMode, getCurrLayoutList(), m_bPicInPic, m_vecPicInPicPos));
        return;
    }
}

void FormVideoPlayer::setFunctionId(int functionId)
{
    m_nFunctionId = functionId;
}

void FormVideoPlayer::hideSaveButton()
{
    m_bSaveHidden = true;
    m_pSaveButton->hide();
}

QWidget *FormVideoPlayer::getPlayerWidget() const
{
    return m_pGrid;
}

void FormVideoPlayer::openPicInPic(bool open)
{
    m_bPicInPic = open;
    m_pGrid->setPicInPic(m_bPicInPic, m_vecPicInPicPos);
}

void FormVideoPlayer::setPicInPicPos(const QVector<QString> &positions)
{
    m_vecPicInPicPos = positions;
    m_pGrid->setPicInPic(m_bPicInPic, m_vecPicInPicPos);
}

void FormVideoPlayer::playLastLayoutList(int mode, const QVector<QPair<int, int>> &layoutList)
{
    qDebug() << "FormVideoPlayer::playLastLayoutList mode" << mode << "windows"
             << layoutList.size();
    setLayoutMode(mode);
    m_pGrid->clearAll();
    for (const QPair<int, int> &entry : layoutList) {
        if (!playInWindow(entry.first, entry.second, 0))
            qDebug() << "FormVideoPlayer::playLastLayoutList skipped window" << entry.first
                     << "channel" << entry.second;
    }
}

void FormVideoPlayer::setLayoutBtnVisiable(bool visible)
{
    m_bLayoutBtnVisible = visible;
    m_pLayoutButtons->setVisible(visible);
}

void FormVideoPlayer::disableScreenSignalSlots(bool disable)
{
    m_bScreenSignalsDisabled = disable;
}

void FormVideoPlayer::disableSendMousePos(bool disable)
{
    m_bMousePosDisabled = disable;
    m_pGrid->setMouseTracking(!disable);
}

PictureFlow *FormVideoPlayer::createPictureFlow()
{
    if (!m_bPictureFlowAvailable)
        return nullptr;
    if (!m_pPictureFlow) {
        // A child over the video, so it moves with the player (also in full screen) and shows
        // in grabs of the window.
        m_pPictureFlow = new PictureFlow(this);
        m_pPictureFlow->hide();
    }
    return m_pPictureFlow;
}

void FormVideoPlayer::setPictureFlowAvailable(bool available)
{
    m_bPictureFlowAvailable = available;
}

QVector<int> FormVideoPlayer::playingChannels() const
{
    QVector<int> channels;
    for (const FormPlayer::Window &window : m_pGrid->windows())
        channels.append(window.nChannelId);
    return channels;
}

void FormVideoPlayer::releaseResource()
{
    qDebug() << "FormVideoPlayer::releaseResource";
    m_pGrid->clearAll();
    if (m_pPictureFlow) {
        m_pPictureFlow->clear();
        m_pPictureFlow->hide();
    }
}

QVector<QPair<int, int>> FormVideoPlayer::getCurrLayoutList()
{
    return m_pGrid->getCurrLayoutList();
}

int FormVideoPlayer::getCurLayoutMode()
{
    return m_nLayoutMode;
}

int FormVideoPlayer::getPicInPicModel()
{
    return m_bPicInPic ? 1 : 0;
}

QVector<QString> FormVideoPlayer::getPicInPicPos()
{
    return m_vecPicInPicPos;
}

void FormVideoPlayer::replaceNavigationWidget(QWidget *p_pNavigation)
{
    if (m_pNavigation == p_pNavigation)
        return;
    if (m_pNavigation) {
        m_pBarLayout->removeWidget(m_pNavigation);
        m_pNavigation->hide();
    }
    m_pNavigation = p_pNavigation;
    if (p_pNavigation) {
        p_pNavigation->setParent(m_pBar);
        m_pBarLayout->insertWidget(1, p_pNavigation);
        p_pNavigation->show();
    }
}

void FormVideoPlayer::slot_fullScreen()
{
    m_bFullScreen = !m_bFullScreen;
    emit fullScreen(m_bFullScreen);
}

void FormVideoPlayer::setLayoutMode(int mode)
{
    m_nLayoutMode = mode < 0 ? 0 : mode;
    m_pGrid->setLayoutMode(m_nLayoutMode);
}

bool FormVideoPlayer::playInWindow(int index, int channelId, int streamId)
{
    if (index < 0 || index >= m_pGrid->windowCount())
        return false;
    const OrvaneChannel *channel = VornClient::instance()->getChannelById(channelId);
    if (!channel) {
        qDebug() << "FormVideoPlayer::playInWindow unknown channel" << channelId;
        return false;
    }
    FormPlayer::Window window;
    window.nChannelId = channelId;
    window.strChannelUid = channel->get_channel_uid();
    window.strName = channel->get_channel_name();
    window.strStream = VornClient::instance()->getChannelStreamUrl(channelId);
    window.nStreamId = streamId;
    m_pGrid->setWindow(index, window);
    return true;
}

int FormVideoPlayer::windowOfChannel(int channelId) const
{
    const QVector<FormPlayer::Window> &windows = m_pGrid->windows();
    for (int i = 0; i < windows.size(); ++i) {
        if (windows.at(i).nChannelId == channelId)
            return i;
    }
    return -1;
}

void FormVideoPlayer::onStartPlay(const int &streamId, const QVector<int> &channelIds,
                                  const bool &other)
{
    Q_UNUSED(other)
    // Fill free windows from the selected one on; when none is free, replace from there on.
    int cursor = m_pGrid->selectedIndex();
    const int count = m_pGrid->windowCount();
    for (int channelId : channelIds) {
        if (windowOfChannel(channelId) >= 0)
            continue;
        int target = -1;
        for (int step = 0; step < count; ++step) {
            const int index = (cursor + step) % count;
            if (!m_pGrid->windows().at(index).isPlaying()) {
                target = index;
                break;
            }
        }
        if (target < 0)
            target = cursor % count;
        if (playInWindow(target, channelId, streamId))
            cursor = (target + 1) % count;
    }
    storeLayout();
}

void FormVideoPlayer::onDoubleClickedPlay(const int &channelId, const bool &other)
{
    Q_UNUSED(other)
    const int existing = windowOfChannel(channelId);
    if (existing >= 0) {
        m_pGrid->setSelectedIndex(existing);
        return;
    }
    const int index = m_pGrid->selectedIndex();
    if (playInWindow(index, channelId, 0))
        m_pGrid->setSelectedIndex((index + 1) % m_pGrid->windowCount());
    storeLayout();
}

void FormVideoPlayer::onStopPlayChannels(const QVector<int> &channelIds)
{
    for (int channelId : channelIds) {
        const int index = windowOfChannel(channelId);
        if (index >= 0)
            m_pGrid->setWindow(index, FormPlayer::Window());
    }
    storeLayout();
}

void FormVideoPlayer::onStopPlayUid(const QString &uid)
{
    // A channel UID stops that channel; a device UID stops all of the device's channels.
    const QVector<FormPlayer::Window> windows = m_pGrid->windows();
    for (int i = 0; i < windows.size(); ++i) {
        const QString &channelUid = windows.at(i).strChannelUid;
        if (!windows.at(i).isPlaying())
            continue;
        QString deviceUid;
        int channelNo = 0;
        const bool parsed = VornClient::parseChannelUID(channelUid, deviceUid, channelNo);
        if (channelUid == uid || (parsed && deviceUid == uid))
            m_pGrid->setWindow(i, FormPlayer::Window());
    }
    storeLayout();
}

void FormVideoPlayer::onChangeStream(const int &streamId, const int &channelId, const bool &other)
{
    Q_UNUSED(other)
    const int index = windowOfChannel(channelId);
    if (index < 0)
        return;
    FormPlayer::Window window = m_pGrid->windows().at(index);
    window.nStreamId = streamId;
    m_pGrid->setWindow(index, window);
}

void FormVideoPlayer::onWindowClicked(int index)
{
    if (m_bScreenSignalsDisabled)
        return;
    emit winSelected(m_pGrid->windows().value(index).strChannelUid);
}
