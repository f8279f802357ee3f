#pragma once

#include "CompareInfo.h"
#include "OrvaneCompareNotifyMessage.h"
#include "SnapComparesMessage.h"

#include <QDateTime>
#include <QImage>
#include <QString>

#include <optional>
#include <vector>

// Comparison notifications and snapshot records for suites and benchmarks. Free of Qt Test, so
// a benchmark can compile it too.
namespace snaptest {

// Names from the bundled scenario: a thermal camera channel, its device type and the server
// the client is logged in to.
extern const QString DefaultChannel;
extern const QString DefaultServer;
constexpr int ThermalDeviceType = 20;

// A fluent builder with the defaults of an ordinary live snapshot: a thermal camera on
// DefaultChannel, taken now, 36.5 degrees, normal, mask worn, one registered match (archive 7,
// group 3, "Person 7"). Match setters act on the match added last; the first registered() or
// stranger() replaces the default match (set up or not), later ones add to it.
class SnapBuilder
{
public:
    SnapBuilder();

    SnapBuilder &picture(const QString &url) { return set(src().snapDetailImageURL, url); }
    SnapBuilder &channel(const QString &uid) { return set(src().channelUID, uid); }
    SnapBuilder &server(const QString &uid) { return set(src().serverUID, uid); }
    SnapBuilder &deviceType(int typeId) { return set(src().deviceTypeId, typeId); }
    SnapBuilder &skip(int flag = 1) { return set(src().skipFlag, flag); }
    SnapBuilder &at(const QDateTime &time);
    // "yyyy-MM-dd hh:mm:ss", kept as given.
    SnapBuilder &at(const QString &snapTime) { return set(src().snapTime, snapTime); }
    SnapBuilder &snapId(qint64 id) { return set(m_objFace.snapId, id); }
    // Without an explicit temperature the state picks one that fits it.
    SnapBuilder &temperature(double celsius) { return set(m_optTemperature, celsius); }
    SnapBuilder &noTemperature() { return set(src().hasTemperature, 0); }
    // Also flags over-temperature snapshots for the over-temperature list.
    SnapBuilder &state(int temperatureState);
    SnapBuilder &overTempListFlag(int flag) { return set(src().overTempListFlag, flag); }
    SnapBuilder &alarm(int alarmId) { return set(src().alarmId, alarmId); }
    SnapBuilder &mask(int maskStatus) { return set(m_objFace.maskStatus, maskStatus); } // 2: none
    // Defaults to 1 when a registered match is present, else 0.
    SnapBuilder &compareResult(int result) { return set(m_optCompareResult, result); }

    SnapBuilder &registered(int archiveId, const QString &name = QString(), int groupId = 3,
                            float score = 0.9f);
    SnapBuilder &stranger();
    SnapBuilder &noMatch();
    SnapBuilder &name(const QString &archiveName);
    SnapBuilder &score(float value) { return set(lastMatch().score, value); }
    SnapBuilder &matchFlag(int flag) { return set(lastMatch().matchFlag, flag); }
    SnapBuilder &archivePicture(const QString &url)
    {
        return set(lastMatch().archiveImage.url, url);
    }

    // For records: live records are announced, history records are not.
    SnapBuilder &announce(bool live = true) { return set(m_bAnnounce, live); }
    // Pictures on the platform, as a device's are before its notification arrives: the
    // snapshot's and those of the registered matches are stored now, those of registered matches
    // added later when they are added. Each under a new name, so none is in a picture cache yet.
    SnapBuilder &onPlatform();

    OrvaneSnapTargetSource source() const;
    OrvaneSnapFaceInfo face() const;
    OrvaneCompareNotifyMessage notification() const;
    OrvaneCompareNotifyMessageList list() const { return {notification()}; }
    // The record the intake makes of one match.
    SnapComparesMessage record(int matchIndex = 0) const;

private:
    template<typename Field, typename Value>
    SnapBuilder &set(Field &field, const Value &value)
    {
        field = value;
        return *this;
    }
    OrvaneSnapTargetSource &src() { return m_objFace.snapTargetSource; }
    CompareInfo &lastMatch();

    OrvaneSnapFaceInfo m_objFace;
    std::vector<CompareInfo> m_vecMatches;
    bool m_bDefaultMatch = true;
    std::optional<double> m_optTemperature;
    std::optional<int> m_optCompareResult;
    bool m_bAnnounce = false;
    bool m_bOnPlatform = false;
};

// A picture with detail in every block, so that scaling and pixelating both show.
QImage facePicture(int width = 160, int height = 200);
// Saves facePicture() as PNG under the folder; the path, or empty when it cannot be written.
QString writeFacePicture(const QString &folder, const QString &name);
// Stores a small face picture in the platform's picture store under a new name; the name, as
// notifications carry it.
QString storePlatformPicture();

} // namespace snaptest
