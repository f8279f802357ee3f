#include "NoshowVideoWidget.h"
#include "ui_NoshowVideoWidget.h"

#include "AppLanguageTr.h"
#include "PaintedPieceRules.h"
#include "QssFormatHelper.h"

#include <QPainter>
#include <QResizeEvent>

NoshowVideoWidget::NoshowVideoWidget(QWidget *parent)
    : BaseWidget(parent)
    , m_ui(std::make_unique<Ui::NoshowVideoWidget>())
    , m_stateColour(QssFormatHelper::findColorByKey(QStringLiteral("$word_normaltemp")))
{
    m_ui->setupUi(this);
}

NoshowVideoWidget::~NoshowVideoWidget() = default;

void NoshowVideoWidget::setStrategy(const ST_MSGVoiceBroadcastStrategy &p_objStrategy)
{
    m_objStrategy = p_objStrategy;
}

void NoshowVideoWidget::setTemperature(const QString &p_strTemperature, int p_nState)
{
    m_nState = p_nState;
    const PaintedPieceRules::PlaceholderTexts texts =
            PaintedPieceRules::placeholderTexts(m_objStrategy, p_strTemperature, p_nState);
    m_strTemperature = texts.temperature;
    m_strFirstLine = texts.firstLine;
    m_strSecondLine = texts.secondLine;
    const QString colourKey = PaintedPieceRules::placeholderColourKey(p_nState);
    if (!colourKey.isEmpty())
        m_stateColour = QssFormatHelper::findColorByKey(colourKey);
    update();
}

void NoshowVideoWidget::resizeEvent(QResizeEvent *event)
{
    BaseWidget::resizeEvent(event);
    m_dScale = float(event->size().height()) / 660.0f;
    update();
}

void NoshowVideoWidget::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    const int w = width();
    const int h = height();
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(rect(),
                     QssFormatHelper::findColorByKey(QStringLiteral("$background_color_1")));
    painter.setPen(QssFormatHelper::findColorByKey(QStringLiteral("$border_color_1")));
    painter.drawRect(0, 0, w - 1, h - 1);

    // Configured texts are plain text: drawText never interprets markup.
    painter.setPen(m_stateColour);
    QFont font = painter.font();
    font.setPointSize(qMax(1, PaintedPieceRules::placeholderFirstPointSize(m_dScale)));
    font.setWeight(75);
    painter.setFont(font);
    painter.drawText(PaintedPieceRules::placeholderFirstBox(size()), Qt::AlignHCenter,
                     m_strTemperature + QStringLiteral("   ")
                             + AppLanguageTr::translate(m_strFirstLine));

    font.setPointSize(qMax(1, PaintedPieceRules::placeholderSecondPointSize(m_dScale)));
    font.setWeight(50);
    painter.setFont(font);
    painter.drawText(PaintedPieceRules::placeholderSecondBox(size()), Qt::AlignHCenter,
                     AppLanguageTr::translate(m_strSecondLine));
}
