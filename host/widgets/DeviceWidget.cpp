#include "DeviceWidget.h"

#include "VornClient.h"

#include <QDebug>
#include <QHeaderView>
#include <QMenu>
#include <QTreeWidget>
#include <QVBoxLayout>

DeviceWidget::DeviceWidget(QWidget *parent)
    : BaseWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pTree = new QTreeWidget(this);
    m_pTree->setObjectName(QStringLiteral("deviceTree"));
    m_pTree->setHeaderHidden(true);
    m_pTree->setColumnCount(1);
    m_pTree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pTree->setContextMenuPolicy(Qt::CustomContextMenu);
    m_pTree->setExpandsOnDoubleClick(false);
    layout->addWidget(m_pTree);
    m_pMenu = new QMenu(this);

    connect(m_pTree, &QTreeWidget::itemDoubleClicked, this, &DeviceWidget::onItemDoubleClicked);
    connect(m_pTree, &QWidget::customContextMenuRequested, this, &DeviceWidget::onContextMenu);
    VornClient *client = VornClient::instance();
    connect(client, &VornClient::signalDeviceInfoChanged, this, [this]() {
        // A delete is announced before the record goes; rebuild once it is gone.
        QMetaObject::invokeMethod(this, &DeviceWidget::reloadDevices, Qt::QueuedConnection);
    });
    connect(client, &VornClient::signalScenarioLoaded, this, &DeviceWidget::reloadDevices);
    reloadDevices();
}

DeviceWidget::~DeviceWidget() = default;

void DeviceWidget::setShowDevicesType(int showType)
{
    m_nShowType = showType;
    reloadDevices();
}

void DeviceWidget::setChannelFilterType(int filterType)
{
    m_nChannelFilter = filterType;
    reloadDevices();
}

void DeviceWidget::reloadDevices()
{
    VornClient *client = VornClient::instance();
    const QString selectedUid = m_pTree->currentItem()
                                        ? m_pTree->currentItem()->data(0, ItemUidRole).toString()
                                        : QString();
    m_pTree->clear();
    const OrvaneDeviceList devices =
            client->filtDeviceByShowType(client->getCurUserDevices(), m_nShowType);
    for (const OrvaneDevice &device : devices) {
        std::vector<OrvaneChannel> channels;
        client->getChannelsByDeviceId(device.get_id(), channels);
        QList<QTreeWidgetItem *> channelItems;
        for (const OrvaneChannel &channel : channels) {
            if (!client->channelPassesFilter(device, channel, m_nChannelFilter))
                continue;
            auto *item = new QTreeWidgetItem(QStringList(channel.get_channel_name()));
            item->setData(0, ItemKindRole, ChannelItem);
            item->setData(0, ItemIdRole, channel.get_id());
            item->setData(0, ItemUidRole, channel.get_channel_uid());
            channelItems.append(item);
        }
        if (channelItems.isEmpty() && m_nChannelFilter != VornClient::ChannelFilterNone)
            continue;
        auto *deviceItem = new QTreeWidgetItem(m_pTree, QStringList(device.get_device_name()));
        deviceItem->setData(0, ItemKindRole, DeviceItem);
        deviceItem->setData(0, ItemIdRole, device.get_id());
        deviceItem->setData(0, ItemUidRole, device.get_device_uid());
        deviceItem->addChildren(channelItems);
        deviceItem->setExpanded(true);
    }
    if (!selectedUid.isEmpty())
        slot_winSelected(selectedUid);
}

QVector<int> DeviceWidget::channelIdsOf(const QTreeWidgetItem *item) const
{
    QVector<int> ids;
    if (!item)
        return ids;
    if (item->data(0, ItemKindRole).toInt() == ChannelItem) {
        ids.append(item->data(0, ItemIdRole).toInt());
        return ids;
    }
    for (int i = 0; i < item->childCount(); ++i)
        ids.append(item->child(i)->data(0, ItemIdRole).toInt());
    return ids;
}

