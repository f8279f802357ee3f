#pragma once

#include "FeverValues.h"
#include "SnapStatisticTypes.h"

#include "BaseWidget.h"

#include <QString>

#include <memory>

namespace Ui {
class SnapStatisticWidget;
}

class QTimer;

// Today's snapshot, over-temperature and no-mask totals of one organisation.
class SnapStatisticWidget : public BaseWidget
{
    Q_OBJECT

public:
    static constexpr const char *ResponseClassName =
            "OrvaneGetRealTimeTempSnapStatisticsOfOrgaResponseMessage";

    explicit SnapStatisticWidget(QWidget *parent = nullptr);
    ~SnapStatisticWidget() override;

    // Chooses the organisation and sources, retitles the panel and asks for the totals.
    void querySnapStatistic(int p_nOrgaId, QString p_strOrgaName,
                            ENUM_MSGQueryTimeTempSnapStatisticsType p_eType);
    // Counts one live snapshot; `p_nSourceKind` is 1 for another server, 3 for the login server.
    void addSnapCount(bool p_bTotal, bool p_bOverTemp, bool p_bNoMask, int p_nSourceKind);
    void setNoMaskVisible(bool p_bVisible);

    // What the panel holds now, for its owners' checks and logs.
    int orgaId() const { return m_nOrgaId; }
    ENUM_MSGQueryTimeTempSnapStatisticsType statisticsType() const { return m_eType; }
    bool isQueryPending() const { return m_bQueryPending; }
    int requestHandle() const { return m_nRequestHandle; }
    int queryInterval() const;
    // Negative while not known.
    int totalCount() const { return m_nTotal; }
    int overTempCount() const { return m_nOverTemp; }
    int noMaskCount() const { return m_nNoMask; }

protected:
    bool event(QEvent *event) override;

public slots:
    void slot_querySnapStatistic();
    void initForm() override;
    void retranslateUi() override;

signals:
    void sigSetStatisticsNum(int p_nTotal, int p_nPartNum);
    void sigSetStatisticsType(StatisticsType type);

private:
    void updateTitle();
    // Ring and number labels.
    void showCounts(int p_nTotal, int p_nOverTemp, int p_nNoMask);
    bool handleReply(QEvent *event);

    std::unique_ptr<Ui::SnapStatisticWidget> m_ui;
    QString m_strOrgaName;
    int m_nOrgaId = FeverValues::NoValue;
    int m_nRequestHandle = FeverValues::NoValue;
    QTimer *m_pQueryTimer = nullptr;
    // Negative counts are not known yet; live counting waits for the first answer.
    int m_nTotal = FeverValues::NoValue;
    int m_nOverTemp = FeverValues::NoValue;
    int m_nNoMask = FeverValues::NoValue;
    bool m_bQueryPending = false;
    ENUM_MSGQueryTimeTempSnapStatisticsType m_eType = QueryByPlatformAndNVR;
    bool m_bAlternateStyle = false;
};
