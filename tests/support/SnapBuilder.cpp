#include "SnapBuilder.h"

#include "PlatformPictureStore.h"

#include <algorithm>

namespace snaptest {

const QString DefaultChannel = QStringLiteral("TC-GATE-A_1");
const QString DefaultServer = QStringLiteral("VORN-SRV-01");

namespace {

double temperatureFor(int state)
{
    switch (state) {
    case 1:
        return 38.4;
    case 2:
        return 35.0;
    case 3:
        return 41.0;
    default:
        return 36.5;
    }
}

CompareInfo registeredMatch(int archiveId, const QString &name, int groupId, float score)
{
    CompareInfo match;
    match.archiveImage.archiveId = archiveId;
    match.archiveImage.archiveGroupId = groupId;
    match.archive.set_id(archiveId);
    match.archive.set_group_id(groupId);
    match.archive.set_name(name.isNull() ? QStringLiteral("Person %1").arg(archiveId) : name);
    match.matchFlag = 1;
    match.score = score;
    return match;
}

} // namespace

SnapBuilder::SnapBuilder()
{
    m_objFace.maskStatus = 1;
    OrvaneSnapTargetSource &source = m_objFace.snapTargetSource;
    source.serverUID = DefaultServer;
    source.channelUID = DefaultChannel;
    source.deviceTypeId = ThermalDeviceType;
    source.hasTemperature = 1;
    at(QDateTime::currentDateTime());
    m_vecMatches.push_back(registeredMatch(7, QString(), 3, 0.9f));
}

SnapBuilder &SnapBuilder::at(const QDateTime &time)
{
    m_objFace.snapTimestampMs = time.toMSecsSinceEpoch();
    m_objFace.snapTargetSource.snapTime = time.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    return *this;
}

SnapBuilder &SnapBuilder::state(int temperatureState)
{
    m_objFace.snapTargetSource.temperatureState = temperatureState;
    m_objFace.snapTargetSource.overTempListFlag = temperatureState == 1 ? 1 : 0;
    return *this;
}

SnapBuilder &SnapBuilder::registered(int archiveId, const QString &name, int groupId, float score)
{
    if (m_bDefaultMatch)
        m_vecMatches.clear();
    m_bDefaultMatch = false;
    m_vecMatches.push_back(registeredMatch(archiveId, name, groupId, score));
    if (m_bOnPlatform)
        m_vecMatches.back().archiveImage.url = storePlatformPicture();
    return *this;
}

SnapBuilder &SnapBuilder::onPlatform()
{
    m_bOnPlatform = true;
    for (CompareInfo &match : m_vecMatches) {
        if (match.matchFlag == 1)
            match.archiveImage.url = storePlatformPicture();
    }
    return picture(storePlatformPicture());
}

SnapBuilder &SnapBuilder::stranger()
{
    if (m_bDefaultMatch)
        m_vecMatches.clear();
    m_bDefaultMatch = false;
    m_vecMatches.push_back(CompareInfo());
    return *this;
}

SnapBuilder &SnapBuilder::noMatch()
{
    m_vecMatches.clear();
    m_bDefaultMatch = false;
    return *this;
}

SnapBuilder &SnapBuilder::name(const QString &archiveName)
{
    lastMatch().archive.set_name(archiveName);
    return *this;
}

CompareInfo &SnapBuilder::lastMatch()
{
    // A setter before any match applies to a match of its own rather than to nothing.
    if (m_vecMatches.empty())
        m_vecMatches.push_back(CompareInfo());
    return m_vecMatches.back();
}

OrvaneSnapTargetSource SnapBuilder::source() const
{
    OrvaneSnapTargetSource source = m_objFace.snapTargetSource;
    source.temperature = m_optTemperature.value_or(temperatureFor(source.temperatureState));
    const bool anyRegistered =
            std::any_of(m_vecMatches.begin(), m_vecMatches.end(),
                        [](const CompareInfo &match) { return match.matchFlag == 1; });
    source.compareResult = m_optCompareResult.value_or(anyRegistered ? 1 : 0);
    return source;
}

OrvaneSnapFaceInfo SnapBuilder::face() const
{
    OrvaneSnapFaceInfo face = m_objFace;
    face.snapTargetSource = source();
    return face;
}

OrvaneCompareNotifyMessage SnapBuilder::notification() const
{
    OrvaneCompareNotifyMessage message;
    message.snapFaceInfo = face();
    message.compareInfoVec = m_vecMatches;
    return message;
}

SnapComparesMessage SnapBuilder::record(int matchIndex) const
{
    const CompareInfo match = matchIndex >= 0 && matchIndex < int(m_vecMatches.size())
                                      ? m_vecMatches[std::size_t(matchIndex)]
                                      : CompareInfo();
    return SnapComparesMessage(face(), match, m_bAnnounce);
}

QImage facePicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 7 + y * 3) % 256, (x * x + y) % 256, (y * 11) % 256));
    }
    return image;
}

QString writeFacePicture(const QString &folder, const QString &name)
{
    const QString path = folder + QLatin1Char('/') + name;
    return facePicture().save(path, "PNG") ? path : QString();
}

QString storePlatformPicture()
{
    static int s_nStored = 0;
    return PlatformPictureStore::store(QStringLiteral("built/face-%1.png").arg(++s_nStored),
                                       facePicture(48, 60));
}

} // namespace snaptest
