#pragma once

#include <QLabel>

class QGraphicsOpacityEffect;
class QPropertyAnimation;
class QTimer;

// A short message that drops in at the top of a widget, stays a moment and fades out. One per
// widget: a newer message replaces the text and restarts the clock.
class SNMessageBoxFlowDownWidget : public QLabel
{
    Q_OBJECT
public:
    static constexpr int VisibleMs = 2500;
    static constexpr int FadeMs = 400;

    // Kind 1 success, 2 failure, others neutral; p_nFlag is kept for the host's signature.
    // The text is shown as plain text. Returns the message widget (a child of p_pOwner).
    static SNMessageBoxFlowDownWidget *showMessage(const QString &p_strText, QWidget *p_pOwner,
                                                   int p_nKind = 0, int p_nFlag = 0);
    // The message widget of an owner, if one was ever shown.
    static SNMessageBoxFlowDownWidget *findOn(const QWidget *p_pOwner);

    int kind() const { return m_nKind; }

protected:
    // p_nVisibleMs: how long a message stays before it fades.
    SNMessageBoxFlowDownWidget(QWidget *p_pOwner, int p_nVisibleMs);
    // Shows the text (plain) in the look of its kind and restarts the clock.
    void present(const QString &p_strText, int p_nKind);
    // Look and place inside the parent; other host messages of the same behaviour differ here.
    virtual QString styleSheetForKind(int p_nKind) const;
    virtual void placeInParent();

private:
    void startFade();

    int m_nVisibleMs = VisibleMs;
    int m_nKind = 0;
    QTimer *m_pHoldTimer = nullptr;
    QGraphicsOpacityEffect *m_pOpacity = nullptr;
    QPropertyAnimation *m_pFade = nullptr;
};
