#include "TempSnapItem.h"
#include "ui_TempSnapItem.h"

#include "FeverValues.h"
#include "TempSnapRules.h"

#include "AppConfigHelper.h"
#include "AppLanguageTr.h"
#include "AppStyleHelper.h"
#include "AppTranslationHelper.h"
#include "BaseHelper.h"
#include "ImageProcessHelper.h"
#include "LogText.h"
#include "System.h"
#include "TemperatureReading.h"
#include "VORNClientAIManager.h"
#include "VornClient.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDebug>
#include <QFileDialog>
#include <QImage>
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QResizeEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace {

TempSnapItem::SaveFileNameAsker &saveFileNameAsker()
{
    static TempSnapItem::SaveFileNameAsker asker;
    return asker;
}

// Style sheets are re-parsed on every assignment; most resizes leave them unchanged.
void setStyleSheetIfChanged(QWidget *widget, const QString &styleSheet)
{
    if (widget->styleSheet() != styleSheet)
        widget->setStyleSheet(styleSheet);
}

} // namespace

TempSnapItem::TempSnapItem(const SnapComparesMessage &p_objRecord, QWidget *parent, int p_nWidth,
                           int p_nHeight,
                           const OrvaneAiCompareVoiceBroadcastStrategy &p_objStrategy)
    : TempSnapItem(p_objRecord, parent, p_nWidth, p_nHeight, p_objStrategy,
                   AppConfigHelper::instance()->getOEMConfig().nPreviewScreenType == 1)
{
}

TempSnapItem::TempSnapItem(const SnapComparesMessage &p_objRecord, QWidget *parent, int p_nWidth,
                           int p_nHeight,
                           const OrvaneAiCompareVoiceBroadcastStrategy &p_objStrategy,
                           bool p_bAlternateStyle)
    : BaseWidget(parent)
    , m_ui(std::make_unique<Ui::TempSnapItem>())
    , m_objRecord(p_objRecord)
    , m_nWidth(p_nWidth)
    , m_nHeight(p_nHeight)
    , m_objStrategy(p_objStrategy)
{
    const OrvaneSnapTargetSource &source = m_objRecord.snapFaceInfo.snapTargetSource;

    m_ui->setupUi(this);
    m_pMenu = new QMenu(this);
    m_pSaveAction = new QAction(AppLanguageTr::translate(QStringLiteral("TK_SaveAs")), this);
    connect(m_pSaveAction, &QAction::triggered, this, &TempSnapItem::slot_savePic);
    m_ui->labelImage->installEventFilter(this);

    m_pBorderWidget = new QWidget(m_ui->labelImage);
    m_pBorderWidget->setObjectName(QStringLiteral("widgetBorder"));
    auto *borderLayout = new QVBoxLayout(m_ui->labelImage);
    borderLayout->setContentsMargins(0, 0, 0, 0);
    borderLayout->addWidget(m_pBorderWidget);
    m_pBorderWidget->hide();

    auto *aiManager = VORNClientAIManager::instance();
    const float temperature = TemperatureReading::toFloat(source.temperature);
    m_strTempWithUnit = aiManager->convertNumberToTemperature(temperature, true, true);
    m_ui->labelTemp->setText(m_strTempWithUnit);
    m_strTemp = aiManager->convertNumberToTemperature(temperature, false, true);

    m_nTemperatureState = source.temperatureState;
    m_bAlternateStyle = p_bAlternateStyle;
    m_strStateColor = TempSnapRules::stateColour(m_nTemperatureState, m_bAlternateStyle);
    const QString cardSheet = TempSnapRules::cardStyleSheet(m_nTemperatureState, m_bAlternateStyle);
    if (!cardSheet.isEmpty())
        setStyleSheet(cardSheet);

    m_strTime = source.snapTime.right(8);
    m_ui->labelTime->setText(m_strTime);

    applyNameAndPicture(true, true);

    m_ui->labelDeviceName->setText(
            VornClient::instance()->getDevNameByChannelUID(source.channelUID));

    if (m_objRecord.snapFaceInfo.maskStatus == FeverValues::MaskStatusNone) {
        m_pMaskLabel = new QLabel(this);
        m_pMaskLabel->setObjectName(QStringLiteral("labelNoMask"));
        m_pMaskLabel->setScaledContents(true);
        loadMaskBadge();
        m_pMaskLabel->adjustSize();
        m_nMaskWidth = m_pMaskLabel->width();
        m_nMaskHeight = m_pMaskLabel->height();
        m_pMaskLabel->move(m_nWidth - m_nMaskWidth - 17, m_nHeight - m_nMaskHeight - 5);
    }

    if (m_objRecord.bAnnounce) {
        m_pSendTimer = new QTimer(this);
        m_pSendTimer->setSingleShot(true);
        // A coarse timer may fire a little early; the announcement must never come before 100 ms.
        m_pSendTimer->setTimerType(Qt::PreciseTimer);
        connect(m_pSendTimer, &QTimer::timeout, this, &TempSnapItem::slot_sendTempInfo);
        m_pSendTimer->start(SendTempInfoDelayMs);
    }

    m_nCreateTime = static_cast<uint>(System::getSecondCount());
    AppStyleHelper::updateWidgetStyle(m_ui->line, AppStyleHelper::StyleSeparatorLine);
}

