#pragma once

#include "SNDialog.h"

#include "OrvaneSnapTargetSource.h"

#include <memory>

class OverTemperatureProcessForm;

// The platform's handling of an over-temperature alarm: shows the snapshot and lets the operator
// record how the alarm was handled. A stored handling is reported to every screen through
// VornClient::signalProcessOverTemperatureAlarm.
class OverTemperatureProcessDialog : public SNDialog
{
    Q_OBJECT
public:
    explicit OverTemperatureProcessDialog(QWidget *parent = nullptr);
    ~OverTemperatureProcessDialog() override;

    // Whether the dialog offers to open the alarm's full record in the client; off when it is
    // opened from a screen that shows the record itself.
    void setOpenDialogVisible(bool p_bVisible);
    // Shows the dialog for the alarm of the source; p_bModal blocks until it is closed.
    void openDialog(const OrvaneSnapTargetSource &p_objSource, bool p_bModal);

    // Function card the record button asks the host shell for, with {"alarmId": id}.
    static constexpr int AlarmRecordCardId = 29;
    // Longest note stored; typing beyond it is cut.
    static constexpr int MaxNoteLength = 256;

    void retranslateUi() override;

protected:
    bool event(QEvent *event) override;

private:
    void buildForm();
    void fillForm();
    void showPictures();
    void requestPictures();
    void save();
    void limitNote();

    std::unique_ptr<OverTemperatureProcessForm> m_pForm;
};
