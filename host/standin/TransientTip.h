#pragma once

#include "SNMessageBoxFlowDownWidget.h"

// The host's transient tip: one small styled label per top-level window, shown over its top
// centre for a few seconds, then faded out. A newer tip replaces the text and restarts the clock.
class TransientTip : public SNMessageBoxFlowDownWidget
{
    Q_OBJECT
public:
    static constexpr int VisibleMs = 3000;

    // Shows the tip over the top-level window of anchor and returns it.
    static TransientTip *showOn(QWidget *anchor, const QString &text, int kind);
    // The tip currently attached to a top-level window, if any.
    static TransientTip *findOn(QWidget *anchor);
    // Where a tip of the given size goes inside a window of the given size.
    static QRect placement(const QSize &windowSize, const QSize &tipSize);

protected:
    QString styleSheetForKind(int kind) const override;
    void placeInParent() override;

private:
    explicit TransientTip(QWidget *window);
};
