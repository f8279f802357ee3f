#include "TempScreeningSW02.h"
#include "ui_TempScreeningSW02.h"

#include "AccessOverlayRules.h"
#include "AlternateScreenRules.h"
#include "SnapComparesMessage.h"
#include "SnapHeadWidget.h"
#include "TempSnapRules.h"

#include "AppLanguageTr.h"
#include "AppStyleHelper.h"
#include "FileDataCacheHelper.h"
#include "FormPlayer.h"
#include "ImageProcessHelper.h"

#include <QDebug>
#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>

namespace {

// The key under which a face keeps the snapshot as it came; the image mode derives the shown
// picture from it.
constexpr int SnapshotImageKey = 3;
constexpr int MaxOverlayId = 1 << 20;

} // namespace

TempScreeningSW02::TempScreeningSW02(QWidget *parent)
    : ScreeningScreen(parent)
    , m_ui(std::make_unique<Ui::TempScreeningSW02>())
{
    m_ui->setupUi(this);
    ScreenForm form = ScreenForm::fromCommonNames(*m_ui);
    form.mainLayout = m_ui->verticalLayout_4;
    form.widgetLeft = m_ui->widgetLeft;
    form.leftSideBarButton = m_ui->pbLeft;
    form.snapSideBarButton = m_ui->pbRight;
    setForm(form);
    // Everything else waits for the first show (initForm).
}

TempScreeningSW02::~TempScreeningSW02() = default;

void TempScreeningSW02::initForm()
{
    setUpVideoAndDevices();

    setStatedProperty(m_ui->pushButtonSound, "open");
    setStatedProperty(m_ui->pbLeft, "hide");
    // The snapshot panel starts collapsed.
    toggleSnapPanel();
    auto *shadow = new QGraphicsDropShadowEffect(m_ui->widgetLeft);
    shadow->setBlurRadius(4.0);
    shadow->setColor(QColor(0, 0, 0, 50));
    shadow->setOffset(4.0, 4.0);
    m_ui->widgetLeft->setGraphicsEffect(shadow);
    AppStyleHelper::updateWidgetStyle(m_ui->line, 14);
    AppStyleHelper::updateWidgetStyle(m_ui->line_2, 14);

    retranslateUi();

    connectScreen();
    connect(m_ui->widgetCircle, &SnapStatisticWidget::sigSetStatisticsNum, this,
            &TempScreeningSW02::showRatios);
    FormVideoPlayer *player = m_ui->VideoPlayWidget;
    connect(player, &FormVideoPlayer::doubleclicked, this,
            &TempScreeningSW02::applyOverlayVisibility);
    connect(player, &FormVideoPlayer::sigSelectedLayoutMode, this,
            &TempScreeningSW02::applyOverlayVisibility);
    connect(player, &FormVideoPlayer::close, this, &TempScreeningSW02::hideOverlays);
    connect(player, &FormVideoPlayer::closeAll, this, &TempScreeningSW02::hideOverlays);

    emit m_ui->widgetCircle->sigSetStatisticsType(Healthy);
    m_ui->widgetCircle_2->slotSetStatisticsType(Warm);

    connectFaultHandling();
}

void TempScreeningSW02::retranslateUi()
{
    const auto tr = [](const char *key) { return AppLanguageTr::translate(QLatin1String(key)); };
    m_ui->labelDataStatistics->setText(tr("TK_TempStatistics"));
    m_ui->labelDeviceList->setText(tr("TK_DeviceList"));
    m_ui->labelMeasureTemp->setText(tr("TK_MeasureTempRecord"));
    m_ui->labelHealthyTemp->setText(tr("TK_HealthyTemp"));
    m_ui->labelHealthyTip->setText(tr("TK_HealthyEntered"));
    m_ui->labelOverTemp->setText(tr("TK_OverTemp"));
    m_ui->labelOverTip->setText(tr("TK_Suspected"));
    m_ui->tabWidgetTemp->setTabText(0, tr("TK_TrackingTimeLine"));
    m_ui->tabWidgetTemp->setTabText(1, tr("TK_OverTempSnap"));
    m_ui->pushButtonFilter->setToolTip(tr("TK_Filter"));
    m_ui->pushButtonSound->setToolTip(tr("TK_Sound"));
    m_ui->pushButtonConfig->setToolTip(tr("TK_Set"));
    if (isInitialised())
        applyOrgaSelection();
    for (const OverlayGroup &group : qAsConst(m_mapOverlays)) {
        if (group.text)
            group.text->setText(AppLanguageTr::translate(
                    AccessOverlayRules::bannerTextKey(group.text->property("bOver").toBool())));
    }
}

void TempScreeningSW02::resizeEvent(QResizeEvent *event)
{
    ScreeningScreen::resizeEvent(event);
    m_ui->wgtWarm->resize(m_ui->wgtHealthy->size());
    if (layout())
        layout()->update();
    rescaleOverlays(m_ui->VideoPlayWidget);
}

void TempScreeningSW02::on_pbExpend_clicked()
{
    m_ui->pageDevice->setVisible(m_ui->pageDevice->isHidden());
}

