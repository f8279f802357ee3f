#pragma once

#include "AppConfigOEM.h"
#include "AppConfigTemperatureUnit.h"
#include "IntelligentSnapConfigParam.h"

#include <QString>

// Host configuration: the configuration folder and the records kept in the platform store.
// A record that was never stored (or cannot be read) reads as its default; the setters return
// false when the store refuses the write, and the previously stored record stays as it was.
class AppConfigHelper
{
public:
    static AppConfigHelper *instance();

    QString getAppConfigDirPath() const;
    // Moves the host to another configuration folder and reopens the store there.
    void setAppConfigDirPath(const QString &path);

    AppConfigOEM getOEMConfig() const;
    bool setOEMConfig(const AppConfigOEM &config);

    // ok (when given) is false when the store could not be read, as opposed to holding no
    // record for the window.
    IntelligentSnapConfigParam getEpidemicPreviewConfigParam(int windowId,
                                                             bool *ok = nullptr) const;
    bool setEpidemicPreviewConfigParam(int windowId, const IntelligentSnapConfigParam &param);

    AppConfigTemperatureUnit getTemperatureUnitConfigHistory() const;
    bool setTemperatureUnitConfig(const AppConfigTemperatureUnit &unit);

    AppConfigHelper(const AppConfigHelper &) = delete;
    AppConfigHelper &operator=(const AppConfigHelper &) = delete;

private:
    AppConfigHelper() = default;

    // Every temperature shown or spoken asks for the unit, several times per snapshot; the
    // stored record is read once per store opening and again after each change.
    mutable AppConfigTemperatureUnit m_objCachedUnit;
    mutable quint64 m_nCachedUnitOpenCount = 0;
};
