#pragma once

#include "AccessOverlayGroups.h"
#include "ScreeningScreen.h"

#include <QMap>
#include <QPointer>

#include <memory>

namespace Ui {
class TempScreeningSW02;
}

class QLabel;
class SnapHeadWidget;

// The screening screen for a self-service entrance: two rings with the healthy and the
// over-temperature share, today's handled alarms by hour beside the over-temperature list,
// and over the video the face of each of the last two people screened with a banner that
// grants or denies access. Everything else is the shared screening screen.
class TempScreeningSW02 : public ScreeningScreen
{
    Q_OBJECT

public:
    explicit TempScreeningSW02(QWidget *parent = nullptr);
    ~TempScreeningSW02() override;

protected:
    void resizeEvent(QResizeEvent *event) override;

public slots:
    void initForm() override;
    void retranslateUi() override;

private slots:
    void on_pbExpend_clicked();
    void on_pbClose_clicked();

private:
    // One access overlay: the face and the banner right of it.
    struct OverlayGroup
    {
        QPointer<SnapHeadWidget> face;
        QPointer<QWidget> banner;
        QPointer<QLabel> text;
        QPointer<QLabel> icon;
    };

    void prepareFirstShow() override;
    void cardSizeApplied() override;
    void orgaApplied(int p_nOrgaId) override;
    void snapRecordShown(const SnapComparesMessage &p_objRecord) override;
    void videoLayoutChanged() override;
    void videoAreaResized() override;
    void showLeftPanelCollapsed(bool p_bCollapsed) override;
    void showSnapPanelCollapsed(bool p_bCollapsed) override;
    QRect orgaPopupGeometry() const override;

    void showRatios(int p_nTotal, int p_nOverTemp);
    void addSnapImage(const SnapComparesMessage &p_objRecord);
    void buildBanner(OverlayGroup &p_objGroup, int p_nTempState, float k, QWidget *p_pParent);
    void deleteGroup(int p_nId);
    void removeOldestGroup();
    // Where the overlays hang now: the player widget while the placeholder takes the whole
    // screen, the video area otherwise.
    QWidget *overlayParent() const;
    void applyOverlayVisibility();
    void hideOverlays();
    void setOverlaysVisible(bool p_bVisible);
    void applyImageMode();
    void rescaleOverlays(QWidget *p_pScaleFrom);
    void placeBanner(const OverlayGroup &p_objGroup, float k);

    std::unique_ptr<Ui::TempScreeningSW02> m_ui;
    // Newest first, at most two.
    AccessOverlayGroups m_objOverlayOrder;
    QMap<int, OverlayGroup> m_mapOverlays;
    int m_nNextOverlayId = 0;
};
