#pragma once

#include "BaseWidget.h"

#include <QList>
#include <QRect>
#include <QStringList>

// A screen that can point the user at one of its controls with a guide bubble. The host shell
// shows the guides; the screen only hands over where they go.
class BaseGuideWidget : public BaseWidget
{
    Q_OBJECT
public:
    struct GuideParam
    {
        int nType = 0;
        QRect rect; // global coordinates of the control the guide points at
        int nArrow = 0;
        QStringList tips;
    };

    explicit BaseGuideWidget(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~BaseGuideWidget() override;

    void updateGuideParam(const QList<GuideParam> &params);

signals:
    void signalGuideParamChanged();

private:
    // What the host shell is handed: see HostTesting (host/testing).
    friend class HostTesting;
    QList<GuideParam> guideParams() const;
    int guideUpdateCount() const { return m_nGuideUpdates; }

    QList<GuideParam> m_listGuideParam;
    int m_nGuideUpdates = 0;
};
