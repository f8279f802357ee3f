#include "TestSupport.h"

#include "HostTesting.h"

#include "BaseWidget.h"
#include "TransientTip.h"

#include <QVBoxLayout>

class TstBaseWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::installWarningGuard(); }

    void tipIsRecordedAndShownAsPlainText()
    {
        QWidget window;
        window.resize(800, 600);
        auto *layout = new QVBoxLayout(&window);
        auto *panel = new BaseWidget(&window);
        layout->addWidget(panel);
        window.show();

        // Server names go into failure tips; they must not be read as markup.
        const QString text = QStringLiteral("<b>Gate A</b> not connected");
        panel->setTips(text, 2);
        QCOMPARE(HostTesting::recentTips(panel), (QList<QPair<QString, int>>{{text, 2}}));

        // The tip lives on the top-level window, not inside the panel's layout.
        TransientTip *tip = TransientTip::findOn(panel);
        QVERIFY(tip);
        QCOMPARE(tip->parentWidget(), &window);
        QVERIFY(tip->isVisible());
        QCOMPARE(tip->text(), text);
        QCOMPARE(tip->textFormat(), Qt::PlainText);
        QCOMPARE(tip->kind(), 2);
    }
};

FEVER_TEST_MAIN(TstBaseWidget)
#include "tst_basewidget.moc"
