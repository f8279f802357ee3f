#include "AppLanguageTr.h"

#include "AppTranslationHelper.h"

#include <QCoreApplication>

QString AppLanguageTr::translate(const QString &key)
{
    if (key.isEmpty() || !QCoreApplication::instance())
        return key;
    // The helper installs the catalogue of the stored language on first use.
    AppTranslationHelper::instance();
    const QByteArray source = key.toUtf8();
    return QCoreApplication::translate(context(), source.constData());
}
