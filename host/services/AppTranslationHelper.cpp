#include "AppTranslationHelper.h"

#include "AppLanguageTr.h"
#include "PlatformStore.h"

#include <QCoreApplication>
#include <QDebug>
#include <QMutex>
#include <QTranslator>

namespace {

QMutex g_instanceMutex;
AppTranslationHelper *g_instance = nullptr;

const QString kLanguageKind = QStringLiteral("AppTranslationHelper");
const QString kLanguageKey = QStringLiteral("language");

} // namespace

AppTranslationHelper *AppTranslationHelper::instance()
{
    AppTranslationHelper *created = nullptr;
    {
        QMutexLocker lock(&g_instanceMutex);
        if (!g_instance) {
            g_instance = created = new AppTranslationHelper;
            qAddPostRoutine(&AppTranslationHelper::destroyInstance);
        }
    }
    // Installing the catalogue sends LanguageChange synchronously to the application; a
    // handler that translates on the spot must find the instance, not the lock.
    if (created)
        created->restoreLanguage();
    return g_instance;
}

void AppTranslationHelper::destroyInstance()
{
    QMutexLocker lock(&g_instanceMutex);
    delete g_instance;
    g_instance = nullptr;
}

QString AppTranslationHelper::catalogueResource(int language)
{
    switch (language) {
    case English:
        return QStringLiteral(":/translations/fever_en.qm");
    case Chinese:
        return QStringLiteral(":/translations/fever_zh.qm");
    default:
        return QString();
    }
}

AppTranslationHelper::AppTranslationHelper() = default;

void AppTranslationHelper::restoreLanguage()
{
    int language = English;
    const auto stored = PlatformStore::instance()->readRecord(kLanguageKind, kLanguageKey);
    if (stored) {
        bool ok = false;
        const int value = stored->toInt(&ok);
        if (ok && !catalogueResource(value).isEmpty())
            language = value;
        else
            qDebug() << "AppTranslationHelper::restoreLanguage stored language unusable:"
                     << *stored;
    }
    if (!install(language, false) && language != English)
        install(English, false);
}

AppTranslationHelper::~AppTranslationHelper()
{
    if (m_translator && QCoreApplication::instance())
        QCoreApplication::removeTranslator(m_translator.get());
}

bool AppTranslationHelper::setCurrentLanguage(int language)
{
    if (m_translator && language == m_language)
        return true;
    return install(language, true);
}

bool AppTranslationHelper::install(int language, bool remember)
{
    const QString resource = catalogueResource(language);
    if (resource.isEmpty()) {
        qDebug() << "AppTranslationHelper::setCurrentLanguage unsupported language" << language;
        return false;
    }
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(resource)) {
        qInfo() << "AppTranslationHelper::setCurrentLanguage cannot load" << resource;
        return false;
    }
    if (!QCoreApplication::instance()) {
        qDebug() << "AppTranslationHelper::setCurrentLanguage no application to install into";
        return false;
    }
    if (m_translator)
        QCoreApplication::removeTranslator(m_translator.get());
    QCoreApplication::installTranslator(translator.get());
    m_translator = std::move(translator);
    m_language = language;
    if (remember)
        PlatformStore::instance()->writeRecord(kLanguageKind, kLanguageKey,
                                               QByteArray::number(language));
    qDebug() << "AppTranslationHelper::setCurrentLanguage" << language;
    emit languageChanged(language);
    return true;
}

QString AppTranslationHelper::getStringAfterTranslation(const QString &text) const
{
    return AppLanguageTr::translate(text);
}
