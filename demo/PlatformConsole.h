#pragma once

#include "OrvaneGroup.h"

#include <QDockWidget>
#include <QStringList>

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

// The platform's side while the screens run, as a dock of the demo window: thermal devices
// added and removed, organisations added, renamed and deleted, today's totals reset, the newest
// over-temperature alarm handled as another workstation would, and the statistics answers
// switched to fail. Every action goes through the stand-in platform and reaches the screens
// through the signals they listen to.
class PlatformConsole : public QDockWidget
{
    Q_OBJECT

public:
    // Who handles alarms from the console: not the screens' operator.
    static constexpr int OtherWorkstationOperatorId = 9001;

    explicit PlatformConsole(QWidget *parent = nullptr);
    ~PlatformConsole() override;

    // Group code of a new organisation below `p_strParentCode` (empty: at the top): three
    // digits per level, the first number no sibling uses.
    static QString nextGroupCode(const QString &p_strParentCode, const QStringList &p_listCodes);
    // Id and UID number above every one in use.
    static int nextId(const std::vector<int> &p_vecIds, int p_nFloor);

public slots:
    bool addThermalDevice();
    bool removeDevice();
    bool addOrganisation();
    bool renameOrganisation();
    bool deleteOrganisation();
    bool resetTotals();
    // The newest over-temperature alarm of today that nobody handled; false when there is none.
    bool handleNewestAlarm();
    void setStatisticsAnswers(int p_nIndex);

private:
    void refreshLists();
    void note(const QString &p_strText);
    OrvaneOrga selectedOrga() const;

    QComboBox *m_pOrgas;
    QComboBox *m_pDevices;
    QLineEdit *m_pName;
    QComboBox *m_pAnswers;
    QPlainTextEdit *m_pLog;
};
