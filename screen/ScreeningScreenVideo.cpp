// The video area of the screen: player requests, full screen, the picture carousel, the
// placeholder over the video and the screen picture.
#include "ScreeningScreen.h"

#include "CompareNotifyFilter.h"
#include "FeverValues.h"
#include "NoshowVideoWidget.h"
#include "PictureFlowSlide.h"
#include "SnapComparesMessage.h"
#include "WindowKey.h"

#include "OverTempSnapWidget.h"
#include "TempSnapWidget.h"

#include "BaseHelper.h"
#include "FileDataCacheHelper.h"
#include "FormVideoPlayer.h"
#include "ImageProcessHelper.h"
#include "PictureFlow.h"
#include "VORNClientAIManager.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QScreen>
#include <QTimer>

namespace {
// Geometry of the monitor holding the widget (the primary one before it is shown anywhere).
QRect monitorGeometry(const QWidget *widget)
{
    const QScreen *screen = widget->screen();
    return screen ? screen->geometry() : QRect();
}
} // namespace

QVector<QPair<int, int>> ScreeningScreen::getCurrLayoutList()
{
    return m_form.VideoPlayWidget->getCurrLayoutList();
}

int ScreeningScreen::getCurLayoutMode()
{
    return m_form.VideoPlayWidget->getCurLayoutMode();
}

int ScreeningScreen::getPicInPicModel()
{
    return m_form.VideoPlayWidget->getPicInPicModel();
}

QVector<QString> ScreeningScreen::getPicInPicPos()
{
    return m_form.VideoPlayWidget->getPicInPicPos();
}

void ScreeningScreen::replaceNavigationWidget(QWidget *p_pNavigation)
{
    m_form.VideoPlayWidget->replaceNavigationWidget(p_pNavigation);
}

void ScreeningScreen::slot_fullScreen()
{
    if (isActiveWindow() && isVisible())
        emit fullScreen();
}

void ScreeningScreen::slot_changeStream(int p_nStreamId, int p_nChannelId)
{
    emit changeStream(p_nStreamId, p_nChannelId, false);
}

void ScreeningScreen::slot_startPlay(int p_nStreamId, QVector<int> p_vecChannelId)
{
    emit startPlay(p_nStreamId, p_vecChannelId, false);
    videoLayoutChanged();
}

void ScreeningScreen::slot_doubleClickedPlay(int p_nChannelId)
{
    emit doubleClickedPlay(p_nChannelId, false);
    videoLayoutChanged();
}

void ScreeningScreen::slotSearch(QString url)
{
    ParamMap params;
    params.insert(QStringLiteral("url"), url);
    gotoFunctionCard(FeverValues::FunctionCardSearchByPicture, params);
}

void ScreeningScreen::slot_resizeNoShowVideoWidget()
{
    if (m_pNoshowVideoWidget) {
        const ST_MSGVoiceBroadcastStrategy *strategy = firstStrategy();
        if ((!strategy || strategy->get_display_mode() == 1) && m_bFullScreen)
            m_pNoshowVideoWidget->setGeometry(monitorGeometry(this));
        else
            m_pNoshowVideoWidget->resize(m_form.VideoPlayWidget->getPlayerWidget()->size());
    }
    videoAreaResized();
}

void ScreeningScreen::slotFullScreenButtonClicked(bool fullscreen)
{
    m_bFullScreen = fullscreen;
    FormVideoPlayer *player = m_form.VideoPlayWidget;
    if (m_bScreenSignalsPending) {
        player->disableScreenSignalSlots(false);
        player->disableSendMousePos(false);
    }
    const ST_MSGVoiceBroadcastStrategy *strategy = firstStrategy();
    const int displayMode = strategy ? strategy->get_display_mode() : 1;
    if (!m_bScreenSignalsPending && displayMode == 1) {
        // The player fills the monitor itself; only the placeholder follows it.
        QTimer::singleShot(30, this, &ScreeningScreen::slot_resizeNoShowVideoWidget);
        return;
    }
    m_bScreenSignalsPending = false;

    QWidget *main = m_form.widgetMain;
    if (fullscreen) {
        m_rectSavedGeometry = geometry();
        const QRect monitor = monitorGeometry(main);
        main->setWindowFlags(Qt::WindowFlags(2059)); // Qt::Tool | Qt::FramelessWindowHint
        main->setGeometry(monitor);
    } else {
        main->setParent(this, Qt::WindowFlags());
        main->setGeometry(m_rectSavedGeometry);
        if (m_form.mainLayout->indexOf(main) < 0)
            m_form.mainLayout->addWidget(main);
    }
    main->show();
}

