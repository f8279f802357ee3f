#include "BaseWidget.h"

#include "OrvaneMetaTypes.h"
#include "TransientTip.h"

#include <QDebug>
#include <QEvent>
#include <QLineEdit>
#include <QTextEdit>

BaseWidget::BaseWidget(QWidget *parent, Qt::WindowFlags flags)
    : BaseStyleWidget(parent, flags)
{
    // Screens pass ParamMap and platform records through signals before any client exists.
    orvane::registerMetaTypes();
}

BaseWidget::~BaseWidget() = default;

void BaseWidget::gotoFunctionCard(int cardId, const ParamMap &params)
{
    qDebug() << "BaseWidget::gotoFunctionCard" << cardId << params;
    m_lastFunctionCard.nCardId = cardId;
    m_lastFunctionCard.params = params;
    emit signalGotoFunctionCard(cardId, params);
}

BaseWidget::FunctionCardRequest BaseWidget::lastFunctionCard() const
{
    return m_lastFunctionCard;
}

QList<QPair<QString, int>> BaseWidget::recentTips() const
{
    return m_listRecentTips;
}

void BaseWidget::initForm() {}

void BaseWidget::retranslateUi() {}

void BaseWidget::doAfterWidgetShow() {}

void BaseWidget::doAfterWidgetHide() {}

void BaseWidget::releaseResource() {}

void BaseWidget::processSpecialParam(const ParamMap &p_mapParam)
{
    Q_UNUSED(p_mapParam)
}

void BaseWidget::lineEditFocusIn(QLineEdit *p_pLineEdit)
{
    Q_UNUSED(p_pLineEdit)
}

void BaseWidget::textEditFocusIn(QTextEdit *p_pTextEdit)
{
    Q_UNUSED(p_pTextEdit)
}

bool BaseWidget::doVerifyLineEditText(QLineEdit *p_pLineEdit)
{
    return p_pLineEdit && p_pLineEdit->hasAcceptableInput();
}

bool BaseWidget::doVeriryTextEditText(QTextEdit *p_pTextEdit)
{
    return p_pTextEdit != nullptr;
}

void BaseWidget::shortcutEnter() {}

void BaseWidget::shortcutClose() {}

void BaseWidget::setPreviewConfigParam(const ParamMap &p_mapParam)
{
    Q_UNUSED(p_mapParam)
}

QString BaseWidget::getSelectLayoutId()
{
    return QString();
}

QVector<QPair<int, int>> BaseWidget::getCurrLayoutList()
{
    return {};
}

int BaseWidget::getCurLayoutMode()
{
    return 0;
}

int BaseWidget::getPicInPicModel()
{
    return 0;
}

QVector<QString> BaseWidget::getPicInPicPos()
{
    return {};
}

bool BaseWidget::getShowAllDevEnabled()
{
    return false;
}

bool BaseWidget::getFullScrFlag()
{
    return false;
}

void BaseWidget::appQuitProcess()
{
    releaseResource();
}

void BaseWidget::replaceNavigationWidget(QWidget *p_pNavigation)
{
    Q_UNUSED(p_pNavigation)
}

void BaseWidget::setTips(const QString &text, int kind)
{
    qDebug() << "BaseWidget::setTips" << kind << text;
    m_listRecentTips.append(qMakePair(text, kind));
    while (m_listRecentTips.size() > MaxRecentTips)
        m_listRecentTips.removeFirst();
    showTips(text, kind);
}

void BaseWidget::showTips(const QString &text, int kind)
{
    TransientTip::showOn(this, text, kind);
}

void BaseWidget::slot_moveNavigationWidget() {}

void BaseWidget::slot_alarmProcessFinised(const std::vector<int> &p_vecAlarmId)
{
    Q_UNUSED(p_vecAlarmId)
}

void BaseWidget::showEvent(QShowEvent *event)
{
    BaseStyleWidget::showEvent(event);
    doAfterWidgetShow();
}

void BaseWidget::hideEvent(QHideEvent *event)
{
    BaseStyleWidget::hideEvent(event);
    doAfterWidgetHide();
}

void BaseWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    BaseStyleWidget::changeEvent(event);
}
