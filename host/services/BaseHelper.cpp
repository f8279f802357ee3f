#include "BaseHelper.h"

#include "HostRecordCodec.h"
#include "PlatformStore.h"

#include <QFontMetrics>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QTextDocument>

#include <algorithm>

namespace {

const QString kPreviewKind = QStringLiteral("PREVIEWCONFIGPARAM");
const QString kSavePathKind = QStringLiteral("MouseRightSavePath");
const QString kSingleKey = QStringLiteral("default");

void registerRecordTypes()
{
    qRegisterMetaType<PREVIEWCONFIGPARAM>("PREVIEWCONFIGPARAM");
}
Q_CONSTRUCTOR_FUNCTION(registerRecordTypes)

} // namespace

BaseHelper *BaseHelper::instance()
{
    static BaseHelper helper;
    return &helper;
}

PREVIEWCONFIGPARAM BaseHelper::getEpidemicPreviewConfigParam(int windowId) const
{
    const auto payload =
            PlatformStore::instance()->readRecord(kPreviewKind, QString::number(windowId));
    return payload ? HostRecordCodec::decodePreviewConfig(*payload) : PREVIEWCONFIGPARAM();
}

bool BaseHelper::setEpidemicPreviewConfigParam(int windowId, const PREVIEWCONFIGPARAM &param)
{
    return PlatformStore::instance()->writeRecord(kPreviewKind, QString::number(windowId),
                                                  HostRecordCodec::encode(param));
}

QString BaseHelper::getMouseRightSavePath() const
{
    const auto payload = PlatformStore::instance()->readRecord(kSavePathKind, kSingleKey);
    return payload ? QString::fromUtf8(*payload) : QString();
}

bool BaseHelper::setMouseRightSavePath(const QString &path)
{
    return PlatformStore::instance()->writeRecord(kSavePathKind, kSingleKey, path.toUtf8());
}

int BaseHelper::availableTextWidth(int labelWidth, int p_nReserved, int p_nMinWidth)
{
    return std::max({labelWidth - std::max(p_nReserved, 0), p_nMinWidth, 0});
}

void BaseHelper::adjustShowLabelText(QLabel *label, const QString &text, int p_nReserved,
                                     int p_nMinWidth)
{
    if (!label)
        return;
    const int room = availableTextWidth(label->width(), p_nReserved, p_nMinWidth);
    label->setTextFormat(Qt::PlainText);
    label->setText(label->fontMetrics().elidedText(text, Qt::ElideRight, room));
    // Tool tips render rich text on their own; a name that looks like markup is escaped so it
    // shows exactly as given.
    label->setToolTip(
            Qt::mightBeRichText(text)
                    ? QStringLiteral("<p style='white-space:pre'>%1</p>").arg(text.toHtmlEscaped())
                    : text);
}

void BaseHelper::adjustTabWidgetViewWidth(QTabWidget *tabWidget, int p_nMinWidth)
{
    if (!tabWidget)
        return;
    int width = p_nMinWidth;
    const QFontMetrics metrics = tabWidget->tabBar()->fontMetrics();
    for (int i = 0; i < tabWidget->count(); ++i)
        width = qMax(width, metrics.horizontalAdvance(tabWidget->tabText(i)) + 24);
    tabWidget->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { width: %1px; }").arg(width));
}
