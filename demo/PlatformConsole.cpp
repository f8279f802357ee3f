#include "PlatformConsole.h"

#include "AlarmHandlingStore.h"
#include "HostTesting.h"
#include "SnapshotHistory.h"
#include "VornClient.h"

#include <QComboBox>
#include <QDateTime>
#include <QDebug>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Alarm ids looked at below the newest, at most, to find one nobody handled.
constexpr int MaxAlarmsLookedAt = 500;
// The statistics answers the console offers, in its list's order.
const AsyncPlatformService::Fault AnswerModes[] = {
        AsyncPlatformService::Fault::None, AsyncPlatformService::Fault::ErrorCode,
        AsyncPlatformService::Fault::Timeout, AsyncPlatformService::Fault::LateReply,
        AsyncPlatformService::Fault::StaleHandle};

} // namespace

QString PlatformConsole::nextGroupCode(const QString &p_strParentCode,
                                       const QStringList &p_listCodes)
{
    for (int number = 1; number <= 999; ++number) {
        const QString code =
                p_strParentCode + QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
        if (!p_listCodes.contains(code))
            return code;
    }
    return QString();
}

int PlatformConsole::nextId(const std::vector<int> &p_vecIds, int p_nFloor)
{
    int next = p_nFloor;
    for (int id : p_vecIds)
        next = std::max(next, id + 1);
    return next;
}

PlatformConsole::PlatformConsole(QWidget *parent)
    : QDockWidget(QStringLiteral("Platform console"), parent)
    , m_pOrgas(new QComboBox)
    , m_pDevices(new QComboBox)
    , m_pName(new QLineEdit)
    , m_pAnswers(new QComboBox)
    , m_pLog(new QPlainTextEdit)
{
    setObjectName(QStringLiteral("PlatformConsole"));
    auto *body = new QWidget(this);
    auto *layout = new QVBoxLayout(body);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Organisation"), m_pOrgas);
    form->addRow(QStringLiteral("New name"), m_pName);
    form->addRow(QStringLiteral("Device"), m_pDevices);
    m_pAnswers->addItems({QStringLiteral("answered"), QStringLiteral("fail with an error"),
                          QStringLiteral("time out"), QStringLiteral("answer late"),
                          QStringLiteral("answer with a stale handle")});
    form->addRow(QStringLiteral("Statistics"), m_pAnswers);
    layout->addLayout(form);
    m_pName->setPlaceholderText(QStringLiteral("name of a new or renamed organisation"));

    // One column: the dock is narrow.
    auto *buttons = new QVBoxLayout;
    const auto button = [this, buttons](const QString &text, bool (PlatformConsole::*action)()) {
        auto *push = new QPushButton(text, this);
        buttons->addWidget(push);
        connect(push, &QPushButton::clicked, this, action);
    };
    button(QStringLiteral("Add thermal device"), &PlatformConsole::addThermalDevice);
    button(QStringLiteral("Remove device"), &PlatformConsole::removeDevice);
    button(QStringLiteral("Add organisation"), &PlatformConsole::addOrganisation);
    button(QStringLiteral("Rename organisation"), &PlatformConsole::renameOrganisation);
    button(QStringLiteral("Delete organisation"), &PlatformConsole::deleteOrganisation);
    button(QStringLiteral("Reset today's totals"), &PlatformConsole::resetTotals);
    button(QStringLiteral("Handle newest alarm elsewhere"), &PlatformConsole::handleNewestAlarm);
    layout->addLayout(buttons);

    m_pLog->setReadOnly(true);
    m_pLog->setMaximumBlockCount(200);
    layout->addWidget(m_pLog, 1);
    // Beside the screens, not instead of them.
    body->setMaximumWidth(320);
    setWidget(body);

    connect(m_pAnswers, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &PlatformConsole::setStatisticsAnswers);
    // A deletion is announced before the record goes: read the lists once it has.
    VornClient *client = VornClient::instance();
    const auto later = [this] { QTimer::singleShot(0, this, &PlatformConsole::refreshLists); };
    connect(client, &VornClient::signalOrgaInfoChanged, this, later);
    connect(client, &VornClient::signalDeviceInfoChanged, this, later);
    connect(client, &VornClient::signalScenarioLoaded, this, later);
    refreshLists();
}

