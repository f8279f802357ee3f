#pragma once

#include "FeverScreenExport.h"

#include "BaseWidget.h"

#include <QMap>
#include <QObject>
#include <QPointer>

class QWidget;

// The library's one exported class: builds screening screens for the host and hands them
// out by window id.
class FEVERSCREEN_EXPORT EpidemicPreviewPlugin : public QObject
{
    Q_OBJECT

public:
    explicit EpidemicPreviewPlugin(QObject *parent = nullptr);
    ~EpidemicPreviewPlugin() override;

    // Returns the new window id, or -1 when no screen could be built.
    int init(QWidget *parent);
    BaseWidget *getWidget(const int &p_nWndId);
    bool uninit(const int &p_nWndId);

private:
    struct WindowEntry
    {
        QWidget *parent = nullptr;
        // Guarded: a parent may delete its screen before the host calls uninit, and the
        // registry must then hand out null rather than a dangling pointer.
        QPointer<BaseWidget> widget;
    };

    // Last id handed out by any plug-in object of the process; ids are never reused.
    static int m_nWndId;
    // The screens are not owned: a parented screen belongs to its parent, a parentless one
    // is deleted by uninit through the event loop.
    QMap<int, WindowEntry> m_mapWindows;
};
