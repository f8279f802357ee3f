// The video area of the screen: player requests, full screen, the picture carousel, the
// placeholder over the video and the screen picture.
#include "EpidemicPreview.h"
#include "ui_EpidemicPreview.h"

#include "FeverValues.h"

#include "FormVideoPlayer.h"
#include "PictureFlow.h"

#include <QTimer>

QVector<QPair<int, int>> EpidemicPreview::getCurrLayoutList()
{
    return m_ui->VideoPlayWidget->getCurrLayoutList();
}

int EpidemicPreview::getCurLayoutMode()
{
    return m_ui->VideoPlayWidget->getCurLayoutMode();
}

int EpidemicPreview::getPicInPicModel()
{
    return m_ui->VideoPlayWidget->getPicInPicModel();
}

QVector<QString> EpidemicPreview::getPicInPicPos()
{
    return m_ui->VideoPlayWidget->getPicInPicPos();
}

void EpidemicPreview::replaceNavigationWidget(QWidget *p_pNavigation)
{
    m_ui->VideoPlayWidget->replaceNavigationWidget(p_pNavigation);
}

void EpidemicPreview::slot_fullScreen()
{
    if (isActiveWindow() && isVisible())
        emit fullScreen();
}

void EpidemicPreview::slot_changeStream(int p_nStreamId, int p_nChannelId)
{
    emit changeStream(p_nStreamId, p_nChannelId, false);
}

void EpidemicPreview::slot_startPlay(int p_nStreamId, QVector<int> p_vecChannelId)
{
    emit startPlay(p_nStreamId, p_vecChannelId, false);
}

void EpidemicPreview::slot_doubleClickedPlay(int p_nChannelId)
{
    emit doubleClickedPlay(p_nChannelId, false);
}

void EpidemicPreview::slotSearch(QString url)
{
    ParamMap params;
    params.insert(QStringLiteral("url"), url);
    gotoFunctionCard(FeverValues::FunctionCardSearchByPicture, params);
}

void EpidemicPreview::slot_resizeNoShowVideoWidget()
{
    if (!m_pNoshowVideoWidget)
        return;
    // Fitting the placeholder to the player or the monitor arrives with the video area.
}

void EpidemicPreview::slotFullScreenButtonClicked(bool fullscreen)
{
    // Detaching the video area to full screen arrives with the video area.
    Q_UNUSED(fullscreen)
}

void EpidemicPreview::slot_showSlice()
{
    m_pSlideTimer->stop();
    if (m_pPictureFlow)
        m_pPictureFlow->showSlide(0);
}

void EpidemicPreview::slot_clearPictrueFlow()
{
    m_pPictureFlowClearTimer->stop();
    if (m_pPictureFlow)
        m_pPictureFlow->clear();
}

void EpidemicPreview::applyFirstStrategy()
{
    // The placeholder over the video and the custom picture mode arrive with the video area;
    // the card lists take the window's card size and display strategy now.
    const int cardSize = m_vecStrategies.empty() ? 3 : m_vecStrategies.front().get_card_size();
    m_ui->widgetTempSnap->setCardSize(cardSize);
    m_ui->widgetSnap->setCardSize(cardSize);
    if (m_vecStrategies.empty())
        return;
    m_ui->widgetTempSnap->setStrategy(m_vecStrategies.front());
    m_ui->widgetSnap->setStrategy(m_vecStrategies.front());
}

void EpidemicPreview::restoreVideoLayout()
{
    // Replaying the saved video layout arrives with the video area.
}

void EpidemicPreview::createPictureFlow()
{
    // The snapshot carousel arrives with the video area.
}

void EpidemicPreview::applyDisplayModeAndSlideSize()
{
    // Display mode and slide size arrive with the video area.
}

void EpidemicPreview::applyScreenPicture()
{
    // The custom screen picture arrives with the screen-picture panel.
}

void EpidemicPreview::autoFullScreen()
{
    if (m_vecStrategies.empty())
        return;
    if (m_vecStrategies.front().auto_full_screen == FeverValues::SwitchOn && !m_bFullScreen
        && isActiveWindow() && isVisible())
        emit fullScreen();
}