void TempScreeningSW02::on_pbClose_clicked()
{
    toggleLeftPanel();
}

void TempScreeningSW02::prepareFirstShow()
{
    initForm();
}

void TempScreeningSW02::cardSizeApplied()
{
    m_ui->tabWidgetTemp->setMaximumHeight(m_ui->widgetSnap->maximumHeight());
    applyImageMode();
}

void TempScreeningSW02::orgaApplied(int p_nOrgaId)
{
    m_ui->widgetLine->addOrgaId(p_nOrgaId);
    m_ui->widgetLine->refreshChart();
}

void TempScreeningSW02::snapRecordShown(const SnapComparesMessage &p_objRecord)
{
    addSnapImage(p_objRecord);
    applyImageMode();
}

void TempScreeningSW02::videoLayoutChanged()
{
    applyOverlayVisibility();
}

void TempScreeningSW02::videoAreaResized()
{
    QWidget *parent = overlayParent();
    rescaleOverlays(parent);
    for (const OverlayGroup &group : qAsConst(m_mapOverlays)) {
        for (QWidget *widget : {static_cast<QWidget *>(group.face), group.banner.data()}) {
            if (widget && widget->parentWidget() != parent)
                widget->setParent(parent);
        }
    }
    applyOverlayVisibility();
}

void TempScreeningSW02::showLeftPanelCollapsed(bool p_bCollapsed)
{
    setStatedProperty(m_ui->pbLeft, p_bCollapsed ? "show" : "hide");
    m_ui->widgetLeft->setVisible(!p_bCollapsed);
}

void TempScreeningSW02::showSnapPanelCollapsed(bool p_bCollapsed)
{
    setStatedProperty(m_ui->pbRight, p_bCollapsed ? "show" : "hide");
    m_ui->widgetSnapFace->setVisible(!p_bCollapsed);
}

QRect TempScreeningSW02::orgaPopupGeometry() const
{
    // Right under the organisation button, as wide as the left panel.
    const QWidget *left = m_ui->widgetLeft;
    const QPushButton *button = m_ui->pushButtonOrgaGroup;
    const QPoint corner(left->x(), left->y() + button->y() + button->height());
    const QPoint global = left->parentWidget() ? left->parentWidget()->mapToGlobal(corner) : corner;
    return QRect(global, QSize(left->width(), m_ui->widgetCircle->height() / 2));
}

void TempScreeningSW02::showRatios(int p_nTotal, int p_nOverTemp)
{
    m_ui->widgetCircle_2->setStatisticsNum(p_nTotal, p_nOverTemp, 0);
    const AlternateScreenRules::RatioTexts texts =
            AlternateScreenRules::ratioTexts(p_nTotal, p_nOverTemp);
    m_ui->labelHealthyRatio->setText(texts.strHealthy);
    m_ui->labelWarnRatio->setText(texts.strWarm);
}

void TempScreeningSW02::addSnapImage(const SnapComparesMessage &p_objRecord)
{
    const OrvaneSnapTargetSource &source = p_objRecord.snapFaceInfo.snapTargetSource;
    QImage picture;
    if (!FileDataCacheHelper::tryLoadImageData(source.snapDetailImageURL, picture)) {
        qCritical() << logHead("addSnapImage").constData() << source.snapDetailImageURL
                    << " canot load";
        return;
    }
    QWidget *parent = overlayParent();
    const float k = AccessOverlayRules::scale(parent->height());

    // Ids only need to differ from the two groups alive; wrapping keeps them from overflowing.
    const int id = m_nNextOverlayId;
    m_nNextOverlayId = (m_nNextOverlayId + 1) % MaxOverlayId;
    const AccessOverlayGroups::Admission admission = m_objOverlayOrder.add(id);
    for (int dropped : admission.vecDropped)
        deleteGroup(dropped);
    if (admission.nMovedDown != AccessOverlayGroups::NoGroup) {
        const OverlayGroup &moved = m_mapOverlays[admission.nMovedDown];
        if (moved.face) {
            moved.face->move(AccessOverlayRules::movedDown(moved.face->geometry(), k));
            placeBanner(moved, k);
        }
    }

    OverlayGroup group;
    group.face = new SnapHeadWidget(parent);
    group.face->raise();
    group.face->setState(source.temperatureState);
    group.face->setImage(picture, SnapshotImageKey);
    group.face->setGeometry(AccessOverlayRules::faceGeometry(k, 0, 0));
    connect(group.face, &SnapHeadWidget::sigDestory, this, &TempScreeningSW02::removeOldestGroup);
    buildBanner(group, source.temperatureState, k, parent);
    m_mapOverlays.insert(id, group);
    applyOverlayVisibility();
}

