#include "OverTempSnapItem.h"
#include "ui_OverTempSnapItem.h"

#include "FeverValues.h"
#include "OverTempHandleWidget.h"
#include "OverTempRules.h"
#include "TemperatureReading.h"

#include "AppConfigHelper.h"
#include "AppStyleHelper.h"
#include "Piclab.h"
#include "QssFormatHelper.h"
#include "System.h"
#include "VORNClientAIManager.h"
#include "VornClient.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>
#include <QStyleOption>

QPointer<OverTempSnapItem> OverTempSnapItem::s_pPopOwner;

OverTempSnapItem::OverTempSnapItem(QWidget *parent)
    : BaseWidget(parent)
    , m_ui(std::make_unique<Ui::OverTempSnapItem>())
{
    m_ui->setupUi(this);
    initForm();
    m_nCreateTime = static_cast<uint>(System::getSecondCount());
}

OverTempSnapItem::~OverTempSnapItem()
{
    if (s_pPopOwner == this)
        s_pPopOwner.clear();
}

OverTempSnapItem *OverTempSnapItem::popOwner()
{
    return s_pPopOwner.data();
}

void OverTempSnapItem::initForm()
{
    m_bAlternateStyle = AppConfigHelper::instance()->getOEMConfig().nPreviewScreenType == 1;

    Piclab *picture = m_ui->PicWidget;
    picture->setOpenSearch(false);
    picture->setType(10);
    picture->setPicScaledContents(true);
    picture->installEventFilter(this);
    installEventFilter(this);

    m_pNewLabel = new QLabel(picture);
    m_pNewLabel->setObjectName(QStringLiteral("labelNew"));
    if (m_bAlternateStyle)
        m_pNewLabel->setStyleSheet(QStringLiteral("background-color: transparent"));
    m_pNewLabel->installEventFilter(this);
    m_pNewLabel->setAlignment(Qt::AlignCenter);
    m_pNewLabel->setFixedSize(50, 30);
    m_pNewLabel->hide();

    m_pBorderWidget = new QWidget(this);
    m_pBorderWidget->setObjectName(QStringLiteral("widgetBorder"));
    m_pBorderWidget->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_pBorderWidget->hide();

    m_pHandleWidget = new OverTempHandleWidget(picture);
    m_pHandleWidget->hide();
    connect(m_pHandleWidget, &OverTempHandleWidget::signalOpreatePerson, this,
            &OverTempSnapItem::signalOpreatePerson);
    connect(m_pHandleWidget, &OverTempHandleWidget::signalEdit, this,
            &OverTempSnapItem::signalTemperature);
    connect(m_pHandleWidget, &OverTempHandleWidget::signalSearch, this,
            &OverTempSnapItem::signalSearch);
    connect(m_pHandleWidget, &OverTempHandleWidget::signalVisible, this,
            &OverTempSnapItem::slot_handlePop);

    m_pDeviceNameLabel = new QLabel(picture);
    m_pDeviceNameLabel->setObjectName(QStringLiteral("labelDeviceNameBar"));
    m_pDeviceNameLabel->installEventFilter(this);
    m_pDeviceNameLabel->hide();

    m_ui->labelTemp->setAlignment(Qt::AlignCenter);
    if (m_bAlternateStyle)
        m_ui->labelTemp->setStyleSheet(QStringLiteral("color: #ee7d6f"));

    m_objCreationTime = QDateTime::currentDateTime();
}

Piclab *OverTempSnapItem::picWidget() const
{
    return m_ui->PicWidget;
}

QString OverTempSnapItem::picUrl() const
{
    return m_ui->PicWidget->getPicurl();
}

void OverTempSnapItem::setSnapSource(const OrvaneSnapTargetSource &p_objSource)
{
    m_objSnapSource = p_objSource;
}

void OverTempSnapItem::setStrategy(const OrvaneAiCompareVoiceBroadcastStrategy &p_objStrategy)
{
    m_objStrategy = p_objStrategy;
    const QString textWithUnit = VORNClientAIManager::instance()->convertNumberToTemperature(
            TemperatureReading::toFloat(m_objSnapSource.temperature), true, true);
    m_ui->labelTemp->setAlignment(Qt::AlignCenter);
    m_ui->labelTemp->setText(textWithUnit);

    Piclab *picture = m_ui->PicWidget;
    m_pBorderWidget->hide();
    picture->m_bProtectedPic = false;

    const OverTempRules::Picture shown = OverTempRules::picture(
            m_objSnapSource.snapDetailImageURL, m_objSnapSource.temperatureState, m_objStrategy);
    picture->m_bProtectedPic = shown.bProtected;
    if (shown.bMosaic) {
        // Whatever the card's state, a pixelated face is framed in the over-temperature colour.
        m_pBorderWidget->setStyleSheet(
                QStringLiteral("QWidget{border:5px  solid %1; background-color: transparent;}")
                        .arg(QssFormatHelper::findColorStrByKey(QStringLiteral("$word_overtemp"))));
        m_pBorderWidget->show();
        m_pBorderWidget->resize(size());
        m_pBorderWidget->raise();
    }

    m_ui->labelTemp->setText(
            OverTempRules::temperatureText(m_objStrategy.get_thermometry_result(), textWithUnit));

    picture->setPicurl(shown.source, shown.bMosaic);
    picture->setProperty("snapFaceSouce", QVariant::fromValue(m_objSnapSource));

    switch (OverTempRules::deviceBarChange(m_objStrategy.show_over_temp_device_name)) {
    case OverTempRules::BarChange::Show:
        m_pDeviceNameLabel->show();
        break;
    case OverTempRules::BarChange::Hide:
        m_pDeviceNameLabel->hide();
        break;
    case OverTempRules::BarChange::Keep:
        break;
    }

    m_pHandleWidget->setDeviceName(
            VornClient::instance()->getDevNameByChannelUID(m_objSnapSource.channelUID));
    m_pHandleWidget->setTime(m_objSnapSource.snapTime.right(8));
}