PlatformConsole::~PlatformConsole() = default;

void PlatformConsole::refreshLists()
{
    VornClient *client = VornClient::instance();
    const int orga = m_pOrgas->currentData().toInt();
    m_pOrgas->clear();
    std::vector<Node> nodes;
    client->getOrgaNodeList(nodes);
    for (const Node &node : nodes)
        m_pOrgas->addItem(QString(node.nLevel * 2, QLatin1Char(' ')) + node.strName, node.nId);
    m_pOrgas->setCurrentIndex(std::max(0, m_pOrgas->findData(orga)));

    const int device = m_pDevices->currentData().toInt();
    m_pDevices->clear();
    for (const OrvaneDevice &entry : client->filtDeviceByShowType(
                 client->getCurUserDevices(), VornClient::ShowTempScreeningDevices))
        m_pDevices->addItem(entry.get_device_name(), entry.get_id());
    m_pDevices->setCurrentIndex(std::max(0, m_pDevices->findData(device)));
}

void PlatformConsole::note(const QString &p_strText)
{
    const QString line =
            QDateTime::currentDateTime().toString(QStringLiteral("hh:mm:ss ")) + p_strText;
    m_pLog->appendPlainText(line);
    qDebug().noquote() << "PlatformConsole" << line;
}

OrvaneOrga PlatformConsole::selectedOrga() const
{
    const OrvaneGroup *orga =
            VornClient::instance()->getOrgaInfoById(m_pOrgas->currentData().toInt());
    return orga ? *orga : OrvaneOrga();
}

bool PlatformConsole::addThermalDevice()
{
    VornClient *client = VornClient::instance();
    const OrvaneOrga orga = selectedOrga();
    int thermalType = -1;
    std::vector<int> ids;
    for (const OrvaneDevice &device : client->getCurUserDevices()) {
        ids.push_back(device.get_id());
        if (thermalType < 0 && client->isThermoDetectorDevice(device.get_device_type_id()))
            thermalType = device.get_device_type_id();
    }
    if (orga.get_id() == orvane::NoValue || thermalType < 0) {
        note(QStringLiteral("no organisation or no thermal device type to add a device with"));
        return false;
    }
    const int id = nextId(ids, 900);
    OrvaneDevice device;
    device.set_id(id);
    device.set_device_uid(QStringLiteral("TC-CONSOLE-%1").arg(id));
    device.set_device_name(QStringLiteral("Console Thermal %1").arg(id));
    device.set_group_id(orga.get_id());
    device.set_device_type_id(thermalType);
    OrvaneChannel channel;
    channel.set_id(id * 10 + 1);
    channel.set_channel_no(1);
    channel.set_channel_name(device.get_device_name());
    channel.set_channel_type_id(thermalType);
    HostTesting::addDevice(device, {channel});
    note(QStringLiteral("added %1 in %2").arg(device.get_device_name(), orga.get_group_name()));
    return true;
}

bool PlatformConsole::removeDevice()
{
    const int id = m_pDevices->currentData().toInt();
    const QString name = m_pDevices->currentText();
    if (!HostTesting::removeDevice(id)) {
        note(QStringLiteral("no device to remove"));
        return false;
    }
    note(QStringLiteral("removed %1").arg(name));
    return true;
}

