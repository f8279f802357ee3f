#include "IntelligentSnapConfigWidget.h"

#include "AppLanguageTr.h"
#include "VornClient.h"

#include <QCheckBox>
#include <QDebug>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int ChannelUidRole = Qt::UserRole + 1;

} // namespace

IntelligentSnapConfigWidget::IntelligentSnapConfigWidget(QWidget *parent)
    : SNDialog(parent, Qt::Dialog)
    , m_pAllChannels(new QCheckBox(this))
    , m_pTree(new QTreeWidget(this))
    , m_pDefault(new QPushButton(this))
    , m_pOk(new QPushButton(this))
    , m_pCancel(new QPushButton(this))
{
    setObjectName(QStringLiteral("IntelligentSnapConfigWidget"));
    setWindowModality(Qt::WindowModal);
    resize(420, 460);
    m_pAllChannels->setObjectName(QStringLiteral("checkBoxAllChannel"));
    m_pTree->setObjectName(QStringLiteral("treeWidgetChannel"));
    m_pTree->header()->hide();
    m_pOk->setObjectName(QStringLiteral("pushButtonOk"));
    m_pCancel->setObjectName(QStringLiteral("pushButtonCancel"));
    m_pDefault->setObjectName(QStringLiteral("pushButtonDefault"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pAllChannels);
    layout->addWidget(m_pTree, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_pDefault);
    buttons->addStretch(1);
    buttons->addWidget(m_pOk);
    buttons->addWidget(m_pCancel);
    layout->addLayout(buttons);

    connect(m_pAllChannels, &QCheckBox::toggled, this,
            &IntelligentSnapConfigWidget::setAllChannels);
    connect(m_pTree, &QTreeWidget::itemChanged, this, &IntelligentSnapConfigWidget::onItemChanged);
    connect(m_pDefault, &QPushButton::clicked, this, [this] { setAllChannels(true); });
    connect(m_pOk, &QPushButton::clicked, this, &IntelligentSnapConfigWidget::confirm);
    connect(m_pCancel, &QPushButton::clicked, this, &SNDialog::closeSNDialog);
    retranslateUi();
}

IntelligentSnapConfigWidget::~IntelligentSnapConfigWidget() = default;

void IntelligentSnapConfigWidget::retranslateUi()
{
    setWindowTitle(AppLanguageTr::translate(QStringLiteral("TK_DeviceList")));
    m_pAllChannels->setText(AppLanguageTr::translate(QStringLiteral("TK_AllChannels")));
    m_pDefault->setText(AppLanguageTr::translate(QStringLiteral("TK_Default")));
    m_pOk->setText(AppLanguageTr::translate(QStringLiteral("TK_OK")));
    m_pCancel->setText(AppLanguageTr::translate(QStringLiteral("TK_Cancel")));
}

void IntelligentSnapConfigWidget::hideButton(bool p_bHide)
{
    m_pDefault->setVisible(!p_bHide);
}

void IntelligentSnapConfigWidget::setSnapConfigParam(IntelligentSnapConfigParam &p_objParam,
                                                     bool p_bReport)
{
    m_objParam = p_objParam;
    reloadTree();
    if (p_bReport)
        emit sendSnapParam(m_objParam);
}

void IntelligentSnapConfigWidget::reloadTree()
{
    m_bUpdating = true;
    m_pTree->clear();
    VornClient *client = VornClient::instance();
    const OrvaneDeviceList devices =
            client->filtDeviceByShowType(client->getCurUserDevices(), m_nDeviceType);
    int checked = 0;
    for (const OrvaneDevice &device : devices) {
        std::vector<OrvaneChannel> channels;
        client->getChannelsByDeviceId(device.get_id(), channels);
        QTreeWidgetItem *deviceItem = nullptr;
        for (const OrvaneChannel &channel : channels) {
            if (!client->channelPassesFilter(device, channel, m_nChannelType))
                continue;
            if (!deviceItem) {
                deviceItem = new QTreeWidgetItem(m_pTree, QStringList{device.get_device_name()});
                deviceItem->setFlags(Qt::ItemIsEnabled);
            }
            const QString uid = channel.get_channel_uid();
            auto *item = new QTreeWidgetItem(deviceItem, QStringList{channel.get_channel_name()});
            item->setData(0, ChannelUidRole, uid);
            item->setToolTip(0, uid);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            const bool on = !m_objParam.bAllChannel && checked < MaxChannels
                            && m_objParam.strChannelUIDList.contains(uid);
            checked += on ? 1 : 0;
            item->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
        }
    }
    m_pTree->expandAll();
    m_pAllChannels->setChecked(m_objParam.bAllChannel);
    m_pTree->setEnabled(!m_objParam.bAllChannel);
    m_bUpdating = false;
}

QTreeWidgetItem *IntelligentSnapConfigWidget::channelItem(const QString &p_strChannelUid) const
{
    for (QTreeWidgetItemIterator it(m_pTree); *it; ++it) {
        if ((*it)->data(0, ChannelUidRole).toString() == p_strChannelUid)
            return *it;
    }
    return nullptr;
}

QStringList IntelligentSnapConfigWidget::channelUIDs() const
{
    QStringList uids;
    for (QTreeWidgetItemIterator it(m_pTree); *it; ++it) {
        const QString uid = (*it)->data(0, ChannelUidRole).toString();
        if (!uid.isEmpty())
            uids.append(uid);
    }
    return uids;
}

QStringList IntelligentSnapConfigWidget::checkedChannelUIDs() const
{
    QStringList uids;
    for (QTreeWidgetItemIterator it(m_pTree); *it; ++it) {
        const QString uid = (*it)->data(0, ChannelUidRole).toString();
        if (!uid.isEmpty() && (*it)->checkState(0) == Qt::Checked)
            uids.append(uid);
    }
    return uids;
}

int IntelligentSnapConfigWidget::getChannelCount() const
{
    return checkedChannelUIDs().size();
}

bool IntelligentSnapConfigWidget::isAllChannels() const
{
    return m_pAllChannels->isChecked();
}

bool IntelligentSnapConfigWidget::setChannelChecked(const QString &p_strChannelUid, bool p_bChecked)
{
    QTreeWidgetItem *item = channelItem(p_strChannelUid);
    if (!item || m_pAllChannels->isChecked())
        return false;
    item->setCheckState(0, p_bChecked ? Qt::Checked : Qt::Unchecked);
    return (item->checkState(0) == Qt::Checked) == p_bChecked;
}

void IntelligentSnapConfigWidget::onItemChanged(QTreeWidgetItem *p_pItem, int p_nColumn)
{
    if (m_bUpdating || p_nColumn != 0 || p_pItem->checkState(0) != Qt::Checked)
        return;
    if (getChannelCount() <= MaxChannels)
        return;
    m_bUpdating = true;
    p_pItem->setCheckState(0, Qt::Unchecked);
    m_bUpdating = false;
    qDebug() << "IntelligentSnapConfigWidget at most" << MaxChannels << "channels";
}

void IntelligentSnapConfigWidget::setAllChannels(bool p_bAll)
{
    if (m_pAllChannels->isChecked() != p_bAll) {
        m_pAllChannels->setChecked(p_bAll); // comes back through toggled
        return;
    }
    // Every channel is screened: single choices mean nothing then.
    if (p_bAll) {
        m_bUpdating = true;
        for (QTreeWidgetItemIterator it(m_pTree); *it; ++it) {
            if (!(*it)->data(0, ChannelUidRole).toString().isEmpty())
                (*it)->setCheckState(0, Qt::Unchecked);
        }
        m_bUpdating = false;
    }
    m_pTree->setEnabled(!p_bAll);
}

void IntelligentSnapConfigWidget::confirm()
{
    IntelligentSnapConfigParam param = m_objParam;
    param.bAllChannel = m_pAllChannels->isChecked();
    param.strChannelUIDList = checkedChannelUIDs();
    param.nChannelCount = param.strChannelUIDList.size();
    m_objParam = param;
    closeSNDialog();
    emit sendSnapParam(param);
}
