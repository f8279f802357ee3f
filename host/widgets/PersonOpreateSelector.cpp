#include "PersonOpreateSelector.h"

#include "PersonOpreateDialog.h"

#include <QApplication>
#include <QDebug>
#include <QGuiApplication>
#include <QScreen>

PersonOpreateSelector *PersonOpreateSelector::instance()
{
    // Owned by the application, so it goes while the widgets still can.
    static QPointer<PersonOpreateSelector> s_instance;
    if (!s_instance)
        s_instance = new PersonOpreateSelector(qApp);
    return s_instance;
}

PersonOpreateSelector::PersonOpreateSelector(QObject *parent)
    : QObject(parent)
{
}

void PersonOpreateSelector::openPersonOpreateSelector(OpreateSelectorType p_eType,
                                                      const QString &p_strUrl,
                                                      int p_nArchiveGroupId, int p_nArchiveId,
                                                      const QPoint &p_objPoint)
{
    Q_UNUSED(p_nArchiveGroupId)
    // One selector at a time: a new request replaces the open one.
    if (m_pDialog)
        m_pDialog->close();
    auto *dialog = new PersonOpreateDialog(p_eType, p_strUrl, p_nArchiveId);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &SNDialog::signalDialogClosed, dialog, &QWidget::close);
    connect(dialog, &PersonOpreateDialog::signalPersonChanged, this,
            &PersonOpreateSelector::signalPersonChanged);
    m_pDialog = dialog;
    dialog->adjustSize();
    // At the picture, kept on the screen that holds it.
    QPoint position = p_objPoint;
    if (const QScreen *screen = QGuiApplication::screenAt(p_objPoint)) {
        const QRect area = screen->availableGeometry();
        position.setX(qBound(area.left(), position.x(), area.right() - dialog->width()));
        position.setY(qBound(area.top(), position.y(), area.bottom() - dialog->height()));
    }
    dialog->move(position);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}
