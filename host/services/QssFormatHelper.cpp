#include "QssFormatHelper.h"

#include <QDebug>
#include <QHash>
#include <QRegularExpression>

namespace {

const QHash<QString, QString> &theme()
{
    static const QHash<QString, QString> colours = {
            // Panels and frames.
            {QStringLiteral("$background_color_1"), QStringLiteral("#1c212b")},
            {QStringLiteral("$background_color_2"), QStringLiteral("#232936")},
            {QStringLiteral("$background_color_3"), QStringLiteral("#151920")},
            {QStringLiteral("$background_overtempsnapitem"), QStringLiteral("#2b3242")},
            {QStringLiteral("$border_color_1"), QStringLiteral("#323a4a")},
            {QStringLiteral("$border_color_2"), QStringLiteral("#4a5468")},
            // Texts.
            {QStringLiteral("$word_color_1"), QStringLiteral("#e4e8ef")},
            {QStringLiteral("$word_color_2"), QStringLiteral("#8d97a8")},
            {QStringLiteral("$word_normaltemp"), QStringLiteral("#3ccf8e")},
            {QStringLiteral("$word_overtemp"), QStringLiteral("#f04c4c")},
            {QStringLiteral("$word_anormaltemp"), QStringLiteral("#f39a3b")},
            // Controls.
            {QStringLiteral("$button_color"), QStringLiteral("#2c3445")},
            {QStringLiteral("$button_hover_color"), QStringLiteral("#38425a")},
            {QStringLiteral("$highlight_color"), QStringLiteral("#2f8cf0")},
    };
    return colours;
}

} // namespace

QColor QssFormatHelper::findColorByKey(const QString &key)
{
    const QString value = findColorStrByKey(key);
    return value.isEmpty() ? QColor() : QColor(value);
}

QString QssFormatHelper::findColorStrByKey(const QString &key)
{
    const auto it = theme().constFind(key);
    if (it == theme().constEnd()) {
        qDebug() << "QssFormatHelper::findColorStrByKey unknown theme key" << key;
        return QString();
    }
    return it.value();
}

QStringList QssFormatHelper::themeKeys()
{
    QStringList keys = theme().keys();
    keys.sort();
    return keys;
}

QString QssFormatHelper::formatQss(const QString &qss)
{
    static const QRegularExpression keyPattern(QStringLiteral("\\$[A-Za-z0-9_]+"));
    QString result;
    result.reserve(qss.size());
    int copied = 0;
    auto matches = keyPattern.globalMatch(qss);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        result += qss.midRef(copied, match.capturedStart() - copied);
        const QString colour = findColorStrByKey(match.captured());
        result += colour.isEmpty() ? QStringLiteral("transparent") : colour;
        copied = match.capturedEnd();
    }
    result += qss.midRef(copied);
    return result;
}