TempSnapItem::~TempSnapItem() = default;

void TempSnapItem::applyNameAndPicture(bool p_bConsultArchiveName, bool p_bHideNegative)
{
    const OrvaneSnapTargetSource &source = m_objRecord.snapFaceInfo.snapTargetSource;
    const CompareInfo &match = m_objRecord.compareInfo;

    const TempSnapRules::NameText name =
            TempSnapRules::nameText(source.compareResult, match.archiveImage.archiveId,
                                    match.archive.get_name(), m_objStrategy, p_bConsultArchiveName);
    m_ui->labelName->setText(name.label);
    // Only the construction decides what is announced; a new strategy changes the card alone.
    if (p_bConsultArchiveName)
        m_strName = name.name;

    if (TempSnapRules::pictureTreatment(m_objStrategy) == TempSnapRules::PictureTreatment::Mosaic) {
        m_pBorderWidget->setStyleSheet(TempSnapRules::borderStyleSheet(m_strStateColor));
        m_pBorderWidget->show();
    }

    m_ui->labelTemp->setText(TempSnapRules::temperatureText(
            m_objStrategy.get_thermometry_result(), m_nTemperatureState, m_strTempWithUnit,
            TemperatureReading::toFloat(source.temperature), p_bHideNegative));

    setPicUrl(TempSnapRules::pictureSource(source.snapDetailImageURL, m_nTemperatureState,
                                           m_objStrategy));
}

bool TempSnapItem::setPicUrl(const QString &url)
{
    QImage image;
    if (!m_objCacheGroup.findImageData(url, image)) {
        qDebug().noquote() << " TempSnapItem::setPicUrl" << LogText::quoted(url) << "canot load";
        return false;
    }
    if (TempSnapRules::pictureTreatment(m_objStrategy) == TempSnapRules::PictureTreatment::Mosaic)
        image = ImageProcessHelper::tryFullImageMosaic(
                image, TempSnapRules::mosaicBlockSize(image.height()));

    const QSize size = TempSnapRules::pictureSize(m_nHeight);
    const QImage scaled = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    m_ui->labelImage->setPixmap(QPixmap::fromImage(scaled));
    m_ui->labelImage->setFixedSize(size);
    return true;
}

void TempSnapItem::setStrategy(const OrvaneAiCompareVoiceBroadcastStrategy &p_objStrategy)
{
    m_objStrategy = p_objStrategy;
    m_pBorderWidget->hide();
    applyNameAndPicture(false, false);
}

void TempSnapItem::setSizeMode(int p_nSizeMode)
{
    m_nSizeMode = p_nSizeMode;
}

bool TempSnapItem::isOverTemp() const
{
    return FeverValues::isOverTemperature(m_nTemperatureState);
}

void TempSnapItem::setSaveFileNameAsker(SaveFileNameAsker asker)
{
    saveFileNameAsker() = std::move(asker);
}

