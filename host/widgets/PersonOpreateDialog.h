#pragma once

#include "OpreateSelectorType.h"
#include "SNDialog.h"

#include <QString>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

// The selector's dialog: adds the snapshot face as a new person of a face-library group, or
// replaces the picture of a stored person with it (both offered for OpreateAddOrUpdate).
class PersonOpreateDialog : public SNDialog
{
    Q_OBJECT
public:
    static constexpr int MaxNameLength = 64;

    PersonOpreateDialog(OpreateSelectorType p_eType, const QString &p_strUrl, int p_nArchiveId,
                        QWidget *parent = nullptr);

    void retranslateUi() override;

signals:
    void signalPersonChanged(int p_nArchiveId);

private:
    void build(int p_nArchiveId);
    void showMode(int p_nMode);
    void apply();

    OpreateSelectorType m_eType;
    QString m_strUrl;
    QLabel *m_pPicture = nullptr;
    QButtonGroup *m_pMode = nullptr;
    QStackedWidget *m_pPages = nullptr;
    QLabel *m_pNameCaption = nullptr;
    QLineEdit *m_pName = nullptr;
    QLabel *m_pGroupCaption = nullptr;
    QComboBox *m_pGroup = nullptr;
    QLabel *m_pPersonCaption = nullptr;
    QComboBox *m_pPerson = nullptr;
    QPushButton *m_pOk = nullptr;
    QPushButton *m_pCancel = nullptr;
};
