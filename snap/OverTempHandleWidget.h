#pragma once

#include "BaseWidget.h"
#include "OpreateSelectorType.h"

#include <QString>

#include <memory>

namespace Ui {
class OverTempHandleWidget;
}

class PersonOpratePopWidget;

// The hover tool bar of an over-temperature card: snapshot time, device name, and the buttons
// to handle the alarm, open the person operations and search by picture.
class OverTempHandleWidget : public BaseWidget
{
    Q_OBJECT

public:
    explicit OverTempHandleWidget(QWidget *parent = nullptr);
    ~OverTempHandleWidget() override;

    void setDeviceName(const QString &p_strName);
    void setTime(const QString &p_strTime);
    PersonOpratePopWidget *popWidget() const { return m_pPopWidget; }

signals:
    void signalEdit();
    void signalSearch();
    void signalOpreatePerson(OpreateSelectorType type);
    void signalVisible(bool visible);

public slots:
    void initForm() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openPopWidget();

    std::unique_ptr<Ui::OverTempHandleWidget> m_ui;
    PersonOpratePopWidget *m_pPopWidget = nullptr;
    QString m_strDeviceName;
};
