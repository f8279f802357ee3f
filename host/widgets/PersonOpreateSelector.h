#pragma once

#include "OpreateSelectorType.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

class QWidget;

// Adds a snapshot face to the platform's face library or updates a stored person's picture
// with it, in a dialog shown at a point of the screen.
class PersonOpreateSelector : public QObject
{
    Q_OBJECT
public:
    static PersonOpreateSelector *instance();

    // p_strUrl: local path of the snapshot picture. p_nArchiveGroupId and p_nArchiveId name the
    // matched person, -99999 when there is none. p_objPoint: global position of the picture.
    void openPersonOpreateSelector(OpreateSelectorType p_eType, const QString &p_strUrl,
                                   int p_nArchiveGroupId, int p_nArchiveId,
                                   const QPoint &p_objPoint);

signals:
    // A person was added or updated (archive id of the person).
    void signalPersonChanged(int p_nArchiveId);

private:
    explicit PersonOpreateSelector(QObject *parent = nullptr);
    QPointer<QWidget> m_pDialog;
};
