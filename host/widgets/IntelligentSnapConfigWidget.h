#pragma once

#include "IntelligentSnapConfigParam.h"
#include "SNDialog.h"

#include <QStringList>

class QCheckBox;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The host's channel selection dialog of a screening window: the user's devices of one show
// type with their channels of one filter type in a tree, a check box per channel (at most
// MaxChannels) and the all-channels choice. OK reports the edited selection with sendSnapParam.
class IntelligentSnapConfigWidget : public SNDialog
{
    Q_OBJECT
public:
    static constexpr int MaxChannels = 4;

    explicit IntelligentSnapConfigWidget(QWidget *parent = nullptr);
    ~IntelligentSnapConfigWidget() override;

    void setFaceFecognitionFlag(bool p_bFlag) { m_bFaceRecognition = p_bFlag; }
    // VornClient's device-show and channel-filter types of the tree.
    void setDeviceType(int p_nType) { m_nDeviceType = p_nType; }
    void setChannelType(int p_nType) { m_nChannelType = p_nType; }
    // Hides the button that restores the default (all channels).
    void hideButton(bool p_bHide);
    // Reloads the tree and shows the selection; p_bReport also reports it at once.
    void setSnapConfigParam(IntelligentSnapConfigParam &p_objParam, bool p_bReport);
    // Channels checked now.
    int getChannelCount() const;
    QStringList checkedChannelUIDs() const;
    // Channels the tree offers, in order.
    QStringList channelUIDs() const;
    bool isAllChannels() const;

public slots:
    // What a click on a channel's or the all-channels box does; a channel beyond MaxChannels
    // is refused.
    bool setChannelChecked(const QString &p_strChannelUid, bool p_bChecked);
    void setAllChannels(bool p_bAll);
    // OK: reports the selection and closes.
    void confirm();
    void retranslateUi() override;

signals:
    void sendSnapParam(IntelligentSnapConfigParam p_objParam);

private:
    void reloadTree();
    void onItemChanged(QTreeWidgetItem *p_pItem, int p_nColumn);
    QTreeWidgetItem *channelItem(const QString &p_strChannelUid) const;

    IntelligentSnapConfigParam m_objParam;
    bool m_bFaceRecognition = false;
    int m_nDeviceType = 0;
    int m_nChannelType = 0;
    bool m_bUpdating = false;
    QCheckBox *m_pAllChannels;
    QTreeWidget *m_pTree;
    QPushButton *m_pDefault;
    QPushButton *m_pOk;
    QPushButton *m_pCancel;
};