void ScreeningScreen::slot_showSlice()
{
    m_pSlideTimer->stop();
    if (m_pPictureFlow)
        m_pPictureFlow->showSlide(0);
}

void ScreeningScreen::slot_clearPictrueFlow()
{
    m_pPictureFlowClearTimer->stop();
    if (m_pPictureFlow)
        m_pPictureFlow->clear();
}

void ScreeningScreen::applyFirstStrategy()
{
    QWidget *playerWidget = m_form.VideoPlayWidget->getPlayerWidget();
    if (!m_pNoshowVideoWidget && playerWidget) {
        m_pNoshowVideoWidget = new NoshowVideoWidget(playerWidget);
        auto *layout = new QHBoxLayout(playerWidget);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_pNoshowVideoWidget);
    }
    const ST_MSGVoiceBroadcastStrategy *strategy = firstStrategy();
    const int cardSize = strategy ? strategy->get_card_size() : 3;
    if (strategy && m_pNoshowVideoWidget)
        m_pNoshowVideoWidget->setStrategy(*strategy);
    m_form.widgetTempSnap->setCardSize(cardSize);
    m_form.widgetSnap->setCardSize(cardSize);
    cardSizeApplied();
    const bool customPicture = PictureFlowSlide::isCustomPictureMode(strategy);
    if (m_pNoshowVideoWidget)
        m_pNoshowVideoWidget->setVisible(customPicture);
    m_form.VideoPlayWidget->setLayoutBtnVisiable(!customPicture);
    if (!strategy)
        return;
    m_form.widgetTempSnap->setStrategy(*strategy);
    m_form.widgetSnap->setStrategy(*strategy);
}

void ScreeningScreen::restoreVideoLayout()
{
    FormVideoPlayer *player = m_form.VideoPlayWidget;
    const int windowId = screenWindowId(this);
    const PREVIEWCONFIGPARAM saved =
            BaseHelper::instance()->getEpidemicPreviewConfigParam(windowId);
    if (saved.strLayoutId.isEmpty()) {
        player->openPicInPic(true);
        player->playLastLayoutList(0, {});
        return;
    }
    if (saved.nPicInPic == 1) {
        player->openPicInPic(true);
        if (!saved.vecPicInPicPos.isEmpty())
            player->setPicInPicPos(saved.vecPicInPicPos);
    }
    // Text that is no number reads as mode 0, as the host's own reader does.
    const int mode = saved.strLayoutMode.toInt(nullptr, 10);
    if (mode >= 0)
        player->playLastLayoutList(mode, saved.vecLayoutList);
    // Restored once: the next start begins from the default layout unless the user changes it.
    PREVIEWCONFIGPARAM reset = saved;
    reset.strLayoutName.clear();
    reset.strLayoutId.clear();
    reset.strLayoutMode.clear();
    reset.strReserve1.clear();
    reset.strReserve2.clear();
    reset.nReserve1 = 1;
    reset.nReserve2 = -1;
    reset.nPicInPic = 0;
    reset.llReserve = 0;
    reset.bReserve1 = true;
    reset.bReserve2 = true;
    reset.bReserve3 = false;
    reset.nReserve3 = 0;
    if (!BaseHelper::instance()->setEpidemicPreviewConfigParam(windowId, reset))
        qDebug() << logHead("restoreVideoLayout").constData() << "reset of the saved layout failed";
}

