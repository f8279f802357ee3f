#include "TransientTip.h"

namespace {
const char *const TipObjectName = "hostTransientTip";
constexpr int TopMargin = 40;
constexpr int MaxTipWidth = 480;
} // namespace

TransientTip::TransientTip(QWidget *window)
    : SNMessageBoxFlowDownWidget(window, VisibleMs)
{
    setObjectName(TipObjectName);
    setMaximumWidth(MaxTipWidth);
}

TransientTip *TransientTip::findOn(QWidget *anchor)
{
    if (!anchor)
        return nullptr;
    return anchor->window()->findChild<TransientTip *>(TipObjectName, Qt::FindDirectChildrenOnly);
}

TransientTip *TransientTip::showOn(QWidget *anchor, const QString &text, int kind)
{
    if (!anchor)
        return nullptr;
    TransientTip *tip = findOn(anchor);
    if (!tip)
        tip = new TransientTip(anchor->window());
    tip->present(text, kind);
    return tip;
}

QRect TransientTip::placement(const QSize &windowSize, const QSize &tipSize)
{
    const int width = qMin(tipSize.width(), qMax(0, windowSize.width()));
    const int x = qMax(0, (windowSize.width() - width) / 2);
    const int y = qMin(TopMargin, qMax(0, windowSize.height() - tipSize.height()));
    return QRect(x, y, width, tipSize.height());
}

QString TransientTip::styleSheetForKind(int kind) const
{
    QString background = QStringLiteral("rgba(48, 52, 60, 230)");
    QString border = QStringLiteral("#5a6270");
    if (kind == 1) {
        background = QStringLiteral("rgba(32, 120, 64, 235)");
        border = QStringLiteral("#3fbf6f");
    } else if (kind == 2) {
        background = QStringLiteral("rgba(150, 40, 40, 235)");
        border = QStringLiteral("#e05555");
    }
    return QStringLiteral("QLabel#%1{color:#ffffff; background-color:%2; border:1px solid %3;"
                          " border-radius:4px; padding:6px 14px; font-size:14px;}")
            .arg(QLatin1String(TipObjectName), background, border);
}

void TransientTip::placeInParent()
{
    adjustSize();
    setGeometry(placement(parentWidget()->size(), sizeHint().boundedTo(QSize(MaxTipWidth, 200))));
}
