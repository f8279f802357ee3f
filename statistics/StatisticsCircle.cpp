#include "StatisticsCircle.h"
#include "ui_StatisticsCircle.h"

#include "SnapStatisticRules.h"

#include "AppConfigHelper.h"
#include "AppLanguageTr.h"

#include <QPainter>

namespace {

QColor arcColour(StatisticsType p_eType)
{
    return p_eType == Healthy ? QColor(181, 226, 179) : QColor(238, 125, 111);
}

} // namespace

StatisticsCircle::StatisticsCircle(QWidget *parent)
    : BaseStatisticsCircle(parent)
    , m_ui(std::make_unique<Ui::StatisticsCircle>())
{
    m_ui->setupUi(this);
    m_bAlternateStyle = AppConfigHelper::instance()->getOEMConfig().nPreviewScreenType == 1;
}

StatisticsCircle::~StatisticsCircle() = default;

void StatisticsCircle::slotSetStatisticsType(StatisticsType type)
{
    m_eType = type;
}

void StatisticsCircle::setStatisticsNum(int p_nTotal, int p_nPartNum, int p_nInnerNum)
{
    int part = p_nPartNum;
    if (m_bAlternateStyle && m_eType == Healthy) {
        emit sigSetStatisticsNum(p_nTotal, p_nPartNum);
        part = p_nTotal - p_nPartNum;
    }
    BaseStatisticsCircle::setStatisticsNum(p_nTotal, part, p_nInnerNum);
}

void StatisticsCircle::paintEvent(QPaintEvent *event)
{
    if (!m_bAlternateStyle) {
        BaseStatisticsCircle::paintEvent(event);
        return;
    }
    const int side = qMin(width(), height());
    const int x0 = (width() - side) / 2;
    const int y0 = (height() - side) / 2;
    // Inset and pen follow the height, not the side.
    const int inset = int(height() / 150.0 * 14.0);
    const int penWidth = int(height() / 150.0 * 8.0);
    const QRect square(x0 + inset, y0 + inset, side - 2 * inset, side - 2 * inset);

    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    painter.setPen(
            QPen(QColor(255, 255, 255), penWidth, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.drawArc(square, 0, 5760);

    const int total = totalNum();
    const int percentage = SnapStatisticRules::ringPercentage(total, partNum());
    painter.setPen(QPen(arcColour(m_eType), penWidth, Qt::SolidLine, Qt::RoundCap, Qt::BevelJoin));
    if (total > 0) {
        // Ends at twelve o'clock and grows clockwise from it.
        const int span = percentage * 5760 / 100;
        painter.drawArc(square, 7200 - span, span);
    }

    QFont font = painter.font();
    font.setPixelSize(qMax(1, int(side / 150.0 * 24.0)));
    painter.setFont(font);
    painter.setPen(QColor(236, 238, 239));
    const int lineHeight = painter.fontMetrics().height();
    painter.drawText(x0, y0 + side / 2 - lineHeight, side, side, Qt::AlignHCenter,
                     QStringLiteral("%1%").arg(percentage));

    font.setPixelSize(qMax(1, int(side / 150.0 * 16.0)));
    painter.setFont(font);
    const QString label = AppLanguageTr::translate(m_eType == Healthy ? QStringLiteral("TK_Healthy")
                                                                      : QStringLiteral("TK_Warm"));
    const int scaled = int(side * 0.05);
    const int offset = scaled <= 5 ? scaled : 0;
    painter.drawText(x0, y0 + 5 + side / 2 - offset, side, side, Qt::AlignHCenter, label);
}
