#include "AppStyleHelper.h"

#include "QssFormatHelper.h"

#include <QApplication>
#include <QDebug>
#include <QFile>
#include <QFrame>
#include <QPalette>
#include <QStyle>
#include <QWidget>

namespace {

const QString kBlockBegin = QStringLiteral("/*host-style-begin*/");
const QString kBlockEnd = QStringLiteral("/*host-style-end*/");

QString withoutHostBlock(const QString &sheet)
{
    const int begin = sheet.indexOf(kBlockBegin);
    if (begin < 0)
        return sheet;
    const int end = sheet.indexOf(kBlockEnd, begin);
    if (end < 0)
        return sheet.left(begin);
    return sheet.left(begin) + sheet.mid(end + kBlockEnd.size());
}

QString declarationsFor(int styleId, const QWidget *widget)
{
    switch (styleId) {
    case AppStyleHelper::StylePanel:
        return QStringLiteral("background-color: $background_color_1;");
    case AppStyleHelper::StylePrimaryText:
        return QStringLiteral("color: $word_color_1;");
    case AppStyleHelper::StyleSecondaryText:
        return QStringLiteral("color: $word_color_2;");
    case AppStyleHelper::StyleAlarmText:
        return QStringLiteral("color: $word_overtemp;");
    case AppStyleHelper::StyleTitleLabel:
        return QStringLiteral("color: $word_color_1; font-weight: bold;");
    case AppStyleHelper::StyleSeparatorLine: {
        const auto *frame = qobject_cast<const QFrame *>(widget);
        const bool vertical = frame && frame->frameShape() == QFrame::VLine;
        return vertical ? QStringLiteral("border: none; background-color: $border_color_1;"
                                         " min-width: 1px; max-width: 1px;")
                        : QStringLiteral("border: none; background-color: $border_color_1;"
                                         " min-height: 1px; max-height: 1px;");
    }
    default:
        return QString();
    }
}

} // namespace

QString AppStyleHelper::widgetStyleSheet(int styleId, const QWidget *widget)
{
    const QString declarations = declarationsFor(styleId, widget);
    if (declarations.isEmpty())
        return QString();
    // The selector matches the styled widget only, never its children.
    return QStringLiteral("%1 *[hostStyleId=\"%2\"] { %3 } %4")
            .arg(kBlockBegin)
            .arg(styleId)
            .arg(QssFormatHelper::formatQss(declarations), kBlockEnd);
}

void AppStyleHelper::updateWidgetStyle(QWidget *widget, int styleId)
{
    if (!widget)
        return;
    const QString block = widgetStyleSheet(styleId, widget);
    if (block.isEmpty()) {
        qDebug() << "AppStyleHelper::updateWidgetStyle unknown style" << styleId << "for"
                 << widget->objectName();
        return;
    }
    widget->setProperty("hostStyleId", styleId);
    if (styleId == StylePanel)
        widget->setAttribute(Qt::WA_StyledBackground, true);
    widget->setStyleSheet(withoutHostBlock(widget->styleSheet()) + block);
}

void AppStyleHelper::repolish(QWidget *widget)
{
    if (!widget)
        return;
    QStyle *style = widget->style();
    style->unpolish(widget);
    style->polish(widget);
    widget->update();
}

QString AppStyleHelper::hostStyleSheet()
{
    QFile file(hostStyleSheetResource());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qInfo() << "AppStyleHelper::hostStyleSheet cannot read" << hostStyleSheetResource();
        return QString();
    }
    return QssFormatHelper::formatQss(QString::fromUtf8(file.readAll()));
}

QPalette AppStyleHelper::hostPalette()
{
    auto colour = [](const char *key) {
        return QssFormatHelper::findColorByKey(QLatin1String(key));
    };
    QPalette palette;
    palette.setColor(QPalette::Window, colour("$background_color_3"));
    palette.setColor(QPalette::WindowText, colour("$word_color_1"));
    palette.setColor(QPalette::Base, colour("$background_color_1"));
    palette.setColor(QPalette::AlternateBase, colour("$background_color_2"));
    palette.setColor(QPalette::Text, colour("$word_color_1"));
    palette.setColor(QPalette::Button, colour("$button_color"));
    palette.setColor(QPalette::ButtonText, colour("$word_color_1"));
    palette.setColor(QPalette::Highlight, colour("$highlight_color"));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, colour("$background_color_2"));
    palette.setColor(QPalette::ToolTipText, colour("$word_color_1"));
    palette.setColor(QPalette::PlaceholderText, colour("$word_color_2"));
    palette.setColor(QPalette::Link, colour("$highlight_color"));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, colour("$word_color_2"));
    return palette;
}

bool AppStyleHelper::applyHostStyleSheet(QApplication *app)
{
    if (!app)
        return false;
    const QString sheet = hostStyleSheet();
    if (sheet.isEmpty())
        return false;
    // Text colours come from the palette rather than a catch-all rule, so that colours a
    // widget sets on its own palette survive.
    app->setPalette(hostPalette());
    app->setStyleSheet(sheet);
    return true;
}
