#pragma once

#include "BaseWidget.h"

#include <QString>
#include <QVector>

class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

// The host's device tree: the logged-in user's devices with their channels, filtered by a
// device-show type and a channel-filter type. Double-clicking a channel plays it; double-clicking
// a device plays all its listed channels; the context menu offers play, stop, stream and device
// configuration. Names are shown as plain text.
class DeviceWidget : public BaseWidget
{
    Q_OBJECT
public:
    static constexpr int ItemKindRole = Qt::UserRole + 1;
    static constexpr int ItemIdRole = Qt::UserRole + 2;
    static constexpr int ItemUidRole = Qt::UserRole + 3;
    enum ItemKind { DeviceItem = 1, ChannelItem = 2 };

    explicit DeviceWidget(QWidget *parent = nullptr);
    ~DeviceWidget() override;

    void setShowDevicesType(int showType);
    int showDevicesType() const { return m_nShowType; }
    void setChannelFilterType(int filterType);
    int channelFilterType() const { return m_nChannelFilter; }

    QTreeWidget *treeWidget() const { return m_pTree; }
    // Channel ids an item stands for: the channel itself, or every listed channel of a device.
    QVector<int> channelIdsOf(const QTreeWidgetItem *item) const;
    QTreeWidgetItem *findChannelItem(const QString &channelUid) const;
    QTreeWidgetItem *findDeviceItem(const QString &deviceUid) const;
    // Runs one context action on an item, as the menu would ("play", "stop", "main", "sub",
    // "config"); returns false for an unknown action.
    bool triggerAction(QTreeWidgetItem *item, const QString &action);

public slots:
    void slot_winSelected(const QString &p_strChannelUid);
    void reloadDevices();

signals:
    void changeStream(const int &p_nStreamId, const int &p_nChannelId);
    void startPlay(const int &p_nStreamId, const QVector<int> &p_vecChannelId);
    void stopPlay(const QVector<int> &p_vecChannelId);
    void doubleClickedPlay(const int &p_nChannelId);
    void stopPlay(const QString &p_strUid);
    void sig_openIOOutput(int p_nOutput);

private:
    void onItemDoubleClicked(QTreeWidgetItem *item, int column);
    void onContextMenu(const QPoint &pos);

    QTreeWidget *m_pTree = nullptr;
    QMenu *m_pMenu = nullptr;
    int m_nShowType = 0;
    int m_nChannelFilter = 0;
};