void OverTempSnapItem::hideNewTag(bool p_bSeen)
{
    m_bNewTagSeen = p_bSeen;
    m_pNewLabel->setVisible(!p_bSeen);
}

bool OverTempSnapItem::isNewTagShown() const
{
    return !m_pNewLabel->isHidden();
}

void OverTempSnapItem::slot_handlePop(bool p_bVisible)
{
    if (p_bVisible) {
        s_pPopOwner = this;
        return;
    }
    const QPointer<OverTempSnapItem> owner = s_pPopOwner;
    s_pPopOwner.clear();
    if (owner) {
        // Not spontaneous: the mouse may still be over the owner, the tool bar closes anyway.
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(owner, &leave);
    }
}

void OverTempSnapItem::setSelected(bool p_bSelected)
{
    setProperty("selectStated", p_bSelected ? "true" : "false");
    AppStyleHelper::repolish(this);
}

bool OverTempSnapItem::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        QCoreApplication::postEvent(this, new QEvent(QEvent::Enter));
        break;
    case QEvent::Enter:
        if (watched == this && !s_pPopOwner) {
            if (m_pHandleWidget->isHidden())
                m_pHandleWidget->show();
            if (m_pDeviceNameLabel->isVisible())
                m_pDeviceNameLabel->hide();
            setSelected(true);
        }
        break;
    case QEvent::Leave:
        if (watched == this && !s_pPopOwner && m_pHandleWidget->isVisible()) {
            m_pHandleWidget->hide();
            if (m_objStrategy.show_over_temp_device_name == FeverValues::SwitchOn)
                m_pDeviceNameLabel->show();
            setSelected(false);
        }
        break;
    case QEvent::Paint:
        if (watched == m_pNewLabel)
            paintNewTag();
        else if (watched == m_pDeviceNameLabel)
            paintDeviceBar();
        break;
    default:
        break;
    }
    return BaseWidget::eventFilter(watched, event);
}

void OverTempSnapItem::paintNewTag()
{
    QPainter painter(m_pNewLabel);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font;
    font.setPointSize(11);
    font.setWeight(75);
    QPainterPath path;
    path.addText(5, 17, font, QStringLiteral("NEW"));
    painter.setPen(QPen(QColor(0, 0, 0, 255), 1));
    QLinearGradient gradient;
    gradient.setColorAt(0.0, QColor(255, 0, 0, 180));
    painter.setBrush(gradient);
    painter.drawPath(path);
}

void OverTempSnapItem::paintDeviceBar()
{
    QPainter painter(m_pDeviceNameLabel);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font;
    font.setPixelSize(14);
    font.setWeight(75);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
    font.setWordSpacing(1.0);
    const QFontMetrics metrics(font);
    const QString text = OverTempRules::fittedName(
            metrics, VornClient::instance()->getDevNameByChannelUID(m_objSnapSource.channelUID),
            m_pDeviceNameLabel->width());
    const QPoint origin = OverTempRules::deviceNameOrigin(metrics.horizontalAdvance(text),
                                                          m_pDeviceNameLabel->size());
    QPainterPath path;
    path.addText(origin, font, text);
    QColor outline(Qt::black);
    outline.setAlphaF(0.5);
    painter.setPen(QPen(outline, 1));
    QLinearGradient gradient;
    gradient.setColorAt(0.0, Qt::white);
    painter.setBrush(gradient);
    painter.drawPath(path);
}

void OverTempSnapItem::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

void OverTempSnapItem::placeDeviceBar()
{
    m_pDeviceNameLabel->setGeometry(OverTempRules::deviceBarGeometry(m_ui->PicWidget->geometry()));
}

void OverTempSnapItem::resizeEvent(QResizeEvent *event)
{
    BaseWidget::resizeEvent(event);
    m_pBorderWidget->resize(event->size());
    m_pHandleWidget->setGeometry(OverTempRules::toolBarGeometry(m_ui->PicWidget->geometry()));
    placeDeviceBar();
}

void OverTempSnapItem::doAfterWidgetShow()
{
    m_pNewLabel->move(2, 2);
    // Shown again with its list, a card keeps the tag it already lost.
    m_pNewLabel->setVisible(!m_bNewTagSeen);
    placeDeviceBar();
    m_pDeviceNameLabel->setVisible(m_objStrategy.show_over_temp_device_name
                                   == FeverValues::SwitchOn);
}
