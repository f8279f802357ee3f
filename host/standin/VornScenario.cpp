#include "VornScenario.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <cmath>

namespace {

constexpr int NoValue = -99999;

// Collects the first error and stops the reader from going on with a broken document.
class Reader
{
public:
    bool failed() const { return !m_error.isEmpty(); }
    QString error() const { return m_error; }

    void fail(const QString &where, const QString &what)
    {
        if (m_error.isEmpty())
            m_error = where + QStringLiteral(": ") + what;
    }

    int readInt(const QJsonObject &object, const QString &key, const QString &where, bool required,
                int fallback = NoValue)
    {
        const QJsonValue value = object.value(key);
        if (value.isUndefined() || value.isNull()) {
            if (required)
                fail(where, QStringLiteral("missing integer \"%1\"").arg(key));
            return fallback;
        }
        const double number = value.toDouble(std::nan(""));
        if (!value.isDouble() || std::floor(number) != number || number < -2147483648.0
            || number > 2147483647.0) {
            fail(where, QStringLiteral("\"%1\" is not an integer").arg(key));
            return fallback;
        }
        return static_cast<int>(number);
    }

    QString readString(const QJsonObject &object, const QString &key, const QString &where,
                       bool required)
    {
        const QJsonValue value = object.value(key);
        if (value.isUndefined() || value.isNull()) {
            if (required)
                fail(where, QStringLiteral("missing text \"%1\"").arg(key));
            return QString();
        }
        if (!value.isString()) {
            fail(where, QStringLiteral("\"%1\" is not a text").arg(key));
            return QString();
        }
        if (required && value.toString().isEmpty())
            fail(where, QStringLiteral("\"%1\" is empty").arg(key));
        return value.toString();
    }

    QJsonArray readArray(const QJsonObject &object, const QString &key, const QString &where)
    {
        const QJsonValue value = object.value(key);
        if (value.isUndefined() || value.isNull())
            return QJsonArray();
        if (!value.isArray())
            fail(where, QStringLiteral("\"%1\" is not a list").arg(key));
        return value.toArray();
    }

    QJsonObject element(const QJsonValue &value, const QString &where)
    {
        if (!value.isObject())
            fail(where, QStringLiteral("entry is not an object"));
        return value.toObject();
    }

    QSet<int> readIntSet(const QJsonObject &object, const QString &key, const QString &where,
                         const QSet<int> &fallback)
    {
        if (!object.contains(key))
            return fallback;
        QSet<int> result;
        const QJsonArray list = readArray(object, key, where);
        for (const QJsonValue &value : list) {
            if (!value.isDouble() || std::floor(value.toDouble()) != value.toDouble()) {
                fail(where, QStringLiteral("\"%1\" holds a non-integer").arg(key));
                break;
            }
            result.insert(value.toInt());
        }
        return result;
    }

private:
    QString m_error;
};

} // namespace

QSet<int> VornScenario::defaultThermalTypeIds()
{
    return {20, 21};
}

QSet<int> VornScenario::defaultRecorderTypeIds()
{
    return {2, 3};
}

