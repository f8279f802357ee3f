#include "OverTempHandleWidget.h"
#include "ui_OverTempHandleWidget.h"

#include "OverTempRules.h"
#include "PersonOpratePopWidget.h"

#include "CmsFontStyle.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>

namespace {

// Focus is given once the activation has settled, or the pop-up would lose it at once.
constexpr int PopFocusDelayMs = 100;

} // namespace

OverTempHandleWidget::OverTempHandleWidget(QWidget *parent)
    : BaseWidget(parent)
    , m_ui(std::make_unique<Ui::OverTempHandleWidget>())
{
    m_ui->setupUi(this);
    initForm();
}

OverTempHandleWidget::~OverTempHandleWidget() = default;

void OverTempHandleWidget::initForm()
{
    m_ui->label_add->installEventFilter(this);
    m_ui->label_edit->installEventFilter(this);
    m_ui->label_search->installEventFilter(this);
    // The card names the device before it has its size; the name is fitted again on resizes.
    installEventFilter(this);

    m_pPopWidget = new PersonOpratePopWidget(parentWidget());
    m_pPopWidget->hide();
    connect(m_pPopWidget, &PersonOpratePopWidget::signalOpreatePerson, this,
            &OverTempHandleWidget::signalOpreatePerson);
    connect(m_pPopWidget, &PersonOpratePopWidget::signalVisible, this,
            &OverTempHandleWidget::signalVisible);

    QFont iconFont = CmsFontStyle::getCurrentFont();
    iconFont.setWeight(75);
    const std::pair<QLabel *, char16_t> icons[] = {
            {m_ui->label_add, u'\xE6E0'},
            {m_ui->label_edit, u'\xE6DF'},
            {m_ui->label_search, u'\xE6DC'},
    };
    for (const auto &[label, code] : icons) {
        label->setFont(iconFont);
        label->setAlignment(Qt::AlignCenter);
        label->setText(QString(QChar(code)));
    }
}

void OverTempHandleWidget::setDeviceName(const QString &p_strName)
{
    m_strDeviceName = p_strName;
    m_ui->label_device_name->setText(OverTempRules::fittedName(
            QFontMetrics(m_ui->label_device_name->font()), m_strDeviceName, width()));
}

void OverTempHandleWidget::setTime(const QString &p_strTime)
{
    m_ui->label_time->setText(p_strTime);
}

void OverTempHandleWidget::openPopWidget()
{
    const QRect local = OverTempRules::popupGeometry(size(), m_ui->label_add->geometry());
    m_pPopWidget->resize(local.size());
    m_pPopWidget->move(mapToParent(local.topLeft()));
    m_pPopWidget->show();
    m_pPopWidget->raise();
    m_pPopWidget->activateWindow();
    const QPointer<PersonOpratePopWidget> pop(m_pPopWidget);
    QTimer::singleShot(PopFocusDelayMs, m_pPopWidget, [pop] {
        if (pop)
            pop->setFocus();
    });
}

bool OverTempHandleWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == this && event->type() == QEvent::Resize)
        setDeviceName(m_strDeviceName);
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == m_ui->label_add)
            openPopWidget();
        else if (watched == m_ui->label_edit)
            emit signalEdit();
        else if (watched == m_ui->label_search)
            emit signalSearch();
    }
    return BaseWidget::eventFilter(watched, event);
}
