#include "CompareNotifyCodec.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

void readInt(const QJsonObject &o, const char *key, int &field)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isDouble())
        field = v.toInt(field);
}

void readDouble(const QJsonObject &o, const char *key, double &field)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isDouble())
        field = v.toDouble();
}

void readFloat(const QJsonObject &o, const char *key, float &field)
{
    double value = field;
    readDouble(o, key, value);
    field = float(value);
}

void readString(const QJsonObject &o, const char *key, QString &field)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isString())
        field = v.toString();
}

void readInt64(const QJsonObject &o, const char *key, qint64 &field)
{
    bool ok = false;
    const qint64 value = o.value(QLatin1String(key)).toString().toLongLong(&ok);
    if (ok)
        field = value;
}

QJsonObject encodeSource(const OrvaneSnapTargetSource &s)
{
    QJsonObject o;
    o.insert(QStringLiteral("serverUID"), s.serverUID);
    o.insert(QStringLiteral("snapDetailImageURL"), s.snapDetailImageURL);
    o.insert(QStringLiteral("channelUID"), s.channelUID);
    o.insert(QStringLiteral("deviceTypeId"), s.deviceTypeId);
    o.insert(QStringLiteral("snapTime"), s.snapTime);
    o.insert(QStringLiteral("skipFlag"), s.skipFlag);
    o.insert(QStringLiteral("compareResult"), s.compareResult);
    o.insert(QStringLiteral("hasTemperature"), s.hasTemperature);
    o.insert(QStringLiteral("temperature"), s.temperature);
    o.insert(QStringLiteral("temperatureState"), s.temperatureState);
    o.insert(QStringLiteral("overTempListFlag"), s.overTempListFlag);
    o.insert(QStringLiteral("alarmId"), s.alarmId);
    return o;
}

OrvaneSnapTargetSource decodeSource(const QJsonObject &o)
{
    OrvaneSnapTargetSource s;
    readString(o, "serverUID", s.serverUID);
    readString(o, "snapDetailImageURL", s.snapDetailImageURL);
    readString(o, "channelUID", s.channelUID);
    readInt(o, "deviceTypeId", s.deviceTypeId);
    readString(o, "snapTime", s.snapTime);
    readInt(o, "skipFlag", s.skipFlag);
    readInt(o, "compareResult", s.compareResult);
    readInt(o, "hasTemperature", s.hasTemperature);
    readDouble(o, "temperature", s.temperature);
    readInt(o, "temperatureState", s.temperatureState);
    readInt(o, "overTempListFlag", s.overTempListFlag);
    readInt(o, "alarmId", s.alarmId);
    return s;
}

QJsonObject encodeFace(const OrvaneSnapFaceInfo &f)
{
    QJsonObject o;
    o.insert(QStringLiteral("snapId"), QString::number(f.snapId));
    o.insert(QStringLiteral("faceId"), QString::number(f.faceId));
    o.insert(QStringLiteral("snapTimestampMs"), QString::number(f.snapTimestampMs));
    o.insert(QStringLiteral("maskStatus"), f.maskStatus);
    o.insert(QStringLiteral("age"), f.age);
    o.insert(QStringLiteral("gender"), f.gender);
    o.insert(QStringLiteral("glasses"), f.glasses);
    o.insert(QStringLiteral("faceRect"), f.faceRect);
    o.insert(QStringLiteral("snapTargetSource"), encodeSource(f.snapTargetSource));
    return o;
}

OrvaneSnapFaceInfo decodeFace(const QJsonObject &o)
{
    OrvaneSnapFaceInfo f;
    readInt64(o, "snapId", f.snapId);
    readInt64(o, "faceId", f.faceId);
    readInt64(o, "snapTimestampMs", f.snapTimestampMs);
    readInt(o, "maskStatus", f.maskStatus);
    readInt(o, "age", f.age);
    readInt(o, "gender", f.gender);
    readInt(o, "glasses", f.glasses);
    readString(o, "faceRect", f.faceRect);
    f.snapTargetSource = decodeSource(o.value(QLatin1String("snapTargetSource")).toObject());
    return f;
}

QJsonObject encodeMatch(const CompareInfo &c)
{
    QJsonObject image;
    image.insert(QStringLiteral("archiveId"), c.archiveImage.archiveId);
    image.insert(QStringLiteral("archiveGroupId"), c.archiveImage.archiveGroupId);
    image.insert(QStringLiteral("url"), c.archiveImage.url);
    image.insert(QStringLiteral("imageName"), c.archiveImage.imageName);

    QJsonObject archive;
    archive.insert(QStringLiteral("id"), c.archive.get_id());
    archive.insert(QStringLiteral("name"), c.archive.get_name());
    archive.insert(QStringLiteral("group_id"), c.archive.get_group_id());
    archive.insert(QStringLiteral("gender"), c.archive.get_gender());
    archive.insert(QStringLiteral("image_url"), c.archive.get_image_url());

    QJsonObject o;
    o.insert(QStringLiteral("archiveImage"), image);
    o.insert(QStringLiteral("archive"), archive);
    o.insert(QStringLiteral("matchFlag"), c.matchFlag);
    o.insert(QStringLiteral("score"), double(c.score));
    o.insert(QStringLiteral("libraryId"), c.libraryId);
    return o;
}

CompareInfo decodeMatch(const QJsonObject &o)
{
    CompareInfo c;
    const QJsonObject image = o.value(QLatin1String("archiveImage")).toObject();
    readInt(image, "archiveId", c.archiveImage.archiveId);
    readInt(image, "archiveGroupId", c.archiveImage.archiveGroupId);
    readString(image, "url", c.archiveImage.url);
    readString(image, "imageName", c.archiveImage.imageName);

    const QJsonObject archive = o.value(QLatin1String("archive")).toObject();
    int id = c.archive.get_id();
    readInt(archive, "id", id);
    c.archive.set_id(id);
    QString name = c.archive.get_name();
    readString(archive, "name", name);
    c.archive.set_name(name);
    int groupId = c.archive.get_group_id();
    readInt(archive, "group_id", groupId);
    c.archive.set_group_id(groupId);
    int gender = c.archive.get_gender();
    readInt(archive, "gender", gender);
    c.archive.set_gender(gender);
    QString imageUrl = c.archive.get_image_url();
    readString(archive, "image_url", imageUrl);
    c.archive.set_image_url(imageUrl);

    readInt(o, "matchFlag", c.matchFlag);
    readFloat(o, "score", c.score);
    readInt(o, "libraryId", c.libraryId);
    return c;
}

} // namespace

QByteArray CompareNotifyCodec::encode(const OrvaneCompareNotifyMessage &message)
{
    QJsonArray matches;
    for (const CompareInfo &match : message.compareInfoVec)
        matches.append(encodeMatch(match));
    QJsonObject o;
    o.insert(QStringLiteral("compareInfoVec"), matches);
    o.insert(QStringLiteral("snapFaceInfo"), encodeFace(message.snapFaceInfo));
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

bool CompareNotifyCodec::decode(const QByteArray &payload, OrvaneCompareNotifyMessage &message)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(payload, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return false;
    const QJsonObject o = document.object();
    message = OrvaneCompareNotifyMessage();
    const QJsonArray matches = o.value(QLatin1String("compareInfoVec")).toArray();
    message.compareInfoVec.reserve(std::size_t(matches.size()));
    for (const QJsonValue &match : matches)
        message.compareInfoVec.push_back(decodeMatch(match.toObject()));
    message.snapFaceInfo = decodeFace(o.value(QLatin1String("snapFaceInfo")).toObject());
    return true;
}
