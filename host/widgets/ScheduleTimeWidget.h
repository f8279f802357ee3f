#pragma once

#include "SNDialog.h"

#include <QList>

class QLabel;
class QPushButton;
class QTableWidget;

// One range of a weekly schedule: a weekday (0 Sunday .. 6 Saturday) and the start and end as
// seconds of the day (0 .. 86400, see ScheduleTime), both ends included.
struct ScheduleTimeRange
{
    int nWeekday = 0;
    int nStart = 0;
    int nEnd = 86400;

    bool operator==(const ScheduleTimeRange &other) const
    {
        return nWeekday == other.nWeekday && nStart == other.nStart && nEnd == other.nEnd;
    }
};

// The host's weekly schedule editor: a list of time ranges, any number per weekday, added,
// changed and removed by the user; the result is read back as a list at any time. A range
// whose times are not "hh:mm" (up to 24:00) or whose end is before its start is left out of the
// result.
class ScheduleTimeWidget : public SNDialog
{
    Q_OBJECT
public:
    ScheduleTimeWidget(QWidget *parent, const QString &p_strTitleKey);
    ~ScheduleTimeWidget() override;

    void setTimeRanges(const QList<ScheduleTimeRange> &p_lstRanges);
    QList<ScheduleTimeRange> timeRanges() const;

    // Row editing, as the buttons and cells do it; rows are numbered from 0.
    int addTimeRange(const ScheduleTimeRange &p_objRange);
    bool changeTimeRange(int p_nRow, const ScheduleTimeRange &p_objRange);
    bool removeTimeRange(int p_nRow);
    int rowCount() const;

public slots:
    void retranslateUi() override;

private:
    void fillRow(int p_nRow, const ScheduleTimeRange &p_objRange);

    QString m_strTitleKey;
    QLabel *m_pLabelTitle = nullptr;
    QTableWidget *m_pTable = nullptr;
    QPushButton *m_pPushButtonAdd = nullptr;
    QPushButton *m_pPushButtonRemove = nullptr;
    QPushButton *m_pPushButtonOK = nullptr;
};
