#include "AppConfigHelper.h"

#include "HostRecordCodec.h"
#include "PlatformStore.h"

#include <QDebug>

namespace {

const QString kOemKind = QStringLiteral("AppConfigOEM");
const QString kSnapConfigKind = QStringLiteral("IntelligentSnapConfigParam");
const QString kTemperatureUnitKind = QStringLiteral("AppConfigTemperatureUnit");
const QString kSingleKey = QStringLiteral("default");

void registerRecordTypes()
{
    qRegisterMetaType<IntelligentSnapConfigParam>("IntelligentSnapConfigParam");
}
Q_CONSTRUCTOR_FUNCTION(registerRecordTypes)

} // namespace

AppConfigHelper *AppConfigHelper::instance()
{
    static AppConfigHelper helper;
    return &helper;
}

QString AppConfigHelper::getAppConfigDirPath() const
{
    return PlatformStore::instance()->configFolder();
}

void AppConfigHelper::setAppConfigDirPath(const QString &path)
{
    if (path.trimmed().isEmpty()) {
        qDebug() << "AppConfigHelper::setAppConfigDirPath empty path ignored";
        return;
    }
    PlatformStore *store = PlatformStore::instance();
    store->setConfigFolder(path);
    // Opened right away so that an unusable folder is reported when it is chosen.
    store->reopen();
}

AppConfigOEM AppConfigHelper::getOEMConfig() const
{
    const auto payload = PlatformStore::instance()->readRecord(kOemKind, kSingleKey);
    return payload ? HostRecordCodec::decodeOEM(*payload) : AppConfigOEM();
}

bool AppConfigHelper::setOEMConfig(const AppConfigOEM &config)
{
    return PlatformStore::instance()->writeRecord(kOemKind, kSingleKey,
                                                  HostRecordCodec::encode(config));
}

IntelligentSnapConfigParam AppConfigHelper::getEpidemicPreviewConfigParam(int windowId,
                                                                          bool *ok) const
{
    const auto payload =
            PlatformStore::instance()->readRecord(kSnapConfigKind, QString::number(windowId), ok);
    return payload ? HostRecordCodec::decodeSnapConfig(*payload) : IntelligentSnapConfigParam();
}

bool AppConfigHelper::setEpidemicPreviewConfigParam(int windowId,
                                                    const IntelligentSnapConfigParam &param)
{
    return PlatformStore::instance()->writeRecord(kSnapConfigKind, QString::number(windowId),
                                                  HostRecordCodec::encode(param));
}

AppConfigTemperatureUnit AppConfigHelper::getTemperatureUnitConfigHistory() const
{
    PlatformStore *store = PlatformStore::instance();
    // Opened first so that a reopen is seen before the cached value is trusted.
    store->database();
    if (store->isOpen() && store->openCount() == m_nCachedUnitOpenCount)
        return m_objCachedUnit;
    const auto payload = store->readRecord(kTemperatureUnitKind, kSingleKey);
    const AppConfigTemperatureUnit unit =
            payload ? HostRecordCodec::decodeTemperatureUnit(*payload) : AppConfigTemperatureUnit();
    if (store->isOpen()) {
        m_objCachedUnit = unit;
        m_nCachedUnitOpenCount = store->openCount();
    }
    return unit;
}

bool AppConfigHelper::setTemperatureUnitConfig(const AppConfigTemperatureUnit &unit)
{
    PlatformStore *store = PlatformStore::instance();
    m_nCachedUnitOpenCount = 0;
    return store->writeRecord(kTemperatureUnitKind, kSingleKey, HostRecordCodec::encode(unit));
}
