#include "PersonOpratePopWidget.h"
#include "ui_PersonOpratePopWidget.h"

#include "OverTempRules.h"

#include "AppLanguageTr.h"
#include "AppStyleHelper.h"
#include "QssFormatHelper.h"

#include <QEvent>
#include <QPainter>

namespace {

void setElidedText(QLabel *p_pLabel, const QString &text)
{
    const QFontMetrics metrics(p_pLabel->font());
    const int width = p_pLabel->width();
    p_pLabel->setText(metrics.horizontalAdvance(text) > width
                              ? metrics.elidedText(text, Qt::ElideRight, width)
                              : text);
}

} // namespace

PersonOpratePopWidget::PersonOpratePopWidget(QWidget *parent)
    : BaseWidget(parent)
    , m_ui(std::make_unique<Ui::PersonOpratePopWidget>())
{
    m_ui->setupUi(this);
    initForm();
}

PersonOpratePopWidget::~PersonOpratePopWidget() = default;

void PersonOpratePopWidget::initForm()
{
    setAttribute(Qt::WA_TranslucentBackground);
    installEventFilter(this);
    for (QLabel *label : {m_ui->label_add_to_lib, m_ui->label_update_to_lib}) {
        label->installEventFilter(this);
        label->setAlignment(Qt::AlignCenter);
        setCovered(label, false);
    }
    retranslateUi();
}

void PersonOpratePopWidget::retranslateUi()
{
    setElidedText(m_ui->label_add_to_lib, AppLanguageTr::translate(QStringLiteral("TK_AddToLib")));
    setElidedText(m_ui->label_update_to_lib,
                  AppLanguageTr::translate(QStringLiteral("TK_UpdateFacePic")));
}

void PersonOpratePopWidget::setVisible(bool visible)
{
    BaseWidget::setVisible(visible);
    emit signalVisible(visible);
}

void PersonOpratePopWidget::setCovered(QLabel *p_pLabel, bool p_bCovered)
{
    p_pLabel->setProperty("CoverStated", p_bCovered ? "true" : "false");
    AppStyleHelper::repolish(p_pLabel);
}

bool PersonOpratePopWidget::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (watched == m_ui->label_add_to_lib)
            emit signalOpreatePerson(OpreateAddToLibrary);
        else if (watched == m_ui->label_update_to_lib)
            emit signalOpreatePerson(OpreateUpdateToLibrary);
        hide();
        break;
    case QEvent::FocusOut:
    case QEvent::WindowDeactivate:
        hide();
        break;
    case QEvent::Enter:
    case QEvent::Leave:
        if (watched == m_ui->label_add_to_lib || watched == m_ui->label_update_to_lib)
            setCovered(static_cast<QLabel *>(watched), event->type() == QEvent::Enter);
        break;
    case QEvent::Resize:
        if (watched == this)
            retranslateUi();
        break;
    default:
        break;
    }
    return BaseWidget::eventFilter(watched, event);
}

void PersonOpratePopWidget::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    QColor colour = QssFormatHelper::findColorByKey(QStringLiteral("$background_overtempsnapitem"));
    colour.setAlphaF(0.9);
    painter.setPen(colour);
    painter.setBrush(QBrush(colour, Qt::SolidPattern));
    painter.drawPolygon(OverTempRules::popupOutline(size()), Qt::OddEvenFill);
}