QTreeWidgetItem *DeviceWidget::findChannelItem(const QString &channelUid) const
{
    if (channelUid.isEmpty())
        return nullptr;
    for (int d = 0; d < m_pTree->topLevelItemCount(); ++d) {
        QTreeWidgetItem *device = m_pTree->topLevelItem(d);
        for (int c = 0; c < device->childCount(); ++c) {
            if (device->child(c)->data(0, ItemUidRole).toString() == channelUid)
                return device->child(c);
        }
    }
    return nullptr;
}

QTreeWidgetItem *DeviceWidget::findDeviceItem(const QString &deviceUid) const
{
    for (int d = 0; d < m_pTree->topLevelItemCount(); ++d) {
        if (m_pTree->topLevelItem(d)->data(0, ItemUidRole).toString() == deviceUid)
            return m_pTree->topLevelItem(d);
    }
    return nullptr;
}

void DeviceWidget::slot_winSelected(const QString &p_strChannelUid)
{
    QTreeWidgetItem *item = findChannelItem(p_strChannelUid);
    if (!item) {
        m_pTree->clearSelection();
        m_pTree->setCurrentItem(nullptr);
        return;
    }
    m_pTree->setCurrentItem(item);
    m_pTree->scrollToItem(item);
}

bool DeviceWidget::triggerAction(QTreeWidgetItem *item, const QString &action)
{
    if (!item)
        return false;
    const QVector<int> ids = channelIdsOf(item);
    const bool isChannel = item->data(0, ItemKindRole).toInt() == ChannelItem;
    if (action == QLatin1String("play")) {
        if (!ids.isEmpty())
            emit startPlay(0, ids);
        return true;
    }
    if (action == QLatin1String("stop")) {
        if (isChannel)
            emit stopPlay(ids);
        else
            emit stopPlay(item->data(0, ItemUidRole).toString());
        return true;
    }
    if (action == QLatin1String("main") || action == QLatin1String("sub")) {
        const int stream = action == QLatin1String("main") ? 0 : 1;
        for (int id : ids)
            emit changeStream(stream, id);
        return true;
    }
    if (action == QLatin1String("config")) {
        const QTreeWidgetItem *deviceItem = isChannel ? item->parent() : item;
        ParamMap params;
        params.insert(QStringLiteral("deviceUid"), deviceItem->data(0, ItemUidRole));
        if (isChannel)
            params.insert(QStringLiteral("channelUid"), item->data(0, ItemUidRole));
        emit clickDevConfig(deviceItem->data(0, ItemIdRole).toInt(), params);
        return true;
    }
    qDebug() << "DeviceWidget::triggerAction unknown action" << action;
    return false;
}

void DeviceWidget::onItemDoubleClicked(QTreeWidgetItem *item, int column)
{
    Q_UNUSED(column)
    if (!item)
        return;
    if (item->data(0, ItemKindRole).toInt() == ChannelItem) {
        emit doubleClickedPlay(item->data(0, ItemIdRole).toInt());
        return;
    }
    const QVector<int> ids = channelIdsOf(item);
    if (!ids.isEmpty())
        emit startPlay(0, ids);
}

void DeviceWidget::onContextMenu(const QPoint &pos)
{
    QTreeWidgetItem *item = m_pTree->itemAt(pos);
    if (!item)
        return;
    m_pMenu->clear();
    const QList<QPair<QString, QString>> actions = {
            {tr("Play"), QStringLiteral("play")},
            {tr("Stop"), QStringLiteral("stop")},
            {tr("Main stream"), QStringLiteral("main")},
            {tr("Sub stream"), QStringLiteral("sub")},
            {tr("Device configuration"), QStringLiteral("config")}};
    // The tree may be rebuilt while the menu runs, so the action finds its item again by UID.
    const QString uid = item->data(0, ItemUidRole).toString();
    const bool isChannel = item->data(0, ItemKindRole).toInt() == ChannelItem;
    for (const auto &entry : actions) {
        QAction *action = m_pMenu->addAction(entry.first);
        const QString name = entry.second;
        connect(action, &QAction::triggered, this, [this, uid, isChannel, name]() {
            triggerAction(isChannel ? findChannelItem(uid) : findDeviceItem(uid), name);
        });
    }
    m_pMenu->exec(m_pTree->viewport()->mapToGlobal(pos));
}
