#pragma once

#include "BaseWidget.h"
#include "OpreateSelectorType.h"

#include <memory>

namespace Ui {
class PersonOpratePopWidget;
}

class QLabel;

// The person-operations pop-up of an over-temperature card: two entries in a box whose pointer
// shows at the button that opened it. Any press, focus loss or deactivation closes it.
class PersonOpratePopWidget : public BaseWidget
{
    Q_OBJECT

public:
    explicit PersonOpratePopWidget(QWidget *parent = nullptr);
    ~PersonOpratePopWidget() override;

    void setVisible(bool visible) override;

signals:
    void signalOpreatePerson(OpreateSelectorType type);
    void signalVisible(bool visible);

public slots:
    void initForm() override;
    void retranslateUi() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void setCovered(QLabel *p_pLabel, bool p_bCovered);

    std::unique_ptr<Ui::PersonOpratePopWidget> m_ui;
};