void TempScreeningSW02::buildBanner(OverlayGroup &p_objGroup, int p_nTempState, float k,
                                    QWidget *p_pParent)
{
    const AccessOverlayRules::Banner look = AccessOverlayRules::banner(p_nTempState);
    p_objGroup.banner = new QWidget(p_pParent);
    p_objGroup.banner->raise();
    p_objGroup.banner->setStyleSheet(AccessOverlayRules::bannerStyleSheet(look.strColor));
    auto *row = new QHBoxLayout(p_objGroup.banner);
    row->setSpacing(0);
    row->setContentsMargins(0, 0, 5, 0);

    p_objGroup.text = new QLabel(p_objGroup.banner);
    p_objGroup.text->setTextFormat(Qt::PlainText);
    p_objGroup.text->setText(AppLanguageTr::translate(look.strTextKey));
    p_objGroup.text->setProperty("bOver", look.bOver);
    p_objGroup.text->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    p_objGroup.text->setAlignment(Qt::AlignCenter);
    row->addWidget(p_objGroup.text);

    p_objGroup.icon = new QLabel(p_objGroup.banner);
    p_objGroup.icon->setScaledContents(true);
    p_objGroup.icon->setPixmap(QPixmap(look.strIconPath));
    row->addWidget(p_objGroup.icon);

    placeBanner(p_objGroup, k);
}

void TempScreeningSW02::placeBanner(const OverlayGroup &p_objGroup, float k)
{
    if (!p_objGroup.face || !p_objGroup.banner)
        return;
    p_objGroup.banner->setGeometry(
            AccessOverlayRules::bannerGeometry(k, p_objGroup.face->geometry()));
    if (p_objGroup.text)
        p_objGroup.text->setStyleSheet(AccessOverlayRules::textStyleSheet(k));
    if (p_objGroup.icon)
        p_objGroup.icon->setMaximumSize(
                AccessOverlayRules::iconMaximumSize(p_objGroup.banner->height()));
}

void TempScreeningSW02::deleteGroup(int p_nId)
{
    const OverlayGroup group = m_mapOverlays.take(p_nId);
    // A face ends its group from its own signal: deleted once that returns.
    for (QWidget *widget : {static_cast<QWidget *>(group.face), group.banner.data()}) {
        if (widget) {
            widget->hide();
            widget->deleteLater();
        }
    }
}

void TempScreeningSW02::removeOldestGroup()
{
    const int oldest = m_objOverlayOrder.removeOldest();
    if (oldest != AccessOverlayGroups::NoGroup)
        deleteGroup(oldest);
}

QWidget *TempScreeningSW02::overlayParent() const
{
    const ST_MSGVoiceBroadcastStrategy *strategy = firstStrategy();
    QWidget *playerWidget = m_ui->VideoPlayWidget->getPlayerWidget();
    if (playerWidget
        && AlternateScreenRules::overlaysOnPlayerWidget(strategy != nullptr,
                                                        strategy ? strategy->get_display_mode() : 0,
                                                        isFullScreen(), placeholder() != nullptr))
        return playerWidget;
    return m_ui->VideoPlayWidget;
}

void TempScreeningSW02::applyOverlayVisibility()
{
    const auto *player = qobject_cast<const FormPlayer *>(m_ui->VideoPlayWidget->getPlayerWidget());
    setOverlaysVisible(AlternateScreenRules::overlaysVisible(
            player != nullptr, !player || player->getCurrLayoutList().isEmpty(),
            player ? player->getCurLayoutMode() : 0, player && player->hasWinBig()));
}

void TempScreeningSW02::hideOverlays()
{
    setOverlaysVisible(false);
}

void TempScreeningSW02::setOverlaysVisible(bool p_bVisible)
{
    for (const OverlayGroup &group : qAsConst(m_mapOverlays)) {
        if (group.face)
            group.face->setVisible(p_bVisible);
        if (group.banner)
            group.banner->setVisible(p_bVisible);
    }
}

void TempScreeningSW02::applyImageMode()
{
    const ST_MSGVoiceBroadcastStrategy *strategy = firstStrategy();
    const int displayMode = strategy ? strategy->get_image_display_mode() : 0;
    const int handle = strategy ? strategy->get_snap_image_handle() : 0;
    const AlternateScreenRules::FacePicture treatment =
            AlternateScreenRules::facePicture(displayMode, handle);
    for (const OverlayGroup &group : qAsConst(m_mapOverlays)) {
        if (!group.face)
            continue;
        QImage picture = group.face->image(SnapshotImageKey);
        if (treatment == AlternateScreenRules::FacePicture::Placeholder)
            picture = QImage(TempSnapRules::placeholderPicture(group.face->state()));
        else if (treatment == AlternateScreenRules::FacePicture::Mosaic)
            picture = ImageProcessHelper::tryFullImageMosaic(
                    picture, AlternateScreenRules::mosaicBlock(picture.height()));
        group.face->setImage(picture, handle);
    }
}

void TempScreeningSW02::rescaleOverlays(QWidget *p_pScaleFrom)
{
    const float k = AccessOverlayRules::scale(p_pScaleFrom->height());
    int firstFaceHeight = 0;
    const QVector<int> &ids = m_objOverlayOrder.ids();
    for (int i = 0; i < ids.size(); ++i) {
        const OverlayGroup group = m_mapOverlays.value(ids.at(i));
        if (!group.face)
            continue;
        const QRect face = AccessOverlayRules::faceGeometry(k, i, firstFaceHeight);
        group.face->setGeometry(face);
        if (i == 0)
            firstFaceHeight = face.height();
        placeBanner(group, k);
    }
}