bool VornScenario::parse(const QByteArray &json, VornScenario &out, QString &error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        error = QStringLiteral("not valid JSON at offset %1: %2")
                        .arg(parseError.offset)
                        .arg(parseError.errorString());
        return false;
    }
    if (!document.isObject()) {
        error = QStringLiteral("the scenario is not a JSON object");
        return false;
    }
    const QJsonObject root = document.object();
    Reader reader;
    VornScenario scenario;

    const int version =
            reader.readInt(root, QStringLiteral("version"), QStringLiteral("scenario"), false, 1);
    if (version != 1)
        reader.fail(QStringLiteral("scenario"),
                    QStringLiteral("unsupported version %1").arg(version));

    const QJsonObject login = root.value(QStringLiteral("loginServer")).toObject();
    scenario.loginServerUid =
            reader.readString(login, QStringLiteral("uid"), QStringLiteral("loginServer"), true);
    scenario.loginServerHandle = reader.readInt(login, QStringLiteral("handle"),
                                                QStringLiteral("loginServer"), false, 1);
    if (!reader.failed() && scenario.loginServerHandle < 1)
        reader.fail(QStringLiteral("loginServer"), QStringLiteral("handle must be above 0"));

    const QJsonArray servers =
            reader.readArray(root, QStringLiteral("pictureServers"), QStringLiteral("scenario"));
    for (int i = 0; i < servers.size() && !reader.failed(); ++i) {
        const QString where = QStringLiteral("pictureServers[%1]").arg(i);
        const QJsonObject object = reader.element(servers.at(i), where);
        const QString uid = reader.readString(object, QStringLiteral("uid"), where, true);
        const int handle = reader.readInt(object, QStringLiteral("handle"), where, true);
        if (object.value(QStringLiteral("connected")).toBool(true) && handle > 0)
            scenario.pictureServerHandles.insert(uid, handle);
    }

    const QJsonObject user = root.value(QStringLiteral("user")).toObject();
    scenario.user.set_id(reader.readInt(user, QStringLiteral("id"), QStringLiteral("user"), true));
    scenario.user.set_user_name(
            reader.readString(user, QStringLiteral("name"), QStringLiteral("user"), false));
    scenario.userKind =
            reader.readInt(user, QStringLiteral("kind"), QStringLiteral("user"), false, 0);
    scenario.user.set_user_type(scenario.userKind);
    scenario.user.set_orga_id(
            reader.readInt(user, QStringLiteral("orgaId"), QStringLiteral("user"), false));
    scenario.userPasswordDigest = reader.readString(user, QStringLiteral("passwordDigest"),
                                                    QStringLiteral("user"), false);

    const QJsonArray customizations =
            reader.readArray(root, QStringLiteral("customizations"), QStringLiteral("scenario"));
    for (int i = 0; i < customizations.size() && !reader.failed(); ++i) {
        if (!customizations.at(i).isString() || customizations.at(i).toString().isEmpty())
            reader.fail(QStringLiteral("customizations[%1]").arg(i), QStringLiteral("not a name"));
        else
            scenario.customizations.append(customizations.at(i).toString());
    }

    const QJsonObject types = root.value(QStringLiteral("deviceTypes")).toObject();
    scenario.thermalTypeIds =
            reader.readIntSet(types, QStringLiteral("thermal"), QStringLiteral("deviceTypes"),
                              defaultThermalTypeIds());
    scenario.recorderTypeIds =
            reader.readIntSet(types, QStringLiteral("recorder"), QStringLiteral("deviceTypes"),
                              defaultRecorderTypeIds());

    QSet<int> orgaIds;
    QSet<QString> orgaCodes;
    const QJsonArray orgas =
            reader.readArray(root, QStringLiteral("organisations"), QStringLiteral("scenario"));
    for (int i = 0; i < orgas.size() && !reader.failed(); ++i) {
        const QString where = QStringLiteral("organisations[%1]").arg(i);
        const QJsonObject object = reader.element(orgas.at(i), where);
        auto orga = std::make_unique<OrvaneGroup>();
        orga->set_id(reader.readInt(object, QStringLiteral("id"), where, true));
        orga->set_group_name(reader.readString(object, QStringLiteral("name"), where, true));
        orga->set_group_code(reader.readString(object, QStringLiteral("code"), where, true));
        orga->set_parent_id(reader.readInt(object, QStringLiteral("parentId"), where, false));
        if (reader.failed())
            break;
        if (orgaIds.contains(orga->get_id()))
            reader.fail(where, QStringLiteral("duplicate id %1").arg(orga->get_id()));
        if (orgaCodes.contains(orga->get_group_code()))
            reader.fail(where, QStringLiteral("duplicate code %1").arg(orga->get_group_code()));
        orgaIds.insert(orga->get_id());
        orgaCodes.insert(orga->get_group_code());
        scenario.orgas.push_back(std::move(orga));
    }
    for (const auto &orga : scenario.orgas) {
        if (orga->get_parent_id() != NoValue && !orgaIds.contains(orga->get_parent_id()))
            reader.fail(QStringLiteral("organisation %1").arg(orga->get_id()),
                        QStringLiteral("unknown parent %1").arg(orga->get_parent_id()));
    }

    QSet<int> deviceIds;
    QSet<QString> deviceUids;
    QSet<int> channelIds;
    const QJsonArray devices =
            reader.readArray(root, QStringLiteral("devices"), QStringLiteral("scenario"));
    for (int i = 0; i < devices.size() && !reader.failed(); ++i) {
        const QString where = QStringLiteral("devices[%1]").arg(i);
        const QJsonObject object = reader.element(devices.at(i), where);
        auto device = std::make_unique<OrvaneDevice>();
        device->set_id(reader.readInt(object, QStringLiteral("id"), where, true));
        device->set_device_uid(reader.readString(object, QStringLiteral("uid"), where, true));
        device->set_device_name(reader.readString(object, QStringLiteral("name"), where, true));
        device->set_device_type_id(reader.readInt(object, QStringLiteral("typeId"), where, true));
        device->set_group_id(reader.readInt(object, QStringLiteral("groupId"), where, false));
        device->set_ai_detect(reader.readInt(object, QStringLiteral("aiDetect"), where, false));
        device->set_ip(reader.readString(object, QStringLiteral("ip"), where, false));
        device->set_online(reader.readInt(object, QStringLiteral("online"), where, false, 1));
        if (reader.failed())
            break;
        if (deviceIds.contains(device->get_id()))
            reader.fail(where, QStringLiteral("duplicate id %1").arg(device->get_id()));
        if (deviceUids.contains(device->get_device_uid()))
            reader.fail(where, QStringLiteral("duplicate uid %1").arg(device->get_device_uid()));
        if (device->get_group_id() != NoValue && !orgaIds.contains(device->get_group_id()))
            reader.fail(where,
                        QStringLiteral("unknown organisation %1").arg(device->get_group_id()));
        deviceIds.insert(device->get_id());
        deviceUids.insert(device->get_device_uid());

        QSet<int> channelNumbers;
        const QJsonArray channels = reader.readArray(object, QStringLiteral("channels"), where);
        for (int c = 0; c < channels.size() && !reader.failed(); ++c) {
            const QString channelWhere = where + QStringLiteral(".channels[%1]").arg(c);
            const QJsonObject channelObject = reader.element(channels.at(c), channelWhere);
            auto channel = std::make_unique<OrvaneChannel>();
            channel->set_id(
                    reader.readInt(channelObject, QStringLiteral("id"), channelWhere, true));
            channel->set_channel_no(
                    reader.readInt(channelObject, QStringLiteral("no"), channelWhere, true));
            channel->set_channel_name(
                    reader.readString(channelObject, QStringLiteral("name"), channelWhere, false));
            channel->set_channel_type_id(reader.readInt(channelObject, QStringLiteral("typeId"),
                                                        channelWhere, false,
                                                        device->get_device_type_id()));
            if (reader.failed())
                break;
            if (channel->get_channel_no() < 0)
                reader.fail(channelWhere, QStringLiteral("negative channel number"));
            if (channelIds.contains(channel->get_id()))
                reader.fail(channelWhere, QStringLiteral("duplicate id %1").arg(channel->get_id()));
            if (channelNumbers.contains(channel->get_channel_no()))
                reader.fail(channelWhere, QStringLiteral("duplicate channel number"));
            channelIds.insert(channel->get_id());
            channelNumbers.insert(channel->get_channel_no());
            const QString stream =
                    reader.readString(channelObject, QStringLiteral("stream"), channelWhere, false);
            if (!stream.isEmpty())
                scenario.channelStreams.insert(channel->get_id(), stream);
            channel->set_device_id(device->get_id());
            if (channel->get_channel_name().isEmpty())
                channel->set_channel_name(device->get_device_name());
            channel->set_channel_uid(device->get_device_uid() + QLatin1Char('_')
                                     + QString::number(channel->get_channel_no()));
            scenario.channels.push_back(std::move(channel));
        }
        scenario.devices.push_back(std::move(device));
    }

    QSet<int> personGroupIds;
    const QJsonArray groups =
            reader.readArray(root, QStringLiteral("personGroups"), QStringLiteral("scenario"));
    for (int i = 0; i < groups.size() && !reader.failed(); ++i) {
        const QString where = QStringLiteral("personGroups[%1]").arg(i);
        const QJsonObject object = reader.element(groups.at(i), where);
        OrvanePersonGroup group;
        group.set_id(reader.readInt(object, QStringLiteral("id"), where, true));
        group.set_group_name(reader.readString(object, QStringLiteral("name"), where, true));
        group.set_parent_id(reader.readInt(object, QStringLiteral("parentId"), where, false));
        if (personGroupIds.contains(group.get_id()))
            reader.fail(where, QStringLiteral("duplicate id %1").arg(group.get_id()));
        personGroupIds.insert(group.get_id());
        scenario.personGroups.push_back(group);
    }
    for (const OrvanePersonGroup &group : scenario.personGroups) {
        if (group.get_parent_id() != NoValue && !personGroupIds.contains(group.get_parent_id()))
            reader.fail(QStringLiteral("person group %1").arg(group.get_id()),
                        QStringLiteral("unknown parent %1").arg(group.get_parent_id()));
    }

    const QJsonArray archives =
            reader.readArray(root, QStringLiteral("archives"), QStringLiteral("scenario"));
    for (int i = 0; i < archives.size() && !reader.failed(); ++i) {
        const QString where = QStringLiteral("archives[%1]").arg(i);
        const QJsonObject object = reader.element(archives.at(i), where);
        OrvaneArchive archive;
        archive.set_id(reader.readInt(object, QStringLiteral("id"), where, true));
        archive.set_name(reader.readString(object, QStringLiteral("name"), where, true));
        archive.set_group_id(reader.readInt(object, QStringLiteral("groupId"), where, true));
        archive.set_gender(reader.readInt(object, QStringLiteral("gender"), where, false, 0));
        archive.set_image_url(reader.readString(object, QStringLiteral("imageUrl"), where, false));
        if (!reader.failed() && !personGroupIds.contains(archive.get_group_id()))
            reader.fail(where,
                        QStringLiteral("unknown person group %1").arg(archive.get_group_id()));
        scenario.archives.push_back(archive);
    }

    if (reader.failed()) {
        error = reader.error();
        return false;
    }
    out = std::move(scenario);
    return true;
}
