#include "HostRecordCodec.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QByteArray toPayload(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QJsonObject fromPayload(const QByteArray &payload, const char *function, bool *ok)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(payload, &error);
    const bool valid = error.error == QJsonParseError::NoError && document.isObject();
    if (!valid)
        qDebug() << function << "stored record is damaged, using defaults:" << error.errorString();
    if (ok)
        *ok = valid;
    return document.object();
}

void readInt(const QJsonObject &object, const char *name, int &field)
{
    const QJsonValue value = object.value(QLatin1String(name));
    if (value.isDouble())
        field = value.toInt(field);
}

void readBool(const QJsonObject &object, const char *name, bool &field)
{
    const QJsonValue value = object.value(QLatin1String(name));
    if (value.isBool())
        field = value.toBool();
}

void readString(const QJsonObject &object, const char *name, QString &field)
{
    const QJsonValue value = object.value(QLatin1String(name));
    if (value.isString())
        field = value.toString();
}

QJsonArray toArray(const QStringList &list)
{
    return QJsonArray::fromStringList(list);
}

QStringList stringList(const QJsonValue &value)
{
    QStringList list;
    const QJsonArray array = value.toArray();
    for (const QJsonValue &item : array)
        list.append(item.toString());
    return list;
}

} // namespace

QByteArray HostRecordCodec::encode(const AppConfigOEM &record)
{
    return toPayload({{QStringLiteral("nPreviewScreenType"), record.nPreviewScreenType},
                      {QStringLiteral("bCollapsibleSnapPanel"), record.bCollapsibleSnapPanel}});
}

QByteArray HostRecordCodec::encode(const AppConfigTemperatureUnit &record)
{
    return toPayload({{QStringLiteral("nTemperatureUnit"), record.nTemperatureUnit}});
}

QByteArray HostRecordCodec::encode(const IntelligentSnapConfigParam &record)
{
    return toPayload({{QStringLiteral("bAllChannel"), record.bAllChannel},
                      {QStringLiteral("nChannelCount"), record.nChannelCount},
                      {QStringLiteral("strChannelUIDList"), toArray(record.strChannelUIDList)},
                      {QStringLiteral("strClearOverTempTime"), record.strClearOverTempTime},
                      {QStringLiteral("nOrgaId"), record.nOrgaId},
                      {QStringLiteral("nStatisticsType"), record.nStatisticsType}});
}

QByteArray HostRecordCodec::encode(const PREVIEWCONFIGPARAM &record)
{
    QJsonArray layouts;
    for (const QPair<int, int> &cell : record.vecLayoutList)
        layouts.append(QJsonArray{cell.first, cell.second});
    QJsonArray positions;
    for (const QString &position : record.vecPicInPicPos)
        positions.append(position);
    return toPayload({{QStringLiteral("strLayoutName"), record.strLayoutName},
                      {QStringLiteral("strLayoutId"), record.strLayoutId},
                      {QStringLiteral("strLayoutMode"), record.strLayoutMode},
                      {QStringLiteral("strReserve1"), record.strReserve1},
                      {QStringLiteral("strReserve2"), record.strReserve2},
                      {QStringLiteral("vecLayoutList"), layouts},
                      {QStringLiteral("nReserve1"), record.nReserve1},
                      {QStringLiteral("nReserve2"), record.nReserve2},
                      {QStringLiteral("nPicInPic"), record.nPicInPic},
                      {QStringLiteral("vecPicInPicPos"), positions},
                      // JSON numbers are doubles; a 64-bit value travels as text to stay exact.
                      {QStringLiteral("llReserve"), QString::number(record.llReserve)},
                      {QStringLiteral("bReserve1"), record.bReserve1},
                      {QStringLiteral("bReserve2"), record.bReserve2},
                      {QStringLiteral("bReserve3"), record.bReserve3},
                      {QStringLiteral("nReserve3"), record.nReserve3}});
}

AppConfigOEM HostRecordCodec::decodeOEM(const QByteArray &payload, bool *ok)
{
    const QJsonObject object = fromPayload(payload, "HostRecordCodec::decodeOEM", ok);
    AppConfigOEM record;
    readInt(object, "nPreviewScreenType", record.nPreviewScreenType);
    readBool(object, "bCollapsibleSnapPanel", record.bCollapsibleSnapPanel);
    return record;
}

AppConfigTemperatureUnit HostRecordCodec::decodeTemperatureUnit(const QByteArray &payload, bool *ok)
{
    const QJsonObject object = fromPayload(payload, "HostRecordCodec::decodeTemperatureUnit", ok);
    AppConfigTemperatureUnit record;
    readInt(object, "nTemperatureUnit", record.nTemperatureUnit);
    return record;
}

IntelligentSnapConfigParam HostRecordCodec::decodeSnapConfig(const QByteArray &payload, bool *ok)
{
    const QJsonObject object = fromPayload(payload, "HostRecordCodec::decodeSnapConfig", ok);
    IntelligentSnapConfigParam record;
    readBool(object, "bAllChannel", record.bAllChannel);
    readInt(object, "nChannelCount", record.nChannelCount);
    record.strChannelUIDList = stringList(object.value(QLatin1String("strChannelUIDList")));
    readString(object, "strClearOverTempTime", record.strClearOverTempTime);
    readInt(object, "nOrgaId", record.nOrgaId);
    readInt(object, "nStatisticsType", record.nStatisticsType);
    return record;
}

PREVIEWCONFIGPARAM HostRecordCodec::decodePreviewConfig(const QByteArray &payload, bool *ok)
{
    const QJsonObject object = fromPayload(payload, "HostRecordCodec::decodePreviewConfig", ok);
    PREVIEWCONFIGPARAM record;
    readString(object, "strLayoutName", record.strLayoutName);
    readString(object, "strLayoutId", record.strLayoutId);
    readString(object, "strLayoutMode", record.strLayoutMode);
    readString(object, "strReserve1", record.strReserve1);
    readString(object, "strReserve2", record.strReserve2);
    const QJsonArray layouts = object.value(QLatin1String("vecLayoutList")).toArray();
    for (const QJsonValue &cell : layouts) {
        const QJsonArray pair = cell.toArray();
        if (pair.size() == 2)
            record.vecLayoutList.append(qMakePair(pair.at(0).toInt(), pair.at(1).toInt()));
    }
    readInt(object, "nReserve1", record.nReserve1);
    readInt(object, "nReserve2", record.nReserve2);
    readInt(object, "nPicInPic", record.nPicInPic);
    const QJsonArray positions = object.value(QLatin1String("vecPicInPicPos")).toArray();
    for (const QJsonValue &position : positions)
        record.vecPicInPicPos.append(position.toString());
    bool numberOk = false;
    const qint64 reserve =
            object.value(QLatin1String("llReserve")).toString().toLongLong(&numberOk);
    if (numberOk)
        record.llReserve = reserve;
    readBool(object, "bReserve1", record.bReserve1);
    readBool(object, "bReserve2", record.bReserve2);
    readBool(object, "bReserve3", record.bReserve3);
    readInt(object, "nReserve3", record.nReserve3);
    return record;
}