void TempSnapItem::loadMaskBadge()
{
    const QString path =
            TempSnapRules::noMaskBadgePath(AppTranslationHelper::instance()->currentLanguage());
    QImage badge;
    if (m_objCacheGroup.findImageData(path, badge))
        m_pMaskLabel->setPixmap(QPixmap::fromImage(badge));
    else
        qDebug().noquote() << "TempSnapItem::loadMaskBadge cannot load" << LogText::quoted(path);
}

void TempSnapItem::retranslateUi()
{
    if (m_pMaskLabel)
        loadMaskBadge();
}

bool TempSnapItem::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui->labelImage && event->type() == QEvent::ContextMenu
        && TempSnapRules::saveOffered(m_objStrategy)) {
        m_pMenu->clear();
        m_pMenu->addAction(m_pSaveAction);
        const QPointer<TempSnapItem> guard(this);
        m_pMenu->exec(QCursor::pos());
        if (!guard)
            return true; // removed from the strip while the menu was open
        event->accept();
    }
    return BaseWidget::eventFilter(watched, event);
}

void TempSnapItem::resizeEvent(QResizeEvent *event)
{
    const TempSnapRules::SizeStyle style = TempSnapRules::sizeStyle(m_nSizeMode);
    const QString colourPart =
            TempSnapRules::smallLabelColour(m_nTemperatureState, m_bAlternateStyle);
    const QString smallSheet = TempSnapRules::smallLabelStyleSheet(style.nTextPx, colourPart);
    setStyleSheetIfChanged(m_ui->labelTime, smallSheet);
    setStyleSheetIfChanged(m_ui->labelName, smallSheet);
    setStyleSheetIfChanged(m_ui->labelDeviceName, smallSheet);
    setStyleSheetIfChanged(m_ui->labelTemp,
                           TempSnapRules::tempLabelStyleSheet(style.nTempPx, m_strStateColor));

    const QSize size = event->size();
    m_ui->labelImage->setFixedSize(TempSnapRules::pictureSize(size.height()));
    m_nWidth = size.width();
    m_nHeight = size.height();

    if (m_pMaskLabel) {
        const QRect badge = TempSnapRules::badgeGeometry(m_nWidth, m_nHeight, m_nMaskWidth,
                                                         m_nMaskHeight, style.fBadgeScale);
        m_pMaskLabel->setFixedSize(badge.size());
        m_pMaskLabel->move(badge.topLeft());
    }
    BaseWidget::resizeEvent(event);
}

void TempSnapItem::showEvent(QShowEvent *event)
{
    BaseWidget::showEvent(event);
}

void TempSnapItem::slot_sendTempInfo()
{
    if (!TempSnapRules::sendsTempInfo(m_strTemp))
        return;
    emit sendTempInfo(m_strName, m_strTemp, m_nTemperatureState, m_strTime,
                      m_objRecord.compareInfo.archiveImage.archiveGroupId,
                      m_objRecord.snapFaceInfo.maskStatus);
}

void TempSnapItem::slot_savePic()
{
    const QString url = m_objRecord.snapFaceInfo.snapTargetSource.snapDetailImageURL;
    const QString suggested =
            TempSnapRules::suggestedSavePath(BaseHelper::instance()->getMouseRightSavePath(), url);
    const QString caption = AppLanguageTr::translate(QStringLiteral("TK_SaveFile"));
    const QString filter = QStringLiteral("*.jpg *.bmp *.png");

    const QPointer<TempSnapItem> guard(this);
    QString chosen = saveFileNameAsker()
                             ? saveFileNameAsker()(this, caption, suggested, filter)
                             : QFileDialog::getSaveFileName(this, caption, suggested, filter);
    if (!guard)
        return;
    chosen.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (chosen.isEmpty())
        return;

    QImage image;
    if (!m_objCacheGroup.findImageData(url, image)) {
        qDebug().noquote() << " TempSnapItem::slot_savePic failed save !" << LogText::quoted(url)
                           << "canot load";
        return;
    }
    if (!image.save(chosen)) {
        // Remembering a folder that could not be written to would propose it again next time.
        qDebug().noquote() << "TempSnapItem::slot_savePic cannot write" << LogText::quoted(chosen);
        return;
    }
    BaseHelper::instance()->setMouseRightSavePath(TempSnapRules::folderToRemember(chosen));
}