bool PlatformConsole::addOrganisation()
{
    const QString name = m_pName->text().trimmed();
    const OrvaneOrga parent = selectedOrga();
    if (name.isEmpty()) {
        note(QStringLiteral("type the new organisation's name first"));
        return false;
    }
    std::vector<Node> nodes;
    VornClient::instance()->getOrgaNodeList(nodes);
    std::vector<int> ids;
    QStringList codes;
    for (const Node &node : nodes) {
        ids.push_back(node.nId);
        codes.append(node.strKey);
    }
    OrvaneOrga orga;
    orga.set_id(nextId(ids, 1));
    orga.set_group_name(name);
    orga.set_parent_id(parent.get_id());
    orga.set_group_code(nextGroupCode(parent.get_group_code(), codes));
    if (orga.get_group_code().isEmpty()) {
        note(QStringLiteral("no room for another organisation there"));
        return false;
    }
    HostTesting::addOrga(orga);
    note(QStringLiteral("added organisation %1 below %2").arg(name, parent.get_group_name()));
    return true;
}

bool PlatformConsole::renameOrganisation()
{
    OrvaneOrga orga = selectedOrga();
    const QString name = m_pName->text().trimmed();
    if (orga.get_id() == orvane::NoValue || name.isEmpty()) {
        note(QStringLiteral("choose an organisation and type its new name"));
        return false;
    }
    const QString old = orga.get_group_name();
    orga.set_group_name(name);
    HostTesting::addOrga(orga); // the same id: a modification
    note(QStringLiteral("renamed %1 to %2").arg(old, name));
    return true;
}

bool PlatformConsole::deleteOrganisation()
{
    const OrvaneOrga orga = selectedOrga();
    if (!HostTesting::removeOrga(orga.get_id())) {
        note(QStringLiteral("no organisation to delete"));
        return false;
    }
    note(QStringLiteral("deleted organisation %1").arg(orga.get_group_name()));
    return true;
}

bool PlatformConsole::resetTotals()
{
    const bool reset = HostTesting::resetDailyTotals();
    note(reset ? QStringLiteral("today's totals reset")
               : QStringLiteral("the platform store refused the reset"));
    return reset;
}

bool PlatformConsole::handleNewestAlarm()
{
    const QDate today = QDate::currentDate();
    const int newest = SnapshotHistory::maxAlarmId();
    for (int alarmId = newest; alarmId > 0 && alarmId > newest - MaxAlarmsLookedAt; --alarmId) {
        OrvaneCompareNotifyMessage message;
        if (!SnapshotHistory::findByAlarmId(alarmId, message)
            || AlarmHandlingStore::isHandled(alarmId))
            continue;
        const QDateTime taken =
                QDateTime::fromString(message.snapFaceInfo.snapTargetSource.snapTime,
                                      QString::fromLatin1(SnapshotHistory::TimeFormat));
        if (taken.date() != today)
            continue;
        AlarmHandlingStore::Record record;
        record.nAlarmId = alarmId;
        record.nHandleType = AlarmHandlingStore::HandleOther;
        record.strNote = QStringLiteral("handled at another workstation");
        record.nOperatorId = OtherWorkstationOperatorId;
        record.objTime = QDateTime::currentDateTime();
        if (AlarmHandlingStore::save(record) != AlarmHandlingStore::SaveResult::Stored) {
            note(QStringLiteral("the handling of alarm %1 was not stored").arg(alarmId));
            return false;
        }
        // As the platform tells every client of a handled alarm.
        emit VornClient::instance()->signalProcessOverTemperatureAlarm(std::vector<int>{alarmId});
        note(QStringLiteral("alarm %1 handled at another workstation").arg(alarmId));
        return true;
    }
    note(QStringLiteral("no unhandled over-temperature alarm today"));
    return false;
}

void PlatformConsole::setStatisticsAnswers(int p_nIndex)
{
    if (p_nIndex < 0 || p_nIndex >= int(std::size(AnswerModes)))
        return;
    HostTesting::setAsyncReplyFault(AnswerModes[p_nIndex]);
    note(QStringLiteral("statistics requests: %1").arg(m_pAnswers->itemText(p_nIndex)));
}
