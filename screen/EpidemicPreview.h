#pragma once

#include "ScreeningScreen.h"

#include <memory>

namespace Ui {
class EpidemicPreViewWidget;
}

// The main real-time temperature screening screen: video, snapshot strip, over-temperature
// list, daily totals and voice announcements of one window, with the screen picture under the
// device list.
class EpidemicPreview : public ScreeningScreen
{
    Q_OBJECT

public:
    explicit EpidemicPreview(QWidget *parent = nullptr);
    ~EpidemicPreview() override;

public slots:
    void initForm() override;
    void retranslateUi() override;

private:
    // Not a slot: the form has no tool box, and as a slot its name would make every
    // connectSlotsByName() of the form log a missing-signal warning.
    void on_toolBox_currentChanged(int index);

    void applyScreenPicture() override;
    void showLeftPanelCollapsed(bool p_bCollapsed) override;
    void showSnapPanelCollapsed(bool p_bCollapsed) override;
    QRect orgaPopupGeometry() const override;

    std::unique_ptr<Ui::EpidemicPreViewWidget> m_ui;
};