void ScreeningScreen::createPictureFlow()
{
    m_pPictureFlow = m_form.VideoPlayWidget->createPictureFlow();
    if (!m_pPictureFlow)
        return;
    m_pPictureFlow->hide();
    m_pPictureFlow->setReflectionEffect(0);
    m_pPictureFlow->setSlideReverse(true);
    QRect area = monitorGeometry(this);
    area.setHeight(area.height() - 150);
    area.moveTop(50);
    m_pPictureFlow->setGeometry(area);
}

void ScreeningScreen::applyDisplayModeAndSlideSize()
{
    const ST_MSGVoiceBroadcastStrategy *strategy = firstStrategy();
    if (!strategy)
        return;
    FormVideoPlayer *player = m_form.VideoPlayWidget;
    if (strategy->get_display_mode() == 2) {
        player->disableScreenSignalSlots(true);
        player->disableSendMousePos(true);
    } else if (strategy->get_display_mode() == 1) {
        if (!m_bFullScreen) {
            player->disableScreenSignalSlots(false);
            player->disableSendMousePos(false);
        } else {
            m_bScreenSignalsPending = true;
        }
    }
    const QSize slideSize = PictureFlowSlide::slideSizeForCard(strategy->get_card_size());
    if (m_pPictureFlow && slideSize.isValid())
        m_pPictureFlow->setSlideSize(slideSize);
}

void ScreeningScreen::showRecordInVideoArea(const SnapComparesMessage &p_objRecord)
{
    const OrvaneSnapTargetSource &source = p_objRecord.snapFaceInfo.snapTargetSource;
    if (m_pNoshowVideoWidget && m_pNoshowVideoWidget->isVisible())
        m_pNoshowVideoWidget->setTemperature(
                VORNClientAIManager::instance()->convertNumberToTemperature(
                        float(source.temperature), true, true),
                source.temperatureState);
}

void ScreeningScreen::addPictureFlowSlide(const SnapComparesMessage &p_objRecord)
{
    const ST_MSGVoiceBroadcastStrategy *strategy = firstStrategy();
    if (!CompareNotifyFilter::showsInPictureFlow(strategy)
        || PictureFlowSlide::isCustomPictureMode(strategy))
        return;
    if (!m_pPictureFlow) {
        qDebug() << logHead("addPictureFlowSlide").constData() << "no picture flow, slide skipped";
        return;
    }
    const OrvaneSnapTargetSource &source = p_objRecord.snapFaceInfo.snapTargetSource;
    QImage face;
    if (!FileDataCacheHelper::tryLoadImageData(source.snapDetailImageURL, face)) {
        qDebug() << logHead("addPictureFlowSlide").constData()
                 << "snapshot picture not in the cache,"
                 << "slide skipped";
        return;
    }
    if (PictureFlowSlide::mosaicsFace(strategy))
        face = ImageProcessHelper::tryFullImageMosaic(face, face.height() / 32);

    const PictureFlowSlide::Style style =
            PictureFlowSlide::style(source.hasTemperature == 1, source.temperatureState);
    PictureFlowSlide::insert(
            m_pPictureFlow,
            PictureFlowSlide::paint(PictureFlowSlide::textsOf(p_objRecord, strategy), style, face,
                                    PictureFlowSlide::framesFace(strategy)));
    m_pPictureFlow->setCenterIndex(1);
    m_pSlideTimer->start(PictureFlowSlide::SlideDelayMs);
    m_pPictureFlowClearTimer->start(PictureFlowSlide::ClearDelayMs);
}

void ScreeningScreen::autoFullScreen()
{
    if (m_vecStrategies.empty())
        return;
    if (m_vecStrategies.front().auto_full_screen == FeverValues::SwitchOn && !m_bFullScreen
        && isActiveWindow() && isVisible())
        emit fullScreen();
}
